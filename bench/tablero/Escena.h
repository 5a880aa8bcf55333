#pragma once
// A hand in the middle of play, laid out by hand: eleven tiles on the line
// (lead 3-5, then 5-6, 6-6, 6-2, 2-2, 2-4, 4-4 to the right and 3-3, 3-1, 1-1,
// 1-0 to the left) and the other seventeen in the four hands. Seat 1 is the
// person of this machine and is to move; seats 2 and 4 play elsewhere.

#include "rules/Estado.h"

inline void PonerEnLinea(Estado& e, int ficha, float x, char rumbo, int silla)
{
    Ficha& f = e.Fichas[ficha];
    f.Lugar = 'J';
    f.Libre = false;
    f.Dueno = silla;
    f.X = x;
    f.Y = 0.5f;
    f.Rumbo = rumbo;
}

inline void PrepararEscena(Estado& e)
{
    for (Ficha& f : e.Fichas) {
        f.Lugar = 'R';
        f.Libre = true;
        f.Dueno = 0;
    }
    // The line, with the seat that laid each tile.
    PonerEnLinea(e, 12, 0.0f, 'O', 1);       // 3-5, the lead
    PonerEnLinea(e, 7, 0.082f, 'O', 2);      // 5-6
    PonerEnLinea(e, 0, 0.1435f, 'N', 3);     // 6-6
    PonerEnLinea(e, 11, 0.205f, 'E', 4);     // 2-6
    PonerEnLinea(e, 4, 0.2665f, 'N', 1);     // 2-2
    PonerEnLinea(e, 18, 0.328f, 'O', 2);     // 2-4
    PonerEnLinea(e, 2, 0.3895f, 'N', 3);     // 4-4
    PonerEnLinea(e, 3, -0.0625f, 'N', 4);    // 3-3
    PonerEnLinea(e, 23, -0.124f, 'O', 1);    // 1-3
    PonerEnLinea(e, 5, -0.1855f, 'N', 2);    // 1-1
    PonerEnLinea(e, 27, -0.247f, 'O', 3);    // 0-1
    e.NumTiro = 11;
    e.ValorDer = 4;
    e.ValorIzq = 0;
    e.PuntaDerX = 0.3895f;
    e.PuntaDerY = 0.5f;
    e.PuntaIzqX = -0.247f;
    e.PuntaIzqY = 0.5f;
    e.RumboDer = 'E';
    e.RumboIzq = 'O';
    e.MarcaDer = 'M';
    e.MarcaIzq = ' ';

    // The rest go to the hands: seat 1 gets five, the others four each.
    const int cuantas[5] = {0, 5, 4, 4, 4};
    int silla = 1;
    int slot = 0;
    for (int t = 0; t < kNumFichas; ++t) {
        if (e.Fichas[t].Lugar == 'J')
            continue;
        while (slot == cuantas[silla]) {
            ++silla;
            slot = 0;
        }
        Jugador& j = e.Jugadores[silla];
        j.Mano[++slot] = t;
        e.Fichas[t].Lugar = 'D';
        e.Fichas[t].Libre = false;
        e.Fichas[t].Dueno = silla;
    }
    // Slots past a hand's tiles point at played tiles, as after real plays.
    for (int s = 1; s <= 4; ++s)
        for (int k = cuantas[s] + 1; k <= 7; ++k)
            e.Jugadores[s].Mano[k] = 12;
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = e.Jugadores[s];
        j.NumFichas = cuantas[s];
        j.HoC = s == 1 ? Quien::Persona : Quien::Computadora;
        j.LoR = (s == 2 || s == 4) ? Donde::Remota : Donde::Local;
        j.Vista = (s == 1 || s == 3) ? 'A' : 'C';
        j.Nombre = QStringLiteral("Jugador %1").arg(s);
    }
    e.Turno = 1;
    e.FaseMano = Fase::Tirando;
    e.Modo = ModoJuego::Escoger;
}
