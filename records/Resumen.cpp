#include "records/Resumen.h"

#include <QStringList>

#include "records/Marcador.h"
#include "rules/Jugadas.h"

namespace {

QString Nombre(const Estado& e, int silla)
{
    const QString n = e.Jugadores[silla].Nombre.trimmed();
    return n.isEmpty() ? QStringLiteral("Jugador %1").arg(silla) : n;
}

bool PersonaLocal(const Estado& e, int silla)
{
    return e.Jugadores[silla].HoC == Quien::Persona && e.Jugadores[silla].LoR == Donde::Local;
}

bool EnJuego(const Estado& e)
{
    return (e.FaseMano == Fase::Saliendo || e.FaseMano == Fase::Tirando) && !e.ManoTerminada
           && e.Turno >= 1 && e.Turno <= 4;
}

}  // namespace

std::pair<int, int> TotalesPartida(const Estado& e)
{
    int t13 = 0, t24 = 0;
    const size_t manos = std::min(e.PuntosPar13.size(), e.PuntosPar24.size());
    for (size_t h = 0; h < manos; ++h) {
        t13 += e.PuntosPar13[h];
        t24 += e.PuntosPar24[h];
    }
    return {t13, t24};
}

QString NombresPareja(const Estado& e, int pareja)
{
    int primero = pareja == 1 ? 1 : 2;
    int segundo = primero + 2;
    if (PersonaLocal(e, segundo) && !PersonaLocal(e, primero))
        std::swap(primero, segundo);
    return Nombre(e, primero) + QStringLiteral(" y ") + Nombre(e, segundo);
}

QString TextoGanadores(const Estado& e)
{
    const int n = e.NumMano;
    const int p13 = n >= 0 && n < static_cast<int>(e.PuntosPar13.size()) ? e.PuntosPar13[n] : 0;
    const int p24 = n >= 0 && n < static_cast<int>(e.PuntosPar24.size()) ? e.PuntosPar24[n] : 0;
    // A pair that wins always takes some points: the losers keep tiles, and
    // only one of them can be the blank double. Nothing scored is a tie.
    if (p13 == 0 && p24 == 0)
        return QStringLiteral("Empate: nadie gana la mano");
    return QStringLiteral("Ganan ") + NombresPareja(e, p13 > 0 ? 1 : 2);
}

QString LineaEstado::Texto() const
{
    QStringList partes;
    for (const QString& p : {Actividad, Pases, Ultima})
        if (!p.isEmpty())
            partes << p;
    return partes.join(QStringLiteral("  ·  "));
}

LineaEstado LineaDeEstado(const Estado& e, const QString& actividad)
{
    LineaEstado l;
    const bool enJuego = EnJuego(e);
    const int n = e.NumTiro;
    // While the seat to move is found unable, the line says it passes instead.
    const bool pasando = enJuego && n >= 1 && ContarOpciones(e, e.Turno) == 0;
    if (e.FinPartida)
        l.Actividad = QStringLiteral("Fin de la partida");
    else if (actividad.startsWith(QLatin1String("Esperando")))
        l.Actividad = actividad.trimmed();
    else if (e.ManoTerminada)
        l.Actividad = QStringLiteral("Mano terminada");
    else if (enJuego && !pasando)
        l.Actividad = QStringLiteral("Turno de ") + Nombre(e, e.Turno);
    else if (!enJuego)
        l.Actividad = actividad.trimmed();

    if (n >= 1 && n <= kMaxTiros && e.HistFicha[n] >= 0 && e.HistFicha[n] < kNumFichas) {
        const int quien = e.HistJugador[n];
        const Ficha& f = e.Fichas[e.HistFicha[n]];
        const QString ficha = TextoFicha(e.HistPunta[n], f.Punto1, f.Punto2, e.HistValorIzq[n], e.HistValorDer[n]);
        if (quien >= 1 && quien <= 4) {
            l.Ultima = n == 1 ? Nombre(e, quien) + QStringLiteral(" salió con ") + ficha
                              : Nombre(e, quien) + QStringLiteral(" jugó ") + ficha
                                    + (e.HistPunta[n] == Extremo::Izq ? QStringLiteral(" por la izquierda")
                                                                              : QStringLiteral(" por la derecha"));
            // Who passed since: the seats between that play and the seat to
            // move, and the seat to move itself while it is found unable.
            if (enJuego && e.Turno != quien) {
                QStringList pasan;
                for (int s = Siguiente(quien); s != e.Turno; s = Siguiente(s))
                    pasan << Nombre(e, s) + QStringLiteral(" pasa");
                if (pasando)
                    pasan << Nombre(e, e.Turno) + QStringLiteral(" pasa");
                l.Pases = pasan.join(QStringLiteral(", "));
            }
        }
    }

    const auto [t13, t24] = TotalesPartida(e);
    l.Marcador = NombresPareja(e, 1) + QStringLiteral(": ") + QString::number(t13) + QStringLiteral("  ·  ")
                 + NombresPareja(e, 2) + QStringLiteral(": ") + QString::number(t24) + QStringLiteral("  ·  partida a ")
                 + QString::number(e.Opciones.Puntos);
    return l;
}
