#pragma once
// What no received line may ever leave behind, whatever its bytes: every
// stored value inside the codes and ranges the rest of the game reads.

#include "net/Despachador.h"

inline QString FaltaInvariante(const Estado& e)
{
    auto en = [](int v, int a, int b) { return v >= a && v <= b; };
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = e.Jugadores[s];
        if (!QStringLiteral("HC").contains(QChar(LetraQuien(j.HoC))) || !QStringLiteral("LR").contains(QChar(LetraDonde(j.LoR))))
            return QStringLiteral("HoC/LoR %1").arg(s);
        if (!en(j.NumFichas, 0, 7) || e.Sillas[s].DigitosMano.size() != 14)
            return QStringLiteral("mano %1").arg(s);
        for (int k = 1; k <= 7; ++k)
            if (!en(j.Mano[k], 0, kNumFichas - 1))
                return QStringLiteral("Mano %1").arg(s);
        if (e.Sillas[s].MarcaFin != u"FIN" && e.Sillas[s].MarcaFin != u"   ")
            return QStringLiteral("MarcaFin %1").arg(s);
    }
    for (const Ficha& f : e.Fichas)
        if (!en(f.Dueno, 0, 4))
            return QStringLiteral("Dueno");
    for (int i = 1; i < kHist; ++i) {
        if (!en(e.HistFicha[i], -1, kNumFichas - 1) || !en(e.TiroRecibido[i], -4, kNumFichas - 1))
            return QStringLiteral("ficha de la jugada %1").arg(i);
        if (!QStringList{"", "IZQ", "DER", "NUL"}.contains(TextoExtremo(e.PuntaRecibida[i])) || e.MeritoTurno[i].size() > 8)
            return QStringLiteral("punta o mérito de la jugada %1").arg(i);
    }
    const OpcionesJuego& o = e.Opciones;
    if (!QStringLiteral("CA").contains(QChar(o.AoC)) || !QStringLiteral("PIAU").contains(QChar(o.Nivel)) ||
        !en(o.Puntos, 1, 300) || !en(o.AcuPtos, 0, 1) || !en(o.Tiempo1, 0, 32) || !en(o.Tiempo2, 0, 32) ||
        !QStringList{"PG", "JG", "JD"}.contains(o.Salida) || !QStringList{"GS", "GC", "GN", "AN"}.contains(o.Cierre) || !QStringLiteral("TS").contains(QChar(o.Vista)))
        return QStringLiteral("opciones");
    return en(e.Salidor, 0, 4) ? QString() : QStringLiteral("Salidor");
}

// A hand flow that only checks what it is asked to play.
struct JuegoVigilante : JuegoRemoto {
    int malas = 0;
    void TiroRecibido(int ficha, Extremo punta) override
    {
        malas += ficha < 0 || ficha >= kNumFichas || (punta != Extremo::Izq && punta != Extremo::Der);
    }
    void AtrasRecibido(int) override {}
    void ManoRecibida(int) override {}
    void SillaDejada(int) override {}
    void SillaRecuperada(int) override {}
};
