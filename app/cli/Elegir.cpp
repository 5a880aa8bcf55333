#include <QTextStream>

#include "app/cli/Comandos.h"

int ComandoElegir(const QStringList&)
{
    QTextStream(stderr) << "La orden elegir aún no está disponible.\n";
    return 2;
}
