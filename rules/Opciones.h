#pragma once
// The table's nine options. Only a received option line writes them; the
// values below hold until the table server has sent its own.

#include <QString>

struct OpcionesJuego {
    char AoC = 'C';          // 'C' closed, 'A' open
    char Nivel = 'I';        // 'P', 'I', 'A', 'U'
    int Puntos = 100;        // points that end a partida, 1..300
    int AcuPtos = 0;         // 0: losers' pips; 1: both pairs' pips
    QString Salida = "PG";   // "PG", "JG", "JD"
    QString Cierre = "GS";   // "GS", "GC", "GN", "AN"
    int Tiempo1 = 10;        // alarm seconds, fewer than two options
    int Tiempo2 = 20;        // alarm seconds, two or more options
    char Vista = 'T';        // what the computer sees: 'T' every hand, 'S' only what its seat knows
};

// Analysis threshold of a level letter: P 20, I 24, A 26, U 28; 0 otherwise.
int ParamNivelDe(char nivel);
