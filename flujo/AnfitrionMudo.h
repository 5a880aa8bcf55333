#pragma once
// A host without window, sound or table: pauses return at once, scheduled
// tasks wait in a queue until CorrerPendientes, questions take their default
// answers (the analysis question takes RespuestaAnalisis). quimbolo-cli plays
// and replays hands with it.

#include <deque>

#include "flujo/Anfitrion.h"

class AnfitrionMudo : public Anfitrion {
public:
    bool RespuestaAnalisis = false;

    double Reloj() override;
    void Ceder() override {}
    void Pausa(double) override {}
    void Programar(std::function<void()> tarea) override { pendientes_.push_back(std::move(tarea)); }
    bool PreguntaSiNo(const QString&) override { return RespuestaAnalisis; }

    // Runs the scheduled tasks (and those they schedule) until none is left.
    void CorrerPendientes();

private:
    std::deque<std::function<void()>> pendientes_;
};
