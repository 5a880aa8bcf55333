#pragma once
// What the layers above the flow may change in the game state, one function
// per event: a line received from the table, a seat taken or left in the
// lobby, the opening of a partida, a stored hand laid for replay, a lead
// chosen by the pointer or by a robot. Nothing above the flow assigns a field
// of Estado; it calls one of these (or Juego), so every write of a partida
// can be found from here. The board's own drawing attributes (the colours of
// a tile, whether a closed hand is shown hidden) are the board's and are not
// routed through here.

#include <QString>
#include <QStringList>

#include "records/RegistroMano.h"
#include "rules/Estado.h"

namespace entrada {

// ---- Lines received from the table ----
void NombreRecibido(Estado& e, int silla, const QString& nombre);
void TipoRecibido(Estado& e, int silla, Quien tipo);
// The table granted the seat to this copy.
void SillaConcedida(Estado& e, int silla);
void OpcionRecibida(Estado& e, const QString& clave, const QString& codigo);
// A seat's hand as received; the pick rebuilds the hand from it (Juego).
void ManoRecibida(Estado& e, int silla, const QString& digitos);
// Play `numero` as received, kept for whichever path lays it.
void TiroRecibido(Estado& e, int numero, int ficha, Extremo punta, const QString& merito);
void FinRecibido(Estado& e, int silla);
// Another copy replays a stored hand: this one reads it too.
void RepeticionRecibida(Estado& e);
// The replayed hand's plays, in order, from its leader.
void MemoriaRecibida(Estado& e, int salidor, const QList<int>& fichas, const QList<Extremo>& puntas);
void SillaDejada(Estado& e, int silla);

// ---- The lobby ----
// Every seat a person elsewhere until the table says otherwise.
void AbrirSillas(Estado& e);
// The seat captions from the names; with `manos`, every hand emptied too.
void CopiarSillas(Estado& e, bool manos);
// A computer of this copy takes the seat.
void ComputadoraOcupa(Estado& e, int silla, const QString& nombre);
void SembrarSilla(Estado& e, int silla, int semilla);
// How each seat's tiles are shown once the table closes: open for the one
// person of this copy when there are fewer than two, else as the options say.
void FijarVistas(Estado& e, int personasLocales);

// ---- The opening of a partida ----
// Program folder and the folder for JGO (empty: the program folder).
void PonerCarpetas(Estado& e, const QString& carpetaApp, const QString& carpetaDatos);
// A position worked on alone: its options and folder.
void PrepararAnalisis(Estado& e, const OpcionesJuego& opciones, const QString& carpetaApp);
void SembrarSillas(Estado& e, int semilla);
// Every seat a computer of this copy.
void TodasComputadoras(Estado& e);
// The level of play, from the level letter of the options.
void PonerNivel(Estado& e, char nivel);
// The window title: "Quimbolo v." + version + ". Mesa 1. " and the name of
// every person of this copy, each followed by ". ".
QString TituloDeMesa(const Estado& e, const QString& version);
// The caption, the local name and the level as the game window loads them.
void AbrirMesa(Estado& e, const QString& titulo, const QString& nombreLocal);
// The last person of this copy, or the local name kept so far.
QString NombreLocalDe(const Estado& e);

// ---- Replay and the pointer ----
// A stored hand laid for replay: the deal, its plays as the history to
// remember, its leader; history beyond its plays forgotten.
void PonerRegistro(Estado& e, const RegistroMano& r);
// This copy replays a stored hand: the pick ends and plays come from the history.
void LecturaIniciada(Estado& e);
// The deal was announced to the table as a repeated one.
void RepeticionAnunciada(Estado& e);
// The lead of the seat to move is chosen: the flow lays it.
void SalidaElegida(Estado& e, int ficha, Extremo punta);
// The remembered plays from the next one on are forgotten.
void OlvidarMemoria(Estado& e);
// The forecast entries of the play to come start empty.
void BorrarPronostico(Estado& e);

}  // namespace entrada
