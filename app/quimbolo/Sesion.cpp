#include "app/quimbolo/Sesion.h"

Sesion::Sesion(const QString& carpeta) : Conector(Enlace, A, carpeta)
{
    E.CarpetaApp = carpeta;
    A.PonerCarpeta(carpeta);
    A.PonerEnlace(&Enlace);
    Salon.Mesa = &D;
    A.AlAnotar = [this](const QString& t) { D.Rechazar(t); };
    // The person was told by the link; the flow unwinds and no hand starts again.
    QObject::connect(&Enlace, &EnlaceMesa::MesaPerdida, [this] { J.Abandonar(); });
}

Sesion::~Sesion()
{
    D.Juego = nullptr;
    D.Oyente = nullptr;
    A.PonerEnlace(nullptr);
}
