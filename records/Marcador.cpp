#include "records/Marcador.h"

#include <cmath>

#include "rules/Formato.h"

namespace {

// A number as the scoreboard turns it into text: a leading blank unless negative.
QString ConSigno(long long n)
{
    return (n < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + QString::number(n < 0 ? -n : n);
}

}  // namespace

QString TextoFicha(Extremo lado, int valor0, int valor1, int colaIzq, int colaDer)
{
    const int cola = lado == Extremo::Der ? colaDer : colaIzq;
    if (valor1 == cola)
        return QString::number(valor0) + '-' + QString::number(valor1);
    return QString::number(valor1) + '-' + QString::number(valor0);
}

QString TextoMemoria(const Estado& e, int n)
{
    if (n < 1 || n > kMaxTiros || e.HistFicha[n] < 0 || e.HistFicha[n] >= kNumFichas)
        return QStringLiteral("M");
    const Ficha& f = e.Fichas[e.HistFicha[n]];
    return QStringLiteral("M ") + TextoFicha(e.HistPunta[n], f.Punto1, f.Punto2, e.HistValorIzq[n], e.HistValorDer[n])
           + ' ' + TextoExtremo(e.HistPunta[n]).left(1);
}

QString TablaMeritos(Estado& e)
{
    QString t;
    // 1.
    QStringList cabeza;
    for (int s = 1; s <= 4; ++s)
        cabeza << Primeros(Primeros(e.Jugadores[s].Nombre, 9) + QString(9, '_'), 9);
    t += cabeza.join(QStringLiteral("   ")) + '\n';

    // 2. Plays after NumTiro are left over from an undo: they were not part of this hand.
    int s = (e.Salidor >= 1 && e.Salidor <= 4) ? e.Salidor : 1;
    t += ' ' + QString(12 * (s - 1), ' ');
    std::array<long long, 5> suma{};
    const int ultimo = std::min(e.NumTiro, kMaxTiros);
    int i = 1;
    bool filaCerrada = false;
    int vueltas = 0;  // cells since the last play: four in a row mean a history that names no seat
    while (i <= ultimo && e.HistFicha[i] != -1 && vueltas < 4) {
        filaCerrada = false;
        if (e.HistJugador[i] == s) {
            vueltas = 0;
            if (e.HistFicha[i] >= 0 && e.HistFicha[i] < kNumFichas) {
                const Ficha& f = e.Fichas[e.HistFicha[i]];
                t += TextoFicha(e.HistPunta[i], f.Punto1, f.Punto2, e.HistValorIzq[i], e.HistValorDer[i]) + ' ';
                const QString& m = e.MeritoTurno[i];
                if (m.isEmpty()) {
                    t += QString(8, ' ');
                } else {
                    t += m + QStringLiteral("   ");
                    suma[s] += CentesimasDe(m);
                }
            }
            ++i;
        } else {
            t += QStringLiteral("P") + QString(11, ' ');
            ++vueltas;
        }
        s = Siguiente(s);
        if (s == 1) {
            t += '\n';
            filaCerrada = true;
        }
    }
    // 4.
    if (!filaCerrada)
        t += '\n';
    t += QStringLiteral("\nMéritos:\n");
    // 5.
    t += QString(5, ' ');
    for (int k = 1; k <= 4; ++k) {
        if (k > 1)
            t += QString(7, ' ');
        t += FormatoCentesimas(suma[k]);
    }
    // 6.
    for (int k = 1; k <= 4; ++k)
        e.Jugadores[k].Meritos += static_cast<float>(suma[k] / 100.0);
    return t;
}

QString TextoMarcador(const Estado& e, bool* fin)
{
    const auto nombre = [&](int s) { return Centrar(e.Jugadores[s].Nombre.trimmed(), 20); };
    QString t = nombre(1) + ' ' + nombre(2) + '\n' + nombre(3) + ' ' + nombre(4) + "\n\n";
    long long t13 = 0, t24 = 0;
    const size_t manos = std::min(e.PuntosPar13.size(), e.PuntosPar24.size());
    for (size_t h = 1; h < manos; ++h) {
        t13 += e.PuntosPar13[h];
        t24 += e.PuntosPar24[h];
        t += QStringLiteral(" +") + AlinearDerecha(ConSigno(e.PuntosPar13[h]), 3) + QString(6, ' ')
             + AlinearDerecha(ConSigno(t13), 3) + QString(8, ' ') + QStringLiteral(" +")
             + AlinearDerecha(ConSigno(e.PuntosPar24[h]), 3) + QString(6, ' ') + AlinearDerecha(ConSigno(t24), 3)
             + '\n';
    }
    t += QStringLiteral("\nMéritos:\n");
    QStringList nombres, meritos;
    for (int s = 1; s <= 4; ++s) {
        nombres << AlinearDerecha(Primeros(e.Jugadores[s].Nombre, 8), 8);
        meritos << AlinearDerecha(FormatoCentesimas(std::llround(e.Jugadores[s].Meritos * 100.0)), 7);
    }
    t += nombres.join(QStringLiteral("  ")) + '\n';
    t += ' ' + meritos.join(QStringLiteral("   "));
    const bool terminada = t13 >= e.Opciones.Puntos || t24 >= e.Opciones.Puntos;
    if (terminada)
        t += QStringLiteral("\n\n") + Centrar(QStringLiteral("Fin de la Partida"), 41);
    if (fin)
        *fin = terminada;
    return t;
}
