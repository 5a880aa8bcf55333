#pragma once
// The line of play in table units: x from -0.7 (left) to 0.7 (right), y from
// 0 (seat 1's edge) to 1 (seat 3's edge). Each end keeps the centre of its
// last tile, a heading and a double marker; a new tile advances the end by a
// tile length, and near the table's edge the end turns clockwise.

#include "rules/Estado.h"

constexpr float LargoMedio = 0.041f;        // half a tile's length
constexpr float AnchoMedio = 0.041f / 2;    // half a tile's width
constexpr float LimiteDer = 0.55f;
constexpr float LimiteAbajo = 0.15f;
constexpr float LimiteIzq = -0.55f;
constexpr float LimiteArriba = 0.85f;

// Orientation letters turned a quarter: N -> E -> S -> O -> N (clockwise).
char RumboDerecha(char rumbo);
char RumboIzquierda(char rumbo);
char RumboOpuesto(char rumbo);
void GirarDer(Ficha& f);
void GirarIzq(Ficha& f);

// Turn the end at the table's limits if its point has reached them
// (after the advance for a new tile). An end turns at most once per tile.
void DoblarDer(Estado& e, bool doble);
void DoblarIzq(Estado& e, bool doble);

// Move the end's point for a new tile: a tile length along the heading,
// back half a width next to or for a double, then turn at the limits.
void AvanzarPunta(Estado& e, bool derecha, bool doble);

// The ends at the start of a hand.
void ReiniciarPuntas(Estado& e);
