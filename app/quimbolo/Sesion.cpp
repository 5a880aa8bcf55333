#include "app/quimbolo/Sesion.h"

Sesion::Sesion(const QString& carpeta) : Conector(Enlace, A, carpeta)
{
    E.CarpetaApp = carpeta;
    A.PonerCarpeta(carpeta);
    A.PonerEnlace(&Enlace);
}

Sesion::~Sesion()
{
    D.Juego = nullptr;
    D.Oyente = nullptr;
    A.PonerEnlace(nullptr);
}
