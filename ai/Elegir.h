#pragma once
// The computer player: the fixed play rules early in a hand, the exhaustive
// analysis later, the level deciding where one gives way to the other.

#include <QString>
#include <cstdint>

#include "ai/Analisis.h"
#include "rules/Estado.h"

// Results of ElegirJugada(Opciones, n, Lado, Msg, HuboTree).
struct Eleccion {
    int Ficha = 0;       // tile to play
    Extremo Lado = Extremo::Ninguno;  // Ninguno when the rules leave it unset
    QString Msg;         // explanation for the advice
    bool HuboTree = false;  // the analysis ran and wrote the tree file
    QString ErrorArbol;     // why it could not write it
    bool Analizo = false;   // the analysis ran (even if the file could not be written)
    double Segundos = 0;    // duration of the analysis, 0 when the rules chose
};

// What the computer may see and how it settles ties.
struct Criterio {
    // 'T': every hand, as the classic player; 'S': only what the seat to move
    // knows (its hand, the plays, the passes).
    char Vista = 'T';
    std::int64_t Semilla = 1;  // under 'S', seeds the deals considered (with hand and play)
    int Repartos = 0;          // under 'S', deals at most; 0: as many as the time allows
    Desempate Regla = Desempate::Corregido;  // the tie-break of the analysis
};

// The table's: its option Vista, and the seed of the seat to move.
Criterio CriterioDe(const Estado& e);

// Chooses the play of seat E.Turno, which has `opciones` legal placements
// (at least 1). May ask the analysis question through `a`.
Eleccion ElegirJugada(Estado& e, Avance& a, int opciones, const Criterio& c);
// The same with the table's criterion.
Eleccion ElegirJugada(Estado& e, Avance& a, int opciones);
