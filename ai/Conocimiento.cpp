#include "ai/Conocimiento.h"

#include <algorithm>
#include <bit>
#include <set>

#include "rules/Azar.h"

namespace {

constexpr std::uint32_t kTodas = (1u << kNumFichas) - 1;

std::uint8_t Numeros(int ficha)
{
    return static_cast<std::uint8_t>(1u << kTablaFichas[ficha].Punto1 | 1u << kTablaFichas[ficha].Punto2);
}

bool SillaValida(int s) { return s >= 1 && s <= 4; }

}  // namespace

bool Conocimiento::PuedeTener(int silla, int numero) const
{
    if (Faltas[silla] >> numero & 1u)
        return false;
    for (std::uint32_t m = Ocultas; m != 0; m &= m - 1)
        if (Numeros(std::countr_zero(m)) >> numero & 1u)
            return true;
    return false;
}

Conocimiento LoQueSabe(const Estado& e)
{
    Conocimiento c;
    c.Silla = e.Turno;
    std::uint32_t jugadas = 0;
    for (int t = 0; t < kNumFichas; ++t)
        if (e.Fichas[t].Lugar == 'J')
            jugadas |= 1u << t;
    // How many tiles each seat has left is on the table for all to see.
    for (int s = 1; s <= 4; ++s) {
        for (int k = 1; k <= 7; ++k) {
            const int t = e.Jugadores[s].Mano[k];
            if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D')
                continue;
            c.Cuantas[s] += 1;
            if (s == e.Turno)
                c.Propias |= 1u << t;
        }
    }
    c.Ocultas = kTodas & ~jugadas & ~c.Propias;

    // Every seat the turn skipped between two plays passed on the ends the
    // first of them left; the seats skipped since the last play passed on
    // the ends open now.
    const int tiros = std::clamp(e.NumTiro, 0, kMaxTiros);
    for (int n = 1; n <= tiros; ++n) {
        const int jugo = e.HistJugador[n];
        const int luego = n < tiros ? e.HistJugador[n + 1] : e.Turno;
        if (!SillaValida(jugo) || !SillaValida(luego))
            continue;
        const int izq = e.HistValorIzq[n], der = e.HistValorDer[n];
        if (izq < 0 || izq > 6 || der < 0 || der > 6)
            continue;
        const auto faltan = static_cast<std::uint8_t>(1u << izq | 1u << der);
        for (int s = Siguiente(jugo); s != luego; s = Siguiente(s))
            c.Faltas[s] |= faltan;
    }
    return c;
}

Repartos::Repartos(const Conocimiento& c) : c_(c)
{
    if (!SillaValida(c.Silla))
        return;
    for (int j = 0, s = Siguiente(c.Silla); j < 3; ++j, s = Siguiente(s))
        otras_[j] = s;
    for (std::uint32_t m = c.Ocultas; m != 0 && n_ < kMaxOcultas; m &= m - 1)
        fichas_[n_++] = std::countr_zero(m);
    const int a0 = c.Cuantas[otras_[0]], b0 = c.Cuantas[otras_[1]], c0 = c.Cuantas[otras_[2]];
    if (std::popcount(c.Ocultas) != n_ || a0 + b0 + c0 != n_ || a0 > 7 || b0 > 7 || c0 > 7)
        return;
    formas_[n_][0][0] = 1;
    for (int i = n_ - 1; i >= 0; --i)
        for (int a = 0; a <= 7; ++a)
            for (int b = 0; b <= 7; ++b) {
                if (a + b > n_ - i)
                    continue;
                std::uint64_t w = 0;
                if (a > 0 && Cabe(i, 0))
                    w += formas_[i + 1][a - 1][b];
                if (b > 0 && Cabe(i, 1))
                    w += formas_[i + 1][a][b - 1];
                if (n_ - i - a - b > 0 && Cabe(i, 2))
                    w += formas_[i + 1][a][b];
                formas_[i][a][b] = w;
            }
    total_ = formas_[0][a0][b0];
}

bool Repartos::Cabe(int i, int otra) const { return (c_.Faltas[otras_[otra]] & Numeros(fichas_[i])) == 0; }

std::uint64_t Repartos::Formas(int i, int a, int b) const
{
    return a < 0 || b < 0 || a + b > n_ - i ? 0 : formas_[i][a][b];
}

std::array<std::uint32_t, 5> Repartos::Reparto(std::uint64_t indice) const
{
    std::array<std::uint32_t, 5> manos{};
    manos[c_.Silla] = c_.Propias;
    int a = c_.Cuantas[otras_[0]], b = c_.Cuantas[otras_[1]];
    for (int i = 0; i < n_; ++i) {
        // The deals of tile i going to each seat in turn order are numbered
        // one block after another.
        const std::uint64_t w0 = a > 0 && Cabe(i, 0) ? Formas(i + 1, a - 1, b) : 0;
        const std::uint64_t w1 = b > 0 && Cabe(i, 1) ? Formas(i + 1, a, b - 1) : 0;
        int otra = 0;
        if (indice < w0) {
            --a;
        } else if ((indice -= w0) < w1) {
            otra = 1;
            --b;
        } else {
            indice -= w1;
            otra = 2;
        }
        manos[otras_[otra]] |= 1u << fichas_[i];
    }
    return manos;
}

std::vector<std::uint64_t> Repartos::Elegir(int cuantos, std::uint64_t semilla) const
{
    std::vector<std::uint64_t> v;
    if (cuantos <= 0 || total_ == 0)
        return v;
    if (total_ <= static_cast<std::uint64_t>(cuantos)) {
        v.resize(static_cast<std::size_t>(total_));
        for (std::uint64_t i = 0; i < total_; ++i)
            v[static_cast<std::size_t>(i)] = i;
        return v;
    }
    Azar azar;
    azar.Sembrar(static_cast<std::int64_t>(semilla));
    std::set<std::uint64_t> elegidos;
    while (elegidos.size() < static_cast<std::size_t>(cuantos)) {
        const auto i = static_cast<std::uint64_t>(azar.Siguiente() * static_cast<double>(total_));
        elegidos.insert(std::min(i, total_ - 1));
    }
    return {elegidos.begin(), elegidos.end()};
}

std::uint64_t SemillaDeJugada(std::int64_t semilla, int numMano, int numTiro, int turno)
{
    std::uint64_t h = static_cast<std::uint64_t>(semilla) * 0x9E3779B97F4A7C15ULL;
    for (const int x : {numMano, numTiro, turno}) {
        h ^= static_cast<std::uint64_t>(static_cast<std::uint32_t>(x)) + 0x632BE59BD9B4E019ULL + (h << 6) + (h >> 2);
        h *= 0xBF58476D1CE4E5B9ULL;
    }
    return h ^ (h >> 31);
}
