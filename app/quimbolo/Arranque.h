#pragma once
// The program's life: the single-copy question, the splash, the connect
// dialog, and once connected the lobby and the game window. Split in steps so
// the window tests can run the same sequence against their own table server.

#include <QApplication>

class frmConnect;
class frmDomino;
class Sesion;

// Runs the lobby modally over the connect dialog and, when it ends with the
// partida starting, opens the game window (the connect dialog stays open
// beneath it and can no longer be closed). Returns the game window, or nullptr when the
// person left the table, in which case the program is ending.
frmDomino* AbrirMesaYJuego(Sesion& sesion, frmConnect& conexion);

// The whole program: returns its exit code.
int CorrerPrograma(QApplication& app);
