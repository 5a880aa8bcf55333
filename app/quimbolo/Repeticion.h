#pragma once
// Going over a hand again: the replay of a stored hand during the pick (its
// deal sent to every copy of the table, its plays kept as the memory), the
// step back of one play at every copy, and the memory button that makes the
// next remembered play.

#include <QString>
#include <QStringList>
#include <functional>

#include "records/RegistroMano.h"
#include "flujo/Juego.h"

class Consejo;

class Repeticion {
public:
    Repeticion(Juego& juego, Consejo* consejo = nullptr);

    Juego& J;
    Estado& E;
    Anfitrion& A;

    // Path of the record chosen in the open form; empty when none is.
    QString RutaJuego;
    // Shows the open form modally; it leaves its choice in RutaJuego.
    std::function<void()> ElegirRegistro;

    void bRepetir_Click(int silla);
    void bAtras_Click();
    void bMemoria_Click();

    // A record's deal and plays laid into the state: every tile in its
    // seat's hand, the plays as the history (the rest emptied), the leader
    // from the first play. The record must have been read and checked.
    static void AplicarRegistro(Estado& e, const RegistroMano& r);

private:
    void Avisar(const QString& texto);
    Consejo* consejo_;
};
