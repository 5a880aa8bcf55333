#pragma once
// The lobby's seat logic, without its window: taking a seat, starting the
// partida with the computer in every free seat, and the close check that
// decides between staying, leaving the table and going on to the game. The
// lobby window calls these and shows the labels; quimbolo-cli calls them
// directly.

#include <QString>
#include <array>
#include <functional>

#include "net/AnfitrionMesa.h"
#include "rules/Estado.h"

class Despachador;

class SalonMesa {
public:
    SalonMesa(Estado& estado, AnfitrionMesa& anfitrion);

    Estado& E;
    AnfitrionMesa& A;

    // First activation of the lobby: every seat a person played elsewhere.
    // Later activations change nothing.
    void Activar();

    // A click on seat s with the text of txtNombre. True when the request was
    // sent (the seat is this copy's only once "Local" comes back).
    bool TomarSilla(int silla, const QString& nombre);

    // "Iniciar la Partida". True when every seat has a name and the lobby is
    // to close; false when a confirmation was declined (bIniciar is enabled
    // again, IniciarHabilitado tells the window).
    bool Iniciar();
    bool IniciarHabilitado = true;

    enum class Cierre { Seguir, Quedarse, Salir };
    // Runs whenever the lobby is about to close.
    Cierre VerificarCierre();

    // Number of persons played at this copy.
    int PersonasLocales() const;

    // This copy started the partida (gave the free seats to its computer).
    bool Inicie = false;
    // A seat whose person left mid-partida: the copy that started offers its
    // computer for it, and asks the table for the seat as the lobby does. The
    // seat is played here only once the table grants it.
    bool OfrecerSilla(int silla);
    Despachador* Mesa = nullptr;

    // The lobby label of a seat given to the computer at the start.
    std::function<void(int)> MostrarNombre;

    bool Libre(int silla) const { return E.Jugadores[silla].Nombre.isEmpty(); }

private:
    void CopiarEstadoSillas(bool manos);
    void PedirParaComputadora(int silla, const QString& nombre);
    int Preguntar(const QString& texto, int icono, double segundos);
    bool activado = false;
    std::array<bool, 5> ofrecidas_{};
};
