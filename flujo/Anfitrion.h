#pragma once
// Everything the hand flow needs from the world around it: the clock and the
// waits, the table, the window, the sounds and the questions to the person.
// The game window, quimbolo-cli and the tests each provide one; the flow never
// knows which. Every method but the clock and the waits has a do-nothing
// default, so a host implements only what it shows.

#include <QString>
#include <functional>
#include <span>

#include "ai/Avance.h"
#include "rules/Tipos.h"

// Seat lights.
enum Luz { LuzVerde = 10, LuzRoja = 12, LuzAmbar = 14 };

// Controls of the game window the flow shows, hides, enables or captions.
// Per-seat controls take the seat; the others take 0.
enum class Control {
    bAzar, bRepetir, bNoSalir,  // per seat
    SumPuntos,                  // per seat: the pip-sum label
    bConsejo, bAtras, bMemoria,
};
enum class Accion { Mostrar, Ocultar, Habilitar, Deshabilitar, Texto };

// The program's own message box. Codes as the window uses them:
// Icono 16 critical, 32 question, 48 exclamation, 64 information;
// Botones 0 "Aceptar", 1 "Aceptar"+"Cancelar", 99 "Aceptar"+"Detalles";
// Respuesta 1 "Aceptar", 2 "Cancelar", 99 "Detalles", Default on time-out.
struct Mensaje {
    QString Mensaje;
    // A plain sentence shown above the text in the window's own font (for
    // instance who won the hand); empty shows nothing.
    QString Titular;
    QString LabelFont;
    int Icono = 0;
    int Botones = 0;
    int Default = 0;
    double Duracion = 0;
};

// The clock, the analysis picture, the busy pointer, the file notice and the
// Yes/No question are the computer player's (Avance).
class Anfitrion : public Avance {
public:
    // Let pending events run once (pointer, timers, received lines).
    virtual void Ceder() = 0;
    // Wait this long while events keep being served; returns at once for <= 0.
    virtual void Pausa(double segundos) = 0;
    // True once the window is closing: every wait must end and the flow unwind.
    virtual bool Cerrando() const { return false; }
    // Run this later from the event loop, on an empty call stack (used to start
    // the next hand so that hands never nest).
    virtual void Programar(std::function<void()> tarea) = 0;
    // Every pause of the flow is this many times its nominal length: 1 at a
    // table of people, 0 in tests and robot copies (events are still served),
    // less than 1 for a quicker computer. The table's rules never change.
    double Ritmo = 1.0;
    // Input from the table that the flow refused (a play the seat cannot
    // make, an undo nobody could have asked for): kept for whoever debugs.
    virtual void Anotar(const QString& texto) { (void)texto; }

    // The table: what this copy did that the other copies must hear, only
    // ever for its own seats. A host seated at a table turns each into the
    // line the table reads; the flow never writes lines, so what it reports
    // cannot drift from the grammar at the other end.
    // Seven tiles taken in the pick (or laid again for a replay).
    virtual void FichasTomadas(int silla, std::span<const int, 7> mano) { (void)silla; (void)mano; }
    // Play number `numero` laid by `silla`, with the merit this copy gave it.
    virtual void JugadaHecha(int numero, int silla, int ficha, Extremo punta, const QString& merito)
    {
        (void)numero; (void)silla; (void)ficha; (void)punta; (void)merito;
    }
    // The hand is over for this seat ("FIN").
    virtual void FinDeMano(int silla) { (void)silla; }
    // `silla` declines to lead; the lead is now `turno`'s (its partner).
    virtual void NoSale(int turno, int silla) { (void)turno; (void)silla; }
    // The last play is taken back; `turno` is the seat whose turn it was.
    virtual void TurnoRegresado(int turno) { (void)turno; }
    // A recorded hand is replayed: first announced, then its plays in order
    // (the tiles with the ends they went to, led by `salidor`).
    virtual void ManoRepetida() {}
    virtual void JugadasRepetidas(int salidor, std::span<const int> fichas, std::span<const Extremo> puntas)
    {
        (void)salidor; (void)fichas; (void)puntas;
    }

    // Window: the caption under the title (the full text: TituloMesa + status).
    virtual void Titulo(const QString& texto) { (void)texto; }
    virtual void Semaforo(int silla, int luz) { (void)silla; (void)luz; }
    virtual void Boton(Control c, int silla, Accion a, const QString& texto = {})
    {
        (void)c; (void)silla; (void)a; (void)texto;
    }
    virtual void DibujarMano(int silla, char modo) { (void)silla; (void)modo; }
    virtual void DibujarMesa() { (void)0; }
    virtual void DibujarFichaSola(int ficha) { (void)ficha; }
    virtual void RefrescarNombres() {}

    // Sounds: file relative to the program folder, e.g. "MMEDIA/Ficha.wav".
    virtual void TocarSonido(const QString& archivo) { (void)archivo; }
    // Time alarm of a local person's turn; 0 seconds never fires.
    virtual void ArmarAlarma(int segundos) { (void)segundos; }
    virtual void DetenerAlarma() {}

    // A local person's turn has come: the window precomputes the advice and
    // colours the forecast; a robot host schedules its play here.
    virtual void TurnoHumano(int silla) { (void)silla; }
    // The pick waits for a local person's seven tiles.
    virtual void RepartoHumano(int silla) { (void)silla; }
    // The lead of a local person is awaited (FaseMano Saliendo).
    virtual void SalidaHumana(int silla) { (void)silla; }

    // Questions. MensaBox returns Respuesta.
    virtual int MensaBox(const Mensaje& m) { return m.Default; }
    // The usual notice or confirmation: font "Tahoma", a time-out that answers
    // "Aceptar".
    int Aviso(const QString& texto, int icono, double segundos, int botones = 0)
    {
        Mensaje m;
        m.Mensaje = texto;
        m.LabelFont = QStringLiteral("Tahoma");
        m.Icono = icono;
        m.Botones = botones;
        m.Default = 1;
        m.Duracion = segundos;
        return MensaBox(m);
    }
    // A file could not be written (the old one is kept): the window shows
    // it in the message box; a host without one says it its own way.
    void AvisoArchivo(const QString& texto) override { Aviso(texto, 48, 5); }
    // Text input box; an empty answer when cancelled.
    virtual QString InputBox(const QString& prompt, const QString& titulo, const QString& propuesta)
    {
        (void)prompt; (void)titulo; (void)propuesta;
        return {};
    }
};
