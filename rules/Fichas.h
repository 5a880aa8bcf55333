#pragma once
// The double-six set and the seat arithmetic every part of the game shares.

#include <array>

constexpr int kNumFichas = 28;
constexpr int kMaxTiros = 25;  // a hand never has more plays than this

struct Pips {
    int Punto1;
    int Punto2;
};

// Tile numbering of the game: doubles 6-6..0-0 as 0..6, then the rest by
// decreasing pip total and, within a total, increasing smaller pip.
extern const std::array<Pips, kNumFichas> kTablaFichas;

constexpr bool EsDoble(int ficha) { return ficha >= 0 && ficha <= 6; }

// The seat after s: 1 -> 2 -> 3 -> 4 -> 1.
constexpr int Siguiente(int silla) { return (silla % 4) + 1; }

// True exactly for (1,3), (3,1), (2,4), (4,2).
constexpr bool Companeros(int a, int b)
{
    return a >= 1 && a <= 4 && b >= 1 && b <= 4 && a != b && Siguiente(Siguiente(a)) == b;
}

// Pair number 1 (J1-J3) or 2 (J2-J4) of a seat.
constexpr int ParejaDe(int silla) { return (silla == 1 || silla == 3) ? 1 : 2; }

// Tile with these pips in either order, or -1.
int BuscarFicha(int a, int b);
