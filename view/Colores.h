#pragma once
// Face colours: one per owner seat (0 for a tile nobody owns yet), and the
// forecast colours laid over a hand when the analysis has judged its plays.

#include <array>

#include "rules/Estado.h"

namespace vista {

constexpr unsigned kColorNeutro = 0xFFFFF0;  // RGB(255, 255, 240)
constexpr unsigned kColorNegro = 0x000000;
constexpr unsigned kColorGris = 0x808080;

// Colours by owner seat 0..4 with the colour view on or off.
std::array<unsigned, 5> ColoresSillas(bool color);

// Both face colours of every tile from its owner's colour.
void PonerColoresFichas(Estado& e, const std::array<unsigned, 5>& colorSilla);
// Both face colours of the tiles in a seat's seven slots.
void PonerColoresMano(Estado& e, int silla, unsigned color);

// Colour of a forecast category 1..4 ("Ganador Seguro" .. "Perdedor Seguro"),
// or -1 for any other character.
long ColorPronostico(int categoria);
// Colours the halves of the tiles named in the forecast of the next play.
void ColorearPronostico(Estado& e);

}  // namespace vista
