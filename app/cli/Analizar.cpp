#include <QTextStream>

#include "app/cli/Comandos.h"

int ComandoAnalizar(const QStringList&)
{
    QTextStream(stderr) << "La orden analizar aún no está disponible.\n";
    return 2;
}
