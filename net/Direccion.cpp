#include "net/Direccion.h"

#include <QHostAddress>

namespace {

bool Puerto(const QString& texto, quint16& puerto, QString& error)
{
    // ASCII digits only: other scripts' digits and signs are no port.
    bool soloDigitos = !texto.isEmpty() && texto.size() <= 5;
    for (const QChar c : texto)
        soloDigitos = soloDigitos && c >= QLatin1Char('0') && c <= QLatin1Char('9');
    const uint n = soloDigitos ? texto.toUInt() : 0;
    if (n < 1 || n > 65535) {
        error = texto.isEmpty() ? QStringLiteral("Falta el puerto después de «:».")
                                : QStringLiteral("El puerto «%1» no vale: debe ser un número del 1 al 65535.").arg(texto);
        return false;
    }
    puerto = quint16(n);
    return true;
}

bool EsIPv6(const QString& host)
{
    QHostAddress a;
    return a.setAddress(host) && a.protocol() == QAbstractSocket::IPv6Protocol;
}

// Letters and digits of any script (names may be international), '-', '.'
// and '_'; no blanks, controls or punctuation that would make a URL of it.
bool EsNombre(const QString& host)
{
    if (host.isEmpty())
        return false;
    for (const QChar c : host)
        if (!c.isLetterOrNumber() && c != QLatin1Char('-') && c != QLatin1Char('.') && c != QLatin1Char('_'))
            return false;
    return true;
}

}  // namespace

bool LeerDireccion(const QString& texto, DireccionMesa& d, QString& error)
{
    d = DireccionMesa();
    const QString t = texto.trimmed();
    if (t.isEmpty()) {
        error = QStringLiteral("Escribe la dirección de la mesa de juego.");
        return false;
    }
    QString host = t;
    if (t.startsWith(QLatin1Char('['))) {
        const qsizetype cierre = t.indexOf(QLatin1Char(']'));
        if (cierre < 0) {
            error = QStringLiteral("Falta el «]» que cierra la dirección «%1».").arg(t);
            return false;
        }
        host = t.mid(1, cierre - 1);
        const QString resto = t.mid(cierre + 1);
        if (!EsIPv6(host)) {
            error = QStringLiteral("«%1» no es una dirección IPv6.").arg(host);
            return false;
        }
        if (!resto.isEmpty()) {
            if (!resto.startsWith(QLatin1Char(':'))) {
                error = QStringLiteral("Tras «]» solo puede ir «:» y el puerto.");
                return false;
            }
            if (!Puerto(resto.mid(1), d.Puerto, error))
                return false;
        }
    } else if (t.count(QLatin1Char(':')) == 1) {
        const qsizetype dos = t.indexOf(QLatin1Char(':'));
        host = t.left(dos);
        if (host.isEmpty()) {
            error = QStringLiteral("Falta el nombre o la IP del servidor antes de «:».");
            return false;
        }
        if (!Puerto(t.mid(dos + 1), d.Puerto, error))
            return false;
        if (!EsNombre(host)) {
            error = QStringLiteral("«%1» no es un nombre ni una IP de servidor.").arg(host);
            return false;
        }
    } else if (t.contains(QLatin1Char(':'))) {
        if (!EsIPv6(t)) {
            error = QStringLiteral("«%1» no es una dirección válida; una IPv6 con puerto se escribe [IPv6]:PUERTO.")
                        .arg(t);
            return false;
        }
    } else if (!EsNombre(t)) {
        error = QStringLiteral("«%1» no es un nombre ni una IP de servidor.").arg(t);
        return false;
    }
    d.Host = host;
    return true;
}

QList<quint16> PuertosAProbar(const DireccionMesa& d, quint16 principal, quint16 alterno)
{
    if (d.Puerto != 0)
        return {d.Puerto};
    if (alterno == principal)
        return {principal};
    return {principal, alterno};
}

QString TextoPuertos(const QList<quint16>& puertos)
{
    if (puertos.isEmpty())
        return {};
    if (puertos.size() == 1)
        return QStringLiteral(" (puerto %1)").arg(puertos[0]);
    QStringList p;
    for (int i = 0; i + 1 < puertos.size(); ++i)
        p << QString::number(puertos[i]);
    return QStringLiteral(" (puertos %1 y %2)").arg(p.join(QStringLiteral(", "))).arg(puertos.last());
}
