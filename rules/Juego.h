#pragma once
// The hand flow: pick, lead, turn cycle, play engine, end of hand. It owns no
// state of its own beyond a few guards: it reads and writes the one Estado and
// reaches the world only through the Anfitrion.

#include <QString>

#include "rules/Anfitrion.h"
#include "rules/Estado.h"

class Juego {
public:
    Juego(Estado& estado, Anfitrion& anfitrion);

    Estado& E;
    Anfitrion& A;

    // First activation of the game window: NumMano 0, then hand after hand.
    void IniciarPartida();
    // One whole hand; the end-of-hand step schedules the next one.
    void JugarMano();

    // The pick.
    void Repartir();
    void TomarFicha(int ficha, float x, float y);
    void CompletarAlAzar(int silla);

    // Lead and turn cycle.
    void PrepararSalida();
    void EsperarSalida();
    void PasarSalida();
    void NoSalir(int silla);  // bNoSalir click of that seat's panel

    // The play engine. Ignores a tile that fits neither end.
    void JugarTiro(int ficha, const QString& lado);
    void TerminarMano();
    void PuntuarDomino();
    void PuntuarCierre();
    void MostrarTodas();

    // Undo one play (bAtras here, or "Atras" received).
    void RegresarTurno();
};
