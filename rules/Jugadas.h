#pragma once
// Legal placements: how many a seat has, and whether a tile fits an end.

#include "rules/Estado.h"

// Distinct legal placements of the seat's hand (0 means it must pass).
int ContarOpciones(const Estado& e, int silla);
