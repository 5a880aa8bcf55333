#include "app/cli/Comun.h"

#include <QDir>
#include <QTextStream>

#include <cstdio>

#include "flujo/Entradas.h"
#include "flujo/Posicion.h"
#include "protocolo/Opciones.h"

namespace {

bool Valor(const QString& v, std::initializer_list<const char*> validos)
{
    for (const char* x : validos)
        if (v == QLatin1String(x))
            return true;
    return false;
}

// A seed: plain decimal digits, 0 to 2147483647.
int LeerSemilla(const QString& v, bool* ok)
{
    *ok = !v.isEmpty() && v.size() <= 10;
    for (const QChar c : v)
        *ok = *ok && c >= '0' && c <= '9';
    const qint64 n = *ok ? v.toLongLong() : -1;
    *ok = *ok && n <= 2147483647;
    return *ok ? static_cast<int>(n) : 0;
}

}  // namespace

int Rechazar(const QString& mensaje)
{
    const QByteArray b = (QStringLiteral("quimbolo-cli: ") + mensaje + '\n').toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stderr);
    std::fflush(stderr);
    return 2;
}

bool LeerOrden(const QStringList& args, const QStringList& posicionales, Orden* o)
{
    o->Opciones.Nivel = 'U';
    o->Opciones.AcuPtos = 0;
    o->Opciones.Cierre = QStringLiteral("GS");
    QString carpeta = QDir::currentPath();
    for (int i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (!a.startsWith(QLatin1String("--"))) {
            o->Posicionales << a;
            continue;
        }
        if (a != QLatin1String("--nivel") && a != QLatin1String("--acuptos") && a != QLatin1String("--cierre")
            && a != QLatin1String("--analizar") && a != QLatin1String("--carpeta") && a != QLatin1String("--vista")
            && a != QLatin1String("--semilla")) {
            Rechazar(QStringLiteral("opción desconocida «%1».").arg(a));
            return false;
        }
        if (i + 1 >= args.size()) {
            Rechazar(QStringLiteral("falta el valor de la opción %1.").arg(a));
            return false;
        }
        const QString v = args[++i];
        bool ok = true;
        // The table's options take the codes of the table.
        const QString clave = a == QLatin1String("--nivel")     ? QStringLiteral("Nivel")
                              : a == QLatin1String("--acuptos") ? QStringLiteral("AcuPtos")
                              : a == QLatin1String("--cierre")  ? QStringLiteral("Cierre")
                              : a == QLatin1String("--vista")   ? QStringLiteral("Vista")
                                                                : QString();
        if (!clave.isEmpty()) {
            ok = !protocolo::ValidarOpcion(clave, v, nullptr).isEmpty();
            if (ok)
                o->Opciones.Poner(clave, v);
        } else if (a == QLatin1String("--semilla")) {
            o->Semilla = LeerSemilla(v, &ok);
        } else if (a == QLatin1String("--analizar")) {
            ok = Valor(v, {"si", "no"});
            o->Analizar = v == QLatin1String("si");
        } else {
            ok = !v.isEmpty();
            carpeta = v;
        }
        if (!ok) {
            Rechazar(QStringLiteral("valor «%1» no válido para la opción %2.").arg(v, a));
            return false;
        }
    }
    if (o->Posicionales.size() < posicionales.size()) {
        Rechazar(QStringLiteral("faltan argumentos: se esperaba %1.").arg(posicionales.join(' ')));
        return false;
    }
    if (o->Posicionales.size() > posicionales.size()) {
        Rechazar(QStringLiteral("sobra el argumento «%1».").arg(o->Posicionales[posicionales.size()]));
        return false;
    }
    o->Carpeta = QDir(carpeta).absolutePath();
    if (!o->Carpeta.endsWith('/'))
        o->Carpeta += '/';

    const QString ruta = o->Posicionales.value(0);
    const LecturaRegistro l = LeerRegistroArchivo(ruta);
    if (!l.Ok) {
        Rechazar(QStringLiteral("registro no válido «%1»: %2").arg(ruta, l.Mensaje()));
        return false;
    }
    const ResultadoPosicion v = ComprobarJugadas(l.Registro);
    if (!v.Ok) {
        Rechazar(QStringLiteral("registro no válido «%1»: %2").arg(ruta, v.Mensaje()));
        return false;
    }
    o->Registro = l.Registro;
    return true;
}

