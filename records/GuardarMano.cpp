#include "records/GuardarMano.h"

#include <QDateTime>
#include <QDir>
#include <QRegularExpression>

#include "records/RegistroMano.h"

namespace {

void Avisar(Anfitrion& a, const QString& texto)
{
    a.Aviso(texto, 48, 5);
}

}  // namespace

QString RutaJgo(const QString& carpetaApp, const QString& archivo)
{
    const QString base = carpetaApp.isEmpty() ? QDir::currentPath() : carpetaApp;
    return QDir(base).filePath(QStringLiteral("JGO/") + archivo);
}

bool NombreCopiaValido(const QString& nombre, QString* razon)
{
    auto no = [&](const QString& r) {
        if (razon)
            *razon = r;
        return false;
    };
    if (nombre.trimmed().isEmpty())
        return no(QStringLiteral("el nombre está vacío."));
    if (nombre.size() > 120)
        return no(QStringLiteral("el nombre es demasiado largo."));
    if (nombre.contains(QLatin1String("..")))
        return no(QStringLiteral("el nombre no puede contener «..»."));
    for (const QChar c : nombre) {
        if (c == '/' || c == '\\')
            return no(QStringLiteral("el nombre no puede contener separadores de carpeta."));
        if (c.unicode() < 32 || c.unicode() == 127 || QStringLiteral(":*?\"<>|").contains(c))
            return no(QStringLiteral("el nombre no puede contener el carácter «%1».")
                          .arg(c.unicode() < 32 || c.unicode() == 127 ? QStringLiteral("de control") : QString(c)));
    }
    static const QRegularExpression reservado(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])(\\..*)?$"),
                                              QRegularExpression::CaseInsensitiveOption);
    if (reservado.match(nombre.trimmed()).hasMatch())
        return no(QStringLiteral("«%1» es un nombre reservado del sistema.").arg(nombre.trimmed()));
    if (nombre.trimmed().endsWith('.'))
        return no(QStringLiteral("el nombre no puede terminar en punto."));
    return true;
}

void GuardarMano(Estado& e, Anfitrion& a)
{
    const RegistroMano r = RegistroDe(e);
    QString error;
    if (!EscribirRegistro(RutaJgo(e.CarpetaApp, QStringLiteral("Anterior.Jgo")), r, &error)) {
        Avisar(a, QStringLiteral("No se pudo guardar la mano.\n") + error);
        return;
    }
    const QString propuesta = QDateTime::currentDateTime().toString(QStringLiteral("yyMMdd_HHmm"));
    const QString respuesta = a.InputBox(QStringLiteral("Si deseas guardar esta mano escribe el nombre:"),
                                         QStringLiteral("Guardar la mano"), propuesta);
    if (respuesta.isEmpty())
        return;  // cancelled, or no name wanted
    const QString nombre = respuesta.trimmed();
    QString razon;
    if (!NombreCopiaValido(nombre, &razon)) {
        Avisar(a, QStringLiteral("No se guardó la mano: ") + razon);
        return;
    }
    if (!EscribirRegistro(RutaJgo(e.CarpetaApp, nombre + QStringLiteral(".jgo")), r, &error))
        Avisar(a, QStringLiteral("No se pudo guardar la mano.\n") + error);
}
