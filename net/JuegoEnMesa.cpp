#include "net/Despachador.h"
#include "flujo/Juego.h"

void JuegoEnMesa::TiroRecibido(int ficha, Extremo punta) { J.Tirar(ficha, punta); }
void JuegoEnMesa::AtrasRecibido(int silla) { J.AtrasRecibido(silla); }
void JuegoEnMesa::ManoRecibida(int silla) { J.ReconstruirMano(silla); }
void JuegoEnMesa::SillaDejada(int silla) { J.SillaDejada(silla); }
void JuegoEnMesa::SillaRecuperada(int silla) { J.SillaRecuperada(silla); }
