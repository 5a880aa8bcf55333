#pragma once
// The table's lines: how every line is read and how every line is written.
//
// Framing. Every event of a table travels as one line of text through the
// table server. A line is sent with CR LF and read up to LF; the text is
// UTF-8, and a line that is not valid UTF-8 is dropped whole. Characters
// below 32 (the CR among them) are removed before the line is judged, and an
// empty line is no line. Cutting the byte stream is Troceador's work
// (protocolo/Troceador.h), with the same rules at both ends.
//
// Key. The first five characters of a line with the blanks around them
// removed: "Nombr" for a seat name, "Ficha" for a hand, "FIN" for an end of
// hand. A line with any other key is ignored, not refused.
//
// Lines. Fields sit at fixed character positions counted from 1; <s> is a
// seat digit 1 to 4, <ff> a tile 00 to 27, <end> "IZQ" or "DER", <tt> a play
// number 01 to 25:
//
//   Silla<s>                          seat request (the server's business)
//   Nombre<s> <name>                  seat name; name is 9..end, not blank
//   HoC  <s> <H|C>                    seat kind, person or computer
//   Local <s>                         the server grants seat s (7) to this copy
//   Inici...                          the partida starts
//   Mesa <key   >=<code>              option; key 6..12 blank-padded, code 14..end
//   Fichas<s> <14 digits>             a seat's seven slots, "99" an empty one
//   Tiro <tt> <s> <ff> <end> <merit>  play tt of seat s: tile ff at that end;
//                                     the merit (18..end) may be absent
//   Tiro 01 <s> -<p> NUL              seat p declined the lead to its partner s
//   Atras <s>                         step back one turn
//   FIN  <s>                          seat s finished the hand
//   Repet                             a stored hand is replayed
//   Memo <nn><s>{<ff><end>}*nn        the replayed hand's nn plays, leader s
//   Chat <name>: <text>               a chat line
//
// Numeric fields read as the game always has: blanks skipped, an optional
// sign, the digits after it, stopping at the first other character. A merit
// is written " 0.50", "-0.33" or " 13.00": a blank or a sign, one or more
// digits, a point and two digits. An option's code is a letter (AoC, Nivel,
// Vista), the digit 0 or 1 (AcuPtos), a letter pair (Salida, Cierre) or a
// number (Puntos, Tiempo1, Tiempo2); the codes, texts and defaults are the
// table of protocolo/Opciones.h.
//
// Two readings. A copy of the game reads every field (Leer): a line is parsed
// into a value, or refused with its reason, before anything touches the game
// state, so a line that cannot be stored is never half-applied. The table
// server reads only what it must vouch for before relaying a line
// (LeerDeCliente): its kind and the seat it acts for. It passes the rest on
// untouched, so copies that know more than it does can still talk.
//
// Writing. Every line a program sends is composed here (the Linea functions),
// without CR LF; Enmarcar puts a message on the wire. One send may carry
// several lines joined by CR LF (Juntar), and the receiver handles them as
// separate lines.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <cstdint>
#include <optional>
#include <span>
#include <variant>

