#include "app/quimbolo/Arranque.h"

#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "app/quimbolo/frmConnect.h"
#include "app/quimbolo/frmMesa.h"
#include "shell/Ayuda.h"
#include "shell/Caratula.h"
#include "shell/CarpetaApp.h"
#include "shell/Depuracion.h"
#include "shell/Pausa.h"
#include "shell/UnaCopia.h"

frmDomino* AbrirMesaYJuego(Sesion& sesion, frmConnect& conexion)
{
    frmMesa mesa(sesion.Salon, sesion.D, &conexion);
    mesa.exec();
    if (mesa.Resultado() != frmMesa::Final::Jugar || Cerrando()) {
        AvisarCierre();
        QCoreApplication::exit(0);
        return nullptr;
    }
    auto* juego = new frmDomino(sesion);
    juego->setAttribute(Qt::WA_DeleteOnClose, false);
    juego->show();
    return juego;
}

int CorrerPrograma(QApplication& app)
{
    InstalarAyudaF1();
    const UnaCopia copia;
    if (copia.OtraCorriendo() && !PreguntarOtraCopia())
        return 0;
    {
        Caratula caratula;
        caratula.Mostrar();
    }

    Sesion sesion(CarpetaApp(), CarpetaDatos(), CarpetaEjecutables());
    frmConnect conexion(sesion.Conector, sesion.D);
    std::unique_ptr<frmDomino> juego;
    conexion.AlConectar = [&] {
        // Once connected the dialog holds only the receive log, which is for
        // whoever debugs; the program ends with the game window, not with it.
        if (!Depurando()) {
            QApplication::setQuitOnLastWindowClosed(false);
            conexion.hide();
        }
        juego.reset(AbrirMesaYJuego(sesion, conexion));
    };
    conexion.show();
    const int codigo = app.exec();
    // Leaving: the socket drops without a goodbye, windows go before the session.
    sesion.Enlace.Socket().abort();
    juego.reset();
    return codigo;
}
