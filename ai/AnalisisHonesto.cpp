#include "ai/AnalisisHonesto.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <system_error>
#include <thread>
#include <vector>

#include "ai/Conocimiento.h"
#include "rules/Formato.h"

namespace {

// One root move over the deals seen so far.
struct Suma {
    bool Llena = false;
    int Repartos = 0;
    std::int64_t Idas[3] = {0, 0, 0};
    std::int64_t Cierres[3] = {0, 0, 0};
    // Per pair, each deal's largest and smallest points won (0 in a deal
    // where the pair wins no line), added up.
    std::int64_t Max[3] = {0, 0, 0};
    std::int64_t Min[3] = {0, 0, 0};
    int Ganadas = 0, Perdidas = 0;  // deals whose result is "G" / "P"

    void Agregar(const MitadAnalisis& m)
    {
        Llena = true;
        Repartos += 1;
        for (int p = 1; p <= 2; ++p) {
            Idas[p] += m.Idas[p];
            Cierres[p] += m.Cierres[p];
            Max[p] += m.MaxPuntos[p];
            Min[p] += m.MinPuntos[p];
        }
        Ganadas += m.Resultado == 'G';
        Perdidas += m.Resultado == 'P';
    }

    void Unir(const Suma& o)
    {
        Llena = Llena || o.Llena;
        Repartos += o.Repartos;
        for (int p = 1; p <= 2; ++p) {
            Idas[p] += o.Idas[p];
            Cierres[p] += o.Cierres[p];
            Max[p] += o.Max[p];
            Min[p] += o.Min[p];
        }
        Ganadas += o.Ganadas;
        Perdidas += o.Perdidas;
    }

    // As one record half: the lines of every deal, the points of a deal on
    // average (rounded half up), and the result of most deals, or of most
    // lines when the deals split evenly.
    MitadAnalisis Mitad(int miPareja) const
    {
        MitadAnalisis m;
        m.Llena = Llena;
        if (!Llena)
            return m;
        auto media = [this](std::int64_t suma) { return static_cast<int>((2 * suma + Repartos) / (2 * Repartos)); };
        for (int p = 1; p <= 2; ++p) {
            m.Idas[p] = Idas[p];
            m.Cierres[p] = Cierres[p];
            m.MaxPuntos[p] = media(Max[p]);
            m.MinPuntos[p] = media(Min[p]);
        }
        const int otra = 3 - miPareja;
        const bool gana = Ganadas != Perdidas ? Ganadas > Perdidas
                                              : Idas[miPareja] + Cierres[miPareja] >= Idas[otra] + Cierres[otra];
        m.Resultado = gana ? 'G' : 'P';
        return m;
    }
};

using Sumas = std::array<std::array<Suma, 2>, kNumFichas>;  // [tile][0 D, 1 I]

// The position with the other seats holding the hands of one deal, in tile
// order; tiles already played stay out of every hand.
void Poner(Estado& e, const std::array<std::uint32_t, 5>& manos, int turno)
{
    for (int s = 1; s <= 4; ++s) {
        if (s == turno)
            continue;
        Jugador& j = e.Jugadores[s];
        int k = 1;
        for (std::uint32_t m = manos[s]; m != 0; m &= m - 1) {
            const int t = std::countr_zero(m);
            j.Mano[k++] = t;
            e.Fichas[t].Dueno = s;
        }
        for (; k <= 7; ++k)
            j.Mano[k] = -1;
    }
}

QString LineaRepartos(std::uint64_t considerados, std::uint64_t posibles)
{
    const QString total = FormatoMiles(static_cast<std::int64_t>(posibles));
    if (posibles == 1)
        return QStringLiteral("Se consideró el único reparto posible de las fichas que no se ven.");
    if (considerados == posibles)
        return QStringLiteral("Se consideraron los %1 repartos posibles de las fichas que no se ven; "
                              "los puntos son el promedio por reparto.")
            .arg(total);
    return QStringLiteral("Se consideraron %1 de los %2 repartos posibles de las fichas que no se ven; "
                          "los puntos son el promedio por reparto.")
        .arg(FormatoMiles(static_cast<std::int64_t>(considerados)), total);
}

}  // namespace

