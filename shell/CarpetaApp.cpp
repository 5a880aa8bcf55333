#include "shell/CarpetaApp.h"

#include <QCoreApplication>
#include <QDir>

QString NormalizarCarpeta(const QString& carpeta)
{
    QString c = carpeta.trimmed();
    if (c.isEmpty())
        return QString(QDir::separator());
    const QChar ultimo = c.back();
    if (ultimo == u':' || ultimo == u'/' || ultimo == u'\\')
        return c;
    return c + QDir::separator();
}

QString CarpetaApp()
{
    static const QString carpeta = NormalizarCarpeta(QCoreApplication::applicationDirPath());
    return carpeta;
}
