#include "net/Protocolo.h"

#include <QSet>

#include "rules/Formato.h"

namespace protocolo {

namespace {

// The widest merit a play can carry: a sign or blank, two digits, the point
// and two digits.
constexpr int kLargoMerito = 6;

// A seat digit at a 1-based position, or 0 when it is not 1..4.
int DigitoSilla(const QString& linea, int pos)
{
    if (linea.size() < pos)
        return 0;
    const QChar c = linea.at(pos - 1);
    if (c < QLatin1Char('1') || c > QLatin1Char('4'))
        return 0;
    return c.unicode() - '0';
}

bool EsPunta(QStringView p) { return p == u"IZQ" || p == u"DER"; }

Lectura Rechazo(const QString& motivo) { return Lectura{std::nullopt, motivo}; }

Lectura LeerOpcion(const QString& linea)
{
    Opcion op;
    op.clave = Campo(linea, 6, 7).trimmed().toString();
    const QStringView valor = Campo(linea, 14);
    const QChar letra = valor.isEmpty() ? QChar() : valor.at(0);
    const QStringView par = valor.left(2);
    bool digitos = false;
    if (op.clave == u"AoC" || op.clave == u"Nivel" || op.clave == u"Vista") {
        const QString codigos = op.clave == u"AoC"     ? QStringLiteral("CA")
                                : op.clave == u"Nivel" ? QStringLiteral("PIAU")
                                                       : QStringLiteral("TS");
        if (letra.isNull() || !codigos.contains(letra))
            return Rechazo(QStringLiteral("valor fuera de sus códigos"));
        op.letra = char(letra.unicode());
    } else if (op.clave == u"Salida" || op.clave == u"Cierre") {
        static const QStringList salida{"PG", "JG", "JD"};
        static const QStringList cierre{"GS", "GC", "GN", "AN"};
        const QStringList& codigos = op.clave == u"Salida" ? salida : cierre;
        if (!codigos.contains(par.toString()))
            return Rechazo(QStringLiteral("valor fuera de sus códigos"));
        op.par = par.toString();
    } else if (op.clave == u"AcuPtos") {
        if (letra != QLatin1Char('0') && letra != QLatin1Char('1'))
            return Rechazo(QStringLiteral("AcuPtos no es 0 ni 1"));
        op.numero = letra.unicode() - '0';
    } else if (op.clave == u"Puntos" || op.clave == u"Tiempo1" || op.clave == u"Tiempo2") {
        op.numero = LeerNumero(valor, &digitos);
        const int minimo = op.clave == u"Puntos" ? 1 : 0;
        const int maximo = op.clave == u"Puntos" ? 300 : 32;
        if (!digitos || op.numero < minimo || op.numero > maximo)
            return Rechazo(QStringLiteral("valor fuera de sus códigos"));
    } else {
        return Rechazo(QStringLiteral("opción desconocida"));
    }
    return Lectura{Mensaje{op}, {}};
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
        if (!par.at(0).isDigit() || !par.at(1).isDigit() || par.at(0).unicode() > '9' || par.at(1).unicode() > '9')
            return Rechazo(QStringLiteral("mano con caracteres que no son dígitos"));
        if (par == u"99")
            continue;
        const int t = LeerNumero(par);
        if (t < 0 || t >= kNumFichas)
            return Rechazo(QStringLiteral("ficha fuera de 0..27"));
        if (vistas.contains(t))
            return Rechazo(QStringLiteral("ficha repetida en la mano"));
        vistas.insert(t);
    }
    return Lectura{Mensaje{Fichas{silla, digitos.toString()}}, {}};
}

Lectura LeerTiro(const QString& linea)
{
    bool ok = false;
    const int numero = LeerNumero(Campo(linea, 6, 2), &ok);
    if (!ok || numero < 1 || numero > kMaxTiros)
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
    } else if (ficha >= kNumFichas || !EsPunta(punta)) {
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
    return Lectura{Mensaje{Tiro{numero, silla, ficha, punta, merito}}, {}};
}

Lectura LeerMemo(const QString& linea)
{
    const QStringView p = Campo(linea, 6);
    bool ok = false;
    const int cuenta = LeerNumero(p.left(2), &ok);
    if (!ok || cuenta < 0 || cuenta > kMaxTiros)
        return Rechazo(QStringLiteral("cuenta de jugadas fuera de 0..25"));
    Memo m;
    m.cuenta = cuenta;
    m.salidor = p.size() >= 3 ? LeerNumero(p.mid(2, 1), &ok) : 0;
    if (!ok || m.salidor < 1 || m.salidor > 4)
        return Rechazo(QStringLiteral("salidor fuera de 1..4"));
    if (p.size() < 3 + 5 * cuenta)
        return Rechazo(QStringLiteral("faltan jugadas"));
    QSet<int> vistas;
    for (int i = 1; i <= cuenta; ++i) {
        const int f = LeerNumero(p.mid(3 + 5 * (i - 1), 2), &ok);
        const QStringView punta = p.mid(5 + 5 * (i - 1), 3);
        if (!ok || f < 0 || f >= kNumFichas || !EsPunta(punta) || vistas.contains(f))
            return Rechazo(QStringLiteral("jugada %1 mal formada").arg(i));
        vistas.insert(f);
        m.fichas[i] = f;
        m.puntas[i] = punta.toString();
    }
    return Lectura{Mensaje{m}, {}};
}

}  // namespace

