#include "rules/Estado.h"

Estado::Estado()
{
    for (int t = 0; t < kNumFichas; ++t) {
        Fichas[t].Punto1 = kTablaFichas[t].Punto1;
        Fichas[t].Punto2 = kTablaFichas[t].Punto2;
    }
    HistFicha.fill(-1);
    HistFicha[0] = -1;
    HistRumboIzq.fill('O');
    HistRumboDer.fill('E');
    HistMarcaIzq.fill(' ');
    HistMarcaDer.fill(' ');
}

int Estado::SumaPuntos(int silla) const
{
    if (silla < 1 || silla > 4)
        return 0;
    int suma = 0;
    for (int k = 1; k <= 7; ++k) {
        const int t = Jugadores[silla].Mano[k];
        if (t >= 0 && t < kNumFichas && Fichas[t].Lugar == 'D')
            suma += Fichas[t].Punto1 + Fichas[t].Punto2;
    }
    return suma;
}

int Estado::ContarEnMano() const
{
    int n = 0;
    for (const Ficha& f : Fichas)
        n += f.Lugar == 'D';
    return n;
}