namespace protocolo {

inline constexpr int kUltimaFicha = 27;   // tiles travel as 00..27
inline constexpr int kMaxJugadas = 25;    // plays of a hand, 1..25

// The key of a line: its first five characters, trimmed.
QString Clave(const QString& linea);

// Numeric reading of a field. `digitos` tells whether any digit was read;
// values are clamped well inside int.
int LeerNumero(QStringView campo, bool* digitos = nullptr);

// Characters from 1-based position `desde`, `largo` of them (-1: to the end).
QStringView Campo(const QString& linea, int desde, int largo = -1);

// A merit as the game writes it, in hundredths; nothing for any other text.
// Read with integers: "1e300", "inf" or "nan" would pass a floating-point
// reading and then overflow every sum it joins.
inline constexpr int kMaxDigitosMerito = 9;
std::optional<std::int64_t> LeerMerito(QStringView texto);

// ---- The game's reading ----

struct Silla { int silla; };                 // 0 when the digit is not 1..4
struct Nombre { int silla; QString nombre; };
struct HoC { int silla; char tipo; };
struct Local { int silla; };
struct Inici {};
// An option whose code is one of its own: letters and pairs as they travel,
// numbers without blanks or leading zeros, ready for OpcionesJuego::Poner.
struct Opcion { QString clave; QString codigo; };
struct Fichas { int silla; QString digitos; };   // the 14 digits, as received
// A play; a declined lead has a negative tile (minus the passing seat) and
// the end "NUL". The merit is the field as received, or empty.
struct Tiro { int numero; int silla; int ficha; QString punta; QString merito; };
struct Atras { int silla; };                 // 0 when the digit is not 1..4
struct Fin { int silla; };
struct Repet {};
struct Memo { int salidor; QList<int> fichas; QStringList puntas; };   // plays in order
struct Chat { QString texto; };              // "<name>: <text>"

using Mensaje = std::variant<Silla, Nombre, HoC, Local, Inici, Opcion, Fichas, Tiro, Atras, Fin, Repet, Memo, Chat>;

struct Lectura {
    std::optional<Mensaje> mensaje;  // empty: the line is not taken
    QString motivo;                  // why it was refused; empty for an unknown key
};

// Parses one line, already framed and not empty.
Lectura Leer(const QString& linea);

// The seat of the table's own chat line saying that its person left, or 0:
// "Brintal: " + name + " dejó la Silla " + digit + "." (the chat text).
int SillaDejadaEn(const QString& textoChat);

// Plays, hands and ends of hand: the lines that act for a seat the sender
// holds and that the table returns to the sender as well.
bool VuelveAlRemitente(const QString& linea);

// ---- The table server's reading ----

enum class Clase {
    Ninguna,      // empty key: nothing to judge
    Desconocida,  // a key the table does not relay
    DeLaMesa,     // "Local", "Mesa", "Inici": only the table says these
    PideSilla,    // "Silla"
    Nombre,       // acts for `silla`
    HoC,          // acts for `silla`
    Fin,          // acts for `silla`
    Atras,        // acts for `silla`, relayed to all but the sender
    Tiro,         // acts for `silla` (the passing seat of a declined lead)
    Fichas,       // from any seated connection
    Repet,
    Memo,
    Chat,         // from any seated connection; `texto` is the name before ": "
};

struct LineaCliente {
    Clase clase = Clase::Ninguna;
    int silla = 0;   // 1..4; 0 when the line is malformed or names no seat 1..4
    QString texto;   // Nombre: the name; HoC: the kind letter; Chat: the signer
};

LineaCliente LeerDeCliente(const QString& linea);

// ---- Writing ----

QString Juntar(const QStringList& lineas);
QStringList Separar(const QString& mensaje);
// The bytes of a message as they travel: UTF-8 and the closing CR LF.
QByteArray Enmarcar(const QString& mensaje);

QString LineaSilla(int silla);
QString LineaNombre(int silla, const QString& nombre);
QString LineaHoC(int silla, char tipo);
QString LineaLocal(int silla);
QString LineaInici();
QString LineaOpcion(const QString& clave, const QString& codigo);
// The seven slots of a hand, each tile as two digits.
QString LineaFichas(int silla, std::span<const int, 7> mano);
// A play of a seat of this copy; an empty merit still leaves its blank.
QString LineaTiro(int numero, int silla, int ficha, const QString& punta, const QString& merito);
// Seat `pasa` declines the lead; it goes to the partner `turno`.
QString LineaNoSalir(int turno, int pasa);
QString LineaAtras(int silla);
QString LineaFin(int silla);
QString LineaRepet();
QString LineaMemo(int salidor, std::span<const int> fichas, std::span<const QString> puntas);
QString LineaChat(const QString& nombre, const QString& texto);
// The table's word that a seat's person left it.
QString LineaSillaDejada(const QString& nombre, int silla);

}  // namespace protocolo
