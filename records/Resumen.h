#pragma once
// Plain sentences about the hand and the partida for a person who glances at
// the window: who won the hand, and the status line (what is going on, who
// passed, the last play, the score of each pair against the target). They add
// to the exact texts of the title and the summary; they never replace them.

#include <QString>
#include <utility>

#include "rules/Estado.h"

// Points of J1-J3 and J2-J4 over every hand scored so far.
std::pair<int, int> TotalesPartida(const Estado& e);

// "Ana y Compu 3": the pair's two names, the person of this machine first
// when the pair holds exactly one.
QString NombresPareja(const Estado& e, int pareja);

// After a hand is scored: "Ganan Ana y Compu 3", or "Empate: nadie gana la
// mano" when a blocked hand was annulled.
QString TextoGanadores(const Estado& e);

// The parts of the status line.
struct LineaEstado {
    QString Actividad;  // "Turno de Ana", "Reparto de las fichas", ...
    QString Pases;      // "Compu 3 pasa", "Beto pasa, Compu 3 pasa"
    QString Ultima;     // "Compu 2 jugó 4-6 por la derecha"
    QString Marcador;   // "Ana y Compu 3: 45 · Beto y Compu 4: 30 · partida a 100"
    // The first three joined, the empty ones left out.
    QString Texto() const;
};

// `actividad`: what the title says after TituloMesa (used while picking and
// waiting, when there is no turn to name).
LineaEstado LineaDeEstado(const Estado& e, const QString& actividad);
