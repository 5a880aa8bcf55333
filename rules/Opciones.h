#pragma once
// The table's nine options. Only a received option line writes them; until
// the table server has sent its own they hold the table's defaults
// (protocolo/Opciones.h, where the keys, codes and texts are).

#include <QString>

struct OpcionesJuego {
    char AoC;          // 'C' closed, 'A' open
    char Nivel;        // 'P', 'I', 'A', 'U'
    int Puntos;        // points that end a partida, 1..300
    int AcuPtos;       // 0: losers' pips; 1: both pairs' pips
    QString Salida;    // "PG", "JG", "JD"
    QString Cierre;    // "GS", "GC", "GN", "AN"
    int Tiempo1;       // alarm seconds, fewer than two options
    int Tiempo2;       // alarm seconds, two or more options
    char Vista;        // what the computer sees: 'T' every hand, 'S' only what its seat knows

    OpcionesJuego();   // every option at the table's default

    // An option's code as it travels ("U", "JD", "150"); empty for an unknown key.
    QString Codigo(const QString& clave) const;
    // Sets an option from a code already checked against the table; an
    // unknown key changes nothing.
    void Poner(const QString& clave, const QString& codigo);
};

// Analysis threshold of a level letter: P 20, I 24, A 26, U 28; 0 otherwise.
int ParamNivelDe(char nivel);
