// Benchmark of the honest decision (Vista "S"): how long one decision takes
// and how the choice settles as more deals are considered. For each K, over a
// fixed set of seeded positions after K plays, one row per sample size: the
// median and largest seconds of a decision and the share of positions whose
// play is already the one a much larger sample (the reference) chooses. The
// row marked "*" is the size the game uses.
//
//   bench_honesto [--posiciones N] [--ks 0,1,2,...] [--semilla S] [--solo-tiempo]
//
// --solo-tiempo skips the other sizes and the reference: only the seconds of
// the decision the game makes.
//
// Positions come from seeded deals played with random legal plays (the
// tests' PosicionAlAzar); the level is U and the analysis question is answered
// Yes, so every decision is an analysis. The same arguments give the same
// positions and the same plays on every run; only the seconds change.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <random>

#include "tests/support/Posiciones.h"
#include "ai/AnalisisHonesto.h"
#include "ai/Elegir.h"
#include "flujo/AnfitrionMudo.h"
#include "rules/Jugadas.h"

namespace {

QTextStream out(stdout);

double Cpu()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + t.tv_nsec / 1e9;
}

double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Decision {
    int Ficha = -1;
    Extremo Lado = Extremo::Ninguno;
    double Segundos = 0, Cpu = 0;
    bool operator==(const Decision& o) const { return Ficha == o.Ficha && Lado == o.Lado; }
};

Decision Decidir(const Estado& posicion, int repartos, std::int64_t semilla)
{
    Estado e = posicion;
    AnfitrionMudo host;
    host.RespuestaAnalisis = true;
    Criterio c;
    c.Vista = 'S';
    c.Semilla = semilla;
    c.Repartos = repartos;
    // Cold, as a decision in play: the fast engine would otherwise find the
    // deal the previous decision ended on still in its table.
    OlvidarAnalisis();
    QElapsedTimer reloj;
    reloj.start();
    const double cpu = Cpu();
    const Eleccion r = ElegirJugada(e, host, e.NumTiro == 0 ? 7 : ContarOpciones(e, e.Turno), c);
    Decision d;
    d.Ficha = r.Ficha;
    d.Lado = r.Lado;
    d.Segundos = reloj.nsecsElapsed() / 1e9;
    d.Cpu = Cpu() - cpu;
    return d;
}

// The reference sample, by tiles in hands: four times the game's, or more
// where that is still cheap; on a shared two-core machine a few minutes per K.
int Referencia(int enMano)
{
    return enMano >= 27 ? 16 : enMano >= 24 ? 64 : 4 * RepartosPorOmision(enMano);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int posiciones = 12;
    std::uint32_t semilla = 1;
    bool soloTiempo = false;
    QList<int> ks{0, 1, 2, 3, 4, 5, 6, 8, 10, 12};
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == "--posiciones" && !args.isEmpty())
            posiciones = std::max(1, args.takeFirst().toInt());
        else if (a == "--solo-tiempo")
            soloTiempo = true;
        else if (a == "--semilla" && !args.isEmpty())
            semilla = args.takeFirst().toUInt();
        else if (a == "--ks" && !args.isEmpty()) {
            ks.clear();
            for (const QString& k : args.takeFirst().split(','))
                ks << k.toInt();
        }
    }
    out << "Decisión honesta (nivel U, análisis aceptado), " << posiciones << " posiciones por K, semilla " << semilla
        << "\n";
    out.flush();
    for (const int k : ks) {
        std::mt19937 azar(semilla * 7919u + static_cast<std::uint32_t>(k));
        std::vector<Estado> estados;
        std::vector<std::int64_t> semillas;
        while (static_cast<int>(estados.size()) < posiciones) {
            Estado e;
            if (!PosicionAlAzar(azar, k, e))
                continue;
            e.ParamNivel = ParamNivelDe('U');
            estados.push_back(e);
            semillas.push_back(static_cast<std::int64_t>(azar() % 100000));
        }
        const int enMano = estados.front().ContarEnMano();
        const int porOmision = RepartosPorOmision(enMano);
        const int referencia = Referencia(enMano);
        // The sizes compared: powers of two below the reference and the game's.
        std::vector<int> tamanos{porOmision};
        if (!soloTiempo) {
            for (int n = 1; n < referencia; n *= 2)
                tamanos.push_back(n);
            tamanos.push_back(referencia);
        }
        std::sort(tamanos.begin(), tamanos.end());
        tamanos.erase(std::unique(tamanos.begin(), tamanos.end()), tamanos.end());

        struct Fila {
            std::vector<double> Segundos, Cpu;
            int Iguales = 0;
        };
        std::vector<Fila> filas(tamanos.size());
        for (std::size_t p = 0; p < estados.size(); ++p) {
            // The reference first, so that every size is compared with it.
            std::vector<Decision> d(tamanos.size());
            for (std::size_t i = tamanos.size(); i-- > 0;) {
                d[i] = Decidir(estados[p], tamanos[i], semillas[p]);
                filas[i].Segundos.push_back(d[i].Segundos);
                filas[i].Cpu.push_back(d[i].Cpu);
                filas[i].Iguales += d[i] == d.back();
            }
        }
        out << QStringLiteral("\nK %1 (%2 fichas en mano)").arg(k).arg(enMano)
            << (soloTiempo ? QString() : QStringLiteral(", referencia %1 repartos").arg(referencia)) << "\n";
        out << "  repartos  mediana s  mediana CPU s   máx s  misma jugada que la referencia\n";
        for (std::size_t i = 0; i < tamanos.size(); ++i) {
            const Fila& f = filas[i];
            out << QStringLiteral("  %1%2  %3  %4  %5  %6\n")
                       .arg(tamanos[i], 7)
                       .arg(tamanos[i] == porOmision ? QLatin1Char('*') : QLatin1Char(' '))
                       .arg(Mediana(f.Segundos), 9, 'f', 3)
                       .arg(Mediana(f.Cpu), 13, 'f', 3)
                       .arg(*std::max_element(f.Segundos.begin(), f.Segundos.end()), 6, 'f', 2)
                       .arg(soloTiempo ? QStringLiteral("-")
                                       : QStringLiteral("%1%").arg(100.0 * f.Iguales / posiciones, 0, 'f', 0));
        }
        out.flush();
    }
    return 0;
}
