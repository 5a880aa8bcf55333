#include "protocolo/Protocolo.h"

#include <QSet>

#include "protocolo/Opciones.h"

namespace protocolo {

namespace {

// The widest merit a play can carry: a sign or blank, two digits, the point
// and two digits.
constexpr int kLargoMerito = 6;

QChar En(const QString& linea, int pos)   // positions count from 1
{
    return pos >= 1 && pos <= linea.size() ? linea.at(pos - 1) : QChar();
}

// A seat digit at a 1-based position, or 0 when it is not 1..4.
int DigitoSilla(const QString& linea, int pos)
{
    const QChar c = En(linea, pos);
    return c >= QLatin1Char('1') && c <= QLatin1Char('4') ? c.unicode() - '0' : 0;
}

bool Cifra(QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); }

bool EsPunta(QStringView p) { return p == u"IZQ" || p == u"DER"; }

QString DosDigitos(int n) { return QString::number(n).rightJustified(2, QLatin1Char('0')); }

Lectura Rechazo(const QString& motivo) { return Lectura{std::nullopt, motivo}; }

Lectura Tomada(Mensaje m) { return Lectura{std::move(m), {}}; }

// The value of an option line, taken as the game takes it: the letter or
// the pair at 14, or the number from 14 on; then checked against its codes.
Lectura LeerOpcion(const QString& linea)
{
    const QString clave = Campo(linea, 6, 7).trimmed().toString();
    const DefinicionOpcion* d = BuscarOpcion(clave);
    if (!d)
        return Rechazo(QStringLiteral("opción desconocida"));
    const QStringView valor = Campo(linea, 14);
    QString codigo;
    if (d->EsNumerica()) {
        bool digitos = false;
        const int n = LeerNumero(valor, &digitos);
        if (!digitos || n < d->Minimo || n > d->Maximo)
            return Rechazo(QStringLiteral("valor fuera de sus códigos"));
        codigo = QString::number(n);
    } else {
        codigo = valor.left(d->Codigos.first().size()).toString();
        if (!d->Codigos.contains(codigo))
            return Rechazo(d->Clave == u"AcuPtos" ? QStringLiteral("AcuPtos no es 0 ni 1")
                                                  : QStringLiteral("valor fuera de sus códigos"));
    }
    return Tomada(Opcion{clave, codigo});
}

Lectura LeerFichas(const QString& linea)
{
    const int silla = DigitoSilla(linea, 7);
    if (!silla)
        return Rechazo(QStringLiteral("silla fuera de 1..4"));
    const QStringView digitos = Campo(linea, 9, 14);
    if (digitos.size() != 14)
        return Rechazo(QStringLiteral("mano incompleta"));
    QSet<int> vistas;
    for (int k = 0; k < 7; ++k) {
        const QStringView par = digitos.mid(2 * k, 2);
        if (!Cifra(par.at(0)) || !Cifra(par.at(1)))
            return Rechazo(QStringLiteral("mano con caracteres que no son dígitos"));
        if (par == u"99")
            continue;
        const int t = LeerNumero(par);
        if (t > kUltimaFicha)
            return Rechazo(QStringLiteral("ficha fuera de 0..27"));
        if (vistas.contains(t))
            return Rechazo(QStringLiteral("ficha repetida en la mano"));
        vistas.insert(t);
    }
    return Tomada(Fichas{silla, digitos.toString()});
}

Lectura LeerTiro(const QString& linea)
{
    bool ok = false;
    const int numero = LeerNumero(Campo(linea, 6, 2), &ok);
    if (!ok || numero < 1 || numero > kMaxJugadas)
        return Rechazo(QStringLiteral("número de tiro fuera de 1..25"));
    const int silla = DigitoSilla(linea, 9);
    if (!silla)
        return Rechazo(QStringLiteral("silla fuera de 1..4"));
    const int ficha = LeerNumero(Campo(linea, 11, 2), &ok);
    const QString punta = Campo(linea, 14, 3).toString();
    if (!ok)
        return Rechazo(QStringLiteral("ficha sin dígitos"));
    if (ficha < 0) {
        // A declined lead: always play 1, naming the seat that passed.
        if (numero != 1 || ficha < -4 || punta != u"NUL")
            return Rechazo(QStringLiteral("salida cedida mal formada"));
    } else if (ficha > kUltimaFicha || !EsPunta(punta)) {
        return Rechazo(QStringLiteral("ficha o punta fuera de rango"));
    }
    // The merit runs to the end of the line: a merit of 10 or more takes six
    // characters (" 13.00"; no play has more than 14 options, so none takes
    // more), and cutting it would make the copies disagree on the merits.
    // Anything but a merit as the game writes it refuses the whole line.
    const QStringView campo = Campo(linea, 18);
    QString merito;
    if (!campo.trimmed().isEmpty()) {
        if (campo.size() > kLargoMerito || !LeerMerito(campo))
            return Rechazo(QStringLiteral("mérito mal formado"));
        merito = campo.toString();
    }
    return Tomada(Tiro{numero, silla, ficha, punta, merito});
}

Lectura LeerMemo(const QString& linea)
{
    const QStringView p = Campo(linea, 6);
    bool ok = false;
    const int cuenta = LeerNumero(p.left(2), &ok);
    if (!ok || cuenta < 0 || cuenta > kMaxJugadas)
        return Rechazo(QStringLiteral("cuenta de jugadas fuera de 0..25"));
    Memo m;
    m.salidor = p.size() >= 3 ? LeerNumero(p.mid(2, 1), &ok) : 0;
    if (!ok || m.salidor < 1 || m.salidor > 4)
        return Rechazo(QStringLiteral("salidor fuera de 1..4"));
    if (p.size() < 3 + 5 * cuenta)
        return Rechazo(QStringLiteral("faltan jugadas"));
    QSet<int> vistas;
    for (int i = 1; i <= cuenta; ++i) {
        const int f = LeerNumero(p.mid(3 + 5 * (i - 1), 2), &ok);
        const QStringView punta = p.mid(5 + 5 * (i - 1), 3);
        if (!ok || f < 0 || f > kUltimaFicha || !EsPunta(punta) || vistas.contains(f))
            return Rechazo(QStringLiteral("jugada %1 mal formada").arg(i));
        vistas.insert(f);
        m.fichas.append(f);
        m.puntas.append(punta.toString());
    }
    return Tomada(m);
}

// The seat a play line acts for, as the table checks it: a play names its
// seat at 9 (tile 00..27 at 11-12, end at 14-16, a blank before any merit);
// a declined lead must read exactly as a copy writes it, and acts for the
// seat that passed. 0 for anything else.
int SillaDeTiro(const QString& linea)
{
    if (linea.size() >= 16 && Cifra(En(linea, 11)) && Cifra(En(linea, 12))) {
        const int ficha = Campo(linea, 11, 2).toInt();
        const QStringView punta = Campo(linea, 14, 3);
        const bool bien = ficha <= kUltimaFicha && EsPunta(punta) && (linea.size() == 16 || En(linea, 17) == u' ');
        return bien ? DigitoSilla(linea, 9) : 0;
    }
    const int pasa = DigitoSilla(linea, 12);
    if (!pasa)
        return 0;
    const int companero = (pasa + 1) % 4 + 1;
    return linea == LineaNoSalir(companero, pasa) ? pasa : 0;
}

}  // namespace

