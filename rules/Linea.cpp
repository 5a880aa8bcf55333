#include "rules/Linea.h"

namespace {

// A limit expression as the game compares it: computed, then held in single precision.
float Lim(double v) { return static_cast<float>(v); }

// One statement of the game's arithmetic: computed wide, stored as a single.
void Sumar(float& v, double d) { v = static_cast<float>(static_cast<double>(v) + d); }

void Doblar(float& x, float& y, char& rumbo, char marca, bool doble)
{
    const double L = LargoMedio;
    const double h = AnchoMedio;
    switch (rumbo) {
    case 'E':
        if (Lim(LimiteDer - L - h) >= x)
            return;
        if (doble) {
            Sumar(x, -h); Sumar(y, -L);
        } else {
            if (marca == 'M') Sumar(y, -h);
            if (Lim(LimiteDer - h) >= x) { Sumar(x, -h); Sumar(y, -h); }
            else { Sumar(x, -(h + L)); Sumar(y, -(h + L)); }
        }
        rumbo = 'S';
        break;
    case 'S':
        if (Lim(LimiteAbajo + L + h) <= y)
            return;
        if (doble) {
            Sumar(x, -L); Sumar(y, h);
        } else {
            if (marca == 'M') Sumar(x, -h);
            if (Lim(LimiteAbajo + h) <= y) { Sumar(x, -h); Sumar(y, h); }
            else { Sumar(x, -(h + L)); Sumar(y, h + L); }
        }
        rumbo = 'O';
        break;
    case 'O':
        if (Lim(LimiteIzq + L + h) <= x)
            return;
        if (doble) {
            Sumar(x, h); Sumar(y, L);
        } else {
            if (marca == 'M') Sumar(y, h);
            if (Lim(LimiteIzq + h) <= x) { Sumar(x, h); Sumar(y, h); }
            else { Sumar(x, h + L); Sumar(y, h + L); }
        }
        rumbo = 'N';
        break;
    case 'N':
        if (Lim(LimiteArriba - L - h) >= y)
            return;
        if (doble) {
            Sumar(x, L); Sumar(y, -h);
        } else {
            if (marca == 'M') Sumar(x, h);
            if (Lim(LimiteArriba - h) >= y) { Sumar(x, h); Sumar(y, -h); }
            else { Sumar(x, h + L); Sumar(y, -(h + L)); }
        }
        rumbo = 'E';
        break;
    default:
        return;
    }
}

}  // namespace

char RumboDerecha(char rumbo)
{
    switch (rumbo) {
    case 'N': return 'E';
    case 'E': return 'S';
    case 'S': return 'O';
    case 'O': return 'N';
    default: return rumbo;
    }
}

char RumboIzquierda(char rumbo)
{
    switch (rumbo) {
    case 'N': return 'O';
    case 'O': return 'S';
    case 'S': return 'E';
    case 'E': return 'N';
    default: return rumbo;
    }
}

char RumboOpuesto(char rumbo) { return RumboDerecha(RumboDerecha(rumbo)); }

void GirarDer(Ficha& f) { f.Rumbo = RumboDerecha(f.Rumbo); }
void GirarIzq(Ficha& f) { f.Rumbo = RumboIzquierda(f.Rumbo); }

void DoblarDer(Estado& e, bool doble) { Doblar(e.PuntaDerX, e.PuntaDerY, e.RumboDer, e.MarcaDer, doble); }
void DoblarIzq(Estado& e, bool doble) { Doblar(e.PuntaIzqX, e.PuntaIzqY, e.RumboIzq, e.MarcaIzq, doble); }

void AvanzarPunta(Estado& e, bool derecha, bool doble)
{
    float& x = derecha ? e.PuntaDerX : e.PuntaIzqX;
    float& y = derecha ? e.PuntaDerY : e.PuntaIzqY;
    const char rumbo = derecha ? e.RumboDer : e.RumboIzq;
    const char marca = derecha ? e.MarcaDer : e.MarcaIzq;
    double dx = 0, dy = 0;  // unit step along the heading
    switch (rumbo) {
    case 'E': dx = 1; break;
    case 'O': dx = -1; break;
    case 'N': dy = 1; break;
    case 'S': dy = -1; break;
    default: break;
    }
    Sumar(x, dx * 2.0 * LargoMedio);
    Sumar(y, dy * 2.0 * LargoMedio);
    if (marca == 'M' || doble) {
        Sumar(x, -dx * AnchoMedio);
        Sumar(y, -dy * AnchoMedio);
    }
    if (derecha)
        DoblarDer(e, doble);
    else
        DoblarIzq(e, doble);
}

void ReiniciarPuntas(Estado& e)
{
    e.PuntaDerX = 0.0f;
    e.PuntaDerY = 0.5f;
    e.PuntaIzqX = -0.001f;
    e.PuntaIzqY = 0.5f;
    e.RumboDer = 'E';
    e.RumboIzq = 'O';
}
