// The computer that sees only what its seat knows: what a seat learns from
// the plays and passes, the deals that agree with it, the rules and the
// analysis under Vista "S", and above all that its choice never depends on
// where the unseen tiles really lie.

#include <QDir>
#include <QTemporaryDir>
#include <QtTest>
#include <bit>
#include <functional>
#include <random>
#include <set>

#include "ai/AnalisisHonesto.h"
#include "ai/Conocimiento.h"
#include "ai/Elegir.h"
#include "flujo/Posicion.h"
#include "rules/Jugadas.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Posiciones.h"

#if defined(__SANITIZE_ADDRESS__)
constexpr int kPares = 150;  // the sanitizers slow the searches down tenfold
#else
constexpr int kPares = 1000;
#endif

namespace {

// The numbers each seat passed on while the record's first k plays were
// made: every seat the turn skipped faced the ends the last play left.
std::array<std::uint8_t, 5> Pases(const RegistroMano& r, int k)
{
    auto jugador = [&](int i) {
        for (int s = 1; s <= 4; ++s)
            for (int j = 1; j <= 7; ++j)
                if (r.Manos[s][j] == r.Tiros[static_cast<std::size_t>(i)].Ficha)
                    return s;
        return 0;
    };
    std::array<std::uint8_t, 5> pases{};
    Estado final;
    PosicionTrasJugadas(r, k, final);
    for (int i = 1; i <= k; ++i) {
        Estado e;
        PosicionTrasJugadas(r, i, e);
        const int luego = i < k ? jugador(i) : final.Turno;
        for (int s = Siguiente(jugador(i - 1)); s != luego; s = Siguiente(s))
            pases[s] |= static_cast<std::uint8_t>(1u << e.ValorIzq | 1u << e.ValorDer);
    }
    return pases;
}

std::uint8_t Numeros(int t) { return static_cast<std::uint8_t>(1u << kTablaFichas[t].Punto1 | 1u << kTablaFichas[t].Punto2); }

std::uint32_t ManoDe(const Estado& e, int s)
{
    std::uint32_t m = 0;
    for (int k = 1; k <= 7; ++k)
        if (const int t = e.Jugadores[s].Mano[k]; t >= 0 && e.Fichas[t].Lugar == 'D')
            m |= 1u << t;
    return m;
}

// The same position with the unseen tiles dealt again among the other seats
// at random, each keeping its count and none getting a tile with a number it
// passed on; each seat's tiles land in its free slots in random order. False
// when no other such deal turned up.
bool RepartirDeNuevo(const Estado& e, std::mt19937& azar, Estado& otro)
{
    const Conocimiento c = LoQueSabe(e);
    std::vector<int> ocultas;
    for (int t = 0; t < kNumFichas; ++t)
        if (c.Ocultas >> t & 1u)
            ocultas.push_back(t);
    for (int intento = 0; intento < 2000; ++intento) {
        std::shuffle(ocultas.begin(), ocultas.end(), azar);
        otro = e;
        std::size_t siguiente = 0;
        bool vale = true;
        bool distinto = false;
        for (int s = 1; s <= 4 && vale; ++s) {
            if (s == e.Turno)
                continue;
            std::vector<int> huecos;
            for (int k = 1; k <= 7; ++k)
                if (e.Fichas[e.Jugadores[s].Mano[k]].Lugar == 'D')
                    huecos.push_back(k);
            for (const int k : huecos) {
                const int t = ocultas[siguiente++];
                vale = vale && (Numeros(t) & c.Faltas[s]) == 0;
                distinto = distinto || e.Fichas[t].Dueno != s;
                otro.Jugadores[s].Mano[k] = t;
                otro.Fichas[t].Dueno = s;
            }
        }
        if (vale && (distinto || intento == 1999))
            return true;
    }
    return false;
}

Criterio Honesto(std::int64_t semilla, int repartos)
{
    Criterio c;
    c.Vista = 'S';
    c.Semilla = semilla;
    c.Repartos = repartos;
    return c;
}

// Writes the history of passes the tests below need: play n by seat
// jugadores[n - 1] left the ends extremos[n - 1].
void Historia(Estado& e, const std::vector<int>& jugadores, const std::vector<std::pair<int, int>>& extremos)
{
    for (std::size_t n = 1; n <= jugadores.size(); ++n) {
        e.HistJugador[n] = jugadores[n - 1];
        e.HistValorIzq[n] = extremos[n - 1].first;
        e.HistValorDer[n] = extremos[n - 1].second;
    }
}

}  // namespace

