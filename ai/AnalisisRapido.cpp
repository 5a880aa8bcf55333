// The fast engine: the same search as the reference, on a compact position.
//
//  - A position is four 28-bit hand masks, the two open numbers, the seat to
//    move and the run of passes; moves are made and unmade in place, with the
//    seats' pip sums kept up to date. Nothing is allocated per node.
//  - Less than 12 nodes deep the search walks the moves in slot order and
//    writes the tree lines exactly as the reference does.
//  - From 12 nodes deep on no line is written, so only a subtree's aggregate
//    matters: dominoes and blocked lines per pair, the smallest and largest
//    points each pair wins, and the result letter. None of these depends on
//    the order of the moves, and the same position is reached by many move
//    orders, so each aggregate is kept in a cache keyed by the position (the
//    played tiles fix the hands; the two open numbers are stored unordered,
//    since swapping the ends swaps the moves and nothing else).
//  - The one thing that depends on how deep a position lies is the guard that
//    ends a line unscored when a seat without a placement is 61 or more
//    nodes deep. Each aggregate therefore also records how far below its
//    position the deepest seat without a placement lies. An aggregate is kept
//    only when the guard did not act inside it, and reused only where that
//    deepest seat stays above the guard too, so reuse never changes a result.
//  - The cache is one table shared by both workers and kept after the
//    analysis: the key names the tiles left, not the tiles played, so the
//    later plays of the same hand find what the earlier analyses stored.

#include <bit>
#include <cstring>
#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <new>
#include <system_error>
#include <thread>
#include <vector>
#include <cstdlib>
#if defined(__unix__)
#include <sys/mman.h>
#endif

#include "ai/Analisis.h"

namespace {

constexpr int kProfundidadArbol = 12;  // nodes this deep write no tree lines
constexpr int kGuarda = 61;            // a seat without a placement this deep ends its line unscored
constexpr int kMinimoCache = 11;     // tiles in hands below which recomputing beats the cache

// More than one bit set.
constexpr bool Varios(std::uint32_t m) { return (m & (m - 1)) != 0; }

struct Acumulado {
    std::uint64_t Idas[3] = {0, 0, 0};     // pairs 1..2
    std::uint64_t Cierres[3] = {0, 0, 0};
    int Max[3] = {0, 0, 0};
    int Min[3] = {0, 999, 999};

    void Unir(const Acumulado& o)
    {
        for (int p = 1; p <= 2; ++p) {
            Idas[p] += o.Idas[p];
            Cierres[p] += o.Cierres[p];
            if (o.Max[p] > Max[p])
                Max[p] = o.Max[p];
            if (o.Min[p] < Min[p])
                Min[p] = o.Min[p];
        }
    }
};

// One cached aggregate in four 64-bit words. The two workers share the table
// without locks: the first word holds the key mixed with the other three, so
// an entry torn by two simultaneous writes no longer matches any key and is
// simply a miss. Counts below the tree lines stay far under 2^32; larger ones
// are not cached.
struct Entrada {
    std::uint64_t Clave;  // context-stamped key; 0: empty
    std::uint32_t Idas13, Idas24, Cierres13, Cierres24;
    std::uint8_t Max13, Min13, Max24, Min24;  // 255: no line won
    char Letra;           // as seen by pair 1-3
    std::int8_t Hondo;    // depth of the deepest seat without a placement below; -1 none
    std::uint8_t Fichas;  // tiles in hands, to keep the costlier entry
    std::uint8_t Sello;   // low byte of the context stamp, to evict stale entries first
};
static_assert(sizeof(Entrada) == 32);

class Cache {
public:
    explicit Cache(int bits)
    {
        // A smaller cache only costs speed, so fall back when memory is short.
        for (; bits > 8 && !Reservar(bits); --bits) {
        }
    }
    ~Cache() { Liberar(); }
    Cache(const Cache&) = delete;
    Cache& operator=(const Cache&) = delete;

    // Entries of earlier contexts stop matching: the stamp is part of every
    // stored key.
    void NuevoContexto()
    {
        if (++sello_ == kSellos) {
            std::memset(static_cast<void*>(tabla_), 0, 2 * (mascara_ + 1) * sizeof(Entrada));
            sello_ = 1;
        }
    }

