// quimbolo-cli elegir RECORD K: the computer player's choice for the seat to
// move in the position after K plays.

#include <QElapsedTimer>

#include "ai/Elegir.h"
#include "app/cli/Comandos.h"
#include "app/cli/Comun.h"
#include "flujo/AnfitrionMudo.h"
#include "rules/Jugadas.h"

int ComandoElegir(const QStringList& args)
{
    Orden o;
    Estado e;
    if (!LeerPosicion(args, &o, e))
        return 2;
    AnfitrionMudo host;
    host.RespuestaAnalisis = o.Analizar;

    const int opciones = ContarOpciones(e, e.Turno);
    QElapsedTimer reloj;
    reloj.start();
    const Eleccion r = ElegirJugada(e, host, opciones);
    const double segundos = r.Analizo ? reloj.nsecsElapsed() / 1e9 : 0.0;
    if (r.Analizo && !r.HuboTree && e.Opciones.Vista != 'S')
        return Rechazar(r.ErrorArbol);
    // The duration line that follows an analysis goes to "segundos".
    const QString texto = r.Analizo ? r.Msg.left(r.Msg.lastIndexOf('\n')) : r.Msg;

    Json j;
    j.Entero(QStringLiteral("turno"), e.Turno);
    j.Entero(QStringLiteral("numtiro"), e.NumTiro);
    j.Entero(QStringLiteral("opciones"), opciones);
    j.Entero(QStringLiteral("ficha"), r.Ficha);
    j.Texto(QStringLiteral("punta"), TextoExtremo(r.Lado));
    j.Texto(QStringLiteral("texto"), texto);
    j.Logico(QStringLiteral("arbol"), r.Analizo);
    j.Real(QStringLiteral("segundos"), segundos);
    Emitir(j);
    return 0;
}
