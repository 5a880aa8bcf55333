// Handing the turn on after a play: passes, the blocked hand, and who acts
// for the seat that can play.

#include <cmath>

#include "ai/Elegir.h"
#include "records/Marcador.h"
#include "rules/Jugadas.h"
#include "flujo/Juego.h"

namespace {

// A play the seat to move could make now: its own tile, in hand, fitting the end named.
bool Jugable(const Estado& e, int ficha, Extremo lado)
{
    if (ficha < 0 || ficha >= kNumFichas)
        return false;
    const Ficha& t = e.Fichas[ficha];
    if (t.Lugar != 'D' || t.Dueno != e.Turno)
        return false;
    if (e.NumTiro == 0)
        return true;
    if (lado == Extremo::Der)
        return e.ValorDer == t.Punto1 || e.ValorDer == t.Punto2;
    if (lado == Extremo::Izq)
        return e.ValorIzq == t.Punto1 || e.ValorIzq == t.Punto2;
    return false;
}

}  // namespace

void Juego::MostrarTurno(int silla)
{
    const Jugador& j = E.Jugadores[silla];
    if (EsLocal(silla)) {
        A.Semaforo(silla, LuzVerde);
        A.Titulo(E.TituloMesa + QStringLiteral("Turno Local de ") + j.Nombre + QStringLiteral(" ..."));
    } else {
        A.Semaforo(silla, LuzAmbar);
        A.Titulo(E.TituloMesa + QStringLiteral("Turno Remoto de ") + EsperaDe(silla) + QStringLiteral(" ..."));
    }
}

QString Juego::EsperaDe(int silla) const
{
    if (silla >= 1 && silla <= 4 && E.Sillas[silla].Dejada)
        return E.Jugadores[silla].Nombre + QStringLiteral(" (dejó la Silla ") + QString::number(silla)
               + QStringLiteral("; la mesa espera que alguien la ocupe)");
    return E.Jugadores[silla].Nombre;
}

void Juego::SillaDejada(int silla)
{
    if (silla < 1 || silla > 4 || EsLocal(silla))
        return;
    E.Sillas[silla].Dejada = true;
    if (E.Turno == silla && (E.FaseMano == Fase::Tirando || E.FaseMano == Fase::Saliendo)
        && !E.ManoTerminada)
        MostrarTurno(silla);
}

void Juego::SillaRecuperada(int silla)
{
    if (silla < 1 || silla > 4 || !EsLocal(silla) || Cortar())
        return;
    // Only the computer takes a seat once the partida has started; its name
    // and kind also come back from the table, after the grant.
    E.Sillas[silla].Dejada = false;
    E.Jugadores[silla].HoC = Quien::Computadora;
    E.Jugadores[silla].Nombre = QStringLiteral("Compu ") + QString::number(silla);
    E.Jugadores[silla].Vista = E.Opciones.AoC;
    A.RefrescarNombres();
    // The hand is over here and the table waits for this seat's "FIN".
    if (E.ManoTerminada && E.Sillas[silla].MarcaFin != QLatin1String("FIN")) {
        E.Sillas[silla].MarcaFin = QStringLiteral("FIN");
        A.FinDeMano(silla);
        return;
    }
    // Its turn in play, with nothing being laid: the computer plays now. The
    // pick and the lead notice the change in their own waits.
    if (E.FaseMano != Fase::Tirando || E.ManoTerminada || colocando_ || E.Turno != silla
        || E.NumTiro == 0 || E.Jugadores[silla].HoC != Quien::Computadora)
        return;
    const int opciones = ContarOpciones(E, silla);
    if (opciones < 1)
        return;
    MostrarTurno(silla);
    Relevo r;
    {
        Bandera guarda(colocando_);
        r = TurnoComputadora(opciones);
    }
    if (r.Tipo == Relevo::Jugar && !Cortar() && E.Turno == silla) {
        Tirar(r.Ficha, r.Lado);
    }
}

void Juego::SonarPaso()
{
    A.Pausa(0.5);
    A.TocarSonido(QStringLiteral("MMEDIA/paso%1.wav").arg(E.Turno));
}

void Juego::TocarFicha()
{
    A.TocarSonido(QStringLiteral("MMEDIA/Ficha.wav"));
    A.Ceder();
}

