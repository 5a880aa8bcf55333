#pragma once
// Result texts in fixed-width columns for "Courier New": the merits table of
// a hand (appended to its summary) and the scoreboard of the partida.

#include <QString>

#include "rules/Estado.h"

// The two pips of a played tile joined by "-", the pip left open at its end
// (ColaDer for the right end, ColaIzq otherwise) written last.
QString TextoFicha(Extremo lado, int valor0, int valor1, int colaIzq, int colaDer);
// Caption of the memory button for play n: "M 3-5 D".
QString TextoMemoria(const Estado& e, int n);

// The merits table of the hand; adds each seat's merit sum to its Meritos.
QString TablaMeritos(Estado& e);

// The scoreboard text (without the "Marcador" heading); *fin tells whether a
// pair has reached Puntos, and then the text ends with "Fin de la Partida".
QString TextoMarcador(const Estado& e, bool* fin = nullptr);
