// Benchmark of the honest decision (Vista "S"): for positions after K plays,
// the seconds one decision takes with the deals the game considers, and how
// the choice settles as more deals are considered: for each sample size, the
// share of positions whose play is already the one a much larger sample
// chooses.
//
//   bench_honesto [--posiciones N] [--ks 0,1,2,...] [--semilla S] [--solo-tiempo]
//
// --solo-tiempo skips the larger samples: only the seconds of the decision
// the game makes.
//
// Positions come from seeded deals played with random legal plays (the
// tests' PosicionAlAzar); the level is U and the analysis question is answered
// Yes, so every decision is an analysis.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTextStream>
#include <algorithm>
#include <ctime>
#include <random>

#include "Posiciones.h"
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
    QString Lado;
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

// The largest sample compared, by tiles in hands: four times the game's
// where a few minutes allow it.
int Referencia(int enMano)
{
    return enMano >= 27 ? 16 : enMano >= 25 ? 64 : enMano >= 24 ? 128 : 4 * RepartosPorOmision(enMano);
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
    const QList<int> tamanos{1, 2, 4, 8, 16, 32, 64, 128, 256, 512, 1024, 2048, 4096, 8192};
    out << "K  repartos  mediana s  mediana CPU s  máx s   misma jugada que la referencia con n repartos\n";
    out.flush();
    for (const int k : ks) {
        std::mt19937 azar(semilla * 7919u + static_cast<std::uint32_t>(k));
        std::vector<double> segundos, cpu;
        std::vector<int> iguales(static_cast<std::size_t>(tamanos.size()), 0);
        int referencia = 0, porOmision = 0;
        for (int hechas = 0; hechas < posiciones;) {
            Estado e;
            if (!PosicionAlAzar(azar, k, e))
                continue;
            e.ParamNivel = ParamNivelDe('U');
            const std::int64_t s = static_cast<std::int64_t>(azar() % 100000);
            const Decision d = Decidir(e, 0, s);
            segundos.push_back(d.Segundos);
            cpu.push_back(d.Cpu);
            referencia = soloTiempo ? 0 : Referencia(e.ContarEnMano());
            porOmision = RepartosPorOmision(e.ContarEnMano());
            ++hechas;
            if (soloTiempo)
                continue;
            const Decision ref = Decidir(e, referencia, s);
            for (int i = 0; i < tamanos.size() && tamanos[i] < referencia; ++i)
                iguales[static_cast<std::size_t>(i)] += Decidir(e, tamanos[i], s) == ref;
        }
        QString fila = QStringLiteral("%1  %2  %3  %4  %5  ")
                           .arg(k, 2)
                           .arg(porOmision, 8)
                           .arg(Mediana(segundos), 9, 'f', 3)
                           .arg(Mediana(cpu), 13, 'f', 3)
                           .arg(*std::max_element(segundos.begin(), segundos.end()), 6, 'f', 2);
        for (int i = 0; i < tamanos.size() && tamanos[i] < referencia; ++i)
            fila += QStringLiteral("%1:%2% ").arg(tamanos[i]).arg(100 * iguales[static_cast<std::size_t>(i)] / posiciones);
        out << fila << (soloTiempo ? QString() : QStringLiteral("(ref. %1)").arg(referencia)) << "\n";
        out.flush();
    }
    return 0;
}