Juego::Relevo Juego::CederTurno()
{
    Relevo r;
    // 1.
    A.Semaforo(E.Turno, LuzRoja);
    A.Boton(Control::bConsejo, 0, Accion::Deshabilitar);
    A.Boton(Control::bMemoria, 0, Accion::Deshabilitar);
    A.DetenerAlarma();

    // 2. Seats that cannot play pass; when the turn comes back to the seat
    // that made the last play and it cannot play either, the hand is blocked.
    int pases = 0;
    int opciones = 0;
    for (;;) {
        E.Turno = Siguiente(E.Turno);
        opciones = ContarOpciones(E, E.Turno);
        if (opciones > 0)
            break;
        pases += 1;
        if (pases > 3) {
            A.DetenerAlarma();
            MostrarTodas();
            r.Tipo = Relevo::Bloqueada;
            return r;
        }
        SonarPaso();
        A.Semaforo(E.Turno, LuzAmbar);
        A.Ceder();
        A.Pausa(1.5);
        A.Semaforo(E.Turno, LuzRoja);
        if (Cortar())
            return r;
    }

    const int s = E.Turno;
    const Jugador& j = E.Jugadores[s];
    // 3. Advice and undo wait until the chain of plays stops (JugarTiro
    // enables them then): neither may act while a computer of this machine
    // is still to play.
    MostrarTurno(s);
    A.Boton(Control::bConsejo, 0, Accion::Deshabilitar);
    A.Boton(Control::bAtras, 0, Accion::Deshabilitar);
    // 4.
    if (j.HoC == Quien::Computadora) {
        A.Ceder();
        A.Pausa(1);
        if (Cortar() || E.Turno != s)
            return r;
    }
    // 5.
    const int siguiente = E.NumTiro + 1;
    if (siguiente > kMaxTiros || E.HistFicha[siguiente] == -1) {
        A.Boton(Control::bMemoria, 0, Accion::Ocultar);
    } else {
        A.Boton(Control::bMemoria, 0, Accion::Texto, TextoMemoria(E, siguiente));
        A.Boton(Control::bMemoria, 0, Accion::Mostrar);
    }
    A.Boton(Control::bAtras, 0, Accion::Mostrar);
    if (EsLocal(s) && j.HoC == Quien::Persona)
        A.Boton(Control::bMemoria, 0, Accion::Habilitar);

    // 6. Another machine plays this seat: its play may already be here.
    if (!EsLocal(s)) {
        if (siguiente <= kMaxTiros && E.PuntaRecibida[siguiente] != Extremo::Ninguno
            && Jugable(E, E.TiroRecibido[siguiente], E.PuntaRecibida[siguiente])) {
            r.Tipo = Relevo::Jugar;
            r.Ficha = E.TiroRecibido[siguiente];
            r.Lado = E.PuntaRecibida[siguiente];
        }
        return r;
    }
    // 7. A person of this machine: the pointer will bring the play.
    if (j.HoC == Quien::Persona) {
        A.Ceder();
        A.TurnoHumano(s);
        A.ArmarAlarma(opciones < 2 ? E.Opciones.Tiempo1 : E.Opciones.Tiempo2);
        return r;
    }
    return TurnoComputadora(opciones);
}

// The computer of this machine to move: a remembered play when it can still
// be made, else the chooser, paced as a person would see it think.
Juego::Relevo Juego::TurnoComputadora(int opciones)
{
    Relevo r;
    const int siguiente = E.NumTiro + 1;
    // 8.
    if (siguiente <= kMaxTiros && Jugable(E, E.HistFicha[siguiente], E.HistPunta[siguiente])) {
        r.Tipo = Relevo::Jugar;
        r.Ficha = E.HistFicha[siguiente];
        r.Lado = E.HistPunta[siguiente];
        return r;
    }
    const double marca = std::round(A.Reloj());
    A.CursorOcupado(true);
    const Eleccion el = ElegirJugada(E, A, opciones);
    double transcurrido = A.Reloj() - marca;
    if (transcurrido < -43200)  // midnight passed while choosing
        transcurrido += 86400;
    const double espera = (opciones == 1 ? 2.0 : 6.0) - transcurrido;
    if (espera > 0)
        A.Pausa(espera);
    A.CursorOcupado(false);
    if (Cortar())
        return r;
    r.Tipo = Relevo::Jugar;
    r.Ficha = el.Ficha;
    r.Lado = el.Lado;
    return r;
}
