// The pick: the pool laid out (and shuffled face down), then each seat takes
// seven tiles in the pick order, by hand, by its seeded draw, or as received.

#include "flujo/Juego.h"
#include "rules/Linea.h"

namespace {

int Libres(const Estado& e)
{
    int n = 0;
    for (const Ficha& f : e.Fichas)
        n += f.Libre;
    return n;
}

}  // namespace

void Juego::Repartir()
{
    // 1.
    E.OrigenReparto = ' ';
    // No play of this hand can have arrived yet: every copy sends its first
    // hand only after all the previous hand's "FIN". Later, while this copy
    // still picks, the lead and the first plays may already come in.
    for (int i = 1; i <= kMaxTiros; ++i) {
        E.TiroRecibido[i] = 0;
        E.PuntaRecibida[i] = Extremo::Ninguno;
        E.MeritoRecibido[i].clear();
        E.MeritoTurno[i].clear();
    }
    // Last hand's advice has no place in the pick.
    A.Boton(Control::bConsejo, 0, Accion::Deshabilitar);
    // 2. The winning pair picks first, winner before partner.
    if (E.NumMano == 0) {
        for (int s = 1; s <= 4; ++s)
            E.Jugadores[s].OrdenReparto = s;
    } else {
        const int g = (E.Ganador >= 1 && E.Ganador <= 4) ? E.Ganador : 1;
        E.Jugadores[g].OrdenReparto = 1;
        E.Jugadores[Siguiente(Siguiente(g))].OrdenReparto = 2;
        E.Jugadores[Siguiente(g)].OrdenReparto = 3;
        E.Jugadores[Siguiente(Siguiente(Siguiente(g)))].OrdenReparto = 4;
    }
    // 3.
    for (Ficha& f : E.Fichas) {
        f.Lugar = 'R';
        f.Libre = true;
        f.Dueno = 0;
    }
    // Last hand's tiles go back to the pool: no hand area may still show them.
    for (int s = 1; s <= 4; ++s) {
        E.Jugadores[s].NumFichas = 0;
        A.DibujarMano(s, E.Jugadores[s].Vista);
    }
    for (int i = 1; i <= kMaxTiros; ++i)
        E.HistFicha[i] = -1;
    // 4.
    A.Boton(Control::bAtras, 0, Accion::Ocultar);
    E.Modo = ModoJuego::Escoger;
    // 5. The sorted triangle: tile a-b in row a, column b - a.
    for (Ficha& f : E.Fichas) {
        f.Rumbo = 'S';
        f.X = static_cast<float>((f.Punto2 - f.Punto1) * 0.05 - 0.15);
        f.Y = static_cast<float>(f.Punto1 * 0.1 + 0.2);
    }
    A.DibujarMesa();
    // 6.
    if (E.Opciones.AoC == 'C') {
        A.CursorOcupado(true);
        A.TocarSonido(QStringLiteral("MMEDIA/Voltea.wav"));
        for (int t = 0; t < kNumFichas && !Cortar(); ++t) {
            A.DibujarFichaSola(t);
            A.Pausa(0.06);
        }
        A.Pausa(0.3);
        for (int t = 0; t < kNumFichas; t += 2)
            E.Fichas[t].Rumbo = 'E';
        A.TocarSonido(QStringLiteral("MMEDIA/Sopa.wav"));
        Azar sopa;
        sopa.Sembrar(static_cast<std::int64_t>(A.Reloj() * 1000));
        for (int pasada = 0; pasada < 10 && !Cortar(); ++pasada) {
            const double inicio = A.Reloj();
            for (int t = 0; t < kNumFichas; ++t) {
                E.Fichas[t].X = static_cast<float>(0.6 * sopa.Siguiente() - 0.3);
                E.Fichas[t].Y = static_cast<float>(0.3 * sopa.Siguiente() + 0.4);
                A.DibujarFichaSola(t);
            }
            A.Pausa(0.537 - (A.Reloj() - inicio));
        }
        A.Pausa(0.5);
        A.CursorOcupado(false);
    }
    // 7.
    for (int s = 1; s <= 4; ++s)
        A.Semaforo(s, LuzRoja);

    // 8.
    for (int k = 1; k <= 4; ++k) {
        for (int s = 1; s <= 4; ++s) {
            Jugador& j = E.Jugadores[s];
            if (j.OrdenReparto != k)
                continue;
            if (Cortar())
                return;
            if (!EsLocal(s)) {
                A.Semaforo(s, LuzAmbar);
                bool dejada = !E.Sillas[s].Dejada;  // forces the first caption
                for (;;) {
                    if (dejada != E.Sillas[s].Dejada) {
                        dejada = E.Sillas[s].Dejada;
                        A.Titulo(E.TituloMesa + QStringLiteral("Esperando el reparto de ") + EsperaDe(s)
                                 + QStringLiteral(" ..."));
                    }
                    ReconstruirMano(s);
                    // The seat may become this copy's computer while it is awaited.
                    if (j.NumFichas >= 7 || Cortar() || EsLocal(s))
                        break;
                    A.Pausa(0.5);
                    A.Ceder();
                }
                if (Cortar())
                    return;
            }
            if (!EsLocal(s)) {
                A.Semaforo(s, LuzRoja);
                for (int m = 1; m <= 7; ++m) {
                    Ficha& f = E.Fichas[j.Mano[m]];
                    f.Libre = false;
                    f.Lugar = 'D';
                    f.Dueno = s;
                }
                A.DibujarMano(s, j.Vista);
                A.DibujarMesa();
                continue;
            }
            if (j.HoC == Quien::Persona) {
                if (E.OrigenReparto != 'R') {
                    A.Semaforo(s, LuzVerde);
                    A.Titulo(E.TituloMesa + QStringLiteral("Reparto Local de ") + j.Nombre + QStringLiteral(" ..."));
                    A.Boton(Control::bAzar, s, Accion::Mostrar);
                    A.Boton(Control::bRepetir, s, Accion::Mostrar);
                    A.RepartoHumano(s);
                    while (j.NumFichas < 7 && E.OrigenReparto != 'R') {
                        if (Cortar())
                            return;
                        A.Ceder();
                        A.Pausa(0.05);
                    }
                }
                A.Boton(Control::bAzar, s, Accion::Ocultar);
                A.Boton(Control::bRepetir, s, Accion::Ocultar);
                A.Semaforo(s, LuzRoja);
                if (E.Modo == ModoJuego::Lectura)
                    return;
            } else {
                A.CursorOcupado(true);
                if (E.OrigenReparto != 'R')
                    SorteoSembrado(s);
                A.CursorOcupado(false);
                if (E.Modo == ModoJuego::Lectura)
                    return;
            }
            // A seat of this machine: its tiles are its own now; the table is told.
            for (int m = 1; m <= 7; ++m) {
                const int t = j.Mano[m];
                if (t < 0 || t >= kNumFichas)
                    continue;
                E.Fichas[t].Libre = false;
                E.Fichas[t].Lugar = 'D';
                E.Fichas[t].Dueno = s;
            }
            A.DibujarMano(s, j.Vista);
            A.DibujarMesa();
            A.FichasTomadas(s, std::span<const int, 7>(j.Mano.data() + 1, 7));
            A.Semaforo(s, LuzRoja);
        }
    }
}

