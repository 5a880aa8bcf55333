#include "records/GuardarMano.h"

#include <QDir>
#include <QRegularExpression>

#include "records/RegistroMano.h"

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
    for (qsizetype i = 0; i < nombre.size(); ++i) {
        const QChar c = nombre[i];
        if (c == '/' || c == '\\')
            return no(QStringLiteral("el nombre no puede contener separadores de carpeta."));
        if (QStringLiteral(":*?\"<>|").contains(c))
            return no(QStringLiteral("el nombre no puede contener el carácter «%1».").arg(c));
        char32_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < nombre.size() && nombre[i + 1].isLowSurrogate())
            u = QChar::surrogateToUcs4(c, nombre[++i]);
        // Invisible characters: C0 and C1 controls, line and paragraph
        // separators, bidi overrides and isolates, lone surrogates. A name
        // that reads one way and is stored another is not a name.
        switch (QChar::category(u)) {
        case QChar::Other_Control:
        case QChar::Other_Format:
        case QChar::Other_Surrogate:
        case QChar::Separator_Line:
        case QChar::Separator_Paragraph:
            return no(QStringLiteral("el nombre no puede contener el carácter invisible U+%1.")
                          .arg(QString::number(u, 16).toUpper().rightJustified(4, '0')));
        default:
            break;
        }
    }
    // Device names of the systems that reserve them, with any extension:
    // "CON.jgo" opens the console there, not a file.
    static const QRegularExpression reservado(
        QStringLiteral("^(CON|PRN|AUX|NUL|CONIN\\$|CONOUT\\$|(COM|LPT)[0-9\u00B9\u00B2\u00B3]) *(\\..*)?$"),
        QRegularExpression::CaseInsensitiveOption);
    if (reservado.match(nombre.trimmed()).hasMatch())
        return no(QStringLiteral("«%1» es un nombre reservado del sistema.").arg(nombre.trimmed()));
    if (nombre.trimmed().endsWith('.'))
        return no(QStringLiteral("el nombre no puede terminar en punto."));
    return true;
}
