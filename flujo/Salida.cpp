// The lead: who leads the hand, the partners' "¿Sales o salgo?", and the
// wait for the first tile.

#include "ai/Elegir.h"
#include "records/Marcador.h"
#include "rules/Jugadas.h"
#include "flujo/Juego.h"
#include "rules/Linea.h"

void Juego::IniciarLinea()
{
    ReiniciarPuntas(E);
    E.MarcaDer = ' ';
    E.MarcaIzq = ' ';
    E.NumTiro = 0;
    E.HistIzqX[0] = E.PuntaIzqX;
    E.HistIzqY[0] = E.PuntaIzqY;
    E.HistDerX[0] = E.PuntaDerX;
    E.HistDerY[0] = E.PuntaDerY;
    E.HistRumboIzq[0] = E.RumboIzq;
    E.HistRumboDer[0] = E.RumboDer;
    E.HistMarcaIzq[0] = E.MarcaIzq;
    E.HistMarcaDer[0] = E.MarcaDer;
    E.HistValorIzq[0] = E.ValorIzq;
    E.HistValorDer[0] = E.ValorDer;
}

void Juego::PrepararSalida()
{
    // 1. The received plays were cleared when the pick began (Repartir): a
    // lead made elsewhere can arrive while this copy still waits for the last
    // hands, and clearing here would lose it.
    // 2.
    E.NumMano += 1;
    E.PuntosPar13.resize(E.NumMano + 1, 0);
    E.PuntosPar24.resize(E.NumMano + 1, 0);
    // 3.
    for (int s = 1; s <= 4; ++s)
        A.Boton(Control::SumPuntos, s, Accion::Texto, QString::number(E.SumaPuntos(s)));
    A.RefrescarNombres();
    // 4 and 9. The line is emptied before the leader's options are counted.
    IniciarLinea();

    // 5.
    for (int s = 1; s <= 4; ++s)
        A.Boton(Control::bNoSalir, s, Accion::Ocultar);
    E.PasesSalida = 0;
    auto valida = [](int s) { return s >= 1 && s <= 4; };
    int turno = 1;
    if (E.Modo == ModoJuego::Lectura) {
        turno = E.Salidor;
    } else if (E.NumMano == 1) {
        turno = E.Opciones.AoC == 'A' ? 1 : E.Fichas[0].Dueno;
    } else if (E.Opciones.Salida == QLatin1String("JD")) {
        turno = Siguiente(E.Salidor);
    } else {
        turno = E.Ganador;  // "PG" and "JG"
    }
    E.Turno = valida(turno) ? turno : 1;
    if (E.Modo != ModoJuego::Lectura && E.NumMano > 1 && E.Opciones.Salida == QLatin1String("PG")) {
        const int companero = Siguiente(Siguiente(E.Turno));
        A.Boton(Control::bNoSalir, E.Turno, Accion::Texto, QStringLiteral("¿Sales o salgo?"));
        A.Boton(Control::bNoSalir, companero, Accion::Texto, QStringLiteral("¡Sal tú!"));
        if (E.Jugadores[E.Turno].HoC == Quien::Persona && E.Jugadores[companero].HoC == Quien::Persona
            && EsLocal(E.Turno))
            A.Boton(Control::bNoSalir, E.Turno, Accion::Mostrar);
    }
    // 6.
    E.Salidor = E.Turno;
    // 7.
    for (int s = 1; s <= 4; ++s)
        A.Semaforo(s, LuzRoja);
    MostrarTurno(E.Turno);
    // Advice is enabled once the lead is awaited (JugarMano), for a person only.
    A.Boton(Control::bConsejo, 0, Accion::Deshabilitar);
    // 8.
    const Jugador& j = E.Jugadores[E.Turno];
    if (j.HoC == Quien::Persona && EsLocal(E.Turno))
        A.ArmarAlarma(ContarOpciones(E, E.Turno) < 2 ? E.Opciones.Tiempo1 : E.Opciones.Tiempo2);
    // 10.
    if (E.HistFicha[1] != -1) {
        A.Boton(Control::bMemoria, 0, Accion::Texto, TextoMemoria(E, 1));
        A.Boton(Control::bMemoria, 0, Accion::Mostrar);
        A.Boton(Control::bMemoria, 0,
                j.HoC == Quien::Persona && EsLocal(E.Turno) ? Accion::Habilitar : Accion::Deshabilitar);
    } else {
        A.Boton(Control::bMemoria, 0, Accion::Ocultar);
    }
    // 11.
    A.Ceder();
    A.Pausa(2);
}

