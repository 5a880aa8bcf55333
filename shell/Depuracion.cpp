#include "shell/Depuracion.h"

namespace {
bool gDepurando = false;
}

void LeerDepuracion(const QStringList& argumentos)
{
    gDepurando = argumentos.contains(QStringLiteral("--depurar"));
}

bool Depurando()
{
    return gDepurando;
}

void PonerDepuracion(bool activa)
{
    gDepurando = activa;
}
