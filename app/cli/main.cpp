// quimbolo-cli: the game's engine without a window.

#include <QCoreApplication>
#include <QTextStream>

#include "app/cli/Comandos.h"

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    QTextStream err(stderr);
    if (args.isEmpty()) {
        err << "Uso: quimbolo-cli analizar|elegir|simular|mesa|fuerza ...\n";
        return 2;
    }
    const QString orden = args.takeFirst();
    if (orden == "analizar")
        return ComandoAnalizar(args);
    if (orden == "elegir")
        return ComandoElegir(args);
    if (orden == "simular")
        return ComandoSimular(args);
    if (orden == "mesa")
        return ComandoMesa(args);
    if (orden == "fuerza")
        return ComandoFuerza(args);
    err << "Orden desconocida: " << orden << "\n";
    return 2;
}
