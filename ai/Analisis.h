#pragma once
// Exhaustive analysis of a position: every continuation of the hand is played
// out with all four hands known, for every legal move of the seat to move.
//
// The method, once in prose:
//  - A search node is one seat's turn. It counts its legal placements
//    (right end first, then the left end when the two ends differ), then plays
//    each one in slot order. A seat that lays its last tile ends the line as a
//    domino; a seat without a placement passes, and the fourth pass in a row
//    ends the line as blocked (lower pip total wins, equal totals go to the
//    pair that led the hand). A seat without a placement 61 or more nodes deep
//    ends its line unscored, with the placeholder letter "?".
//  - Each line counts for the current root move: dominoes per seat, blocked
//    lines per winning pair, and the smallest and largest points each pair
//    wins. Result letters ("G" the analysing pair wins, "P" it loses) go up
//    the tree: a node with a choice takes the mover's preference among the
//    letters of its non-dominoing moves; a node without a choice passes its
//    continuation's letter on unchanged.
//  - A node with a choice less than 12 nodes deep writes one tree line per
//    move after the move's continuation; each root move then gets a summary
//    block, and the header comes last (the viewer reverses the file).
//  - The root moves are then sorted into four forecast categories and the
//    play is chosen from the best category holding one (Clasificar.cpp).
//
// Two engines implement the search with identical output: the reference one
// (AnalisisReferencia.cpp) follows the method literally on strings and is kept
// for the tests; the fast one (AnalisisRapido.cpp) is the one the game uses.

#include <QString>
#include <array>
#include <cstdint>
#include <string>

#include "ai/Avance.h"
#include "rules/Estado.h"

// One half of a per-move record: the root move at one end. Pairs 1..2.
struct MitadAnalisis {
    bool Llena = false;       // the search explored this move
    char Resultado = ' ';     // 'G', 'P' or '?'
    std::array<std::int64_t, 3> Idas{};
    std::array<std::int64_t, 3> Cierres{};
    std::array<int, 3> MaxPuntos{};
    std::array<int, 3> MinPuntos{};

    bool operator==(const MitadAnalisis&) const = default;
};

struct AnalisisFicha {
    MitadAnalisis D;  // at ValorDer
    MitadAnalisis I;  // at ValorIzq
    bool operator==(const AnalisisFicha&) const = default;
};

using TablaAnalisis = std::array<AnalisisFicha, kNumFichas>;

// What a search engine leaves behind: the filled records and the tree file
// text without its header.
struct Busqueda {
    TablaAnalisis Analisis{};
    std::string Arbol;  // UTF-8, CR LF lines
};

// How the second comparison of the choice settles moves tied on the first:
// over the tied sides alone, or (kept only to measure the difference) over
// every legal side of a tied tile, whatever its category.
enum class Desempate { Corregido, Literal };

struct ResultadoAnalisis {
    int Ficha = 0;
    Extremo Punta = Extremo::Ninguno;
    QString Texto;          // the four category sections
    QString Pronosticos;    // the entries this analysis appended
    TablaAnalisis Analisis{};
    std::int64_t Lineas = 0;  // lines over every root move (Idas + Cierres)
    bool ArbolEscrito = false;
    QString ErrorArbol;      // why it was not, already told to the host
    std::string Arbol;       // the tree file as written
};

// Searches with the fast engine (the one the game uses), writes JGO/Tree.Dom,
// classifies and appends the forecast entries to Pronosticos[NumTiro + 1].
// Seat Turno must have a legal placement.
ResultadoAnalisis AnalizarPosicion(Estado& e, Avance& a, Desempate desempate = Desempate::Corregido);
// The same with the reference engine.
ResultadoAnalisis AnalizarPosicionReferencia(Estado& e, Avance& a);

// The two searches alone (no file, no classification).
Busqueda BuscarReferencia(const Estado& e, Avance& a);
Busqueda BuscarRapido(const Estado& e, Avance& a);
// The fast engine keeps what it learnt for the later plays of the same hand;
// this forgets it, as if no analysis had run (for cold measurements).
void OlvidarAnalisis();

// Classification and choice over the filled records; appends the entries to
// `pronosticos`.
struct Clasificacion {
    int Ficha = 0;
    Extremo Punta = Extremo::Ninguno;
    QString Texto;
    QString Pronosticos;
};
Clasificacion ClasificarJugadas(const Estado& e, const TablaAnalisis& analisis,
                                Desempate desempate = Desempate::Corregido);

// Pieces of the tree file shared by both engines.
namespace arbol {

// Indent of a node at this depth (1 at the root).
std::string Sangria(int profundidad);
// Summary block of a root move; also fills the record half. Minima still at
// 999 are written and stored as 0.
void ResumirJugada(std::string& salida, MitadAnalisis& mitad, int ficha, char lado, char resultado,
                   std::int64_t idas13, std::int64_t idas24, std::int64_t cierres13, std::int64_t cierres24,
                   int maxGana13, int minGana13, int maxGana24, int minGana24);
// The header lines, written once after the search.
std::string Cabecera(int turno, const QString& nombre);
// "#,###" on a byte string.
std::string Miles(std::int64_t n);
// Writes JGO/Tree.Dom under the program folder whole or not at all; false
// with a Spanish reason.
bool Guardar(const QString& carpetaApp, const QByteArray& contenido, QString* error = nullptr);
// Full path of the tree file.
QString Ruta(const QString& carpetaApp);

}  // namespace arbol
