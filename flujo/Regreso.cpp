// Taking back the last play, here and (through "Atras") at every machine.

#include "records/Marcador.h"
#include "flujo/Juego.h"

void Juego::RegresarTurno()
{
    // Never in the middle of laying a play: the caller waits for the chain to stop.
    if (E.NumTiro <= 0 || E.ManoTerminada || colocando_)
        return;
    const int n = E.NumTiro;
    const int t = E.HistFicha[n];
    if (t < 0 || t >= kNumFichas || E.Fichas[t].Dueno < 1 || E.Fichas[t].Dueno > 4)
        return;
    // 1.
    A.Boton(Control::bAtras, 0, Accion::Deshabilitar);
    // 2.
    E.Fichas[t].Lugar = 'D';
    E.TiroRecibido[n] = 0;
    E.PuntaRecibida[n] = Extremo::Ninguno;
    E.MeritoRecibido[n].clear();
    // 3.
    A.DibujarMano(E.Turno, E.Jugadores[E.Turno].Vista);
    // 4.
    E.Turno = E.Fichas[t].Dueno;
    Jugador& j = E.Jugadores[E.Turno];
    j.NumFichas += 1;
    A.DibujarMano(E.Turno, j.Vista);
    // 5.
    for (int s = 1; s <= 4; ++s)
        A.Semaforo(s, LuzRoja);
    MostrarTurno(E.Turno);
    // 6.
    E.NumTiro = n - 1;
    // 7.
    const int p = n - 1;
    if (E.HistPunta[n] == Extremo::Der) {
        E.PuntaDerX = E.HistDerX[p];
        E.PuntaDerY = E.HistDerY[p];
        E.ValorDer = E.HistValorDer[p];
        E.MarcaDer = E.HistMarcaDer[p];
        E.RumboDer = E.HistRumboDer[p];
    } else {
        E.PuntaIzqX = E.HistIzqX[p];
        E.PuntaIzqY = E.HistIzqY[p];
        E.ValorIzq = E.HistValorIzq[p];
        E.MarcaIzq = E.HistMarcaIzq[p];
        E.RumboIzq = E.HistRumboIzq[p];
    }
    // 8.
    A.DibujarMesa();
    // 9.
    RefrescarBotones();
    const Accion local = EsLocal(E.Turno) ? Accion::Habilitar : Accion::Deshabilitar;
    // 10.
    if (E.HistFicha[n] != -1) {
        A.Boton(Control::bMemoria, 0, Accion::Texto, TextoMemoria(E, n));
        A.Boton(Control::bMemoria, 0, Accion::Mostrar);
        A.Boton(Control::bMemoria, 0, local);
    }
    // 11.
    if (E.NumTiro == 0)
        A.Boton(Control::bAtras, 0, Accion::Ocultar);
}

bool Juego::PuedeRegresar() const
{
    return E.FaseMano == Fase::Tirando && E.NumTiro > 0 && !E.ManoTerminada && !colocando_ && !Cortar()
           && E.Turno >= 1 && E.Turno <= 4 && EsLocal(E.Turno);
}

bool Juego::PuedeAconsejar() const
{
    const bool enJuego = E.FaseMano == Fase::Saliendo || E.FaseMano == Fase::Tirando;
    return enJuego && !E.ManoTerminada && !colocando_ && !Cortar() && E.Turno >= 1 && E.Turno <= 4
           && EsLocal(E.Turno) && E.Jugadores[E.Turno].HoC == Quien::Persona;
}

void Juego::RefrescarBotones()
{
    A.Boton(Control::bAtras, 0, PuedeRegresar() ? Accion::Habilitar : Accion::Deshabilitar);
    A.Boton(Control::bConsejo, 0, PuedeAconsejar() ? Accion::Habilitar : Accion::Deshabilitar);
}

void Juego::AtrasRecibido(int silla)
{
    if (colocando_) {
        // Bounded: a hand has at most 25 plays to take back.
        if (static_cast<int>(atrasPendientes_.size()) < kMaxTiros)
            atrasPendientes_.push_back(silla);
        else
            A.Anotar(QStringLiteral("Atras de la silla %1 ignorado: demasiados pendientes").arg(silla));
        return;
    }
    AplicarAtras(silla);
}

void Juego::AplicarAtras(int silla)
{
    // The sender undid with its own seat to move; here that seat is played
    // elsewhere and must be the one to move after the same plays.
    if (E.FaseMano != Fase::Tirando || E.NumTiro <= 0 || E.ManoTerminada || silla != E.Turno
        || silla < 1 || silla > 4 || EsLocal(silla)) {
        A.Anotar(QStringLiteral("Atras de la silla %1 ignorado: no es su turno de regresar").arg(silla));
        return;
    }
    RegresarTurno();
}
