#pragma once
// Everything one run of the game holds for its whole life: the game state,
// the host, the table link (dispatcher, socket, connector), the lobby's seat
// logic and the hand flow. The windows borrow it; none owns another's parts.

#include <memory>

#include "app/quimbolo/AnfitrionVentana.h"
#include "net/ConectorMesa.h"
#include "net/Despachador.h"
#include "net/EnlaceMesa.h"
#include "net/SalonMesa.h"
#include "rules/Estado.h"
#include "flujo/Juego.h"

class Sesion {
public:
    // `carpeta`: the program folder, ending in its separator; `datos`: the
    // folder JGO is written under (empty: the program folder); `ejecutables`:
    // where brintal is started from (empty: the program folder).
    explicit Sesion(const QString& carpeta, const QString& datos = {}, const QString& ejecutables = {});
    ~Sesion();

    Estado E;
    AnfitrionVentana A;
    Despachador D{E};
    EnlaceMesa Enlace{D, A};
    ConectorMesa Conector;
    SalonMesa Salon{E, A};
    Juego J{E, A};
    JuegoEnMesa Remoto{J};
};