    void Anticipar(std::uint64_t clave) const { __builtin_prefetch(&tabla_[2 * Indice(clave)]); }

    bool Buscar(std::uint64_t clave, Entrada& e) const
    {
        const std::uint64_t sellada = Sellar(clave);
        const Entrada* b = &tabla_[2 * Indice(clave)];
        for (int i = 0; i < 2; ++i) {
            Leer(b[i], e);
            if (e.Clave == (sellada ^ Mezcla(e)))
                return true;
        }
        return false;
    }

    void Guardar(Entrada e)
    {
        Entrada* b = &tabla_[2 * Indice(e.Clave)];
        e.Sello = static_cast<std::uint8_t>(sello_);
        e.Clave = Sellar(e.Clave) ^ Mezcla(e);
        // An entry of an earlier context goes first, then the one over fewer
        // tiles, the cheaper to lose.
        const int f0 = Valor(b[0]), f1 = Valor(b[1]);
        Entrada& destino = f0 <= f1 ? b[0] : b[1];
        std::uint64_t w[4];
        std::memcpy(w, &e, sizeof w);
        for (int i = 0; i < 4; ++i)
            Palabra(destino, i).store(w[i], std::memory_order_relaxed);
    }

private:
    static constexpr std::uint64_t kSellos = 1u << 16;
    std::size_t mascara_ = 0;
    std::size_t tamano_ = 0;
    void* base_ = nullptr;
    Entrada* tabla_ = nullptr;
    std::uint64_t sello_ = 1;

    std::uint64_t Sellar(std::uint64_t clave) const { return clave | sello_ << 48; }

    static std::atomic_ref<std::uint64_t> Palabra(Entrada& e, int i)
    {
        return std::atomic_ref<std::uint64_t>(reinterpret_cast<std::uint64_t*>(&e)[i]);
    }

    int Valor(Entrada& e) const
    {
        const std::uint64_t w = Palabra(e, 3).load(std::memory_order_relaxed);
        return (w >> 56) == (sello_ & 0xff) ? static_cast<int>(w >> 48 & 0xff) : -1;
    }

    static void Leer(const Entrada& origen, Entrada& e)
    {
        std::uint64_t w[4];
        for (int i = 0; i < 4; ++i)
            w[i] = Palabra(const_cast<Entrada&>(origen), i).load(std::memory_order_relaxed);
        std::memcpy(&e, w, sizeof w);
    }

    // The three data words, mixed so that words of different entries do not
    // cancel out.
    static std::uint64_t Mezcla(const Entrada& e)
    {
        std::uint64_t w[4];
        std::memcpy(w, &e, sizeof w);
        std::uint64_t h = w[1] * 0x9e3779b97f4a7c15ULL;
        h = (h ^ (h >> 31) ^ w[2]) * 0xbf58476d1ce4e5b9ULL;
        h = (h ^ (h >> 29) ^ w[3]) * 0x94d049bb133111ebULL;
        return h ^ (h >> 32);
    }

