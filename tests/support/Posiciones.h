#pragma once
// Positions for the computer-player tests, set up directly in the game state.

#include <array>
#include <random>
#include <vector>

#include "rules/Estado.h"

// A tile from its text "5-6" (either order).
int F(const char* texto);

// Hands in play as tile texts ("5-6 0-0"); every tile not named is taken as
// played and fills the seats' remaining slots after their tiles in hand.
// The line is open at izq / der after `numTiro` plays.
Estado Posicion(const std::array<const char*, 4>& manos, int turno, int izq, int der, int numTiro, int salidor);

// A seeded random deal, a random leader and k random legal plays, laid out
// by the record reader's own path (the game's play engine, every seat played
// elsewhere). False when the hand ends within the k plays. `registro`, when
// given, receives the deal and plays.
bool PosicionAlAzar(std::mt19937& azar, int k, Estado& e, struct RegistroMano* registro = nullptr);

// A whole deal from 28 distinct tile numbers, seat 1's seven first, and the
// position after the plays (tile, 'D'/'I') made in order, seats without a
// placement passing. Returns false when a play does not fit or ends the hand.
bool Jugar(Estado& e, const std::array<int, 28>& reparto, int salidor, const std::vector<std::pair<int, char>>& tiros);
