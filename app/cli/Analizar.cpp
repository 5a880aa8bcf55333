// quimbolo-cli analizar RECORD K: the exhaustive analysis of the position
// after K plays, as the chooser runs it. Under --vista S it is the analysis
// of the seat to move over the deals it cannot tell apart, and no tree file
// is written.

#include <QElapsedTimer>

#include "ai/Analisis.h"
#include "ai/AnalisisHonesto.h"
#include "ai/Conocimiento.h"
#include "app/cli/Comandos.h"
#include "app/cli/Comun.h"
#include "flujo/AnfitrionMudo.h"
#include "flujo/Entradas.h"

int ComandoAnalizar(const QStringList& args)
{
    Orden o;
    Estado e;
    if (!LeerPosicion(args, &o, e))
        return 2;
    AnfitrionMudo host;
    host.RespuestaAnalisis = o.Analizar;

    entrada::BorrarPronostico(e);
    QElapsedTimer reloj;
    reloj.start();
    int ficha = 0;
    Extremo punta = Extremo::Ninguno;
    QString texto;
    if (e.Opciones.Vista == 'S') {
        ParametrosHonestos p;
        p.Semilla = SemillaDeJugada(o.Semilla, e.NumMano, e.NumTiro, e.Turno);
        const ResultadoHonesto r = AnalizarHonesto(e, host, p);
        if (!r.Ok)
            return Rechazar(QStringLiteral("ningún reparto de las fichas no vistas concuerda con la posición."));
        ficha = r.Ficha;
        punta = r.Punta;
        texto = r.Texto;
    } else {
        const ResultadoAnalisis r = AnalizarPosicion(e, host);
        if (!r.ArbolEscrito)
            return Rechazar(r.ErrorArbol);
        ficha = r.Ficha;
        punta = r.Punta;
        texto = r.Texto;
    }
    const double segundos = reloj.nsecsElapsed() / 1e9;

    Json j;
    j.Entero(QStringLiteral("turno"), e.Turno);
    j.Entero(QStringLiteral("numtiro"), e.NumTiro);
    j.Entero(QStringLiteral("ficha"), ficha);
    j.Texto(QStringLiteral("punta"), TextoExtremo(punta));
    j.Texto(QStringLiteral("pronosticos"), e.Pronosticos[e.NumTiro + 1]);
    j.Texto(QStringLiteral("texto"), texto);
    j.Real(QStringLiteral("segundos"), segundos);
    Emitir(j);
    return 0;
}