    bool Reservar(int bits)
    {
        mascara_ = (std::size_t{1} << bits) - 1;
        const std::size_t bytes = 2 * (mascara_ + 1) * sizeof(Entrada);
#if defined(__unix__)
        // Anonymous pages come zeroed on first touch; large pages spare the
        // random probes most of their address-translation misses.
        constexpr std::size_t kPagina = std::size_t{2} << 20;
        tamano_ = bytes + kPagina;
        void* p = mmap(nullptr, tamano_, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
        if (p == MAP_FAILED)
            return false;
        base_ = p;
        tabla_ = reinterpret_cast<Entrada*>((reinterpret_cast<std::uintptr_t>(p) + kPagina - 1) & ~(kPagina - 1));
        madvise(tabla_, bytes, MADV_HUGEPAGE);
#else
        base_ = std::calloc(bytes / 64 + 1, 64);
        if (!base_)
            return false;
        tabla_ = reinterpret_cast<Entrada*>((reinterpret_cast<std::uintptr_t>(base_) + 63) & ~std::uintptr_t{63});
#endif
        return true;
    }

    void Liberar()
    {
#if defined(__unix__)
        if (base_)
            munmap(base_, tamano_);
#else
        std::free(base_);
#endif
    }

    std::size_t Indice(std::uint64_t clave) const
    {
        clave ^= clave >> 29;
        clave *= 0xbf58476d1ce4e5b9ULL;
        clave ^= clave >> 32;
        return static_cast<std::size_t>(clave) & mascara_;
    }
};

// A root move, found in slot order.
struct JugadaRaiz {
    int Silla, Ficha;
    char Lado;            // 'D' or 'I'
    int NuevaA, NuevaB;   // the ends after it
    int Opciones;         // root moves in all
    const char* Etiqueta;
};

struct MovimientoRaiz {
    Acumulado Acc;
    char Letra = '?';
};

struct Resultado {
    char Letra;
    int Hondo;  // relative depth of the deepest seat without a placement; -1 none
};

class Rapida {
public:
    Rapida(const Estado& e, Cache& cache) : cache_(cache)
    {
        for (int t = 0; t < kNumFichas; ++t) {
            p1_[t] = kTablaFichas[t].Punto1;
            p2_[t] = kTablaFichas[t].Punto2;
            conNumero_[p1_[t]] |= 1u << t;
            conNumero_[p2_[t]] |= 1u << t;
        }
        for (int s = 1; s <= 4; ++s) {
            for (int k = 1; k <= 7; ++k) {
                const int t = e.Jugadores[s].Mano[k];
                if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D' || (mano_[s] >> t & 1u))
                    continue;
                mano_[s] |= 1u << t;
                puntos_[s] += p1_[t] + p2_[t];
                orden_[s][nOrden_[s]++] = static_cast<std::int8_t>(t);
            }
            enMano_ += nOrden_[s];
        }
        jugadas_ = ~(mano_[1] | mano_[2] | mano_[3] | mano_[4]) & ((1u << kNumFichas) - 1);
        miPareja_ = ParejaDe(e.Turno);
        parejaSalida_ = ParejaDe(e.Salidor);
        acuPtos_ = e.Opciones.AcuPtos == 1;
    }

    // Explores one root move and writes
    // its tree lines, its own move line included, to `lineas`.
    MovimientoRaiz ExplorarRaiz(const JugadaRaiz& j, std::string& lineas)
    {
        arbol_ = &lineas;
        MovimientoRaiz m;
        const int s = j.Silla, t = j.Ficha;
        Quitar(s, t);
        if (mano_[s] != 0) {
            m.Letra = Nodo(Sig(s), j.NuevaA, j.NuevaB, 0, 2, m.Acc).Letra;
            if (j.Opciones > 1)
                LineaJugada(1, s, t, j.Etiqueta, m.Letra);
        } else {
            m.Letra = Ida(s, m.Acc);
        }
        Devolver(s, t);
        arbol_ = nullptr;
        return m;
    }

private:
    Cache& cache_;
    std::string* arbol_ = nullptr;

    int p1_[kNumFichas]{}, p2_[kNumFichas]{};
    std::uint32_t conNumero_[7]{};
    std::uint32_t mano_[5]{};
    int puntos_[5]{};
    std::int8_t orden_[5][7]{};
    int nOrden_[5]{};
    int enMano_ = 0;
    std::uint32_t jugadas_ = 0;  // tiles out of the hands: with the hands fixed, the position
    int miPareja_ = 1, parejaSalida_ = 1;
    bool acuPtos_ = false;
    char ultimaLetra_ = '?';

    static int Sig(int s) { return (s & 3) + 1; }

    void Quitar(int s, int t)
    {
        mano_[s] &= ~(1u << t);
        puntos_[s] -= p1_[t] + p2_[t];
        jugadas_ |= 1u << t;
        --enMano_;
    }
    void Devolver(int s, int t)
    {
        mano_[s] |= 1u << t;
        puntos_[s] += p1_[t] + p2_[t];
        jugadas_ &= ~(1u << t);
        ++enMano_;
    }

    static void Anotar(Acumulado& acc, int pareja, int puntos)
    {
        if (puntos > acc.Max[pareja])
            acc.Max[pareja] = puntos;
        if (puntos < acc.Min[pareja])
            acc.Min[pareja] = puntos;
    }

