#pragma once
// The table's lines, read at the boundary.
//
// Every event of a table travels as one line of text through the table
// server. A line is sent with CR LF and read up to LF; characters below 32
// (the CR among them) are dropped before the line is judged, and the rest is
// UTF-8. Fields sit at fixed character positions counted from 1:
//
//   Silla<s>                          seat request (the server's business)
//   Nombre<s> <name>                  seat name; name is 9..end
//   HoC  <s> <H|C>                    seat kind
//   Local <s>                         seat granted to this copy (7)
//   Inici...                          the partida starts
//   Mesa <key   > <value>             option; key 6..12, value 14..end
//   Fichas<s> <14 digits>             a seat's seven slots, "99" empty
//   Tiro <tt> <s> <ff> <end> <merit>  play tt of seat s: tile ff at IZQ/DER
//   Tiro 01 <s> -<p> NUL              seat p declined the lead to s
//   Atras <s>                         step back one turn
//   FIN  <s>                          seat s finished the hand
//   Repet                             a stored hand is replayed
//   Memo <nn><s>{<ff><end>}*nn        the replayed hand's plays, leader s
//   Chat <name>: <text>               a chat line
//
// The key is the first five characters with blanks around them removed.
// Numeric fields read as the game always has: blanks skipped, an optional
// sign, the digits after it, stopping at the first other character.
//
// Here every line is parsed into a value, or refused with its reason, before
// anything touches the game state: a line that cannot be stored is never
// half-applied.

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <array>
#include <optional>
#include <variant>

#include "rules/Estado.h"

namespace protocolo {

// Takes the first complete line from the front of a receive buffer: false
// (buffer untouched) while it holds no LF; otherwise removes everything up to
// and including that LF and returns the line without its control characters,
// decoded as UTF-8. The line may come back empty.
bool TomarLinea(QByteArray& buffer, QString& linea);

// The key of a line: its first five characters, trimmed.
QString Clave(const QString& linea);

// Numeric reading of a field. `digitos` tells whether any digit was read;
// values are clamped well inside int.
int LeerNumero(QStringView campo, bool* digitos = nullptr);

// Characters from 1-based position `desde`, `largo` of them (-1: to the end).
QStringView Campo(const QString& linea, int desde, int largo = -1);

struct Silla { int silla; };
struct Nombre { int silla; QString nombre; };
struct HoC { int silla; char tipo; };
struct Local { int silla; };
struct Inici {};
// An option already checked against its codes: the letter (AoC, Nivel, Vista), the
// pair (Salida, Cierre) or the number (Puntos, AcuPtos, Tiempo1, Tiempo2).
struct Opcion { QString clave; char letra = 0; QString par; int numero = 0; };
void Aplicar(OpcionesJuego& o, const Opcion& op);
struct Fichas { int silla; QString digitos; };
struct Tiro { int numero; int silla; int ficha; QString punta; QString merito; };
struct Atras { int silla; };
struct Fin { int silla; };
struct Repet {};
struct Memo { int cuenta; int salidor; std::array<int, kHist> fichas{}; std::array<QString, kHist> puntas{}; };
struct Chat { QString texto; };

using Mensaje = std::variant<Silla, Nombre, HoC, Local, Inici, Opcion, Fichas, Tiro, Atras, Fin, Repet, Memo, Chat>;

struct Lectura {
    std::optional<Mensaje> mensaje;  // empty: the line is ignored
    QString motivo;                  // why, when it is refused (empty for an unknown key)
};

// Parses one line (already taken from the buffer, non-empty).
Lectura Leer(const QString& linea);

// Lines this copy sends.
QString LineaSilla(int silla);
QString LineaNombre(int silla, const QString& nombre);
QString LineaHoC(int silla, char tipo);
QString LineaFin(int silla);
QString LineaTiro(int numero, int silla, int ficha, const QString& punta, const QString& merito);

}  // namespace protocolo
