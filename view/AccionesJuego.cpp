#include "view/AccionesJuego.h"

void AccionesJuego::TomarFicha(int ficha, float x, float y)
{
    J.TomarFicha(ficha, x, y);
}

void AccionesJuego::JugarTiro(int ficha, Extremo lado)
{
    J.Tirar(ficha, lado);
}

void AccionesJuego::Boton(Control c, int silla, Accion a)
{
    J.A.Boton(c, silla, a);
}