    // Seat s has just laid its last tile.
    char Ida(int s, Acumulado& acc) const
    {
        const int pareja = ParejaDe(s);
        const int companero = Sig(Sig(s));
        int puntos = puntos_[Sig(s)] + puntos_[Sig(companero)];
        if (acuPtos_)
            puntos += puntos_[companero];
        acc.Idas[pareja] += 1;
        Anotar(acc, pareja, puntos);
        return pareja == miPareja_ ? 'G' : 'P';
    }

    char Cierre(Acumulado& acc) const
    {
        const int t13 = puntos_[1] + puntos_[3];
        const int t24 = puntos_[2] + puntos_[4];
        const int gana = t13 < t24 ? 1 : t13 > t24 ? 2 : parejaSalida_;
        int puntos = gana == 1 ? t24 : t13;
        if (acuPtos_)
            puntos += gana == 1 ? t13 : t24;
        acc.Cierres[gana] += 1;
        Anotar(acc, gana, puntos);
        return gana == miPareja_ ? 'G' : 'P';
    }

    // A letter as seen by pair 1-3 and back: the cache keeps letters in a
    // form that does not depend on who analyses.
    char Absoluta(char letra) const
    {
        return miPareja_ == 1 || letra == '?' ? letra : letra == 'G' ? 'P' : 'G';
    }

    char Preferida(int silla, bool hayG, bool hayP) const
    {
        if (hayP && hayG)
            return ParejaDe(silla) == miPareja_ ? 'G' : 'P';
        return hayP ? 'P' : 'G';
    }

    // A seat down to one tile that fits goes out at once, once per end it
    // fits: the whole node, without a call, and without taking the tile out
    // of the hand, since a domino's score never reads the hand that went out.
    bool Salir(int s, int a, int b, Acumulado& acc)
    {
        const std::uint32_t m = mano_[s];
        if (Varios(m))
            return false;
        const int veces = ((m & conNumero_[b]) != 0) + (a != b && (m & conNumero_[a]) != 0);
        if (veces == 0)
            return false;
        for (int i = 0; i < veces; ++i)
            ultimaLetra_ = Ida(s, acc);
        return true;
    }

    // The seat has more than one placement.
    bool Elige(int s, int a, int b) const
    {
        const std::uint32_t der = mano_[s] & conNumero_[b];
        const std::uint32_t izq = a != b ? mano_[s] & conNumero_[a] : 0u;
        return Varios(der) || Varios(izq) || (der != 0 && izq != 0);
    }

    // 0, 1, or 2 for more than one.
    int Opciones(int s, int a, int b) const
    {
        const std::uint32_t der = mano_[s] & conNumero_[b];
        const std::uint32_t izq = a != b ? mano_[s] & conNumero_[a] : 0u;
        if ((der | izq) == 0)
            return 0;
        return (Varios(der) || Varios(izq) || (der != 0 && izq != 0)) ? 2 : 1;
    }

    void LineaJugada(int profundidad, int silla, int t, const char* etiqueta, char r)
    {
        static const char kPatron[] = ".   .   .   .   .   .   .   .   .   .   ";
        std::string& s = *arbol_;
        s.append(kPatron, static_cast<std::size_t>((profundidad - 1) * 4));
        const char cuerpo[] = {'J', '=', static_cast<char>('0' + silla), ' ', static_cast<char>('0' + p1_[t]), '-',
                               static_cast<char>('0' + p2_[t])};
        s.append(cuerpo, sizeof cuerpo);
        s.append(etiqueta);
        s.push_back(r);
        s.append("\r\n", 2);
    }

    // Any node below the root.
    Resultado Nodo(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        if (prof >= kProfundidadArbol)
            return Abajo(s, a, b, pases, prof, acc);
        return Arriba(s, a, b, pases, prof, acc);
    }

    // A seat without a placement: pass, block, or stop at the guard.
    Resultado Pasar(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        if (prof >= kGuarda)
            return {'?', 0};
        if (pases + 1 >= 4)
            return {Cierre(acc), 0};
        const Resultado r = Nodo(Sig(s), a, b, pases + 1, prof + 1, acc);
        return {r.Letra, r.Hondo >= 0 ? r.Hondo + 1 : 0};
    }

