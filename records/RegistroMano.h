#pragma once
// Hand records: the four players with the seven tiles each was dealt, then
// the plays in order. Text lines ended by CR LF, UTF-8:
//
//   "Ana"                       name of seat 1, between double quotes
//   6-6, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6    its seven tiles in slot order
//   ... the same for seats 2, 3 and 4 ...
//    12                         play count, one blank before and after
//   6-6, DER                    one line per play: tile and end
//
// A tile is written smaller pip first ("0-1" is tile 27). A record is
// untrusted input: LeerRegistro checks its form (lines, tiles, count, ends;
// ASCII digits only, nothing after the last play, no control characters)
// and returns the record or the first fault with its line number;
// ComprobarJugadas (flujo/Posicion.h) checks that the plays are legal.

#include <QString>
#include <array>
#include <vector>

#include "rules/Estado.h"

struct TiroRegistro {
    int Ficha = 0;
    Extremo Punta = Extremo::Der;  // Izq or Der
};

struct RegistroMano {
    std::array<QString, 5> Nombres;               // seats 1..4
    std::array<std::array<int, 8>, 5> Manos{};    // [seat][slot 1..7]
    std::vector<TiroRegistro> Tiros;              // plays 1..N
};

// Outcome of reading a record: Ok, or the line (1-based) and a Spanish reason.
struct LecturaRegistro {
    bool Ok = false;
    RegistroMano Registro;
    int Linea = 0;
    QString Razon;
    // One line for the user: "Línea 3: la ficha «6-5» no existe."
    QString Mensaje() const;
};

// The tile whose Punto1 is the text's first character and whose Punto2 is
// its last one; 0 (the double six) when none matches, as the game reads it.
int LeerFicha(const QString& texto);
// The same, but -1 when the text is not exactly "a-b" naming a tile.
int LeerFichaEstricta(const QString& texto);
// "a-b", smaller pip first.
QString TextoDeFicha(int ficha);

// Lays the record's deal into the state: each seat's seven tiles, in the
// record's slot order, in that seat's hand. Nothing else of e changes.
void PonerReparto(const RegistroMano& r, Estado& e);

// The record of the hand held in the state: names, Mano[1..7] of each seat,
// and plays 1..NumTiro.
RegistroMano RegistroDe(const Estado& e);

// The record as text (CR LF lines). A double quote inside a name cannot be
// told from the closing quote, so it is written as a single quote.
QString TextoRegistro(const RegistroMano& r);

// Reads a record from its text (CR LF or LF lines, optional UTF-8 BOM).
LecturaRegistro LeerRegistro(const QString& texto);
// Reads the file at ruta (UTF-8); anything but an ordinary file is refused
// without waiting on it.
LecturaRegistro LeerRegistroArchivo(const QString& ruta);

// Writes the record whole or not at all (rules/ArchivoEntero.h), creating
// the folder when it is missing. False with a Spanish reason.
bool EscribirRegistro(const QString& ruta, const RegistroMano& r, QString* error = nullptr);
