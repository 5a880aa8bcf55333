#include "app/quimbolo/Herramientas.h"

#include "app/quimbolo/Arbol.h"
#include "app/quimbolo/FrmPassW.h"
#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "flujo/Resultados.h"

#include <QPushButton>

Herramientas::Herramientas(frmDomino& ventana, Sesion& sesion)
    : QObject(&ventana), Consejo1(sesion.E, sesion.A), Repeticion1(sesion.J, &Consejo1), W(ventana), S(sesion)
{
    setObjectName(QStringLiteral("Herramientas"));
    Consejo1.ColorSilla = [this](int silla) { return W.Tablero1()->ColorSilla(silla); };
    Consejo1.VerArbol = [this](const QString& ruta) {
        Arbol arbol(ruta, &W);
        if (!arbol.ErrorArchivo().isEmpty())
            S.A.AvisoArchivo(arbol.ErrorArchivo());
        arbol.exec();
    };
    Repeticion1.ElegirRegistro = [this] {
        FrmPassW abrir(S.E.BaseJgo(), Repeticion1.RutaJuego, S.A, &W);
        abrir.exec();
    };

    Consejo1.Permitido = [this] { return S.J.PuedeAconsejar(); };
    W.bConsejo->setToolTip(QStringLiteral("Pedir a la computadora que calcule la mejor jugada"));
    W.AlConsejo = [this] { Consejo1.bConsejo_Click(); };
    W.AlTurnoHumano = [this](int) { Consejo1.Calcular(); };
    W.AlRepetir = [this](int silla) { Repeticion1.bRepetir_Click(silla); };
    W.AlAtras = [this] { Repeticion1.bAtras_Click(); };
    W.AlMemoria = [this] { Repeticion1.bMemoria_Click(); };
    W.AlMarcador = [this] { MostrarMarcador(S.E, S.A); };
    S.D.Juego = this;
}

Herramientas::~Herramientas()
{
    if (S.D.Juego == this)
        S.D.Juego = &S.Remoto;
}

void Herramientas::TiroRecibido(int ficha, Extremo punta)
{
    S.Remoto.TiroRecibido(ficha, punta);
}

void Herramientas::AtrasRecibido(int silla)
{
    Consejo1.Invalidar();
    S.Remoto.AtrasRecibido(silla);
}

void Herramientas::ManoRecibida(int silla)
{
    S.Remoto.ManoRecibida(silla);
}

void Herramientas::SillaDejada(int silla)
{
    S.Remoto.SillaDejada(silla);
}

void Herramientas::SillaRecuperada(int silla)
{
    S.Remoto.SillaRecuperada(silla);
}

Herramientas* InstalarHerramientas(frmDomino& ventana, Sesion& sesion)
{
    return new Herramientas(ventana, sesion);
}
