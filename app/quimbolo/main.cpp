#include <QApplication>

#include "app/quimbolo/Arranque.h"

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Quimbolo"));
    QApplication::setApplicationVersion(QStringLiteral(QUIMBOLO_VERSION));
    return CorrerPrograma(app);
}
