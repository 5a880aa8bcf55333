#include "shell/CarpetaApp.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

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

QString CarpetaProgramaDe(const QString& carpetaEjecutable)
{
    const QDir propia(carpetaEjecutable);
    if (propia.exists(QStringLiteral("MMEDIA")))
        return NormalizarCarpeta(carpetaEjecutable);
    const QString compartida = QDir::cleanPath(propia.filePath(QStringLiteral("../share/quimbolo")));
    if (QDir(compartida).exists(QStringLiteral("MMEDIA")))
        return NormalizarCarpeta(compartida);
    return NormalizarCarpeta(carpetaEjecutable);
}

QString CarpetaApp()
{
    static const QString carpeta = CarpetaProgramaDe(QCoreApplication::applicationDirPath());
    return carpeta;
}

QString CarpetaEjecutables()
{
    return NormalizarCarpeta(QCoreApplication::applicationDirPath());
}

bool JgoEscribible(const QString& carpeta)
{
    const QString jgo = QDir(carpeta).filePath(QStringLiteral("JGO"));
    if (!QFileInfo(jgo).isDir())
        return false;
    // Permission bits say little (root, read-only mounts, ACLs): try it.
    QTemporaryFile prueba(QDir(jgo).filePath(QStringLiteral(".prueba-XXXXXX")));
    return prueba.open();
}

QString ElegirCarpetaDatos(const QString& carpetaApp, bool jgoEscribible, const QString& datosUsuario)
{
    return jgoEscribible ? carpetaApp : datosUsuario;
}

QString CarpetaDatos()
{
    static const QString carpeta = [] {
        const QString usuario = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
        const QString elegida = ElegirCarpetaDatos(CarpetaApp(), JgoEscribible(CarpetaApp()), usuario);
        if (elegida.isEmpty() || !QDir(elegida).mkpath(QStringLiteral("JGO")))
            return QString();
        return NormalizarCarpeta(elegida);
    }();
    return carpeta;
}
