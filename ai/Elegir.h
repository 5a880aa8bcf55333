#pragma once
// The computer player: the fixed play rules early in a hand, the exhaustive
// analysis later, the level deciding where one gives way to the other.

#include <QString>

#include "rules/Anfitrion.h"
#include "rules/Estado.h"

// Results of ElegirJugada(Opciones, n, Lado, Msg, HuboTree).
struct Eleccion {
    int Ficha = 0;       // tile to play
    QString Lado;        // "IZQ", "DER", or empty when the rules leave it unset
    QString Msg;         // explanation for the advice
    bool HuboTree = false;  // the analysis ran and wrote the tree file
    QString ErrorArbol;     // why it could not write it
    bool Analizo = false;   // the analysis ran (even if the file could not be written)
    double Segundos = 0;    // duration of the analysis, 0 when the rules chose
};

// Chooses the play of seat E.Turno, which has `opciones` legal placements
// (at least 1). May ask the analysis question through the host.
Eleccion ElegirJugada(Estado& e, Anfitrion& a, int opciones);
