// The computer player. Early in a hand it plays by a few fixed rules that
// answer at once; once few enough tiles remain (the level decides how few) it
// analyses every continuation instead. Before the fifth play the analysis can
// take long, so the person is asked first.
//
// Under the option Vista "S" the computer plays only on what its seat knows:
// the rules' look at the next seat asks which numbers it may still hold, and
// the analysis runs over the deals of the unseen tiles that agree with the
// plays and passes (AnalisisHonesto.h) instead of the real one.

#include "ai/Elegir.h"

#include <algorithm>

#include "ai/AnalisisHonesto.h"
#include "ai/Conocimiento.h"
#include "rules/Formato.h"

namespace {

const char* const kAvisos[4] = {
    "El análisis de los cientos de millones de posibilidaes podría tardar hasta 60 minutos.",
    "El análisis de las decenas de millones de posibilidaes podría tardar hasta 20 minutos.",
    "El análisis de los millones de posibilidades podría tardar hasta 10 minutos.",
    "El análisis de los cientos de miles de posibilidades podría tardar hasta 3 minutos.",
};

// The rule-based play of seat Turno.
class Reglas {
public:
    // With `saber`, the seat looks only at what it knows.
    Reglas(const Estado& e, Eleccion& r, const Conocimiento* saber)
        : E(e), R(r), Mano(e.Jugadores[e.Turno].Mano), Saber(saber)
    {
    }

    void Jugar(int opciones)
    {
        if (E.Jugadores[E.Turno].NumFichas == 7)
            Estadisticas();
        if (E.NumTiro == 0)
            Salida();
        else if (opciones == 1)
            Respaldo();
        else
            Varias();
        if (!Tomada)
            R.Ficha = Mano[7];
    }

private:
    const Estado& E;
    Eleccion& R;
    const std::array<int, 8>& Mano;
    const Conocimiento* Saber;
    bool Tomada = false;
    std::array<bool, 7> N{};
    bool HaySiguiente = false;

    bool EnMano(int k) const
    {
        const int t = Mano[k];
        return t >= 0 && t < kNumFichas && E.Fichas[t].Lugar != 'J';
    }
    static int P1(int t) { return kTablaFichas[t].Punto1; }
    static int P2(int t) { return kTablaFichas[t].Punto2; }
    static bool Casa(int t, int v) { return P1(t) == v || P2(t) == v; }

    void Tomar(int t, Extremo lado = Extremo::Ninguno)
    {
        R.Ficha = t;
        if (lado != Extremo::Ninguno)
            R.Lado = lado;
        Tomada = true;
    }

    // Numbers the next seat still holds, or may still hold for all the
    // seat to move knows.
    void Explorar()
    {
        N.fill(false);
        const int siguiente = Siguiente(E.Turno);
        HaySiguiente = false;
        if (Saber) {
            for (int v = 0; v <= 6; ++v) {
                N[v] = Saber->PuedeTener(siguiente, v);
                HaySiguiente = HaySiguiente || N[v];
            }
            return;
        }
        const Jugador& j = E.Jugadores[siguiente];
        for (int k = 1; k <= 7; ++k) {
            const int t = j.Mano[k];
            if (t < 0 || t >= kNumFichas || E.Fichas[t].Lugar == 'J')
                continue;
            N[P1(t)] = true;
            N[P2(t)] = true;
        }
        for (bool b : N)
            HaySiguiente = HaySiguiente || b;
    }

    void Estadisticas()
    {
        std::array<int, 7> rep{}, dob{};
        for (int k = 1; k <= 7; ++k) {
            if (!EnMano(k))
                continue;
            const int t = Mano[k];
            rep[P1(t)] += 1;
            if (P2(t) != P1(t))
                rep[P2(t)] += 1;
            else
                dob[P1(t)] = 1;
        }
        QString s = QStringLiteral("Repeticiones:\n");
        for (int v = 0; v <= 6; ++v)
            if (rep[v] > 1)
                s += QStringLiteral("     %1's: %2 veces").arg(v).arg(rep[v])
                     + (dob[v] == 1 ? QStringLiteral(" con doble\n") : QStringLiteral("\n"));
        s += QStringLiteral("\nDobles:\n");
        for (int v = 0; v <= 6; ++v)
            if (dob[v] == 1)
                s += QStringLiteral("     %1's\n").arg(v);
        s += QStringLiteral("\nFallas:\n");
        for (int v = 0; v <= 6; ++v)
            if (rep[v] == 0)
                s += QStringLiteral("     %1's\n").arg(v);
        s += QStringLiteral("\nSemiFallas:\n");
        for (int v = 0; v <= 6; ++v)
            if (rep[v] == 1)
                s += QStringLiteral("     %1's\n").arg(v);
        R.Msg = s;
    }

