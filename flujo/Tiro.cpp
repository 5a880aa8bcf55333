// The play engine: fit, placement, history, merit, the play message, and
// the hand-over that keeps a chain of computer plays going in one call.

#include "flujo/Juego.h"
#include "rules/Linea.h"
#include "rules/Jugadas.h"
#include "rules/Formato.h"

#include <algorithm>

namespace {

QString DosDigitos(int n) { return QString::number(n).rightJustified(2, '0'); }

}  // namespace

void Juego::JugarTiro(int ficha, Extremo lado)
{
    // A play that arrives while another is being placed (a table line served
    // during one of the engine's pauses) is not lost: it stays in
    // TiroRecibido and the turn cycle takes it when its seat's turn comes.
    if (colocando_ || E.ManoTerminada)
        return;
    {
        Bandera guarda(colocando_);
        A.Boton(Control::bAtras, 0, Accion::Deshabilitar);
        Encadenar(ficha, lado);
    }
    // The chain has stopped at a seat that does not play here (or the hand
    // ended): the undos that came meanwhile find the play their sender took back.
    std::vector<int> atras;
    atras.swap(atrasPendientes_);
    for (int silla : atras)
        AplicarAtras(silla);
    RefrescarBotones();
}

void Juego::JugarTirando(int ficha, Extremo lado)
{
    E.FaseMano = Fase::Tirando;
    JugarTiro(ficha, lado);
}

void Juego::Encadenar(int ficha, Extremo lado)
{
    int f = ficha;
    Extremo l = lado;
    while (!Cortar()) {
        if (f < 0 || f >= kNumFichas || E.NumTiro >= kMaxTiros || E.Turno < 1 || E.Turno > 4)
            return;
        Ficha& t = E.Fichas[f];
        if (t.Lugar != 'D' || t.Dueno != E.Turno)
            return;

        // 1. Fit flags.
        const bool primera = E.NumTiro == 0;
        const bool der1 = primera || E.ValorDer == t.Punto1;
        const bool der2 = !primera && E.ValorDer == t.Punto2;
        const bool izq1 = !primera && E.ValorIzq == t.Punto1;
        const bool izq2 = !primera && E.ValorIzq == t.Punto2;
        const bool der = der1 || der2;
        const bool izq = izq1 || izq2;
        if (!der && !izq)
            return;
        // 2.
        const bool igualesAntes = E.ValorDer == E.ValorIzq;

        // 5. The end. A person of this machine gets the end that fits; a play
        // chosen by the computer or received keeps its end, which must fit.
        Jugador& j = E.Jugadores[E.Turno];
        bool derecha = true;
        const bool nombrada = l == Extremo::Der || l == Extremo::Izq;
        if (primera) {
            derecha = true;
        } else if ((j.LoR == Donde::Local && j.HoC == Quien::Persona) || !nombrada) {
            derecha = (der && izq) ? l == Extremo::Der : der;
        } else {
            derecha = l == Extremo::Der;
            if (derecha ? !der : !izq)
                return;
        }

        // 3.
        if (j.HoC == Quien::Persona && j.Vista == 'C') {
            A.DibujarMano(E.Turno, 'C');
            j.Oculta = true;
        }
        // 4.
        E.NumTiro += 1;
        t.Lugar = 'J';
        // 6.
        Colocar(f, derecha, derecha ? der1 : izq1);
        // 7.
        const int n = E.NumTiro;
        E.HistJugador[n] = E.Turno;
        E.HistFicha[n] = f;
        E.HistPunta[n] = ExtremoDe(derecha);
        E.HistValorIzq[n] = E.ValorIzq;
        E.HistValorDer[n] = E.ValorDer;
        E.HistIzqX[n] = E.PuntaIzqX;
        E.HistIzqY[n] = E.PuntaIzqY;
        E.HistDerX[n] = E.PuntaDerX;
        E.HistDerY[n] = E.PuntaDerY;
        E.HistRumboIzq[n] = E.RumboIzq;
        E.HistRumboDer[n] = E.RumboDer;
        E.HistMarcaIzq[n] = E.MarcaIzq;
        E.HistMarcaDer[n] = E.MarcaDer;
        // 8. A play received keeps the merit that came with it, whether it is
        // laid on arrival, as the lead, or later by the turn cycle.
        if (EsLocal(E.Turno)) {
            E.MeritoTurno[n] = Merito(f, E.HistPunta[n], igualesAntes);
            A.JugadaHecha(n, E.Turno, f, E.HistPunta[n], E.MeritoTurno[n]);
        } else {
            E.MeritoTurno[n] = E.MeritoRecibido[n];
        }
        E.FaseMano = Fase::Tirando;
        // 9.
        A.DibujarMano(E.Turno, j.Vista);
        TocarFicha();
        A.DibujarMesa();
        A.Boton(Control::SumPuntos, E.Turno, Accion::Texto, QString::number(E.SumaPuntos(E.Turno)));
        // 10.
        j.NumFichas -= 1;
        if (j.NumFichas <= 0) {
            A.DetenerAlarma();
            MostrarTodas();
            PuntuarDomino();
            E.ManoTerminada = true;
            return;
        }
        // 11.
        const Relevo r = CederTurno();
        if (r.Tipo == Relevo::Bloqueada) {
            PuntuarCierre();
            E.ManoTerminada = true;
            return;
        }
        if (r.Tipo == Relevo::Esperar)
            return;
        f = r.Ficha;
        l = r.Lado;
    }
}

