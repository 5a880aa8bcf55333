#pragma once
// The advice of the game window: what the computer would play for the local
// person to move, worked out when the turn arrives and shown by "Consejo".
// The cache holds the chooser's four results; after an analysis the hand's
// tiles are shown in their forecast colours and "Detalles" opens the tree.

#include <QString>
#include <functional>

#include "flujo/Anfitrion.h"
#include "rules/Estado.h"

class Consejo {
public:
    Consejo(Estado& estado, Anfitrion& anfitrion);

    Estado& E;
    Anfitrion& A;

    // The cache: -33 means there is no advice.
    static constexpr int kSinConsejo = -33;
    int ConsejoFicha = kSinConsejo;
    Extremo ConsejoPunta = Extremo::Ninguno;
    QString ConsejoTexto;
    bool ConsejoArbol = false;

    // Runs the chooser for the seat to move and shows the forecast colours.
    void Calcular();
    // The button: recomputes when needed, shows the box, opens the tree on
    // "Detalles".
    void bConsejo_Click();
    // Undo: the next click recomputes.
    void Invalidar() { ConsejoFicha = kSinConsejo; }

    // The box as the button shows it for the cached advice.
    Mensaje MensajeConsejo() const;
    // Whether the button must recompute before showing.
    bool HayQueCalcular() const;

    // Face colour of a seat's tiles now in force (the board's colour view).
    std::function<unsigned(int silla)> ColorSilla;
    // Whether advice may be shown now (a person of this machine on that
    // person's own turn in play); the button is also disabled otherwise,
    // this catches a click that was queued before it was.
    std::function<bool()> Permitido;
    // Shows the tree window modally for the file at `ruta`.
    std::function<void(const QString& ruta)> VerArbol;

private:
    // The position the cache was worked out for: a cache from another hand
    // or another play is never shown as if it were current.
    int mano_ = -1;
    int tiro_ = -1;
    int turno_ = -1;
};
