#pragma once
// Legal placements: how many a seat has, and whether a tile fits an end.

#include <QString>
#include <vector>

#include "rules/Estado.h"

// Distinct legal placements of the seat's hand (0 means it must pass).
int ContarOpciones(const Estado& e, int silla);

// A play the engine accepts from the seat to move.
struct Colocacion {
    int Ficha = 0;
    Extremo Punta = Extremo::Der;
};
// The plays of the seat to move, in slot order, the right end before the
// left; before the first play every tile goes at the right end.
std::vector<Colocacion> ColocacionesLegales(const Estado& e);
