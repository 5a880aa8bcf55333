#include "rules/Fichas.h"

const std::array<Pips, kNumFichas> kTablaFichas = {{
    {6, 6}, {5, 5}, {4, 4}, {3, 3}, {2, 2}, {1, 1}, {0, 0},
    {5, 6}, {4, 6}, {3, 6}, {4, 5}, {2, 6}, {3, 5}, {1, 6},
    {2, 5}, {3, 4}, {0, 6}, {1, 5}, {2, 4}, {0, 5}, {1, 4},
    {2, 3}, {0, 4}, {1, 3}, {0, 3}, {1, 2}, {0, 2}, {0, 1},
}};

int BuscarFicha(int a, int b)
{
    for (int t = 0; t < kNumFichas; ++t) {
        const Pips& p = kTablaFichas[t];
        if ((p.Punto1 == a && p.Punto2 == b) || (p.Punto1 == b && p.Punto2 == a))
            return t;
    }
    return -1;
}