bool TomarLinea(QByteArray& buffer, QString& linea)
{
    const qsizetype lf = buffer.indexOf('\n');
    if (lf < 0)
        return false;
    QByteArray bytes;
    bytes.reserve(lf);
    for (qsizetype i = 0; i < lf; ++i) {
        const unsigned char c = static_cast<unsigned char>(buffer.at(i));
        if (c >= 32)
            bytes.append(char(c));
    }
    buffer.remove(0, lf + 1);
    linea = QString::fromUtf8(bytes);
    return true;
}

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
    for (; i < campo.size(); ++i) {
        const char16_t c = campo.at(i).unicode();
        if (c < u'0' || c > u'9')
            break;
        alguno = true;
        if (valor < 1'000'000'000)
            valor = valor * 10 + (c - u'0');
    }
    if (digitos)
        *digitos = alguno;
    return int(negativo ? -valor : valor);
}

Lectura Leer(const QString& linea)
{
    const QString clave = Clave(linea);
    if (clave == u"Silla")
        return Lectura{Mensaje{Silla{DigitoSilla(linea, 6)}}, {}};
    if (clave == u"Mesa")
        return LeerOpcion(linea);
    if (clave == u"Nombr") {
        const int silla = DigitoSilla(linea, 7);
        if (!silla)
            return Rechazo(QStringLiteral("silla fuera de 1..4"));
        const QString nombre = Campo(linea, 9).toString();
        if (nombre.trimmed().isEmpty())
            return Rechazo(QStringLiteral("nombre vacío"));
        return Lectura{Mensaje{Nombre{silla, nombre}}, {}};
    }
    if (clave == u"HoC") {
        const int silla = DigitoSilla(linea, 6);
        const QStringView tipo = Campo(linea, 8, 1);
        if (!silla || (tipo != u"H" && tipo != u"C"))
            return Rechazo(QStringLiteral("silla o tipo fuera de rango"));
        return Lectura{Mensaje{HoC{silla, char(tipo.at(0).unicode())}}, {}};
    }
    if (clave == u"Local") {
        const int silla = DigitoSilla(linea, 7);
        if (!silla)
            return Rechazo(QStringLiteral("silla fuera de 1..4"));
        return Lectura{Mensaje{Local{silla}}, {}};
    }
    if (clave == u"Inici")
        return Lectura{Mensaje{Inici{}}, {}};
    if (clave == u"Ficha")
        return LeerFichas(linea);
    if (clave == u"Repet")
        return Lectura{Mensaje{Repet{}}, {}};
    if (clave == u"Memo")
        return LeerMemo(linea);
    if (clave == u"Tiro")
        return LeerTiro(linea);
    if (clave == u"Atras")
        return Lectura{Mensaje{Atras{DigitoSilla(linea, 7)}}, {}};
    if (clave == u"FIN") {
        const int silla = DigitoSilla(linea, 6);
        if (!silla)
            return Rechazo(QStringLiteral("silla fuera de 1..4"));
        return Lectura{Mensaje{Fin{silla}}, {}};
    }
    if (clave == u"Chat")
        return Lectura{Mensaje{Chat{Campo(linea, 6).toString()}}, {}};
    return Lectura{std::nullopt, {}};
}

void Aplicar(OpcionesJuego& o, const Opcion& op)
{
    if (op.clave == u"AoC")
        o.AoC = op.letra;
    else if (op.clave == u"Nivel")
        o.Nivel = op.letra;
    else if (op.clave == u"Puntos")
        o.Puntos = op.numero;
    else if (op.clave == u"AcuPtos")
        o.AcuPtos = op.numero;
    else if (op.clave == u"Salida")
        o.Salida = op.par;
    else if (op.clave == u"Cierre")
        o.Cierre = op.par;
    else if (op.clave == u"Tiempo1")
        o.Tiempo1 = op.numero;
    else if (op.clave == u"Tiempo2")
        o.Tiempo2 = op.numero;
    else if (op.clave == u"Vista")
        o.Vista = op.letra;
}

QString LineaSilla(int silla) { return QStringLiteral("Silla%1").arg(silla); }

QString LineaNombre(int silla, const QString& nombre)
{
    return QStringLiteral("Nombre%1 %2").arg(silla).arg(nombre);
}

QString LineaHoC(int silla, char tipo) { return QStringLiteral("HoC  %1 %2").arg(silla).arg(QChar(tipo)); }

QString LineaFin(int silla) { return QStringLiteral("FIN  %1").arg(silla); }

QString LineaTiro(int numero, int silla, int ficha, const QString& punta, const QString& merito)
{
    return QStringLiteral("Tiro %1 %2 %3 %4 %5")
        .arg(numero, 2, 10, QLatin1Char('0'))
        .arg(silla)
        .arg(ficha, 2, 10, QLatin1Char('0'))
        .arg(punta, merito);
}

}  // namespace protocolo