    // Less than 12 deep: moves in slot order, tree lines written.
    Resultado Arriba(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        const int opciones = Opciones(s, a, b);
        if (opciones == 0)
            return Pasar(s, a, b, pases, prof, acc);

        char r = '?';
        bool recogido = false, hayG = false, hayP = false;
        int hondo = -1;
        for (int i = 0; i < nOrden_[s]; ++i) {
            const int t = orden_[s][i];
            if (!(mano_[s] >> t & 1u))
                continue;
            for (int lado = 0; lado < 2; ++lado) {
                int na = a, nb = b;
                if (lado == 0) {
                    if (b != p1_[t] && b != p2_[t])
                        continue;
                    nb = b == p1_[t] ? p2_[t] : p1_[t];
                } else {
                    if ((a != p1_[t] && a != p2_[t]) || a == b)
                        continue;
                    na = a == p1_[t] ? p2_[t] : p1_[t];
                }
                Quitar(s, t);
                if (mano_[s] != 0) {
                    const Resultado h = Nodo(Sig(s), na, nb, 0, prof + 1, acc);
                    r = h.Letra;
                    if (h.Hondo + 1 > hondo)
                        hondo = h.Hondo + 1;
                    if (opciones > 1) {
                        LineaJugada(prof, s, t, lado == 1 ? " I r=" : a == b ? " D ó I r=" : " D r=", r);
                        recogido = true;
                        hayG |= r == 'G';
                        hayP |= r == 'P';
                    }
                } else {
                    r = Ida(s, acc);
                }
                Devolver(s, t);
            }
        }
        if (recogido)
            r = Preferida(s, hayG, hayP);
        return {r, hondo};
    }

    // 12 or more deep: no lines, so any move order, and the cache.
    Resultado Abajo(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        // Only positions with a choice are kept: a forced move or a pass
        // leads to a single position, which is kept in its place.
        if (enMano_ < kMinimoCache)
            return Hoja(s, a, b, pases, prof, acc);
        if (!Elige(s, a, b))
            return Explorar(s, a, b, pases, prof, acc);

        const std::uint64_t clave = Clave(s, a, b, pases, jugadas_);
        if (Entrada e; cache_.Buscar(clave, e) && prof + e.Hondo < kGuarda) {
            acc.Idas[1] += e.Idas13;
            acc.Idas[2] += e.Idas24;
            acc.Cierres[1] += e.Cierres13;
            acc.Cierres[2] += e.Cierres24;
            if (e.Max13 > acc.Max[1])
                acc.Max[1] = e.Max13;
            if (e.Max24 > acc.Max[2])
                acc.Max[2] = e.Max24;
            const int min13 = e.Min13 == 255 ? 999 : e.Min13;
            const int min24 = e.Min24 == 255 ? 999 : e.Min24;
            if (min13 < acc.Min[1])
                acc.Min[1] = min13;
            if (min24 < acc.Min[2])
                acc.Min[2] = min24;
            return {Absoluta(e.Letra), e.Hondo};
        }

        Acumulado sub;
        const Resultado r = Explorar(s, a, b, pases, prof, sub);
        acc.Unir(sub);
        constexpr std::uint64_t kTope = 0xffffffffULL;
        if (prof + r.Hondo < kGuarda && sub.Idas[1] <= kTope && sub.Idas[2] <= kTope && sub.Cierres[1] <= kTope
            && sub.Cierres[2] <= kTope) {
            Entrada e{};
            e.Clave = clave;
            e.Idas13 = static_cast<std::uint32_t>(sub.Idas[1]);
            e.Idas24 = static_cast<std::uint32_t>(sub.Idas[2]);
            e.Cierres13 = static_cast<std::uint32_t>(sub.Cierres[1]);
            e.Cierres24 = static_cast<std::uint32_t>(sub.Cierres[2]);
            e.Max13 = static_cast<std::uint8_t>(sub.Max[1]);
            e.Max24 = static_cast<std::uint8_t>(sub.Max[2]);
            e.Min13 = static_cast<std::uint8_t>(sub.Min[1] == 999 ? 255 : sub.Min[1]);
            e.Min24 = static_cast<std::uint8_t>(sub.Min[2] == 999 ? 255 : sub.Min[2]);
            e.Letra = Absoluta(r.Letra);
            e.Hondo = static_cast<std::int8_t>(r.Hondo);
            e.Fichas = static_cast<std::uint8_t>(enMano_);
            cache_.Guardar(e);
        }
        return r;
    }

