#pragma once
// What the game window's tools do: the advice, the tree window, the replay,
// undo and memory buttons and the scoreboard of the menu. Installed once on
// the window; it fills the window's hooks and stands between the table's
// lines and the hand flow, so an undo received from another copy also drops
// the cached advice.

#include <QObject>

#include "app/quimbolo/Consejo.h"
#include "app/quimbolo/Repeticion.h"
#include "net/Despachador.h"

class frmDomino;
class Sesion;

class Herramientas : public QObject, public JuegoRemoto {
    Q_OBJECT
public:
    Herramientas(frmDomino& ventana, Sesion& sesion);
    ~Herramientas() override;

    Consejo Consejo1;
    Repeticion Repeticion1;

    // Received lines.
    void TiroRecibido(int ficha, Extremo punta) override;
    void AtrasRecibido(int silla) override;
    void ManoRecibida(int silla) override;
    void SillaDejada(int silla) override;
    void SillaRecuperada(int silla) override;

private:
    frmDomino& W;
    Sesion& S;
};

// Creates the tools as a child of the window and connects them.
Herramientas* InstalarHerramientas(frmDomino& ventana, Sesion& sesion);
