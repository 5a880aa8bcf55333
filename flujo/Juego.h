#pragma once
// The hand flow: pick, lead, turn cycle, play engine, end of hand. It owns no
// state of its own beyond a few guards: it reads and writes the one Estado and
// reaches the world only through the Anfitrion.
//
// Who acts for a seat is asked in one place (CederTurno): a computer of this
// machine is answered at once by the chooser and the engine goes on playing;
// a person of this machine (pointer) or a seat of another machine (table
// line) ends the call, and the play comes back later through JugarTiro.
//
// Every wait yields through the host and ends when Anfitrion::Cerrando() is
// true; the next hand is started through Anfitrion::Programar, so hands never
// nest on the call stack.

#include <QString>
#include <vector>

#include "flujo/Anfitrion.h"
#include "rules/Azar.h"
#include "rules/Estado.h"

class Juego {
public:
    Juego(Estado& estado, Anfitrion& anfitrion);

    Estado& E;
    Anfitrion& A;

    // First activation of the game window: NumMano 0, then hand after hand.
    void IniciarPartida();
    // One whole hand; the end-of-hand step schedules the next one.
    void JugarMano();

    // The pick.
    void Repartir();
    void TomarFicha(int ficha, float x, float y);
    void CompletarAlAzar(int silla);
    // A computer seat's repeatable draw: seeded with Semilla + NumMano.
    void SorteoSembrado(int silla);
    // Rebuilds a seat's hand from its received DigitosMano. Slots naming no
    // tile, or a tile another seat holds, are left out (not yet received).
    void ReconstruirMano(int silla);

    // Lead and turn cycle.
    void PrepararSalida();
    void EsperarSalida();
    // The lead of the seat to move asked afresh: once, as the hand asks it.
    void PedirSalida();
    void PasarSalida();
    void NoSalir(int silla);  // bNoSalir click of that seat's panel

    // Outcome of handing the turn on after a play.
    struct Relevo {
        enum Tipo { Bloqueada, Esperar, Jugar } Tipo = Esperar;
        int Ficha = -1;  // Jugar: the computer's (or remembered, or already received) play
        Extremo Lado = Extremo::Ninguno;
    };
    Relevo CederTurno();

    // The play engine. Ignores a tile that is not in the hand of the seat to
    // move or fits neither end (or, played elsewhere, not the end it names).
    // Undos received meanwhile are applied once the chain of plays has stopped.
    void JugarTiro(int ficha, Extremo lado);
    void TerminarMano();
    // A play from outside the turn cycle (the board, the table, the memory
    // button, a robot): laid as JugarTiro lays it, then the end of the hand
    // when it ended.
    void Tirar(int ficha, Extremo lado);
    // The play engine with the hand in play from here on (a lead included),
    // for a driver that asks each play itself.
    void JugarTirando(int ficha, Extremo lado);
    void PuntuarDomino();
    void PuntuarCierre();
    void MostrarTodas();

    // Undo one play (bAtras here, or "Atras" received).
    void RegresarTurno();
    // This copy can take back the last play at once: a hand in play, no play
    // being laid or awaited in one of the flow's waits, the seat to move ours.
    // bAtras is enabled, and "Atras" sent, only then, so that every copy takes
    // back the same play.
    bool PuedeRegresar() const;
    // "Atras" of a seat from the table. The sender took back its last play
    // with that seat to move; here it is applied once every play laid before
    // it is laid too, and refused when that seat is not the one to move.
    void AtrasRecibido(int silla);
    // Advice is for a person of this machine on that person's own turn in
    // play, never for a computer seat or during the pick.
    bool PuedeAconsejar() const;

    // A seat whose person left the table: the captions say that the table
    // waits for it until somebody takes it.
    void SillaDejada(int silla);
    // That seat is this copy's computer now: it plays from the current state
    // (its pick, its lead, its turn or its "FIN", whichever is awaited).
    void SillaRecuperada(int silla);
    // The table is lost: every wait ends and no hand starts again.
    void Abandonar();
    bool Abandonada() const { return abandonada_; }

    // Resets the ends for a new hand and writes history entry 0.
    void IniciarLinea();
    // Merit text of the play about to be recorded as NumTiro (empty when the
    // forecast entries say nothing); igualesAntes: both ends were equal.
    QString Merito(int ficha, Extremo lado, bool igualesAntes) const;
    // Whether the seat is played at this machine.
    bool EsLocal(int silla) const { return E.Jugadores[silla].LoR == Donde::Local; }
    // Status captions: title text + "Turno Local de " / "Turno Remoto de " + name + " ...".
    void MostrarTurno(int silla);
    // What the flow awaits from a seat of another machine: its name, or that
    // its person left and the seat waits for somebody to take it.
    QString EsperaDe(int silla) const;

    // Deepest nesting of JugarMano seen (1 when hands follow one another).
    int ProfundidadMaxima() const { return profundidadMax_; }

private:
    // Sets a flag for the life of a scope, so every way out clears it.
    struct Bandera {
        bool& b;
        explicit Bandera(bool& f) : b(f) { b = true; }
        ~Bandera() { b = false; }
    };
    void Encadenar(int ficha, Extremo lado);
    Relevo TurnoComputadora(int opciones);
    void RefrescarBotones();
    void AplicarAtras(int silla);
    void RobarHastaSiete(int silla);
    void DarFicha(int silla, int ficha);  // the next slot of the seat's hand
    void Colocar(int ficha, bool derecha, bool porPrimero);
    void SonarPaso();
    void TocarFicha();
    bool Cortar() const { return abandonada_ || A.Cerrando(); }

    Azar azar_;
    bool colocando_ = false;     // inside JugarTiro: a nested play waits for the turn cycle
    bool manoCerrada_ = false;   // TerminarMano already ran for this hand
    int serieMano_ = 0;          // hands started so far
    int profundidad_ = 0;
    int profundidadMax_ = 0;
    bool abandonada_ = false;
    std::vector<int> atrasPendientes_;  // seats of "Atras" lines received while a play was being laid
};