    static std::uint64_t Clave(int s, int a, int b, int pases, std::uint32_t jugadas)
    {
        return (std::uint64_t{1} << 40) | (std::uint64_t(pases) << 36) | (std::uint64_t(s - 1) << 34)
               | (std::uint64_t(std::max(a, b)) << 31) | (std::uint64_t(std::min(a, b)) << 28) | jugadas;
    }

    // Starts loading the cache entries of the children, so that their
    // probes overlap instead of waiting one after another.
    void Anticipar(int sig, int a, int b, std::uint32_t der, std::uint32_t izq) const
    {
        if (enMano_ - 1 < kMinimoCache)
            return;
        for (std::uint32_t m = der; m != 0; m &= m - 1) {
            const int t = std::countr_zero(m);
            const int nb = p1_[t] + p2_[t] - b;
            if (Elige(sig, a, nb))
                cache_.Anticipar(Clave(sig, a, nb, 0, jugadas_ | 1u << t));
        }
        for (std::uint32_t m = izq; m != 0; m &= m - 1) {
            const int t = std::countr_zero(m);
            const int na = p1_[t] + p2_[t] - a;
            if (Elige(sig, na, b))
                cache_.Anticipar(Clave(sig, na, b, 0, jugadas_ | 1u << t));
        }
    }

    // The moves of a node below the tree lines, in mask order.
    Resultado Explorar(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        const std::uint32_t der = mano_[s] & conNumero_[b];
        const std::uint32_t izq = a != b ? mano_[s] & conNumero_[a] : 0u;
        if ((der | izq) == 0)
            return Pasar(s, a, b, pases, prof, acc);
        const bool varias = Varios(der) || Varios(izq) || (der != 0 && izq != 0);

        char r = '?';
        bool hayG = false, hayP = false;
        int hondo = -1;
        const int sig = Sig(s);
        Anticipar(sig, a, b, der, izq);
        for (int lado = 0; lado < 2; ++lado) {
            for (std::uint32_t m = lado == 0 ? der : izq; m != 0; m &= m - 1) {
                const int t = std::countr_zero(m);
                Quitar(s, t);
                if (mano_[s] != 0) {
                    const int suma = p1_[t] + p2_[t];
                    const int na = lado == 0 ? a : suma - a;
                    const int nb = lado == 0 ? suma - b : b;
                    const Resultado h = Salir(sig, na, nb, acc)        ? Resultado{ultimaLetra_, -1}
                                        : enMano_ >= kMinimoCache ? Abajo(sig, na, nb, 0, prof + 1, acc)
                                                                  : Hoja(sig, na, nb, 0, prof + 1, acc);
                    r = h.Letra;
                    if (h.Hondo + 1 > hondo)
                        hondo = h.Hondo + 1;
                    hayG |= r == 'G';
                    hayP |= r == 'P';
                } else {
                    r = Ida(s, acc);
                }
                Devolver(s, t);
            }
        }
        // With a choice the mover's preference decides; a seat down to one
        // tile only has dominoing moves, which pass the last letter on.
        if (varias && Varios(mano_[s]))
            r = Preferida(s, hayG, hayP);
        return {r, hondo};
    }

