// Taking back the last play, here and (through "Atras") at every machine.

#include "records/Marcador.h"
#include "rules/Juego.h"

void Juego::RegresarTurno()
{
    if (E.NumTiro <= 0 || E.ManoTerminada)
        return;
    if (colocando_) {
        // Served during one of the engine's pauses: undo once the play in hand is laid.
        A.Programar([this] { RegresarTurno(); });
        return;
    }
    const int n = E.NumTiro;
    const int t = E.HistFicha[n];
    if (t < 0 || t >= kNumFichas || E.Fichas[t].Dueno < 1 || E.Fichas[t].Dueno > 4)
        return;
    // 1.
    A.Boton(Control::bAtras, 0, Accion::Deshabilitar);
    // 2.
    E.Fichas[t].Lugar = 'D';
    E.TiroRecibido[n] = 0;
    E.PuntaRecibida[n].clear();
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
    if (E.HistPunta[n] == QLatin1String("DER")) {
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
    const Accion local = EsLocal(E.Turno) ? Accion::Habilitar : Accion::Deshabilitar;
    A.Boton(Control::bConsejo, 0, local);
    A.Boton(Control::bAtras, 0, local);
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
