// Hand after hand: the partida's start and the procedure of one hand.

#include "flujo/Juego.h"

Juego::Juego(Estado& estado, Anfitrion& anfitrion) : E(estado), A(anfitrion) {}

void Juego::IniciarPartida()
{
    E.NumMano = 0;
    E.FinPartida = false;
    E.Ganador = 0;
    E.PuntosPar13.clear();
    E.PuntosPar24.clear();
    for (int s = 1; s <= 4; ++s)
        E.Jugadores[s].Meritos = 0;
    JugarMano();
}

void Juego::JugarMano()
{
    if (Cortar() || E.FinPartida)
        return;
    struct Nivel {
        Juego& j;
        explicit Nivel(Juego& g) : j(g) { j.profundidadMax_ = std::max(j.profundidadMax_, ++j.profundidad_); }
        ~Nivel() { --j.profundidad_; }
    } nivel(*this);

    // A later hand started from inside one of this hand's waits (a host whose
    // waits run scheduled tasks) owns the state from then on.
    const int serie = ++serieMano_;
    auto relevada = [&] { return serie != serieMano_; };

    // 1.
    manoCerrada_ = false;
    for (int s = 1; s <= 4; ++s) {
        E.Sillas[s].MarcaFin = QStringLiteral("   ");
        A.Boton(Control::SumPuntos, s, Accion::Ocultar);
    }
    E.ManoTerminada = false;
    // 2.
    E.FaseMano = Fase::Repartiendo;
    Repartir();
    if (Cortar() || relevada())
        return;
    // 3.
    for (int s = 1; s <= 4; ++s) {
        A.DibujarMano(s, E.Jugadores[s].Vista);
        E.Jugadores[s].Oculta = E.Jugadores[s].Vista == 'C';
    }
    // 4.
    E.TiroListo = false;
    PrepararSalida();
    if (relevada())
        return;
    E.FaseMano = Fase::Saliendo;
    RefrescarBotones();
    if (EsLocal(E.Turno) && E.Jugadores[E.Turno].HoC == Quien::Persona)
        A.SalidaHumana(E.Turno);

    // 5. The lead may also be laid meanwhile by a table line (the play engine
    // runs from the dispatcher); then there is nothing left to play here.
    int rechazos = 0;
    while (E.NumTiro == 0 && !E.ManoTerminada) {
        while (!E.TiroListo && E.NumTiro == 0) {
            if (Cortar() || relevada())
                return;
            EsperarSalida();
        }
        if (relevada())
            return;
        if (E.NumTiro != 0)
            break;
        E.FaseMano = Fase::Tirando;
        JugarTiro(E.FichaElegida, E.PuntaElegida);
        if (E.NumTiro == 0) {
            // A lead that cannot be laid (not the leader's tile): wait for another.
            E.FaseMano = Fase::Saliendo;
            E.TiroListo = false;
            E.TiroRecibido[1] = 0;
            E.PuntaRecibida[1] = Extremo::Ninguno;
            if (++rechazos > 3 && !(EsLocal(E.Turno) && E.Jugadores[E.Turno].HoC == Quien::Persona))
                return;
        }
    }
    // 6.
    if (E.ManoTerminada && !relevada())
        TerminarMano();
}

void Juego::Abandonar()
{
    if (abandonada_)
        return;
    abandonada_ = true;
    atrasPendientes_.clear();
    A.DetenerAlarma();
    A.Boton(Control::bAtras, 0, Accion::Deshabilitar);
    A.Boton(Control::bConsejo, 0, Accion::Deshabilitar);
    A.Boton(Control::bMemoria, 0, Accion::Deshabilitar);
    A.Titulo(E.TituloMesa + QStringLiteral("Sin mesa de juego: la partida terminó."));
}
