#pragma once
// The commands of quimbolo-cli. Each takes the arguments after its name and
// returns the exit status: 0 done, 2 refused input, 3 lost table.

#include <QStringList>

int ComandoAnalizar(const QStringList& args);
int ComandoElegir(const QStringList& args);
int ComandoSimular(const QStringList& args);
int ComandoMesa(const QStringList& args);
int ComandoFuerza(const QStringList& args);