class PruebaHonesto : public QObject {
    Q_OBJECT

private slots:
    // What a seat knows agrees with the real hands and misses no pass; the
    // deals counted are exactly those a plain enumeration finds.
    void loQueSabeYSusRepartos()
    {
        std::mt19937 azar(31);
        int conPases = 0, comprobadas = 0;
        while (comprobadas < 120) {
            Estado e;
            RegistroMano registro;
            const int k = 8 + static_cast<int>(azar() % 10);
            if (!PosicionAlAzar(azar, k, e, &registro))
                continue;
            const auto pases = Pases(registro, k);
            const Conocimiento c = LoQueSabe(e);
            std::uint32_t otras = 0;
            for (int s = 1; s <= 4; ++s) {
                const std::uint32_t mano = ManoDe(e, s);
                QCOMPARE(c.Cuantas[s], std::popcount(mano));
                if (s == e.Turno)
                    continue;
                QCOMPARE(c.Faltas[s], pases[s]);
                for (std::uint32_t m = mano; m; m &= m - 1)
                    QVERIFY((Numeros(std::countr_zero(m)) & c.Faltas[s]) == 0);
                otras |= mano;
                conPases += c.Faltas[s] != 0;
            }
            QCOMPARE(c.Propias, ManoDe(e, e.Turno));
            QCOMPARE(c.Ocultas, otras);

            // Every way of giving each unseen tile to a seat that may hold it,
            // with each seat's count.
            std::set<std::array<std::uint32_t, 5>> todos;
            std::vector<int> ocultas;
            for (std::uint32_t m = c.Ocultas; m; m &= m - 1)
                ocultas.push_back(std::countr_zero(m));
            std::array<std::uint32_t, 5> manos{};
            manos[e.Turno] = c.Propias;
            std::function<void(std::size_t)> poner = [&](std::size_t i) {
                if (i == ocultas.size()) {
                    for (int s = 1; s <= 4; ++s)
                        if (std::popcount(manos[s]) != c.Cuantas[s])
                            return;
                    todos.insert(manos);
                    return;
                }
                for (int s = 1; s <= 4; ++s) {
                    const int t = ocultas[i];
                    if (s == e.Turno || std::popcount(manos[s]) == c.Cuantas[s] || (Numeros(t) & c.Faltas[s]))
                        continue;
                    manos[s] |= 1u << t;
                    poner(i + 1);
                    manos[s] &= ~(1u << t);
                }
            };
            if (ocultas.size() > 12)
                continue;
            poner(0);
            const Repartos r(c);
            QCOMPARE(r.Total(), static_cast<std::uint64_t>(todos.size()));
            std::set<std::array<std::uint32_t, 5>> recorridos;
            for (std::uint64_t i = 0; i < r.Total(); ++i)
                recorridos.insert(r.Reparto(i));
            QVERIFY(recorridos == todos);

            // All of them when few; otherwise distinct indices, in order, the
            // same for the same seed.
            const std::vector<std::uint64_t> pocos = r.Elegir(static_cast<int>(r.Total()) + 3, 7);
            QCOMPARE(pocos.size(), static_cast<std::size_t>(r.Total()));
            if (r.Total() > 10) {
                const std::vector<std::uint64_t> muestra = r.Elegir(10, 99);
                QCOMPARE(muestra.size(), std::size_t{10});
                QVERIFY(std::adjacent_find(muestra.begin(), muestra.end(), std::greater_equal<>()) == muestra.end());
                QVERIFY(muestra.back() < r.Total());
                QVERIFY(r.Elegir(10, 99) == muestra);
            }
            ++comprobadas;
        }
        QVERIFY(conPases > 20);
    }

    // Under "S" two positions that differ only in how the unseen tiles are
    // dealt among the other seats get the same play, text and forecast.
    void laEleccionSoloDependeDeLoQueSabe()
    {
        std::mt19937 azar(20261207);
        QTemporaryDir carpeta;
        int pares = 0, analizadas = 0;
        while (pares < kPares) {
            Estado e, otro;
            const int k = static_cast<int>(azar() % 19);
            if (!PosicionAlAzar(azar, k, e) || !RepartirDeNuevo(e, azar, otro))
                continue;
            const char nivel = "PIAU"[azar() % 4];
            const Criterio c = Honesto(static_cast<std::int64_t>(azar() % 1000), 1 + static_cast<int>(azar() % 3));
            AnfitrionPrueba a1, a2;
            a1.Respuesta = a2.Respuesta = k == 3 && azar() % 2 == 0;
            Eleccion r[2];
            Estado* estados[2] = {&e, &otro};
            for (int i = 0; i < 2; ++i) {
                Estado& x = *estados[i];
                x.ParamNivel = ParamNivelDe(nivel);
                x.CarpetaApp = carpeta.path() + '/';
                r[i] = ElegirJugada(x, i == 0 ? a1 : a2, ContarOpciones(x, x.Turno), c);
            }
            const QString donde = QStringLiteral("par %1, K %2, nivel %3").arg(pares).arg(k).arg(nivel);
            QVERIFY2(r[0].Ficha == r[1].Ficha && r[0].Lado == r[1].Lado, qPrintable(donde));
            QVERIFY2(r[0].Msg == r[1].Msg, qPrintable(donde));
            QVERIFY2(e.Pronosticos[k + 1] == otro.Pronosticos[k + 1], qPrintable(donde));
            QVERIFY2(!r[0].HuboTree && !r[1].HuboTree, qPrintable(donde));
            analizadas += r[0].Analizo;
            ++pares;
        }
        QVERIFY(analizadas > kPares / 3);
        QVERIFY(!QDir(carpeta.path() + "/JGO").exists());
    }