    void Salida()
    {
        bool hayDobles = false;
        for (int k = 1; k <= 7; ++k)
            hayDobles = hayDobles || (EnMano(k) && EsDoble(Mano[k]));
        Explorar();
        if (hayDobles) {
            if (HaySiguiente) {
                // A double of a number the next seat lacks makes it pass at once.
                for (int v = 6; v >= 0 && !Tomada; --v) {
                    if (N[v])
                        continue;
                    for (int k = 1; k <= 7; ++k)
                        if (EnMano(k) && EsDoble(Mano[k]) && P1(Mano[k]) == v) {
                            Tomar(Mano[k]);
                            break;
                        }
                }
            }
            if (!Tomada) {
                int mayor = 6;
                for (int k = 1; k <= 7; ++k)
                    if (EnMano(k) && EsDoble(Mano[k]) && P1(Mano[k]) > P1(mayor))
                        mayor = Mano[k];
                Tomar(mayor);
            }
            return;
        }
        if (HaySiguiente) {
            for (int k = 1; k <= 7 && !Tomada; ++k)
                if (EnMano(k) && !N[P1(Mano[k])] && !N[P2(Mano[k])])
                    Tomar(Mano[k]);
        }
        if (!Tomada)
            Respaldo();
    }

    void Varias()
    {
        Explorar();
        const bool derecha = N[E.ValorDer];
        const bool izquierda = N[E.ValorIzq];
        if (!HaySiguiente || (!derecha && !izquierda)) {
            Respaldo();
            return;
        }
        // Leave the next seat a number it lacks, at the end it cannot use.
        auto dejarFalla = [&](int valor) {
            for (int k = 1; k <= 7 && !Tomada; ++k) {
                if (!EnMano(k))
                    continue;
                const int t = Mano[k];
                if ((P1(t) == valor && !N[P2(t)]) || (P2(t) == valor && !N[P1(t)]))
                    Tomar(t);
            }
        };
        if (derecha) {
            R.Lado = Extremo::Izq;
            dejarFalla(E.ValorIzq);
        }
        if (!Tomada && izquierda) {
            R.Lado = Extremo::Der;
            dejarFalla(E.ValorDer);
        }
        if (!Tomada)
            Respaldo();
    }

