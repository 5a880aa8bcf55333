#pragma once
// The board's requests delivered to the hand flow.

#include "flujo/Juego.h"
#include "view/Tablero.h"

class AccionesJuego : public AccionesTablero {
public:
    explicit AccionesJuego(Juego& juego) : J(juego) {}
    Juego& J;

    void TomarFicha(int ficha, float x, float y) override;
    void JugarTiro(int ficha, Extremo lado) override;
    void Boton(Control c, int silla, Accion a) override;
};
