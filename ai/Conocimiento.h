#pragma once
// What the seat to move knows of the deal, and the deals of the other hands
// that agree with it.
//
// A seat sees its own hand and every play. Every pass shows something too: a
// seat passes only when no tile of its hand shows either open number, so it
// holds neither from then on. The tiles it has not seen lie in the other three
// hands, each holding as many as it has left, and none of them can hold a tile
// showing a number it has shown it lacks.
//
// The agreeing deals are counted exactly (a small table over the unseen tiles
// in number order and how many each seat still has to take), so one can walk
// straight to the deal of any index: every deal can be listed when there are
// few, and a seeded sample of distinct indices drawn when there are many.
// Nothing here looks at where an unseen tile really lies, so two positions
// that differ only in that give the same deals in the same order.

#include <array>
#include <cstdint>
#include <vector>

#include "rules/Estado.h"

struct Conocimiento {
    int Silla = 0;                         // the seat to move
    std::uint32_t Propias = 0;             // its tiles in hand
    std::uint32_t Ocultas = 0;             // tiles it has not seen
    std::array<int, 5> Cuantas{};          // tiles in each seat's hand
    std::array<std::uint8_t, 5> Faltas{};  // bit k: the seat has shown it holds no k

    // Some tile this seat has not seen shows `numero`, and seat `silla` has
    // not shown that it lacks it.
    bool PuedeTener(int silla, int numero) const;
};

// What seat e.Turno knows.
Conocimiento LoQueSabe(const Estado& e);

// The deals of the unseen tiles among the other three seats that agree with
// what the seat knows.
class Repartos {
public:
    explicit Repartos(const Conocimiento& c);

    // How many deals agree; 0 when none does (a damaged state).
    std::uint64_t Total() const { return total_; }
    // The hand of each seat under deal `indice` (0 .. Total() - 1); the seat
    // to move keeps its own.
    std::array<std::uint32_t, 5> Reparto(std::uint64_t indice) const;
    // Every index when there are at most `cuantos`, otherwise `cuantos`
    // distinct indices drawn from `semilla`; in increasing order.
    std::vector<std::uint64_t> Elegir(int cuantos, std::uint64_t semilla) const;

private:
    static constexpr int kMaxOcultas = 21;
    const Conocimiento c_;
    std::array<int, 3> otras_{};  // the other seats, in turn order
    std::array<int, kMaxOcultas> fichas_{};
    int n_ = 0;
    // formas_[i][a][b]: ways to place tiles i.. with a more for the first
    // other seat and b more for the second (the third takes the rest).
    std::array<std::array<std::array<std::uint64_t, 8>, 8>, kMaxOcultas + 1> formas_{};
    std::uint64_t total_ = 0;

    bool Cabe(int i, int otra) const;
    std::uint64_t Formas(int i, int a, int b) const;
};

// The seed of a seat's draw of deals: the partida's seed mixed with the hand
// and the play, so every decision draws afresh and repeatably.
std::uint64_t SemillaDeJugada(std::int64_t semilla, int numMano, int numTiro, int turno);
