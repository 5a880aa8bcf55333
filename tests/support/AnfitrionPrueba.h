#pragma once
// The one test host, for the hand flow and for the computer player alone:
// pauses take no time (they move a fake clock), every wait serves the
// scheduled tasks and a scripted hook, and everything the flow or the chooser
// shows, plays, asks or sends is recorded (what it
// tells the table as the lines a table would get). Questions take scripted answers,
// or their defaults when none is left (Yes/No: Respuesta). A flow that waits
// forever is cut off after a fixed number of waits (Agotado then tells so).

#include <QStringList>
#include <deque>
#include <functional>
#include <vector>

#include "flujo/Anfitrion.h"

class AnfitrionPrueba : public Anfitrion {
public:
    double Hora = 36000.0;  // fake time of day, seconds

    // What the flow did.
    QStringList Titulos, Sonidos, Enviados, Botones, Preguntas, Anotaciones;
    std::vector<Mensaje> Mensajes;
    std::vector<std::pair<int, int>> Luces;  // seat, light
    std::vector<double> Pausas;
    std::vector<int> Alarmas;
    QList<double> Avances;  // the analysis progress bar, in order

    // Scripted answers, taken in order.
    std::deque<int> RespuestasMensaBox;
    std::deque<bool> RespuestasSiNo;
    std::deque<QString> RespuestasInput;
    bool Respuesta = false;  // every Yes/No once RespuestasSiNo is spent

    // Run at every wait (Ceder and Pausa), after the scheduled tasks.
    std::function<void()> Gancho;
    std::function<void(int)> AlTurnoHumano, AlRepartoHumano, AlSalidaHumana;
    std::function<void(const QString& prompt)> AlInputBox;

    bool Cerrar = false;
    bool Agotado = false;
    int LimiteEsperas = 2000000;

    double Reloj() override { return Hora; }
    void Ceder() override { Servir(); }
    void Pausa(double segundos) override;
    bool Cerrando() const override { return Cerrar; }
    void Programar(std::function<void()> tarea) override { cola_.push_back(std::move(tarea)); }

    // The table's lines, as a host at a table would send them.
    void FichasTomadas(int silla, std::span<const int, 7> mano) override;
    void JugadaHecha(int numero, int silla, int ficha, Extremo punta, const QString& merito) override;
    void FinDeMano(int silla) override;
    void NoSale(int turno, int silla) override;
    void TurnoRegresado(int turno) override;
    void ManoRepetida() override;
    void JugadasRepetidas(int salidor, std::span<const int> fichas, std::span<const Extremo> puntas) override;
    void Anotar(const QString& t) override { Anotaciones << t; }
    void Titulo(const QString& t) override { Titulos << t; }
    void Semaforo(int silla, int luz) override { Luces.emplace_back(silla, luz); }
    void Boton(Control c, int silla, Accion a, const QString& texto = {}) override;
    void TocarSonido(const QString& archivo) override { Sonidos << archivo; }
    void ArmarAlarma(int segundos) override { Alarmas.push_back(segundos); }
    void MostrarAvance(double fraccion, bool) override { Avances << fraccion; }
    void TurnoHumano(int silla) override { if (AlTurnoHumano) AlTurnoHumano(silla); }
    void RepartoHumano(int silla) override { if (AlRepartoHumano) AlRepartoHumano(silla); }
    void SalidaHumana(int silla) override { if (AlSalidaHumana) AlSalidaHumana(silla); }

    int MensaBox(const Mensaje& m) override;
    bool PreguntaSiNo(const QString& texto) override;
    QString InputBox(const QString& prompt, const QString& titulo, const QString& propuesta) override;

    // The event loop of a test: runs scheduled tasks until none is left.
    void CorrerPendientes();
    int Pendientes() const { return static_cast<int>(cola_.size()); }

private:
    void Servir();
    std::deque<std::function<void()>> cola_;
    int esperas_ = 0;
};
