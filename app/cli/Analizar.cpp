// quimbolo-cli analizar RECORD K: the exhaustive analysis of the position
// after K plays, as the chooser runs it.

#include <QElapsedTimer>

#include "ai/Analisis.h"
#include "app/cli/Comandos.h"
#include "app/cli/Comun.h"
#include "rules/AnfitrionMudo.h"

int ComandoAnalizar(const QStringList& args)
{
    Orden o;
    Estado e;
    if (!LeerPosicion(args, &o, e))
        return 2;
    AnfitrionMudo host;
    host.RespuestaAnalisis = o.Analizar;

    e.Pronosticos[e.NumTiro + 1].clear();
    QElapsedTimer reloj;
    reloj.start();
    const ResultadoAnalisis r = AnalizarPosicion(e, host);
    const double segundos = reloj.nsecsElapsed() / 1e9;
    if (!r.ArbolEscrito)
        return Rechazar(r.ErrorArbol);

    Json j;
    j.Entero(QStringLiteral("turno"), e.Turno);
    j.Entero(QStringLiteral("numtiro"), e.NumTiro);
    j.Entero(QStringLiteral("ficha"), r.Ficha);
    j.Texto(QStringLiteral("punta"), r.Punta);
    j.Texto(QStringLiteral("pronosticos"), e.Pronosticos[e.NumTiro + 1]);
    j.Texto(QStringLiteral("texto"), r.Texto);
    j.Real(QStringLiteral("segundos"), segundos);
    Emitir(j);
    return 0;
}