// Draw and reject until the seat holds seven; callers have checked that
// enough tiles are free, so the loop always ends.
void Juego::RobarHastaSiete(int silla)
{
    Jugador& j = E.Jugadores[silla];
    while (j.NumFichas < 7) {
        const int t = static_cast<int>(kNumFichas * azar_.Siguiente());
        if (t < 0 || t >= kNumFichas || !E.Fichas[t].Libre)
            continue;
        DarFicha(silla, t);
    }
}

void Juego::DarFicha(int silla, int ficha)
{
    Jugador& j = E.Jugadores[silla];
    j.NumFichas += 1;
    j.Mano[j.NumFichas] = ficha;
    E.Fichas[ficha].Libre = false;
    E.Fichas[ficha].Lugar = 'D';
    E.Fichas[ficha].Dueno = silla;
}

void Juego::SorteoSembrado(int silla)
{
    Jugador& j = E.Jugadores[silla];
    j.NumFichas = 0;
    azar_.Sembrar(static_cast<std::int64_t>(j.Semilla) + E.NumMano);
    if (Libres(E) < 7)
        return;  // cannot happen when seats are served in order
    RobarHastaSiete(silla);
}

void Juego::ReconstruirMano(int silla)
{
    if (silla < 1 || silla > 4)
        return;
    Jugador& j = E.Jugadores[silla];
    const QString& d = E.Sillas[silla].DigitosMano;
    j.NumFichas = 0;
    std::array<bool, kNumFichas> vista{};
    for (int k = 1; k <= 7; ++k) {
        const QString par = d.mid(2 * (k - 1), 2);
        auto digito = [](QChar c) { return c >= QLatin1Char('0') && c <= QLatin1Char('9'); };
        if (par.size() != 2 || par == QLatin1String("99") || !digito(par[0]) || !digito(par[1]))
            continue;
        const int t = par.toInt();
        if (t >= kNumFichas || vista[t])
            continue;
        // A tile another seat already holds cannot be this seat's too: the
        // slot is refused and counts as not received.
        if (!E.Fichas[t].Libre && E.Fichas[t].Dueno != silla) {
            A.Anotar(QStringLiteral("Fichas de la silla %1: la ficha %2 ya es de la silla %3")
                         .arg(silla)
                         .arg(t)
                         .arg(E.Fichas[t].Dueno));
            continue;
        }
        vista[t] = true;
        j.Mano[k] = t;
        j.NumFichas += 1;
        E.Fichas[t].Libre = false;
        E.Fichas[t].Lugar = 'D';
        E.Fichas[t].Dueno = silla;
    }
}

