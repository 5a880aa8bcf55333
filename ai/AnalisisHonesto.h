#pragma once
// The analysis of a seat that sees only what it knows: its own hand, the
// plays and the passes (Conocimiento.h).
//
// Instead of the real deal it takes deals of the unseen tiles that agree with
// what it knows (all of them when few, otherwise a seeded sample), runs the
// fast engine's search on each, and adds up what every root move gives over
// them: lines won and lost by each pair, each deal's smallest and largest
// points won by each pair, and the result under best play in how many deals.
// The moves are then classified and chosen exactly as after a search of the
// real deal, a move's points being their average over the deals and its
// result the one it has in most deals. No tree file is written: it would
// show hands that were made up.

#include <QString>
#include <cstdint>

#include "ai/Analisis.h"

struct ParametrosHonestos {
    std::uint64_t Semilla = 0;  // seeds the sample (SemillaDeJugada)
    int Repartos = 0;           // deals at most; 0: RepartosPorOmision
    Desempate Regla = Desempate::Corregido;  // the tie-break of the analysis
};

struct ResultadoHonesto {
    bool Ok = false;  // some deal agrees with what the seat knows
    int Ficha = 0;
    Extremo Punta = Extremo::Ninguno;
    QString Texto;        // a line with the deals considered, then the four category sections
    QString Pronosticos;  // the entries this analysis appended
    TablaAnalisis Analisis{};
    std::uint64_t Considerados = 0;
    std::uint64_t Posibles = 0;
};

// Deals the honest analysis takes at most with this many tiles in hands: as
// many as its time allows on a two-core machine (half a second a decision
// from the fifth play on, a few seconds before).
int RepartosPorOmision(int enMano);

// Analyses for seat e.Turno, which must have a legal placement, and appends
// the forecast entries to Pronosticos[NumTiro + 1]. Shows the progress.
ResultadoHonesto AnalizarHonesto(Estado& e, Avance& a, const ParametrosHonestos& p);