QString Clave(const QString& linea) { return linea.left(5).trimmed(); }

QStringView Campo(const QString& linea, int desde, int largo)
{
    const QStringView v(linea);
    if (desde < 1 || desde > v.size())
        return {};
    return largo < 0 ? v.mid(desde - 1) : v.mid(desde - 1, largo);
}

int LeerNumero(QStringView campo, bool* digitos)
{
    qsizetype i = 0;
    while (i < campo.size() && campo.at(i) == QLatin1Char(' '))
        ++i;
    bool negativo = false;
    if (i < campo.size() && (campo.at(i) == QLatin1Char('-') || campo.at(i) == QLatin1Char('+'))) {
        negativo = campo.at(i) == QLatin1Char('-');
        ++i;
    }
    long long valor = 0;
    bool alguno = false;
    for (; i < campo.size() && Cifra(campo.at(i)); ++i) {
        alguno = true;
        if (valor < 1'000'000'000)
            valor = valor * 10 + (campo.at(i).unicode() - u'0');
    }
    if (digitos)
        *digitos = alguno;
    return int(negativo ? -valor : valor);
}

std::optional<std::int64_t> LeerMerito(QStringView texto)
{
    qsizetype i = 0;
    const qsizetype n = texto.size();
    while (i < n && texto[i] == QLatin1Char(' '))
        ++i;
    bool negativo = false;
    if (i < n && (texto[i] == QLatin1Char('-') || texto[i] == QLatin1Char('+')))
        negativo = texto[i++] == QLatin1Char('-');
    const auto digito = [&](qsizetype k) { return k < n && Cifra(texto[k]); };
    std::int64_t v = 0;
    int enteros = 0;
    for (; digito(i); ++i, ++enteros) {
        if (enteros == kMaxDigitosMerito)
            return std::nullopt;
        v = v * 10 + (texto[i].unicode() - u'0');
    }
    if (enteros == 0 || i + 3 != n || texto[i] != QLatin1Char('.') || !digito(i + 1) || !digito(i + 2))
        return std::nullopt;
    v = v * 100 + (texto[i + 1].unicode() - u'0') * 10 + (texto[i + 2].unicode() - u'0');
    return negativo ? -v : v;
}

Lectura Leer(const QString& linea)
{
    const QString clave = Clave(linea);
    if (clave == u"Silla")
        return Tomada(Silla{DigitoSilla(linea, 6)});
    if (clave == u"Mesa")
        return LeerOpcion(linea);
    if (clave == u"Nombr") {
        const int silla = DigitoSilla(linea, 7);
        if (!silla)
            return Rechazo(QStringLiteral("silla fuera de 1..4"));
        const QString nombre = Campo(linea, 9).toString();
        if (nombre.trimmed().isEmpty())
            return Rechazo(QStringLiteral("nombre vacío"));
        return Tomada(Nombre{silla, nombre});
    }
    if (clave == u"HoC") {
        const int silla = DigitoSilla(linea, 6);
        const QStringView tipo = Campo(linea, 8, 1);
        if (!silla || (tipo != u"H" && tipo != u"C"))
            return Rechazo(QStringLiteral("silla o tipo fuera de rango"));
        return Tomada(HoC{silla, char(tipo.at(0).unicode())});
    }
    if (clave == u"Local") {
        const int silla = DigitoSilla(linea, 7);
        if (!silla)
            return Rechazo(QStringLiteral("silla fuera de 1..4"));
        return Tomada(Local{silla});
    }
    if (clave == u"Inici")
        return Tomada(Inici{});
    if (clave == u"Ficha")
        return LeerFichas(linea);
    if (clave == u"Repet")
        return Tomada(Repet{});
    if (clave == u"Memo")
        return LeerMemo(linea);
    if (clave == u"Tiro")
        return LeerTiro(linea);
    if (clave == u"Atras")
        return Tomada(Atras{DigitoSilla(linea, 7)});
    if (clave == u"FIN") {
        const int silla = DigitoSilla(linea, 6);
        if (!silla)
            return Rechazo(QStringLiteral("silla fuera de 1..4"));
        return Tomada(Fin{silla});
    }
    if (clave == u"Chat")
        return Tomada(Chat{Campo(linea, 6).toString()});
    return Lectura{std::nullopt, {}};
}

int SillaDejadaEn(const QString& texto)
{
    static const QString inicio = QStringLiteral("Brintal: ");
    static const QString medio = QStringLiteral(" dejó la Silla ");
    if (!texto.startsWith(inicio) || !texto.endsWith(QLatin1Char('.')) || texto.size() < inicio.size() + medio.size() + 2)
        return 0;
    const QChar d = texto[texto.size() - 2];
    if (d < QLatin1Char('1') || d > QLatin1Char('4') || !texto.chopped(2).endsWith(medio))
        return 0;
    return d.unicode() - '0';
}

bool VuelveAlRemitente(const QString& linea)
{
    return linea.startsWith(QLatin1String("Tiro ")) || linea.startsWith(QLatin1String("FIN"))
           || linea.startsWith(QLatin1String("Fichas"));
}

LineaCliente LeerDeCliente(const QString& linea)
{
    LineaCliente l;
    const QString clave = Clave(linea);
    if (clave.isEmpty()) {
        l.clase = Clase::Ninguna;
    } else if (clave == u"Silla") {
        l.clase = Clase::PideSilla;
        l.silla = DigitoSilla(linea, 6);
    } else if (clave == u"Nombr") {
        l.clase = Clase::Nombre;
        if (linea.startsWith(QLatin1String("Nombre")))
            l.silla = DigitoSilla(linea, 7);
        l.texto = linea.mid(8);
    } else if (clave == u"HoC") {
        l.clase = Clase::HoC;
        l.silla = DigitoSilla(linea, 6);
        l.texto = linea.mid(7, 1);
    } else if (clave == u"FIN") {
        l.clase = Clase::Fin;
        l.silla = DigitoSilla(linea, 6);
    } else if (clave == u"Atras") {
        l.clase = Clase::Atras;
        if (linea.startsWith(QLatin1String("Atras ")))
            l.silla = DigitoSilla(linea, 7);
    } else if (clave == u"Tiro") {
        l.clase = Clase::Tiro;
        l.silla = SillaDeTiro(linea);
    } else if (clave == u"Ficha") {
        l.clase = linea.startsWith(QLatin1String("Fichas")) ? Clase::Fichas : Clase::Desconocida;
    } else if (clave == u"Repet") {
        l.clase = Clase::Repet;
    } else if (clave == u"Memo") {
        l.clase = Clase::Memo;
    } else if (clave == u"Chat") {
        l.clase = Clase::Chat;
        const QString texto = linea.mid(5);
        const qsizetype dos = texto.indexOf(QLatin1String(": "));
        l.texto = dos < 0 ? texto : texto.left(dos);
    } else if (clave == u"Local" || clave == u"Mesa" || clave == u"Inici") {
        l.clase = Clase::DeLaMesa;
    } else {
        l.clase = Clase::Desconocida;
    }
    return l;
}

QString Juntar(const QStringList& lineas) { return lineas.join(QStringLiteral("\r\n")); }

QStringList Separar(const QString& mensaje) { return mensaje.split(QStringLiteral("\r\n")); }

QByteArray Enmarcar(const QString& mensaje) { return (mensaje + QStringLiteral("\r\n")).toUtf8(); }

QString LineaSilla(int silla) { return QStringLiteral("Silla") + QString::number(silla); }

QString LineaNombre(int silla, const QString& nombre)
{
    return QStringLiteral("Nombre") + QString::number(silla) + QLatin1Char(' ') + nombre;
}

QString LineaHoC(int silla, char tipo)
{
    return QStringLiteral("HoC  ") + QString::number(silla) + QLatin1Char(' ') + QLatin1Char(tipo);
}

QString LineaLocal(int silla) { return QStringLiteral("Local ") + QString::number(silla); }

QString LineaInici() { return QStringLiteral("Inici"); }

QString LineaOpcion(const QString& clave, const QString& codigo)
{
    return QStringLiteral("Mesa ") + clave.leftJustified(7, QLatin1Char(' '), true) + QLatin1Char('=') + codigo;
}

QString LineaFichas(int silla, std::span<const int, 7> mano)
{
    QString l = QStringLiteral("Fichas") + QString::number(silla) + QLatin1Char(' ');
    for (int t : mano)
        l += DosDigitos(t);
    return l;
}

QString LineaTiro(int numero, int silla, int ficha, const QString& punta, const QString& merito)
{
    return QStringLiteral("Tiro ") + DosDigitos(numero) + QLatin1Char(' ') + QString::number(silla) + QLatin1Char(' ')
           + DosDigitos(ficha) + QLatin1Char(' ') + punta + QLatin1Char(' ') + merito;
}

QString LineaNoSalir(int turno, int pasa)
{
    return QStringLiteral("Tiro 01 ") + QString::number(turno) + QStringLiteral(" -") + QString::number(pasa)
           + QStringLiteral(" NUL");
}

QString LineaAtras(int silla) { return QStringLiteral("Atras ") + QString::number(silla); }

QString LineaFin(int silla) { return QStringLiteral("FIN  ") + QString::number(silla); }

QString LineaRepet() { return QStringLiteral("Repet"); }

QString LineaMemo(int salidor, std::span<const int> fichas, std::span<const QString> puntas)
{
    QString l = QStringLiteral("Memo ") + DosDigitos(int(fichas.size())) + QString::number(salidor);
    for (size_t i = 0; i < fichas.size() && i < puntas.size(); ++i)
        l += DosDigitos(fichas[i]) + puntas[i];
    return l;
}

QString LineaChat(const QString& nombre, const QString& texto)
{
    return QStringLiteral("Chat ") + nombre + QStringLiteral(": ") + texto;
}

QString LineaSillaDejada(const QString& nombre, int silla)
{
    return QStringLiteral("Chat Brintal: ") + nombre + QStringLiteral(" dejó la Silla ") + QString::number(silla)
           + QLatin1Char('.');
}

}  // namespace protocolo
