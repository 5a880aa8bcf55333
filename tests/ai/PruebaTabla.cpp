// The table of explored positions on its own: what is stored is found
// again with its own counts, what was not is never found, and a new context
// forgets everything before it.

#include <QtTest>
#include <random>
#include <vector>

#include "ai/TablaPosiciones.h"

using rapida::Entrada;
using rapida::TablaPosiciones;

namespace {

// Keys shaped as the analysis makes them: a marker bit above the seat, the
// ends and the 28-bit set of played tiles.
std::vector<std::uint64_t> Claves(std::mt19937_64& azar, int n)
{
    std::vector<std::uint64_t> claves;
    for (int i = 0; i < n; ++i)
        claves.push_back((std::uint64_t{1} << 40) | (azar() & ((std::uint64_t{1} << 40) - 1)));
    return claves;
}

Entrada Con(std::uint64_t clave, int fichas)
{
    Entrada e{};
    e.Clave = clave;
    e.Idas13 = static_cast<std::uint32_t>(clave * 7);
    e.Idas24 = static_cast<std::uint32_t>(clave >> 3);
    e.Cierres13 = 0xffffffffu;
    e.Cierres24 = static_cast<std::uint32_t>(clave & 0xffff);
    e.Max13 = 40;
    e.Min13 = 255;
    e.Max24 = static_cast<std::uint8_t>(clave % 200);
    e.Min24 = 3;
    e.Letra = (clave & 1) ? 'G' : 'P';
    e.Hondo = static_cast<std::int8_t>(clave % 50);
    e.Fichas = static_cast<std::uint8_t>(fichas);
    return e;
}

bool MismosDatos(const Entrada& a, const Entrada& b)
{
    return a.Idas13 == b.Idas13 && a.Idas24 == b.Idas24 && a.Cierres13 == b.Cierres13
           && a.Cierres24 == b.Cierres24 && a.Max13 == b.Max13 && a.Min13 == b.Min13 && a.Max24 == b.Max24
           && a.Min24 == b.Min24 && a.Letra == b.Letra && a.Hondo == b.Hondo;
}

}  // namespace

class PruebaTabla : public QObject {
    Q_OBJECT

private slots:
    // Far more keys than buckets: many are evicted, but a key found comes
    // back with its own counts, whichever entries of its bucket it met.
    void loGuardadoVuelveConSusCuentas()
    {
        TablaPosiciones tabla(10);
        tabla.NuevoContexto(10);
        std::mt19937_64 azar(11);
        const std::vector<std::uint64_t> claves = Claves(azar, 6000);
        for (std::size_t i = 0; i < claves.size(); ++i) {
            const int fichas = 7 + static_cast<int>(i % 15);
            tabla.Guardar(Con(claves[i], fichas));
            // A store always lands, whatever it pushes out.
            Entrada e{};
            QVERIFY2(tabla.Buscar(claves[i], fichas, e), qPrintable(QString::number(i)));
        }
        int halladas = 0;
        for (std::size_t i = 0; i < claves.size(); ++i) {
            const int fichas = 7 + static_cast<int>(i % 15);
            Entrada e{};
            if (tabla.Buscar(claves[i], fichas, e)) {
                ++halladas;
                QVERIFY(MismosDatos(e, Con(claves[i], fichas)));
            }
            // Another size of position under the same key is another entry.
            QVERIFY(!tabla.Buscar(claves[i], fichas == 21 ? 22 : fichas + 15, e));
        }
        // The last stores at least are still there.
        QVERIFY(halladas >= 1000);

    }

    // Keys never stored are never found, also in a full table.
    void loNuncaGuardadoNoSeEncuentra()
    {
        TablaPosiciones tabla(12);
        tabla.NuevoContexto(12);
        std::mt19937_64 azar(12);
        for (std::uint64_t c : Claves(azar, 2000))
            tabla.Guardar(Con(c, 9));
        for (std::uint64_t c : Claves(azar, 20000)) {
            Entrada e{};
            QVERIFY(!tabla.Buscar(c, 9, e));
        }
    }

    // A new context, also a smaller one, forgets the earlier entries; the
    // larger one after it does too, though the buckets the smaller one left
    // alone still hold entries of the first.
    void unContextoNuevoOlvida()
    {
        TablaPosiciones tabla(12);
        std::mt19937_64 azar(13);
        const std::vector<std::uint64_t> claves = Claves(azar, 500);
        for (int bits : {12, 9, 12}) {
            tabla.NuevoContexto(bits);
            for (std::uint64_t c : claves) {
                Entrada e{};
                QVERIFY(!tabla.Buscar(c, 8, e));
            }
            for (std::uint64_t c : claves)
                tabla.Guardar(Con(c, 8));
            int halladas = 0;
            for (std::uint64_t c : claves) {
                Entrada e{};
                halladas += tabla.Buscar(c, 8, e) ? 1 : 0;
            }
            QVERIFY(halladas >= 250);
        }
    }
};

QTEST_APPLESS_MAIN(PruebaTabla)
#include "PruebaTabla.moc"