void Juego::PedirSalida()
{
    E.TiroListo = false;
    EsperarSalida();
}

void Juego::EsperarSalida()
{
    const int s = E.Turno;
    const Jugador& j = E.Jugadores[s];
    if (EsLocal(s) && j.HoC == Quien::Computadora) {
        if (E.Modo == ModoJuego::Lectura) {
            E.FichaElegida = E.HistFicha[E.NumTiro + 1];
            E.PuntaElegida = E.HistPunta[E.NumTiro + 1];
        } else {
            if (j.Vista == 'C' && E.NumMano == 1)
                E.FichaElegida = 0;
            else
                E.FichaElegida = ElegirJugada(E, A, 7).Ficha;
            E.PuntaElegida = Extremo::Der;
        }
        E.TiroListo = true;
        return;
    }
    if (EsLocal(s)) {
        A.Ceder();
        A.Pausa(0.05);  // the pointer sets TiroListo; do not spin meanwhile
        return;
    }

    // Another machine leads: wait for its play 1, or for its pass.
    while (E.PuntaRecibida[1] == Extremo::Ninguno) {
        // The seat may become this copy's computer while its lead is awaited.
        if (Cortar() || E.NumTiro != 0 || E.Turno != s || EsLocal(s))
            return;
        A.Pausa(0.2);
        A.Ceder();
    }
    const int recibido = E.TiroRecibido[1];
    const int companero = Siguiente(Siguiente(s));
    if (recibido < 0) {
        // Consumed here, so the partner's own answer is awaited afresh. When
        // the pass and the pass back arrived together only the last is left.
        E.TiroRecibido[1] = 0;
        E.PuntaRecibida[1] = Extremo::Ninguno;
        if (recibido == -s && E.PasesSalida < 2) {
            PasarSalida();
        } else if (recibido == -companero && E.PasesSalida == 0) {
            PasarSalida();
            PasarSalida();
        } else {
            A.Pausa(0.2);  // not this lead's pass: ignored
        }
        return;
    }
    // The partner led after a pass that has not been seen yet.
    if (recibido < kNumFichas && E.Fichas[recibido].Dueno == companero && E.PasesSalida < 2)
        PasarSalida();
    A.Titulo(E.TituloMesa);
    E.FichaElegida = recibido;
    E.PuntaElegida = E.PuntaRecibida[1];
    E.TiroListo = true;
}

void Juego::PasarSalida()
{
    const int p = E.Turno;
    Jugador& jp = E.Jugadores[p];
    // 1.
    if (jp.HoC == Quien::Persona && jp.Vista == 'C') {
        A.DibujarMano(p, 'C');
        jp.Oculta = true;
    }
    // 2.
    E.Turno = Siguiente(Siguiente(p));
    A.Boton(Control::bNoSalir, p, Accion::Ocultar);
    A.Semaforo(p, LuzRoja);
    // 3.
    E.PasesSalida += 1;
    // 4, 5. The lead can go to the partner and back once; then the seat must lead.
    const int s = E.Turno;
    if (!EsLocal(s)) {
        A.Boton(Control::bNoSalir, s, Accion::Ocultar);
    } else {
        A.Boton(Control::bNoSalir, s, E.PasesSalida == 1 ? Accion::Mostrar : Accion::Ocultar);
    }
    MostrarTurno(s);
    if (EsLocal(s) && E.Jugadores[s].HoC == Quien::Persona)
        A.SalidaHumana(s);
}

void Juego::NoSalir(int silla)
{
    if (silla != E.Turno || !EsLocal(silla) || E.FaseMano != Fase::Saliendo || E.NumTiro != 0
        || E.PasesSalida >= 2)
        return;
    PasarSalida();
    A.NoSale(E.Turno, silla);
}