void Juego::Colocar(int ficha, bool derecha, bool porPrimero)
{
    Ficha& t = E.Fichas[ficha];
    const bool doble = EsDoble(ficha);
    if (E.NumTiro > 1)
        AvanzarPunta(E, derecha, doble);
    char& marca = derecha ? E.MarcaDer : E.MarcaIzq;
    marca = doble ? 'M' : ' ';

    // A double lies across the heading; any other tile along it, the number
    // that matched toward the previous tile.
    const char rumbo = derecha ? E.RumboDer : E.RumboIzq;
    const char destino = doble ? RumboDerecha(rumbo) : (porPrimero ? RumboOpuesto(rumbo) : rumbo);
    if (t.Rumbo != 'N' && t.Rumbo != 'E' && t.Rumbo != 'S' && t.Rumbo != 'O')
        t.Rumbo = 'N';
    if (RumboIzquierda(t.Rumbo) == destino)
        GirarIzq(t);
    for (int i = 0; i < 3 && t.Rumbo != destino; ++i)
        GirarDer(t);

    t.X = derecha ? E.PuntaDerX : E.PuntaIzqX;
    t.Y = derecha ? E.PuntaDerY : E.PuntaIzqY;
    if (derecha)
        E.ValorDer = porPrimero ? t.Punto2 : t.Punto1;
    else
        E.ValorIzq = porPrimero ? t.Punto2 : t.Punto1;
    if (E.NumTiro == 1) {
        E.MarcaIzq = E.MarcaDer;
        E.ValorIzq = t.Punto1;
    }
}

QString Juego::Merito(int ficha, Extremo lado, bool igualesAntes) const
{
    const QString& p = E.Pronosticos[std::clamp(E.NumTiro, 0, kMaxTiros)];
    const int n = static_cast<int>(p.size()) / 6;
    if (n == 0)
        return {};
    const QChar mejor = p[0];
    int i = 2;
    while (i <= n && p[(i - 1) * 6] == mejor)
        ++i;
    if (i > n)
        return {};  // every option in one category: nothing to compare
    const int nMejor = i - 1;
    const int nOtro = n - nMejor;
    const QString buscado = DosDigitos(ficha) + (igualesAntes ? QString() : TextoExtremo(lado).left(1));
    const int pos = static_cast<int>(p.indexOf(buscado));
    if (pos < 2)
        return {};
    if (p[pos - 2] == mejor)
        return FormatoMeritoPositivo(nOtro, nMejor);
    return FormatoMeritoNegativo(nMejor, nOtro);
}
