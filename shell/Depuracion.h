#pragma once
// What only a developer needs to see (the pointer's table coordinates, the
// raw lines received from the table) is shown when the program is started
// with --depurar, and hidden otherwise.

#include <QStringList>

// Reads the switch from the program's arguments.
void LeerDepuracion(const QStringList& argumentos);
bool Depurando();
// Tests set it directly.
void PonerDepuracion(bool activa);
