#include "shell/Pausa.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <vector>

namespace {
bool gCerrando = false;
std::vector<QEventLoop*> gEsperas;
}

void Pausa(double segundos)
{
    if (segundos <= 0 || gCerrando)
        return;
    QEventLoop espera;
    QTimer reloj;
    reloj.setSingleShot(true);
    reloj.setTimerType(Qt::PreciseTimer);
    QObject::connect(&reloj, &QTimer::timeout, &espera, &QEventLoop::quit);
    reloj.start(static_cast<int>(segundos * 1000.0 + 0.5));
    gEsperas.push_back(&espera);
    espera.exec();
    std::erase(gEsperas, &espera);
}

void Ceder()
{
    if (!gCerrando)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}

bool Cerrando()
{
    return gCerrando;
}

void AvisarCierre()
{
    if (gCerrando)
        return;
    gCerrando = true;
    for (QEventLoop* e : gEsperas)
        e->quit();
}

void ReiniciarCierre()
{
    gCerrando = false;
}
