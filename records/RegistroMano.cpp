#include "records/RegistroMano.h"

#include <QStringConverter>

#include "rules/ArchivoEntero.h"

namespace {

const QString kFin = QStringLiteral("\r\n");

LecturaRegistro Falla(int linea, const QString& razon)
{
    LecturaRegistro l;
    l.Linea = linea;
    l.Razon = razon;
    return l;
}

// The text without the blanks and tabs around it. Only those: a record is
// written by the game, and any other space or mark around a field is not its.
QString SinBlancos(const QString& texto)
{
    qsizetype i = 0, j = texto.size();
    while (i < j && (texto[i] == ' ' || texto[i] == '\t'))
        ++i;
    while (j > i && (texto[j - 1] == ' ' || texto[j - 1] == '\t'))
        --j;
    return texto.mid(i, j - i);
}

// The pip of an ASCII digit 0..6; -1 for anything else (other scripts'
// digits included).
int Pip(QChar c)
{
    return c >= u'0' && c <= u'6' ? c.unicode() - u'0' : -1;
}

// A count written in ASCII digits alone; -1 otherwise.
int Cuenta(const QString& texto)
{
    if (texto.isEmpty() || texto.size() > 4)
        return -1;
    int n = 0;
    for (const QChar c : texto) {
        if (c < u'0' || c > u'9')
            return -1;
        n = n * 10 + (c.unicode() - u'0');
    }
    return n;
}

// Name between double quotes; false when the line holds none.
bool LeerNombre(const QString& linea, QString* nombre)
{
    const QString t = SinBlancos(linea);
    if (t.size() < 2 || !t.startsWith('"') || !t.endsWith('"'))
        return false;
    *nombre = t.mid(1, t.size() - 2);
    return true;
}

}  // namespace

QString LecturaRegistro::Mensaje() const
{
    if (Ok)
        return {};
    if (Linea > 0)
        return QStringLiteral("Línea %1: %2").arg(Linea).arg(Razon);
    return Razon;
}

int LeerFicha(const QString& texto)
{
    const QString t = SinBlancos(texto);
    if (t.isEmpty())
        return 0;
    const int a = Pip(t.front());
    const int b = Pip(t.back());
    for (int f = 0; f < kNumFichas; ++f)
        if (kTablaFichas[f].Punto1 == a && kTablaFichas[f].Punto2 == b)
            return f;
    return 0;
}

int LeerFichaEstricta(const QString& texto)
{
    const QString t = SinBlancos(texto);
    if (t.size() != 3 || t[1] != '-')
        return -1;
    const int a = Pip(t[0]);
    const int b = Pip(t[2]);
    if (a < 0 || b < 0)
        return -1;
    for (int f = 0; f < kNumFichas; ++f)
        if (kTablaFichas[f].Punto1 == a && kTablaFichas[f].Punto2 == b)
            return f;
    return -1;
}

QString TextoDeFicha(int ficha)
{
    if (ficha < 0 || ficha >= kNumFichas)
        return QStringLiteral("?-?");
    return QString::number(kTablaFichas[ficha].Punto1) + '-' + QString::number(kTablaFichas[ficha].Punto2);
}

void PonerReparto(const RegistroMano& r, Estado& e)
{
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = e.Jugadores[s];
        j.Mano = r.Manos[s];
        j.NumFichas = 7;
        for (int k = 1; k <= 7; ++k) {
            Ficha& f = e.Fichas[r.Manos[s][k]];
            f.Lugar = 'D';
            f.Libre = false;
            f.Dueno = s;
        }
    }
}

RegistroMano RegistroDe(const Estado& e)
{
    RegistroMano r;
    for (int s = 1; s <= 4; ++s) {
        r.Nombres[s] = e.Jugadores[s].Nombre;
        r.Manos[s] = e.Jugadores[s].Mano;
    }
    const int n = std::clamp(e.NumTiro, 0, kMaxTiros);
    for (int i = 1; i <= n; ++i)
        r.Tiros.push_back({e.HistFicha[i], e.HistPunta[i]});
    return r;
}

QString TextoRegistro(const RegistroMano& r)
{
    QString t;
    for (int s = 1; s <= 4; ++s) {
        QString nombre = r.Nombres[s];
        nombre.replace('"', '\'');
        nombre.remove('\r');
        nombre.replace('\n', ' ');
        t += '"' + nombre + '"' + kFin;
        QStringList fichas;
        for (int k = 1; k <= 7; ++k)
            fichas << TextoDeFicha(r.Manos[s][k]);
        t += fichas.join(QStringLiteral(", ")) + kFin;
    }
    t += ' ' + QString::number(r.Tiros.size()) + ' ' + kFin;
    for (const TiroRegistro& tiro : r.Tiros)
        t += TextoDeFicha(tiro.Ficha) + QStringLiteral(", ") + TextoExtremo(tiro.Punta) + kFin;
    return t;
}

