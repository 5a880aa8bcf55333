#pragma once
// A host seated at a table. Every event the hand flow reports becomes here
// the line the table reads, and this is the one place that composes them, so
// the window, quimbolo-cli and the lobby cannot disagree on a line. Until a
// link is wired (or after it is gone) nothing is sent.

#include "flujo/Anfitrion.h"

class EnlaceMesa;

class AnfitrionMesa : public Anfitrion {
public:
    void FichasTomadas(int silla, std::span<const int, 7> mano) override;
    void JugadaHecha(int numero, int silla, int ficha, Extremo punta, const QString& merito) override;
    void FinDeMano(int silla) override;
    void NoSale(int turno, int silla) override;
    void TurnoRegresado(int turno) override;
    void ManoRepetida() override;
    void JugadasRepetidas(int salidor, std::span<const int> fichas, std::span<const Extremo> puntas) override;

    // One line, or several joined by CR LF, already composed (the lobby and
    // the chat compose theirs with protocolo). A test overrides it to record.
    virtual void Enviar(const QString& lineas);

    void PonerEnlace(EnlaceMesa* enlace) { enlace_ = enlace; }

private:
    EnlaceMesa* enlace_ = nullptr;
};
