#include "net/SalonMesa.h"

#include <QTime>
#include <cmath>

#include "net/Protocolo.h"

SalonMesa::SalonMesa(Estado& estado, Anfitrion& anfitrion) : E(estado), A(anfitrion) {}

void SalonMesa::Activar()
{
    if (activado)
        return;
    activado = true;
    for (int s = 1; s <= 4; ++s) {
        E.Jugadores[s].HoC = 'H';
        E.Jugadores[s].LoR = 'R';
    }
}

int SalonMesa::Preguntar(const QString& texto, int icono, double segundos)
{
    return A.Aviso(texto, icono, segundos, 1);
}

void SalonMesa::CopiarEstadoSillas()
{
    for (int s = 1; s <= 4; ++s) {
        E.Sillas[s].NombreSilla = E.Jugadores[s].Nombre.left(18);
        E.Sillas[s].DigitosMano = QString(14, QLatin1Char('9'));
    }
}

bool SalonMesa::TomarSilla(int silla, const QString& texto)
{
    if (silla < 1 || silla > 4)
        return false;
    const QString nombre = texto.trimmed();
    if (nombre.isEmpty()) {
        A.Aviso(QStringLiteral("¡Por favor escribe tu nombre!"), 48, 2);
        return false;
    }
    if (Preguntar(nombre + QStringLiteral(" ocupará la Silla ") + QString::number(silla), 64, 2) != 1)
        return false;
    A.EnviarMensaje(protocolo::LineaSilla(silla) + QStringLiteral("\r\n") + protocolo::LineaNombre(silla, nombre));
    CopiarEstadoSillas();
    return true;
}

bool SalonMesa::Iniciar()
{
    IniciarHabilitado = false;
    for (int s = 1; s <= 4; ++s) {
        if (!Libre(s))
            continue;
        const QString s_ = QString::number(s);
        const QString texto = QStringLiteral("La silla ") + s_ + QStringLiteral(" está desocupada.\n\nCompu ") + s_ +
                              QStringLiteral(" ocupará el lugar.");
        if (Preguntar(texto, 32, 3) != 1) {
            IniciarHabilitado = true;
            return false;
        }
        Jugador& j = E.Jugadores[s];
        j.Nombre = QStringLiteral("Compu ") + s_;
        j.HoC = 'C';
        j.LoR = 'L';
        j.Semilla = int(std::lround(QTime::currentTime().msecsSinceStartOfDay() / 1000.0));
        if (MostrarNombre)
            MostrarNombre(s);
        A.EnviarMensaje(protocolo::LineaSilla(s) + QStringLiteral("\r\n") + protocolo::LineaNombre(s, j.Nombre) +
                        QStringLiteral("\r\n") + protocolo::LineaHoC(s, 'C'));
    }
    for (int s = 1; s <= 4; ++s)
        if (Libre(s))
            return false;
    return true;
}

int SalonMesa::PersonasLocales() const
{
    int n = 0;
    for (int s = 1; s <= 4; ++s)
        n += E.Jugadores[s].HoC != 'C' && E.Jugadores[s].LoR == 'L';
    return n;
}

SalonMesa::Cierre SalonMesa::VerificarCierre()
{
    for (int s = 1; s <= 4; ++s) {
        if (Libre(s))
            return Preguntar(QStringLiteral("¿Deseas abandonar la mesa?"), 32, 5) == 1 ? Cierre::Salir
                                                                                     : Cierre::Quedarse;
    }
    CopiarEstadoSillas();
    const int personas = PersonasLocales();
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = E.Jugadores[s];
        j.Vista = (personas < 2 && j.LoR == 'L' && j.HoC == 'H') ? 'A' : E.Opciones.AoC;
    }
    return Cierre::Seguir;
}
