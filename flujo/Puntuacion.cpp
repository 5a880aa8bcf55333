// Scoring a hand: who wins a domino or a blocked hand, how many points under
// AcuPtos and Cierre, and the summary shown at its end.

#include "records/Marcador.h"
#include "flujo/Juego.h"

namespace {

void Anotar(Estado& e, int pareja, int puntos)
{
    if (static_cast<int>(e.PuntosPar13.size()) <= e.NumMano) {
        e.PuntosPar13.resize(e.NumMano + 1, 0);
        e.PuntosPar24.resize(e.NumMano + 1, 0);
    }
    e.PuntosPar13[e.NumMano] = pareja == 1 ? puntos : 0;
    e.PuntosPar24[e.NumMano] = pareja == 2 ? puntos : 0;
}

}  // namespace

void Juego::MostrarTodas()
{
    for (int s = 1; s <= 4; ++s) {
        A.DibujarMano(s, 'A');
        A.Boton(Control::SumPuntos, s, Accion::Texto, QString::number(E.SumaPuntos(s)));
        A.Boton(Control::SumPuntos, s, Accion::Mostrar);
    }
    A.DibujarMesa();
}

void Juego::PuntuarDomino()
{
    const int p13 = E.SumaPuntos(1) + E.SumaPuntos(3);
    const int p24 = E.SumaPuntos(2) + E.SumaPuntos(4);
    E.Ganador = E.Turno;
    const int pareja = ParejaDe(E.Turno);
    const int puntos = E.Opciones.AcuPtos == 1 ? p13 + p24 : (pareja == 1 ? p24 : p13);
    Anotar(E, pareja, puntos);
    const QString resumen = E.Jugadores[E.Turno].Nombre.trimmed() + QStringLiteral(": ¡Me Fuí!\n\n¡Ganamos ")
                            + QString::number(puntos) + QStringLiteral(" puntos!\n");
    E.ResumenMano = resumen + '\n' + TablaMeritos(E);
}

void Juego::PuntuarCierre()
{
    const int p13 = E.SumaPuntos(1) + E.SumaPuntos(3);
    const int p24 = E.SumaPuntos(2) + E.SumaPuntos(4);
    const int cierra = E.Turno;
    const int suya = ParejaDe(cierra);
    QString resumen = E.Jugadores[cierra].Nombre.trimmed() + QStringLiteral(": ¡Cerré el Juego!\n\n");

    int gana = 0;  // pair that wins, 0 nobody
    if (p13 != p24) {
        gana = p13 < p24 ? 1 : 2;
    } else {
        const QString& c = E.Opciones.Cierre;
        if (c == QLatin1String("GC"))
            gana = suya;
        else if (c == QLatin1String("GN"))
            gana = 3 - suya;
        else if (c == QLatin1String("AN"))
            gana = 0;
        else  // "GS": the pair that led
            gana = (E.Salidor == cierra || Companeros(cierra, E.Salidor)) ? suya : 3 - suya;
    }
    const QString marcador = QString::number(p13) + QStringLiteral(" .vs. ") + QString::number(p24) + '\n';
    if (gana == 0) {
        E.Ganador = cierra;
        resumen += QStringLiteral("Empate ") + marcador;
        Anotar(E, 0, 0);
    } else {
        const int puntos = E.Opciones.AcuPtos == 1 ? p13 + p24 : (gana == 1 ? p24 : p13);
        if (gana == suya) {
            E.Ganador = cierra;
            resumen += QStringLiteral("Ganamos ") + marcador;
        } else {
            E.Ganador = Siguiente(cierra);
            resumen += QStringLiteral("Perdimos ") + marcador;
        }
        Anotar(E, gana, puntos);
    }
    E.ResumenMano = resumen + '\n' + TablaMeritos(E);
}