bool PrepararPosicion(const Orden& o, const QString& k, Estado& e)
{
    bool ok = false;
    const int n = k.trimmed().toInt(&ok);
    if (!ok) {
        Rechazar(QStringLiteral("K «%1» no es un número de jugadas.").arg(k));
        return false;
    }
    entrada::PrepararAnalisis(e, o.Opciones, o.Carpeta);
    const ResultadoPosicion v = PosicionTrasJugadas(o.Registro, n, e);
    if (!v.Ok) {
        Rechazar(QStringLiteral("posición no válida: %1").arg(v.Mensaje()));
        return false;
    }
    entrada::SembrarSillas(e, o.Semilla);
    return true;
}

bool LeerPosicion(const QStringList& args, Orden* o, Estado& e)
{
    return LeerOrden(args, {QStringLiteral("RECORD"), QStringLiteral("K")}, o) &&
           PrepararPosicion(*o, o->Posicionales[1], e);
}

QString CadenaJson(const QString& s)
{
    QString r;
    r.reserve(s.size() + 2);
    r += '"';
    for (const QChar c : s) {
        switch (c.unicode()) {
        case '"': r += QLatin1String("\\\""); break;
        case '\\': r += QLatin1String("\\\\"); break;
        case '\n': r += QLatin1String("\\n"); break;
        case '\r': r += QLatin1String("\\r"); break;
        case '\t': r += QLatin1String("\\t"); break;
        case '\b': r += QLatin1String("\\b"); break;
        case '\f': r += QLatin1String("\\f"); break;
        default:
            if (c.unicode() < 0x20)
                r += QStringLiteral("\\u%1").arg(c.unicode(), 4, 16, QLatin1Char('0'));
            else
                r += c;
        }
    }
    r += '"';
    return r;
}

void Json::Entero(const QString& clave, long long v) { campos_ << CadenaJson(clave) + ':' + QString::number(v); }

void Json::Real(const QString& clave, double v, int decimales)
{
    campos_ << CadenaJson(clave) + ':' + QString::number(v, 'f', decimales);
}

void Json::Logico(const QString& clave, bool v)
{
    campos_ << CadenaJson(clave) + ':' + (v ? QStringLiteral("true") : QStringLiteral("false"));
}

void Json::Texto(const QString& clave, const QString& v) { campos_ << CadenaJson(clave) + ':' + CadenaJson(v); }

void Json::Textos(const QString& clave, const QStringList& v)
{
    QStringList partes;
    for (const QString& s : v)
        partes << CadenaJson(s);
    campos_ << CadenaJson(clave) + QStringLiteral(":[") + partes.join(',') + ']';
}

void Json::Enteros(const QString& clave, const std::vector<int>& v)
{
    QStringList partes;
    for (int x : v)
        partes << QString::number(x);
    campos_ << CadenaJson(clave) + QStringLiteral(":[") + partes.join(',') + ']';
}

void Json::Reales(const QString& clave, const std::vector<double>& v, int decimales)
{
    QStringList partes;
    for (double x : v)
        partes << QString::number(x, 'f', decimales);
    campos_ << CadenaJson(clave) + QStringLiteral(":[") + partes.join(',') + ']';
}

void Emitir(const Json& j)
{
    const QByteArray b = (j.Linea() + '\n').toUtf8();
    std::fwrite(b.constData(), 1, static_cast<size_t>(b.size()), stdout);
    std::fflush(stdout);
}
