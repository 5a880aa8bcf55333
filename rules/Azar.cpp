#include "rules/Azar.h"

void Azar::Sembrar(std::int64_t semilla)
{
    estado_ = 0x853C49E6748FEA9BULL ^ (static_cast<std::uint64_t>(semilla) * 0x9E3779B97F4A7C15ULL);
}

double Azar::Siguiente()
{
    // splitmix64: one multiply-xorshift chain per number, full 64-bit period.
    std::uint64_t z = (estado_ += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    z ^= z >> 31;
    return static_cast<double>(z >> 11) * (1.0 / 9007199254740992.0);  // 53 bits
}
