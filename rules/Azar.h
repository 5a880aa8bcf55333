#pragma once
// The game's uniform generator on [0, 1). Reset and seeded with the same
// number it always yields the same sequence, which is what makes a computer
// seat's pick repeatable from its Semilla.

#include <cstdint>

class Azar {
public:
    // Back to the fixed starting state, then mixed with the seed.
    void Sembrar(std::int64_t semilla);
    // Next number in [0, 1).
    double Siguiente();

private:
    std::uint64_t estado_ = 0x853C49E6748FEA9BULL;
};
