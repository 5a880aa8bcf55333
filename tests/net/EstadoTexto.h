#pragma once
// Everything a received line may write, as one text: two states that print
// the same were left alike by the lines between them.

#include <QString>
#include <QStringList>

#include "rules/Estado.h"

inline QString EstadoTexto(const Estado& e)
{
    QStringList p;
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = e.Jugadores[s];
        QStringList mano;
        for (int k = 1; k <= 7; ++k)
            mano << QString::number(j.Mano[k]);
        p << QStringLiteral("%1|%2%3%4|%5|%6|%7|%8|%9")
                 .arg(s)
                 .arg(QChar(j.HoC))
                 .arg(QChar(j.LoR))
                 .arg(QChar(j.Vista))
                 .arg(j.Nombre, mano.join(','))
                 .arg(j.NumFichas)
                 .arg(e.Sillas[s].DigitosMano + e.Sillas[s].MarcaFin + e.Sillas[s].NombreSilla)
                 .arg(j.Semilla);
    }
    for (int t = 0; t < kNumFichas; ++t)
        p << QStringLiteral("f%1%2%3%4").arg(t).arg(QChar(e.Fichas[t].Lugar)).arg(e.Fichas[t].Libre).arg(e.Fichas[t].Dueno);
    for (int i = 0; i < kHist; ++i)
        p << QStringLiteral("h%1 %2 %3 %4 %5 %6")
                 .arg(i)
                 .arg(e.HistFicha[i])
                 .arg(e.HistPunta[i], e.MeritoTurno[i])
                 .arg(e.TiroRecibido[i])
                 .arg(e.PuntaRecibida[i]);
    const OpcionesJuego& o = e.Opciones;
    p << QStringLiteral("o%1%2 %3 %4 %5 %6 %7 %8")
             .arg(QChar(o.AoC))
             .arg(QChar(o.Nivel))
             .arg(o.Puntos)
             .arg(o.AcuPtos)
             .arg(o.Salida, o.Cierre)
             .arg(o.Tiempo1)
             .arg(o.Tiempo2);
    p << QStringLiteral("t%1 %2 %3 %4 %5 %6 %7 %8")
             .arg(e.Turno)
             .arg(e.NumTiro)
             .arg(e.Salidor)
             .arg(e.FaseMano, e.Modo)
             .arg(QChar(e.OrigenReparto))
             .arg(e.ManoTerminada)
             .arg(e.ValorIzq * 10 + e.ValorDer);
    return p.join('\n');
}
