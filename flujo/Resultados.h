#pragma once
// The end of a hand as the person sees it: the hand kept on disk (with the
// question for a name) and the scoreboard in the message box.

#include "flujo/Anfitrion.h"
#include "rules/Estado.h"

// Writes JGO/Anterior.Jgo, then asks for a name to keep a copy under (also
// when Anterior.Jgo could not be written). A refused name is told in the
// message box, a failed write through AvisoArchivo; nothing is ever written
// outside JGO and a failed write leaves the old file as it was.
void GuardarMano(Estado& e, Anfitrion& a);

// Builds and shows the scoreboard; at the end of the partida plays the
// applause, sets FinPartida and disables the play buttons. Nothing before
// the first hand.
void MostrarMarcador(Estado& e, Anfitrion& a);
