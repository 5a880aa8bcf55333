#include <QApplication>

#include "app/quimbolo/Arranque.h"
#include "shell/Depuracion.h"
#include "shell/Traduccion.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quimbolo"));
    QApplication::setApplicationVersion(QStringLiteral(QUIMBOLO_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral(QUIMBOLO_ID_ESCRITORIO));
    InstalarTraduccionQt(app);
    LeerDepuracion(app.arguments());
    return CorrerPrograma(app);
}