int RepartosPorOmision(int enMano)
{
    // Measured with bench_honesto: one deal's search takes about a second
    // with 28 tiles in hands, 20 ms with 24, half a millisecond with 20 and
    // a twentieth of one with 16; each row keeps a decision near a third of
    // a second of processor time (several seconds before the fifth play).
    static constexpr std::array<std::pair<int, int>, 12> kTabla{{{28, 4},
                                                                 {27, 6},
                                                                 {26, 16},
                                                                 {25, 32},
                                                                 {24, 16},
                                                                 {23, 32},
                                                                 {22, 48},
                                                                 {21, 96},
                                                                 {20, 512},
                                                                 {19, 1024},
                                                                 {17, 2048},
                                                                 {0, 4096}}};
    for (const auto& [fichas, repartos] : kTabla)
        if (enMano >= fichas)
            return repartos;
    return 4096;
}

ResultadoHonesto AnalizarHonesto(Estado& e, Avance& a, const ParametrosHonestos& p)
{
    ResultadoHonesto res;
    const Conocimiento saber = LoQueSabe(e);
    const Repartos repartos(saber);
    const int enMano = e.ContarEnMano();
    const std::vector<std::uint64_t> indices =
        repartos.Elegir(p.Repartos > 0 ? p.Repartos : RepartosPorOmision(enMano), p.Semilla);
    if (indices.empty())
        return res;

    a.MostrarPicThink(true);
    a.MostrarAvance(0.0, true);
    a.CursorOcupado(true);

    // Deals are independent: below the size where one search already uses
    // both cores, a second worker takes some of them. Each worker adds into
    // its own sums, and adding does not depend on order, so the answer never
    // depends on which worker took which deal.
    const int n = static_cast<int>(indices.size());
    std::atomic<int> siguiente{0}, hechos{0};
    std::vector<Sumas> sumas(2);
    auto trabajar = [&](int w, bool informar) {
        Estado copia = e;
        SinAvance nada;
        for (int i; (i = siguiente.fetch_add(1)) < n;) {
            Poner(copia, repartos.Reparto(indices[static_cast<std::size_t>(i)]), e.Turno);
            const Busqueda b = BuscarRapido(copia, nada);
            for (int t = 0; t < kNumFichas; ++t) {
                if (b.Analisis[t].D.Llena)
                    sumas[w][t][0].Agregar(b.Analisis[t].D);
                if (b.Analisis[t].I.Llena)
                    sumas[w][t][1].Agregar(b.Analisis[t].I);
            }
            const int h = hechos.fetch_add(1) + 1;
            if (informar)
                a.MostrarAvance(static_cast<double>(h) / n, false);
        }
    };
    std::thread ayudante;
    if (enMano < 24 && n > 1 && std::thread::hardware_concurrency() > 1) {
        try {
            ayudante = std::thread(trabajar, 1, false);
        } catch (const std::system_error&) {
            // No second thread to be had: this one takes every deal.
        }
    }
    trabajar(0, true);
    if (ayudante.joinable())
        ayudante.join();

    a.MostrarAvance(1.0, true);
    a.MostrarPicThink(false);
    a.CursorOcupado(false);

    const int mi = ParejaDe(e.Turno);
    for (int t = 0; t < kNumFichas; ++t) {
        sumas[0][t][0].Unir(sumas[1][t][0]);
        sumas[0][t][1].Unir(sumas[1][t][1]);
        res.Analisis[t].D = sumas[0][t][0].Mitad(mi);
        res.Analisis[t].I = sumas[0][t][1].Mitad(mi);
    }
    const Clasificacion c = ClasificarJugadas(e, res.Analisis, p.Regla);
    res.Ok = true;
    res.Ficha = c.Ficha;
    res.Punta = c.Punta;
    res.Pronosticos = c.Pronosticos;
    res.Considerados = indices.size();
    res.Posibles = repartos.Total();
    res.Texto = LineaRepartos(res.Considerados, res.Posibles) + QStringLiteral("\n\n") + c.Texto;
    if (e.NumTiro + 1 < kHist)
        e.Pronosticos[e.NumTiro + 1] += c.Pronosticos;
    return res;
}