    // Too few tiles for the cache: the same walk as Explorar, pared down,
    // since every node below is one of these too and most of the nodes of an
    // analysis lie here. Only the hand and pip sum of the mover change: the
    // played tiles and the count in hands serve the cache keys alone.
    Resultado Hoja(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        const std::uint32_t mano = mano_[s];
        const std::uint32_t der = mano & conNumero_[b];
        const std::uint32_t izq = a != b ? mano & conNumero_[a] : 0u;
        const int sig = Sig(s);
        if ((der | izq) == 0) {
            if (prof >= kGuarda)
                return {'?', 0};
            if (pases + 1 >= 4)
                return {Cierre(acc), 0};
            const Resultado r = Hoja(sig, a, b, pases + 1, prof + 1, acc);
            return {r.Letra, r.Hondo >= 0 ? r.Hondo + 1 : 0};
        }

        char r = '?';
        bool hayG = false, hayP = false;
        int hondo = -1;
        for (int lado = 0; lado < 2; ++lado) {
            for (std::uint32_t m = lado == 0 ? der : izq; m != 0; m &= m - 1) {
                const int t = std::countr_zero(m);
                const int suma = p1_[t] + p2_[t];
                mano_[s] = mano & ~(1u << t);
                if (mano_[s] != 0) {
                    puntos_[s] -= suma;
                    const int na = lado == 0 ? a : suma - a;
                    const int nb = lado == 0 ? suma - b : b;
                    const Resultado h =
                        Salir(sig, na, nb, acc) ? Resultado{ultimaLetra_, -1} : Hoja(sig, na, nb, 0, prof + 1, acc);
                    puntos_[s] += suma;
                    r = h.Letra;
                    if (h.Hondo + 1 > hondo)
                        hondo = h.Hondo + 1;
                    hayG |= r == 'G';
                    hayP |= r == 'P';
                } else {
                    r = Ida(s, acc);
                }
            }
        }
        mano_[s] = mano;
        if (Varios(der) + Varios(izq) + (der != 0 && izq != 0) != 0 && Varios(mano))
            r = Preferida(s, hayG, hayP);
        return {r, hondo};
    }
};

// What the fast engine keeps between analyses: one table, shared by both
// workers, and the context it was filled in. A cached aggregate depends on the
// hands (through the tiles left, the key), on the pair that led the hand (the
// tie of a blocked line) and on AcuPtos; the analysing pair only flips the
// letters, which are kept as pair 1-3 sees them. So the table stays valid for
// the later plays of a hand, and a new context just changes the stamp.
struct Memoria {
    std::mutex Uso;
    std::unique_ptr<Cache> Tabla;
    std::uint32_t Duenos[5]{};  // tiles each seat held when the context began
    int ParejaSalida = 0;
    int AcuPtos = -1;

    static constexpr int kBits = 20;  // 2^20 buckets of two entries: 64 MiB

    void Preparar(const Estado& e)
    {
        if (!Tabla)
            Tabla = std::make_unique<Cache>(kBits);
        std::uint32_t manos[5]{};
        for (int s = 1; s <= 4; ++s)
            for (int k = 1; k <= 7; ++k)
                if (const int t = e.Jugadores[s].Mano[k]; t >= 0 && t < kNumFichas && e.Fichas[t].Lugar == 'D')
                    manos[s] |= 1u << t;
        // Every tile still in a hand must lie where it lay: then every
        // position below this one was also a position of that context.
        // A tile in two hands (a damaged state) would make that test
        // meaningless, so such a context is never kept for the next one.
        bool vale = ParejaSalida == ParejaDe(e.Salidor) && AcuPtos == e.Opciones.AcuPtos;
        std::uint32_t vistas = 0;
        bool disjuntas = true;
        for (int s = 1; s <= 4; ++s) {
            vale = vale && (manos[s] & ~Duenos[s]) == 0;
            disjuntas = disjuntas && (manos[s] & vistas) == 0;
            vistas |= manos[s];
        }
        if (vale && disjuntas)
            return;
        Tabla->NuevoContexto();
        for (int s = 1; s <= 4; ++s)
            Duenos[s] = disjuntas ? manos[s] : 0u;
        ParejaSalida = ParejaDe(e.Salidor);
        AcuPtos = e.Opciones.AcuPtos;
    }