    // Only one deal agrees with what seat 1 knows: the honest choice is the
    // analysis of the real deal, with the line about the deals first.
    void unSoloRepartoEsElAnalisisDeSiempre()
    {
        Estado e = Posicion({"3-3 5-6 3-4", "0-0", "1-1", "2-2"}, 1, 3, 5, 4, 1);
        // Seat 2 passed on 1 and 2, seat 4 on 0 and 1, seat 3 on 0 and 2.
        Historia(e, {1, 3, 2, 4}, {{1, 2}, {0, 1}, {0, 2}, {3, 5}});
        e.ParamNivel = ParamNivelDe('U');
        QTemporaryDir carpeta;
        e.CarpetaApp = carpeta.path() + '/';
        QCOMPARE(Repartos(LoQueSabe(e)).Total(), std::uint64_t{1});

        Estado clasico = e;
        AnfitrionPrueba a;
        const Eleccion honesta = ElegirJugada(e, a, ContarOpciones(e, 1), Honesto(5, 0));
        QVERIFY(honesta.Analizo && !honesta.HuboTree);
        QVERIFY(!QFile::exists(carpeta.path() + "/JGO/Tree.Dom"));
        QCOMPARE(a.Avances.last(), 1.0);

        const Eleccion r = ElegirJugada(clasico, a, ContarOpciones(clasico, 1));
        QVERIFY(r.HuboTree);
        QCOMPARE(honesta.Ficha, r.Ficha);
        QCOMPARE(honesta.Lado, r.Lado);
        QCOMPARE(honesta.Msg,
                 QStringLiteral("Se consideró el único reparto posible de las fichas que no se ven.\n\n") + r.Msg);
        QCOMPARE(e.Pronosticos[5], clasico.Pronosticos[5]);
    }

    // The rules look at what the next seat may hold, not at its hand.
    void reglasSinMirarLaManoAjena_data()
    {
        QTest::addColumn<QString>("vista");
        QTest::addColumn<QString>("salida");
        QTest::addColumn<QString>("jugada");
        // Lead: the next seat holds a 5 but no 2. Seen, the 2-2 makes it pass;
        // unseen, it may hold anything, so the highest double leads.
        QTest::newRow("salida, todas") << "T" << "2-2" << "";
        QTest::newRow("salida, solo lo que sabe") << "S" << "5-5" << "";
        // Open at 1 and 3; the next seat passed on 3 and 6 and really holds no
        // 1. Seen, it can use neither end (fallbacks: the first tile that fits);
        // unseen, it may hold a 1, so the 3-6 goes right, leaving it a 6.
        QTest::newRow("varias, todas") << "T" << "" << "1-4 IZQ";
        QTest::newRow("varias, solo lo que sabe") << "S" << "" << "3-6 DER";
    }
    void reglasSinMirarLaManoAjena()
    {
        QFETCH(QString, vista);
        QFETCH(QString, salida);
        QFETCH(QString, jugada);
        Estado e;
        if (!salida.isEmpty()) {
            e = Posicion({"5-5 2-2 0-1 3-4 0-6 1-3 2-6", "0-5 1-1 0-3 1-4 3-6 4-6 3-3", "0-0 4-4 6-6 0-2 0-4 1-2 1-5",
                          "1-6 2-3 2-4 2-5 3-5 4-5 5-6"},
                         1, 0, 0, 0, 1);
        } else {
            e = Posicion({"1-4 3-6 1-3", "0-0 0-2 2-2 0-4", "1-5 2-5", "5-5"}, 1, 1, 3, 3, 1);
            Historia(e, {1, 3, 4}, {{3, 6}, {2, 2}, {1, 3}});
        }
        AnfitrionPrueba a;
        Criterio c;
        c.Vista = vista[0].toLatin1();
        const Eleccion r = ElegirJugada(e, a, ContarOpciones(e, 1), c);
        const Pips& p = kTablaFichas[static_cast<std::size_t>(r.Ficha)];
        const QString elegida = QStringLiteral("%1-%2").arg(p.Punto1).arg(p.Punto2);
        if (!salida.isEmpty()) {
            QCOMPARE(elegida, salida);
        } else {
            QCOMPARE(elegida + ' ' + TextoExtremo(r.Lado), jugada);
        }
        QVERIFY(!r.Analizo);
    }
};

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "1500000");
    QCoreApplication app(argc, argv);
    PruebaHonesto prueba;
    return QTest::qExec(&prueba, argc, argv);
}
#include "PruebaHonesto.moc"
