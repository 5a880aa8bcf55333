// quimbolo-cli simular RECORD: the record's deal played to its end by four
// computer seats of this machine, as a later hand of a partida.

#include <QElapsedTimer>

#include "app/cli/Comandos.h"
#include "app/cli/Comun.h"
#include "records/GuardarMano.h"
#include "records/RegistroMano.h"
#include "flujo/AnfitrionMudo.h"
#include "flujo/Entradas.h"
#include "flujo/Juego.h"

int ComandoSimular(const QStringList& args)
{
    Orden o;
    if (!LeerOrden(args, {QStringLiteral("RECORD")}, &o))
        return 2;
    Estado e;
    if (!PrepararPosicion(o, QStringLiteral("0"), e))
        return 2;
    entrada::TodasComputadoras(e);

    AnfitrionMudo host;
    host.RespuestaAnalisis = o.Analizar;
    Juego juego(e, host);
    QElapsedTimer reloj;
    reloj.start();

    // The leader's lead, as the hand procedure asks a computer seat for it.
    juego.PedirSalida();
    juego.JugarTirando(e.FichaElegida, e.PuntaElegida);
    const double segundos = reloj.nsecsElapsed() / 1e9;
    if (!e.ManoTerminada)
        return Rechazar(QStringLiteral("la mano no llegó a su fin (jugada %1).").arg(e.NumTiro));

    QString error;
    if (!EscribirRegistro(RutaJgo(o.Carpeta, QStringLiteral("Anterior.Jgo")), RegistroDe(e), &error))
        return Rechazar(error);

    QStringList meritos;
    for (int i = 1; i <= e.NumTiro; ++i)
        meritos << e.MeritoTurno[i];
    Json j;
    j.Entero(QStringLiteral("jugadas"), e.NumTiro);
    j.Entero(QStringLiteral("ganador"), e.Ganador);
    j.Entero(QStringLiteral("puntos13"), e.PuntosPar13[e.NumMano]);
    j.Entero(QStringLiteral("puntos24"), e.PuntosPar24[e.NumMano]);
    j.Texto(QStringLiteral("resumen"), e.ResumenMano);
    j.Textos(QStringLiteral("meritos"), meritos);
    j.Real(QStringLiteral("segundos"), segundos);
    Emitir(j);
    return 0;
}
