#include "net/SalonMesa.h"

#include <QTime>
#include <cmath>

#include "flujo/Entradas.h"
#include "net/Despachador.h"
#include "protocolo/Protocolo.h"

SalonMesa::SalonMesa(Estado& estado, AnfitrionMesa& anfitrion) : E(estado), A(anfitrion) {}

void SalonMesa::Activar()
{
    if (activado)
        return;
    activado = true;
    entrada::AbrirSillas(E);
}

int SalonMesa::Preguntar(const QString& texto, int icono, double segundos)
{
    return A.Aviso(texto, icono, segundos, 1);
}

// The hands are emptied only while seats are taken. Once the table has
// started, a hand line may already be here (it can come in the same read as
// "Inici"), and closing the lobby must not discard it.
void SalonMesa::CopiarEstadoSillas(bool manos)
{
    entrada::CopiarSillas(E, manos);
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
    A.Enviar(protocolo::Juntar({protocolo::LineaSilla(silla), protocolo::LineaNombre(silla, nombre)}));
    CopiarEstadoSillas(true);
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
        entrada::ComputadoraOcupa(E, s, QStringLiteral("Compu ") + s_);
        if (MostrarNombre)
            MostrarNombre(s);
        PedirParaComputadora(s, E.Jugadores[s].Nombre);
    }
    for (int s = 1; s <= 4; ++s)
        if (Libre(s))
            return false;
    Inicie = true;
    return true;
}

void SalonMesa::PedirParaComputadora(int silla, const QString& nombre)
{
    entrada::SembrarSilla(E, silla, int(std::lround(QTime::currentTime().msecsSinceStartOfDay() / 1000.0)));
    A.Enviar(protocolo::Juntar(
        {protocolo::LineaSilla(silla), protocolo::LineaNombre(silla, nombre),
         protocolo::LineaHoC(silla, LetraQuien(Quien::Computadora))}));
}

bool SalonMesa::OfrecerSilla(int silla)
{
    if (!Inicie || silla < 1 || silla > 4 || !E.Sillas[silla].Dejada || E.Jugadores[silla].LoR == Donde::Local)
        return false;
    // One question for each time the seat is left.
    bool& ofrecida = ofrecidas_[static_cast<size_t>(silla)];
    if (ofrecida)
        return false;
    ofrecida = true;
    const QString s_ = QString::number(silla);
    const QString texto = E.Jugadores[silla].Nombre + QStringLiteral(" dejó la Silla ") + s_ +
                          QStringLiteral(".\n\n¿Deseas que Compu ") + s_ + QStringLiteral(" ocupe su lugar?");
    const bool si = Preguntar(texto, 32, 30) == 1;
    ofrecida = false;
    // Somebody may have taken the seat while the question was open.
    if (!si || !E.Sillas[silla].Dejada || E.Jugadores[silla].LoR == Donde::Local)
        return false;
    if (Mesa)
        Mesa->PedirSilla(silla);
    PedirParaComputadora(silla, QStringLiteral("Compu ") + s_);
    return true;
}

int SalonMesa::PersonasLocales() const
{
    int n = 0;
    for (int s = 1; s <= 4; ++s)
        n += E.Jugadores[s].HoC != Quien::Computadora && E.Jugadores[s].LoR == Donde::Local;
    return n;
}

SalonMesa::Cierre SalonMesa::VerificarCierre()
{
    for (int s = 1; s <= 4; ++s) {
        if (Libre(s))
            return Preguntar(QStringLiteral("¿Deseas abandonar la mesa?"), 32, 5) == 1 ? Cierre::Salir
                                                                                     : Cierre::Quedarse;
    }
    CopiarEstadoSillas(false);
    entrada::FijarVistas(E, PersonasLocales());
    return Cierre::Seguir;
}
