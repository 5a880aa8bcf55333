#pragma once
// The whole table link of one run, as the connect dialog owns it:
//
//   MesaDeJuego mesa(estado, anfitrion, carpetaApp);
//   mesa.Conector.Conectar(ConectorMesa::Modo::Local);   // "Continuar"
//   // Conectado -> lobby (SalonMesa + OyenteMesa), then the game window:
//   mesa.D.Juego = &juegoEnMesa;                          // JuegoEnMesa(juego)
//   mesa.D.Oyente = &ventana;                             // chat, names, "Inici"
//   anfitrionMesa.PonerEnlace(&mesa.Enlace);               // what the flow tells goes out
//
// The receive log is mesa.D.Registro (AlRegistrar shows each new entry).

#include "net/ConectorMesa.h"
#include "net/Despachador.h"
#include "net/EnlaceMesa.h"

struct MesaDeJuego {
    MesaDeJuego(Estado& estado, Anfitrion& anfitrion, const QString& carpetaApp)
        : D(estado), Enlace(D, anfitrion), Conector(Enlace, anfitrion, carpetaApp)
    {
    }
    Despachador D;
    EnlaceMesa Enlace;
    ConectorMesa Conector;
};
