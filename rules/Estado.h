#pragma once
// The one game state of a partida: tiles, seats, the line of play, the
// counters of the hand and of the partida, and the per-play history that
// undo, memory and replay read back. Fixed tables are indexed the way the
// game counts: tiles 0..27, seats 1..4 (index 0 unused), plays 0..25.

#include <QString>
#include <QStringList>
#include <array>
#include <vector>

#include "rules/Fichas.h"
#include "rules/Opciones.h"
#include "rules/Tipos.h"

struct Ficha {
    int Punto1 = 0;
    int Punto2 = 0;
    float X = 0;
    float Y = 0;
    char Rumbo = 'S';     // 'N', 'E', 'S', 'O': where Punto1 lies
    char Lugar = 'R';     // 'R' pool, 'D' in a hand, 'J' played
    bool Libre = true;
    int Dueno = 0;        // seat 1..4 that picked it; 0 in the pool
    unsigned Color1 = 0;  // 0xRRGGBB
    unsigned Color2 = 0;
};

struct Jugador {
    Quien HoC = Quien::Persona;
    Donde LoR = Donde::Remota;
    char Vista = 'C';     // 'C' closed, 'A' open
    bool Oculta = false;
    QString Nombre;
    std::array<int, 8> Mano{};  // slots 1..7
    int NumFichas = 0;
    int OrdenReparto = 0;
    int Semilla = 0;
    float Meritos = 0;
};

struct EstadoSilla {
    QString NombreSilla;                        // up to 18 characters
    QString DigitosMano = QString(14, '9');     // seven two-digit slots, "99" empty
    QString MarcaFin = QStringLiteral("   ");   // "FIN" once that machine ended the hand
    bool Dejada = false;                        // its person left the table; nobody holds it yet
};

constexpr int kHist = kMaxTiros + 1;  // history entries 0..25

struct Estado {
    std::array<Ficha, kNumFichas> Fichas{};
    std::array<Jugador, 5> Jugadores{};       // 1..4
    std::array<EstadoSilla, 5> Sillas{};      // EstadoSilla of seats 1..4

    int Turno = 1;
    int NumTiro = 0;
    int NumMano = 0;
    int Ganador = 0;
    int Salidor = 0;
    Fase FaseMano = Fase::Repartiendo;
    ModoJuego Modo = ModoJuego::Escoger;
    char OrigenReparto = ' ';                           // 'R': repeat the stored deal
    int PasesSalida = 0;
    bool TiroListo = false;
    int FichaElegida = 0;
    Extremo PuntaElegida = Extremo::Ninguno;
    bool ManoTerminada = false;
    bool FinPartida = false;
    QString ResumenMano;
    QString TituloMesa;
    int ParamNivel = 0;
    QString NombreLocal;
    std::vector<int> PuntosPar13;  // indexed 0..NumMano
    std::vector<int> PuntosPar24;

    // The line of play.
    int ValorIzq = 0;
    int ValorDer = 0;
    float PuntaIzqX = -0.001f, PuntaIzqY = 0.5f;
    float PuntaDerX = 0.0f, PuntaDerY = 0.5f;
    char RumboIzq = 'O', RumboDer = 'E';
    char MarcaIzq = ' ', MarcaDer = ' ';

    // Per-play history: entry 0 is the state before the first play.
    std::array<int, kHist> HistFicha{};
    std::array<Extremo, kHist> HistPunta{};
    std::array<int, kHist> HistJugador{};
    std::array<int, kHist> HistValorIzq{}, HistValorDer{};
    std::array<float, kHist> HistIzqX{}, HistIzqY{}, HistDerX{}, HistDerY{};
    std::array<char, kHist> HistRumboIzq{}, HistRumboDer{}, HistMarcaIzq{}, HistMarcaDer{};
    std::array<QString, kHist> MeritoTurno{};

    // Plays received from other machines for plays 1..25, with the merit each
    // carried: whichever path lays the play later takes its merit from here.
    std::array<int, kHist> TiroRecibido{};
    std::array<Extremo, kHist> PuntaRecibida{};
    std::array<QString, kHist> MeritoRecibido{};

    // Forecast entries per play, 6 characters each ("1:13I ").
    std::array<QString, kHist> Pronosticos{};

    OpcionesJuego Opciones;

    // Program folder, ending in the platform's separator: what ships is read from it.
    QString CarpetaApp;
    // Folder under which JGO is written; empty: the program folder.
    QString CarpetaDatos;

    Estado();  // fills the pips and the empty history

    // Pip sum of the tiles of the seat's slots still in hand.
    int SumaPuntos(int silla) const;
    // The folder that holds JGO for every writer.
    const QString& BaseJgo() const { return CarpetaDatos.isEmpty() ? CarpetaApp : CarpetaDatos; }
    // Tiles with Lugar 'D' in the whole table (28 - NumTiro during play).
    int ContarEnMano() const;
};
