#include "app/quimbolo/Sesion.h"

#include <QDir>

#include "flujo/Entradas.h"

Sesion::Sesion(const QString& carpeta, const QString& datos, const QString& ejecutables)
    : Conector(Enlace, A, datos.isEmpty() ? carpeta : datos)
{
    entrada::PonerCarpetas(E, carpeta, datos);
    Conector.ProgramaBrintal = QDir(ejecutables.isEmpty() ? carpeta : ejecutables).filePath(QStringLiteral("brintal"));
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
