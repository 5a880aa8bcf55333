#pragma once
// What no received line may ever leave behind, whatever its bytes: every
// stored value inside the codes and ranges the rest of the game reads.

#include <QString>

#include "net/Despachador.h"

inline QString FaltaInvariante(const Estado& e)
{
    static const QStringList puntas{"", "IZQ", "DER", "NUL"};
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = e.Jugadores[s];
        if (j.HoC != 'H' && j.HoC != 'C')
            return QStringLiteral("HoC %1").arg(s);
        if (j.LoR != 'L' && j.LoR != 'R')
            return QStringLiteral("LoR %1").arg(s);
        if (j.NumFichas < 0 || j.NumFichas > 7)
            return QStringLiteral("NumFichas %1").arg(s);
        for (int k = 1; k <= 7; ++k)
            if (j.Mano[k] < 0 || j.Mano[k] >= kNumFichas)
                return QStringLiteral("Mano %1").arg(s);
        if (e.Sillas[s].MarcaFin != u"FIN" && e.Sillas[s].MarcaFin != u"   ")
            return QStringLiteral("MarcaFin %1").arg(s);
        if (e.Sillas[s].DigitosMano.size() != 14)
            return QStringLiteral("DigitosMano %1").arg(s);
    }
    for (const Ficha& f : e.Fichas)
        if (f.Dueno < 0 || f.Dueno > 4)
            return QStringLiteral("Dueno");
    for (int i = 1; i < kHist; ++i) {
        if (e.HistFicha[i] < -1 || e.HistFicha[i] >= kNumFichas)
            return QStringLiteral("HistFicha %1").arg(i);
        if (e.TiroRecibido[i] < -4 || e.TiroRecibido[i] >= kNumFichas)
            return QStringLiteral("TiroRecibido %1").arg(i);
        if (!puntas.contains(e.PuntaRecibida[i]))
            return QStringLiteral("PuntaRecibida %1").arg(i);
        if (e.MeritoTurno[i].size() > 8)
            return QStringLiteral("MeritoTurno %1").arg(i);
    }
    if (e.Salidor < 0 || e.Salidor > 4)
        return QStringLiteral("Salidor");
    const OpcionesJuego& o = e.Opciones;
    if (!QStringLiteral("CA").contains(QChar(o.AoC)) || !QStringLiteral("PIAU").contains(QChar(o.Nivel)))
        return QStringLiteral("AoC/Nivel");
    if (o.Puntos < 1 || o.Puntos > 300 || o.AcuPtos < 0 || o.AcuPtos > 1)
        return QStringLiteral("Puntos/AcuPtos");
    if (o.Tiempo1 < 0 || o.Tiempo1 > 32 || o.Tiempo2 < 0 || o.Tiempo2 > 32)
        return QStringLiteral("Tiempo");
    if (!QStringList{"PG", "JG", "JD"}.contains(o.Salida) || !QStringList{"GS", "GC", "GN", "AN"}.contains(o.Cierre))
        return QStringLiteral("Salida/Cierre");
    return {};
}

// A hand flow that only checks what it is asked to play.
struct JuegoVigilante : JuegoRemoto {
    int malas = 0;
    int tiros = 0;
    void JugarTiro(int ficha, const QString& punta) override
    {
        ++tiros;
        if (ficha < 0 || ficha >= kNumFichas || (punta != u"IZQ" && punta != u"DER"))
            ++malas;
    }
    void TerminarMano() override {}
    void RegresarTurno() override {}
};