LecturaRegistro LeerRegistro(const QString& texto)
{
    QString cuerpo = texto;
    if (cuerpo.startsWith(QChar(0xFEFF)))
        cuerpo.remove(0, 1);
    QStringList lineas = cuerpo.split('\n');
    for (QString& l : lineas)
        if (l.endsWith('\r'))
            l.chop(1);
    auto linea = [&](int n) -> const QString* {  // 1-based; null when missing
        return n <= lineas.size() && !(n == lineas.size() && lineas[n - 1].isEmpty()) ? &lineas[n - 1] : nullptr;
    };
    // A control character (a NUL inside a count, say) would make the field
    // read as less than it holds.
    for (qsizetype i = 0; i < lineas.size(); ++i)
        for (const QChar c : lineas[i])
            if (c.category() == QChar::Other_Control && c != u'\t')
                return Falla(int(i + 1), QStringLiteral("la línea contiene el carácter de control U+%1.")
                                             .arg(c.unicode(), 4, 16, QLatin1Char('0')).toUpper());

    RegistroMano r;
    std::array<int, kNumFichas> repartida{};  // seat holding each tile, 0 none
    for (int s = 1; s <= 4; ++s) {
        const int ln = 2 * s - 1;
        const QString* l = linea(ln);
        if (!l)
            return Falla(ln, QStringLiteral("falta el nombre del jugador %1.").arg(s));
        if (!LeerNombre(*l, &r.Nombres[s]))
            return Falla(ln, QStringLiteral("se esperaba el nombre del jugador %1 entre comillas.").arg(s));
        const QString* lf = linea(ln + 1);
        if (!lf)
            return Falla(ln + 1, QStringLiteral("faltan las fichas del jugador %1.").arg(s));
        const QStringList campos = lf->split(',');
        if (campos.size() != 7)
            return Falla(ln + 1, QStringLiteral("se esperaban 7 fichas del jugador %1 y hay %2.").arg(s).arg(campos.size()));
        for (int k = 1; k <= 7; ++k) {
            const int f = LeerFichaEstricta(campos[k - 1]);
            if (f < 0)
                return Falla(ln + 1, QStringLiteral("la ficha «%1» no existe.").arg(SinBlancos(campos[k - 1])));
            if (repartida[f] != 0)
                return Falla(ln + 1, QStringLiteral("la ficha %1 está repartida dos veces.").arg(TextoDeFicha(f)));
            repartida[f] = s;
            r.Manos[s][k] = f;
        }
    }

    const QString* lc = linea(9);
    if (!lc)
        return Falla(9, QStringLiteral("falta el número de jugadas."));
    const int n = Cuenta(SinBlancos(*lc));
    if (n < 0)
        return Falla(9, QStringLiteral("el número de jugadas «%1» no es válido.").arg(SinBlancos(*lc)));
    if (n == 0)
        return Falla(9, QStringLiteral("la mano no tiene ninguna jugada."));
    if (n > kMaxTiros)
        return Falla(9, QStringLiteral("una mano no puede tener %1 jugadas (el máximo es %2).").arg(n).arg(kMaxTiros));

    for (int i = 1; i <= n; ++i) {
        const int ln = 9 + i;
        const QString* l = linea(ln);
        if (!l)
            return Falla(ln, QStringLiteral("falta la jugada %1 de %2.").arg(i).arg(n));
        const QStringList campos = l->split(',');
        if (campos.size() != 2)
            return Falla(ln, QStringLiteral("la jugada %1 debe ser una ficha y una punta.").arg(i));
        const int f = LeerFichaEstricta(campos[0]);
        if (f < 0)
            return Falla(ln, QStringLiteral("la ficha «%1» no existe.").arg(SinBlancos(campos[0])));
        const QString punta = SinBlancos(campos[1]);
        const std::optional<Extremo> extremo = LeerExtremo(punta);
        if (extremo != Extremo::Izq && extremo != Extremo::Der)
            return Falla(ln, QStringLiteral("la punta «%1» no es IZQ ni DER.").arg(punta));
        r.Tiros.push_back({f, *extremo});
    }
    // Plays beyond the count would be lost without a word; blank lines at
    // the end are only an editor's.
    for (int ln = 10 + n; const QString* l = linea(ln); ++ln)
        if (!SinBlancos(*l).isEmpty())
            return Falla(ln, QStringLiteral("sobra esta línea: la mano tiene %1 jugadas.").arg(n));

    LecturaRegistro ok2;
    ok2.Ok = true;
    ok2.Registro = r;
    return ok2;
}

LecturaRegistro LeerRegistroArchivo(const QString& ruta)
{
    // A record is a few hundred bytes; anything far larger is not one.
    QByteArray datos;
    QString error;
    if (!LeerEntero(ruta, 1 << 20, &datos, &error))
        return Falla(0, error);
    auto decodificar = QStringDecoder(QStringDecoder::Utf8);
    const QString texto = decodificar(datos);
    if (decodificar.hasError())
        return Falla(0, QStringLiteral("El registro «%1» no es texto UTF-8.").arg(ruta));
    return LeerRegistro(texto);
}

bool EscribirRegistro(const QString& ruta, const RegistroMano& r, QString* error)
{
    return EscribirEntero(ruta, TextoRegistro(r).toUtf8(), error);
}
