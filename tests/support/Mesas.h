#pragma once
// Positions built by hand for the flow tests.

#include <initializer_list>

#include "rules/Estado.h"

// Every tile out of play ('J'), every seat's slots empty (-1).
inline void VaciarMesa(Estado& e)
{
    for (Ficha& f : e.Fichas) {
        f.Lugar = 'J';
        f.Libre = false;
        f.Dueno = 0;
    }
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].Mano.fill(-1);
        e.Jugadores[s].NumFichas = 0;
    }
}

// Gives the seat these tiles in slots 1.., in hand.
inline void Dar(Estado& e, int silla, std::initializer_list<int> fichas)
{
    Jugador& j = e.Jugadores[silla];
    for (int f : fichas) {
        j.NumFichas += 1;
        j.Mano[j.NumFichas] = f;
        e.Fichas[f].Lugar = 'D';
        e.Fichas[f].Dueno = silla;
    }
}

// Seats' kinds: "LC" = this machine, computer; "RH" = elsewhere, person...
inline void Sillas(Estado& e, const char* s1, const char* s2, const char* s3, const char* s4)
{
    const char* tipos[5] = {nullptr, s1, s2, s3, s4};
    const char* nombres[5] = {nullptr, "Ana", "Beto", "Carla", "Dani"};
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].LoR = *LeerDonde(tipos[s][0]);
        e.Jugadores[s].HoC = *LeerQuien(tipos[s][1]);
        e.Jugadores[s].Nombre = QString::fromLatin1(nombres[s]);
    }
}

// A hand in progress: NumMano 1, line open at izq and der after numTiro plays.
inline void EnJuego(Estado& e, int turno, int numTiro, int izq, int der)
{
    e.NumMano = 1;
    e.PuntosPar13.assign(2, 0);
    e.PuntosPar24.assign(2, 0);
    e.Turno = turno;
    e.Salidor = turno;
    e.NumTiro = numTiro;
    e.ValorIzq = izq;
    e.ValorDer = der;
    e.FaseMano = Fase::Tirando;
    e.ManoTerminada = false;
}