void Juego::TomarFicha(int ficha, float x, float y)
{
    if (ficha < 0 || ficha >= kNumFichas || !E.Fichas[ficha].Libre || E.FaseMano != Fase::Repartiendo)
        return;
    // 1.
    const bool franja = LimiteAbajo < y && y < LimiteArriba;
    const bool columna = LimiteIzq <= x && x < LimiteDer;
    if (columna && franja)
        return;
    // 2. A drop in a corner of the table names no seat and is ignored.
    int s = 0;
    if (x < LimiteIzq && franja)
        s = 4;
    else if (columna && y > LimiteArriba)
        s = 3;
    else if (columna && y < LimiteAbajo)
        s = 1;
    else if (x >= LimiteDer && franja)
        s = 2;
    if (s == 0)
        return;
    E.Turno = s;
    // Only a person of this machine picks by hand; a computer seat draws its own.
    if (!EsLocal(s) || E.Jugadores[s].HoC != Quien::Persona)
        return;
    // 3.
    for (int t = 1; t <= 4; ++t)
        if (E.Jugadores[t].OrdenReparto < E.Jugadores[s].OrdenReparto && E.Jugadores[t].NumFichas < 7)
            return;
    // 4.
    Jugador& j = E.Jugadores[s];
    if (j.NumFichas >= 7)
        return;
    // 5.
    DarFicha(s, ficha);
    // 6.
    A.DibujarMano(s, j.Vista);
    TocarFicha();
    A.DibujarMesa();
}

void Juego::CompletarAlAzar(int silla)
{
    if (silla < 1 || silla > 4 || !EsLocal(silla) || E.FaseMano != Fase::Repartiendo)
        return;
    Jugador& j = E.Jugadores[silla];
    for (int t = 1; t <= 4; ++t)
        if (E.Jugadores[t].OrdenReparto < j.OrdenReparto && E.Jugadores[t].NumFichas < 7)
            return;
    A.Boton(Control::bAzar, silla, Accion::Ocultar);
    A.Boton(Control::bRepetir, silla, Accion::Ocultar);
    azar_.Sembrar(static_cast<std::int64_t>(A.Reloj() * 1000));
    if (Libres(E) < 7 - j.NumFichas)
        return;
    RobarHastaSiete(silla);
    A.DibujarMano(silla, j.Vista);
    A.DibujarMesa();
}
