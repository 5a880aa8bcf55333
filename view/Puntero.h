#pragma once
// Pointer input on the board, without the widget: a press picks a tile (a pool
// tile while dealing, a tile of the hand to move otherwise), a release turns it
// into a request for the hand flow. Only the press and the release are seen;
// nothing is tracked or drawn in between.

#include <QString>

#include "rules/Estado.h"
#include "view/Geometria.h"

namespace vista {

// What a release asks of the flow. The chosen lead is handed to the flow at
// once (entrada::SalidaElegida); the rest is for the caller.
struct Orden {
    enum Tipo { Ninguna, Tomar, Salir, Jugar };
    Tipo tipo = Ninguna;
    int ficha = -1;
    double x = 0;  // table units of the release
    double y = 0;
    Extremo lado = Extremo::Ninguno;  // Salir and Jugar
    bool olvidarMemoria = false;  // the remembered play was not repeated: hide bMemoria
    bool ocultarNoSalir = false;  // the lead is chosen: hide the four bNoSalir
};

// The end a tile goes to when released at (tx, ty): the right one when it
// fits only there or on the first play, the nearer end when it fits both
// (ties to the right), the left one otherwise.
Extremo ElegirPunta(const Estado& e, int ficha, double tx, double ty);

// "seat x y", both coordinates with two decimals: the board's position line.
QString TextoPosicion(int silla, double tx, double ty);

class Puntero {
public:
    explicit Puntero(Estado& estado) : E(estado) {}

    Estado& E;
    int FichaTomada = -1;

    // Both take the pointer in surface units (bx from the centre, by from the top).
    void Presionar(const GeometriaMesa& g, double bx, double by);
    Orden Soltar(const GeometriaMesa& g, double bx, double by);

    // The same in table units.
    void PresionarEn(double tx, double ty);
    Orden SoltarEn(double tx, double ty);

private:
    bool MemoriaDistinta(int ficha, Extremo lado, bool conLado) const;
    void OlvidarMemoria();
};

}  // namespace vista
