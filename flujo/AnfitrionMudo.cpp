#include "flujo/AnfitrionMudo.h"

#include <QTime>

double AnfitrionMudo::Reloj()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void AnfitrionMudo::CorrerPendientes()
{
    while (!pendientes_.empty()) {
        auto tarea = std::move(pendientes_.front());
        pendientes_.pop_front();
        tarea();
    }
}
