#include "rules/Formato.h"

#include "protocolo/Protocolo.h"

#include <QList>

#include <algorithm>
#include <cmath>

namespace {

// Rounds num/den (den > 0, num >= 0) scaled by escala, half away from zero.
std::int64_t Redondear(std::int64_t num, std::int64_t den, std::int64_t escala)
{
    // Line counts stay far below 2^53, so the scaled numerator cannot overflow.
    return (num * escala * 2 + den) / (den * 2);
}

QString ConMiles(std::int64_t n)
{
    QString digitos = QString::number(n < 0 ? -n : n);
    QString out;
    const int len = digitos.size();
    for (int i = 0; i < len; ++i) {
        if (i > 0 && (len - i) % 3 == 0)
            out += ',';
        out += digitos[i];
    }
    return n < 0 ? "-" + out : out;
}

QString DosDecimales(std::int64_t centesimas)
{
    const std::int64_t a = centesimas < 0 ? -centesimas : centesimas;
    return QString::number(a / 100) + '.' + QString::number(a % 100).rightJustified(2, '0');
}

}  // namespace

QString FormatoMiles(std::int64_t n)
{
    return n == 0 ? QString() : ConMiles(n);
}

QString FormatoPorciento(std::int64_t num, std::int64_t den)
{
    const std::int64_t decimas = Redondear(num, den, 1000);
    return QString::number(decimas / 10) + '.' + QString::number(decimas % 10) + '%';
}

QString FormatoMeritoPositivo(std::int64_t num, std::int64_t den)
{
    return ' ' + DosDecimales(Redondear(num, den, 100));
}

QString FormatoMeritoNegativo(std::int64_t num, std::int64_t den)
{
    const std::int64_t c = Redondear(num, den, 100);
    return (c == 0 ? QString() : QStringLiteral("-")) + DosDecimales(c);
}

QString FormatoCentesimas(std::int64_t centesimas)
{
    return (centesimas < 0 ? '-' : ' ') + DosDecimales(centesimas);
}

std::int64_t CentesimasDe(const QString& texto)
{
    return protocolo::LeerMerito(texto).value_or(0);
}

QString FormatoSegundos(double segundos)
{
    const std::int64_t decimas = std::llround(segundos * 10.0);
    const std::int64_t a = decimas < 0 ? -decimas : decimas;
    return (decimas < 0 ? "-" : "") + ConMiles(a / 10) + '.' + QString::number(a % 10) + " secs.";
}

namespace {

// Widths count characters (code points), so a character outside the basic
// plane is never cut in half.
int Largo(const QString& texto)
{
    return static_cast<int>(texto.toUcs4().size());
}

QString Ultimos(const QString& texto, int n)
{
    const QList<uint> c = texto.toUcs4();
    const int desde = std::max(0, static_cast<int>(c.size()) - n);
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(c.constData()) + desde, c.size() - desde);
}

}  // namespace

QString Centrar(const QString& texto, int w)
{
    const int p = (w - Largo(texto)) / 2;
    if (p >= 1)
        return Primeros(QString(p, ' ') + texto + QString(w, ' '), w);
    return Primeros(texto, w);
}

QString AlinearDerecha(const QString& texto, int w)
{
    return Ultimos(QString(w, ' ') + texto, w);
}

QString Primeros(const QString& texto, int n)
{
    if (n <= 0)
        return {};
    const QList<uint> c = texto.toUcs4();
    const int k = std::min(n, static_cast<int>(c.size()));
    return QString::fromUcs4(reinterpret_cast<const char32_t*>(c.constData()), k);
}
