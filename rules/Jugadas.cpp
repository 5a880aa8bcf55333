#include "rules/Jugadas.h"

int ContarOpciones(const Estado& e, int silla)
{
    if (silla < 1 || silla > 4)
        return 0;
    int opciones = 0;
    for (int k = 1; k <= 7; ++k) {
        const int t = e.Jugadores[silla].Mano[k];
        if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D')
            continue;
        const int p1 = e.Fichas[t].Punto1;
        const int p2 = e.Fichas[t].Punto2;
        const bool doble = p1 == p2;
        if (e.NumTiro == 0) {
            opciones += doble ? 1 : 2;
        } else if (e.ValorIzq != e.ValorDer) {
            if (doble) {
                opciones += (e.ValorIzq == p1) + (e.ValorDer == p1);
            } else {
                opciones += (e.ValorIzq == p1) + (e.ValorIzq == p2) + (e.ValorDer == p1) + (e.ValorDer == p2);
            }
        } else {
            opciones += doble ? (e.ValorDer == p1) : (e.ValorDer == p1) + (e.ValorDer == p2);
        }
    }
    return opciones;
}

std::vector<Colocacion> ColocacionesLegales(const Estado& e)
{
    std::vector<Colocacion> v;
    if (e.Turno < 1 || e.Turno > 4)
        return v;
    for (int k = 1; k <= 7; ++k) {
        const int t = e.Jugadores[e.Turno].Mano[k];
        if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D')
            continue;
        const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
        if (e.NumTiro == 0 || e.ValorDer == p1 || e.ValorDer == p2)
            v.push_back({t, Extremo::Der});
        if (e.NumTiro > 0 && (e.ValorIzq == p1 || e.ValorIzq == p2))
            v.push_back({t, Extremo::Izq});
    }
    return v;
}