    void Respaldo()
    {
        const int der = E.ValorDer, izq = E.ValorIzq;
        // Doubles first.
        for (int k = 1; k <= 7 && !Tomada; ++k) {
            if (!EnMano(k) || !EsDoble(Mano[k]))
                continue;
            if (P1(Mano[k]) == der)
                Tomar(Mano[k], Extremo::Der);
            else if (P1(Mano[k]) == izq)
                Tomar(Mano[k], Extremo::Izq);
        }
        if (Tomada)
            return;
        const int lider = E.HistFicha[1];
        const bool hayLider = lider >= 0 && lider < kNumFichas;
        if (Companeros(E.Turno, E.Salidor)) {
            // Keep the partner's lead numbers open.
            for (int k = 1; k <= 7 && !Tomada; ++k) {
                if (!EnMano(k))
                    continue;
                const int t = Mano[k];
                if (!(hayLider && Casa(lider, der)) && Casa(t, der))
                    Tomar(t, Extremo::Der);
                else if (!(hayLider && Casa(lider, izq)) && Casa(t, izq))
                    Tomar(t, Extremo::Izq);
            }
        } else if (E.Turno != E.Salidor && hayLider) {
            // Cover an opponent's lead double.
            const bool dobleDer = der == P1(lider) && der == P2(lider);
            const bool dobleIzq = izq == P1(lider) && izq == P2(lider);
            for (int k = 1; k <= 7 && !Tomada; ++k) {
                if (!EnMano(k))
                    continue;
                const int t = Mano[k];
                if (dobleDer && Casa(t, der))
                    Tomar(t, Extremo::Der);
                else if (dobleIzq && Casa(t, izq))
                    Tomar(t, Extremo::Izq);
            }
        }
        if (Tomada)
            return;
        Explorar();
        if (HaySiguiente) {
            if (N[der])
                for (int k = 1; k <= 7 && !Tomada; ++k)
                    if (EnMano(k) && Casa(Mano[k], izq))
                        Tomar(Mano[k], Extremo::Izq);
            if (!Tomada && N[izq])
                for (int k = 1; k <= 7 && !Tomada; ++k)
                    if (EnMano(k) && Casa(Mano[k], der))
                        Tomar(Mano[k], Extremo::Der);
        }
        for (int k = 1; k <= 7 && !Tomada; ++k) {
            if (!EnMano(k))
                continue;
            const int t = Mano[k];
            if (Casa(t, der))
                Tomar(t, Extremo::Der);
            else if (Casa(t, izq))
                Tomar(t, Extremo::Izq);
        }
    }
};

}  // namespace

Criterio CriterioDe(const Estado& e)
{
    Criterio c;
    c.Vista = e.Opciones.Vista == 'S' ? 'S' : 'T';
    if (e.Turno >= 1 && e.Turno <= 4)
        c.Semilla = e.Jugadores[e.Turno].Semilla;
    return c;
}

Eleccion ElegirJugada(Estado& e, Avance& a, int opciones)
{
    return ElegirJugada(e, a, opciones, CriterioDe(e));
}

Eleccion ElegirJugada(Estado& e, Avance& a, int opciones, const Criterio& c)
{
    Eleccion r;
    if (e.NumTiro + 1 < kHist)
        e.Pronosticos[e.NumTiro + 1].clear();
    const bool honesta = c.Vista == 'S';
    const Conocimiento saber = honesta ? LoQueSabe(e) : Conocimiento{};

    bool analizar = false;
    if (e.ContarEnMano() <= e.ParamNivel) {
        if (e.NumTiro < 4) {
            const QString pregunta = QStringLiteral("Hola ") + e.Jugadores[e.Turno].Nombre + QStringLiteral(":\n\n")
                                     + QString::fromUtf8(kAvisos[std::max(e.NumTiro, 0)])
                                     + QStringLiteral("\n\n¿Deseas analizar esta posición?");
            analizar = a.PreguntaSiNo(pregunta);
        } else {
            analizar = true;
        }
    }

    auto porReglas = [&] {
        Reglas(e, r, honesta ? &saber : nullptr).Jugar(opciones);
        return r;
    };
    if (!analizar)
        return porReglas();

    const float inicio = static_cast<float>(a.Reloj());
    if (honesta) {
        ParametrosHonestos p;
        p.Semilla = SemillaDeJugada(c.Semilla, e.NumMano, e.NumTiro, e.Turno);
        p.Repartos = c.Repartos;
        p.Regla = c.Regla;
        const ResultadoHonesto res = AnalizarHonesto(e, a, p);
        if (!res.Ok)
            return porReglas();  // no deal agrees with the state: it is damaged
        r.Ficha = res.Ficha;
        r.Lado = res.Punta;
        r.Msg = res.Texto;
    } else {
        const ResultadoAnalisis res = AnalizarPosicion(e, a, c.Regla);
        r.Ficha = res.Ficha;
        r.Lado = res.Punta;
        r.HuboTree = res.ArbolEscrito;
        r.ErrorArbol = res.ErrorArbol;
        r.Msg = res.Texto;
    }
    float fin = static_cast<float>(a.Reloj());
    if (fin < inicio)
        fin += 86400.0f;  // the analysis ran past midnight
    r.Analizo = true;
    r.Segundos = fin - inicio;
    r.Msg += '\n' + FormatoSegundos(r.Segundos);
    return r;
}