    void Olvidar()
    {
        if (Tabla)
            Tabla->NuevoContexto();
        AcuPtos = -1;
    }
};

Memoria& LaMemoria()
{
    static Memoria m;
    return m;
}

}  // namespace

void OlvidarAnalisis()
{
    Memoria& m = LaMemoria();
    const std::lock_guard<std::mutex> uso(m.Uso);
    m.Olvidar();
}

Busqueda BuscarRapido(const Estado& e, Anfitrion& a)
{
    // The root moves in the order the search takes them; before the first
    // play both ends count as the examined tile's first number.
    std::vector<JugadaRaiz> jugadas;
    const int s = e.Turno;
    int va = e.ValorIzq, vb = e.ValorDer;
    std::array<bool, kNumFichas> vista{};
    for (int k = 1; k <= 7; ++k) {
        const int t = e.Jugadores[s].Mano[k];
        if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D' || vista[t])
            continue;
        vista[t] = true;
        const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
        if (e.NumTiro == 0)
            va = vb = p1;
        if (vb == p1 || vb == p2)
            jugadas.push_back({s, t, 'D', va, vb == p1 ? p2 : p1, 0, va == vb ? " D ó I r=" : " D r="});
        if ((va == p1 || va == p2) && va != vb)
            jugadas.push_back({s, t, 'I', va == p1 ? p2 : p1, vb, 0, " I r="});
    }
    const int n = static_cast<int>(jugadas.size());
    for (JugadaRaiz& j : jugadas)
        j.Opciones = n;

    // Root moves are independent: a second worker takes some of them when
    // the position is large enough to repay it. Each worker has its own
    // position, both share the cache, and every result lands in its move's
    // own slot, so the output never depends on which worker ran what.
    const int enMano = e.ContarEnMano();
    // The kept table, unless another analysis holds it: then one of its own.
    Memoria& memoria = LaMemoria();
    std::unique_lock<std::mutex> uso(memoria.Uso, std::try_to_lock);
    std::unique_ptr<Cache> propia;
    Cache* cache = nullptr;
    if (uso.owns_lock()) {
        memoria.Preparar(e);
        cache = memoria.Tabla.get();
    } else {
        propia = std::make_unique<Cache>(enMano >= 27 ? 20 : enMano >= 24 ? 16 : enMano >= 20 ? 14 : 10);
        cache = propia.get();
    }
    const bool dos = enMano >= 24 && n > 1 && std::thread::hardware_concurrency() > 1;
    std::vector<MovimientoRaiz> movs(static_cast<std::size_t>(n));
    std::vector<std::string> lineas(static_cast<std::size_t>(n));
    std::unique_ptr<std::atomic<bool>[]> hecho(new std::atomic<bool>[static_cast<std::size_t>(std::max(n, 1))]);
    for (int i = 0; i < n; ++i)
        hecho[i] = false;
    std::atomic<int> siguiente{0};
    auto trabajar = [&](const std::function<void()>& alTerminar) {
        Rapida r(e, *cache);
        for (int i; (i = siguiente.fetch_add(1)) < n;) {
            movs[i] = r.ExplorarRaiz(jugadas[i], lineas[i]);
            hecho[i].store(true, std::memory_order_release);
            alTerminar();
        }
    };

    Busqueda b;
    int informados = 0;
    auto informar = [&] {
        // Progress is drawn from this thread only, in root-move order.
        while (informados < n && hecho[informados].load(std::memory_order_acquire)) {
            ++informados;
            a.MostrarAvance(static_cast<double>(informados) / n, false);
        }
    };
    std::thread ayudante;
    if (dos) {
        try {
            ayudante = std::thread(trabajar, [] {});
        } catch (const std::system_error&) {
            // No second thread to be had: this one does every move.
        }
    }
    trabajar(informar);
    if (ayudante.joinable())
        ayudante.join();
    informar();

    std::size_t total = 0;
    for (const std::string& l : lineas)
        total += l.size() + 512;
    b.Arbol.reserve(total + 1024);
    for (int i = 0; i < n; ++i) {
        const JugadaRaiz& j = jugadas[i];
        const Acumulado& acc = movs[i].Acc;
        b.Arbol += lineas[i];
        std::string().swap(lineas[i]);
        MitadAnalisis& m = j.Lado == 'D' ? b.Analisis[j.Ficha].D : b.Analisis[j.Ficha].I;
        arbol::ResumirJugada(b.Arbol, m, j.Ficha, j.Lado, movs[i].Letra, static_cast<std::int64_t>(acc.Idas[1]),
                             static_cast<std::int64_t>(acc.Idas[2]), static_cast<std::int64_t>(acc.Cierres[1]),
                             static_cast<std::int64_t>(acc.Cierres[2]), acc.Max[1], acc.Min[1], acc.Max[2],
                             acc.Min[2]);
    }
    return b;
}
