#include <QTextStream>

#include "app/cli/Comandos.h"

int ComandoMesa(const QStringList&)
{
    QTextStream(stderr) << "La orden mesa aún no está disponible.\n";
    return 2;
}
