#include "net/Despachador.h"
#include "rules/Juego.h"

void JuegoEnMesa::JugarTiro(int ficha, const QString& punta) { J.JugarTiro(ficha, punta); }
void JuegoEnMesa::TerminarMano() { J.TerminarMano(); }
void JuegoEnMesa::RegresarTurno() { J.RegresarTurno(); }
