#include <QTextStream>

#include "app/cli/Comandos.h"

int ComandoSimular(const QStringList&)
{
    QTextStream(stderr) << "La orden simular aún no está disponible.\n";
    return 2;
}
