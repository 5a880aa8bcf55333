#pragma once
// The host of the hand flow in the windowed program: waits run nested event
// loops, scheduled work goes through the event queue, questions use the
// program's own boxes, and everything the flow shows goes to the game window
// once it exists. Before that (lobby, connect dialog) window calls are simply
// not shown.

#include <QObject>
#include <QPointer>
#include <functional>

#include "net/AnfitrionMesa.h"
#include "shell/Sonido.h"

class frmDomino;
class AnfitrionVentana : public AnfitrionMesa {
public:
    double Reloj() override;
    void Ceder() override;
    void Pausa(double segundos) override;
    bool Cerrando() const override;
    void Programar(std::function<void()> tarea) override;

    void Titulo(const QString& texto) override;
    void Semaforo(int silla, int luz) override;
    void Boton(Control c, int silla, Accion a, const QString& texto = {}) override;
    void DibujarMano(int silla, char modo) override;
    void DibujarMesa() override;
    void DibujarFichaSola(int ficha) override;
    void CursorOcupado(bool ocupado) override;
    void RefrescarNombres() override;

    void TocarSonido(const QString& archivo) override;
    void ArmarAlarma(int segundos) override;
    void DetenerAlarma() override;
    void TurnoHumano(int silla) override;

    int MensaBox(const Mensaje& m) override;
    bool PreguntaSiNo(const QString& texto) override;
    QString InputBox(const QString& prompt, const QString& titulo, const QString& propuesta) override;

    void MostrarPicThink(bool visible) override;
    void MostrarAvance(double fraccion, bool final) override;
    void Anotar(const QString& texto) override
    {
        if (AlAnotar)
            AlAnotar(texto);
    }
    std::function<void(const QString&)> AlAnotar;
    // "Computadora rápida": the person's choice, on top of Ritmo (which tests
    // set to 0 whatever the person chose).
    double Rapidez = 1.0;

    // Wiring done by the session.
    void PonerVentana(frmDomino* ventana);
    void PonerCarpeta(const QString& carpeta) { carpeta_ = carpeta; }
    // Tests replace the sound player with one that records.
    void PonerReproductor(std::unique_ptr<Reproductor> r) { reproductor_ = std::move(r); }

private:
    QPointer<frmDomino> ventana_;
    QString carpeta_;
    std::unique_ptr<Reproductor> reproductor_ = std::make_unique<Reproductor>();
    int ocupado_ = 0;
};
