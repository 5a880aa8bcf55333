#pragma once
// The receive side of the table link: the one receive buffer, the runs that
// take lines from its front, and the handlers that apply each line to the
// game state.
//
// Data arrival only appends to the buffer and schedules a run; a run never
// starts inside the socket's signal. A handler may wait (a received play that
// ends the hand waits for every seat's "FIN"), and while it waits the event
// loop schedules further runs: each one takes lines from the front of the same
// buffer, so the nested runs handle what arrived meanwhile and the outer run,
// once its handler returns, goes on with whatever is left.

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <array>
#include <functional>

#include "protocolo/Protocolo.h"
#include "protocolo/Troceador.h"
#include "rules/Estado.h"

class Juego;

// What a received line may ask of the hand flow.
class JuegoRemoto {
public:
    virtual ~JuegoRemoto() = default;
    // The next play, laid as the turn cycle lays it, and the end of the hand
    // when it ended.
    virtual void TiroRecibido(int ficha, Extremo punta) = 0;
    virtual void AtrasRecibido(int silla) = 0;
    // A seat's hand arrived during the pick.
    virtual void ManoRecibida(int silla) = 0;
    // Brintal says a seat's person left; a seat this copy asked for mid-partida was granted.
    virtual void SillaDejada(int silla) = 0;
    virtual void SillaRecuperada(int silla) = 0;
};

// The hand flow of this copy, as the received lines drive it.
class JuegoEnMesa : public JuegoRemoto {
public:
    explicit JuegoEnMesa(Juego& j) : J(j) {}
    void TiroRecibido(int ficha, Extremo punta) override;
    void AtrasRecibido(int silla) override;
    void ManoRecibida(int silla) override;
    void SillaDejada(int silla) override;
    void SillaRecuperada(int silla) override;

private:
    Juego& J;
};

// The windows that show what arrives: the lobby (names, the start), the chat
// list, the options form. Every method may be left as it is.
class OyenteMesa {
public:
    virtual ~OyenteMesa() = default;
    virtual void NombreRecibido(int silla) { (void)silla; }
    virtual void SillaConcedida(int silla) { (void)silla; }
    virtual void InicioRecibido() {}
    virtual void ChatRecibido(const QString& texto) { (void)texto; }
    virtual void OpcionRecibida(const QString& clave) { (void)clave; }
    // The table says that the person of a seat left it (the seat is free).
    virtual void SillaDejada(int silla) { (void)silla; }
};

class Despachador : public QObject {
    Q_OBJECT
public:
    explicit Despachador(Estado& estado, QObject* padre = nullptr);

    Estado& E;
    JuegoRemoto* Juego = nullptr;   // none until the game window opens
    OyenteMesa* Oyente = nullptr;

    // The data-arrival step: append, then schedule a run on the event loop.
    void Llegada(const QByteArray& bloque);

    // One run: every complete line at the front of the buffer, in order.
    void Despachar();

    // Handles one line taken from the buffer (not empty).
    void Atender(const QString& linea);

    // Once the partida has started, "Local" is taken only for a seat this
    // copy asked for since (a seat left by its person and given to this
    // copy's computer); any other grant would make two copies play one seat.
    void PedirSilla(int silla);
    bool PartidaIniciada = false;

    // The unfinished line at the end of the buffer.
    QByteArray Buffer() const { return troceador.Pendiente(); }

    // Receive log: "hh:mm:ss.zzz line", newest last, at most kMaxRegistro
    // entries. Refused lines are logged once more with their reason.
    static constexpr int kMaxRegistro = 2000;
    // No line of the table comes near this; a longer one (or endless bytes
    // without LF) is dropped instead of growing the buffer without bound.
    // Above the table's own limit for what it accepts: a line the table
    // composes around a name it accepted (the chat line that says the seat
    // was left) may be longer than the name's line.
    static constexpr int kMaxLinea = 2 * protocolo::Troceador::kMaxLinea;
    QStringList Registro;
    int Ignoradas = 0;
    std::function<void(const QString&)> AlRegistrar;
    // Every line taken from the buffer, before it is handled (the link
    // watches its own lines come back).
    std::function<void(const QString&)> AlLeer;
    // Notes a line or a step refused, with its reason, in the receive log.
    void Rechazar(const QString& motivo);

private:
    void Anotar(const QString& entrada);
    protocolo::Troceador troceador{kMaxLinea};
    bool programado = false;
    std::array<bool, 5> pedidas_{};
};
