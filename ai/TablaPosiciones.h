#pragma once
// The table of explored positions of the fast analysis: one aggregate per
// position, shared without locks by the two workers and kept between the
// analyses of a hand (AnalisisRapido.cpp says what goes in it and when).

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#if defined(__unix__)
#include <sys/mman.h>
#endif

namespace rapida {

// One aggregate in four 64-bit words. The first word holds the key mixed with
// the other three, so an entry torn by two simultaneous writes no longer
// matches any key and is simply a miss. Larger counts than 32 bits are not
// kept.
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

// Buckets of two entries, one cache line each.
class TablaPosiciones {
public:
    explicit TablaPosiciones(int bits)
    {
        // A smaller table only costs speed, so fall back when memory is short.
        for (; bits > 8 && !Reservar(bits); --bits) {
        }
        reservados_ = mascara_;
    }
    ~TablaPosiciones() { Liberar(); }
    TablaPosiciones(const TablaPosiciones&) = delete;
    TablaPosiciones& operator=(const TablaPosiciones&) = delete;

    // Entries of earlier contexts stop matching: the stamp is part of every
    // stored key. The new context uses the first 2^bits buckets only (at
    // most what was reserved): pages come zeroed on their first touch, so a
    // small analysis in a new process spares the zeroing of the whole table.
    void NuevoContexto(int bits)
    {
        if (++sello_ == kSellos) {
            std::memset(static_cast<void*>(tabla_), 0, 2 * (reservados_ + 1) * sizeof(Entrada));
            sello_ = 1;
        }
        mascara_ = std::min((std::size_t{1} << bits) - 1, reservados_);
    }

    // Starts loading a bucket, to be read a while later. Always inlined: GCC
    // takes a function whose only effect is a prefetch for one without
    // effects and drops the calls to it.
    [[gnu::always_inline]] inline void Anticipar(std::uint64_t clave) const
    {
        __builtin_prefetch(&tabla_[2 * Indice(clave)]);
    }

    // `fichas`: the tiles in hands of the position, kept with it. An entry
    // of another size or of another context is passed over on its last word
    // alone, without the costlier check of the whole key.
    bool Buscar(std::uint64_t clave, int fichas, Entrada& e) const
    {
        const std::uint64_t sellada = Sellar(clave);
        const std::uint64_t marca = (sello_ & 0xff) << 8 | static_cast<std::uint64_t>(fichas);
        Entrada* b = &tabla_[2 * Indice(clave)];
        for (int i = 0; i < 2; ++i) {
            if ((Palabra(b[i], 3).load(std::memory_order_relaxed) >> 48) != marca)
                continue;
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
    std::size_t mascara_ = 0;     // buckets in use, less one
    std::size_t reservados_ = 0;  // buckets reserved, less one
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

}  // namespace rapida
