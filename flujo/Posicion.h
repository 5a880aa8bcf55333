#pragma once
// A hand record laid out as a game position: the deal, then the first K
// plays made exactly as the play engine makes plays received from another
// machine. Also the check that a record's plays are a legal hand.

#include "records/RegistroMano.h"
#include "rules/Estado.h"

struct ResultadoPosicion {
    bool Ok = false;
    int Linea = 0;   // record line of the fault, 0 when it is no line's
    QString Razon;   // Spanish, one line
    QString Mensaje() const;
};

// Fills e with the record's deal as a later hand of a partida before its
// first play, seat `salidor` to lead: the record's names and hands (every
// seat a computer played elsewhere, 'C' and 'R', hands open), an empty line
// with both open values 0, NumMano 2, an empty history. The options,
// CarpetaApp and TituloMesa of e are kept; ParamNivel follows the level.
void PrepararMano(const RegistroMano& r, int salidor, Estado& e);

// Plays every play of the record from its deal: each must be the tile of the
// seat to move, fit the end it names (the first at "DER"), and come before
// the hand has ended.
ResultadoPosicion ComprobarJugadas(const RegistroMano& r);

// Fills e with the position after K plays: the record's names and hands
// (every seat played elsewhere, 'R'), its leader to move, an empty line with
// both open values 0, NumMano 2, an empty history; then plays 1..K. The
// options, CarpetaApp and TituloMesa of e are kept. K must lie in 0..N and
// leave the hand unfinished. The record's plays are checked first.
ResultadoPosicion PosicionTrasJugadas(const RegistroMano& r, int k, Estado& e);
