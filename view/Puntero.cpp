#include "view/Puntero.h"

#include <cmath>

#include "flujo/Entradas.h"

namespace vista {

namespace {

bool Local(const Estado& e, int silla)
{
    return silla >= 1 && silla <= 4 && e.Jugadores[silla].LoR == Donde::Local;
}

QString DosDecimales(double v)
{
    QString s = QString::number(v, 'f', 2);
    if (s == QLatin1String("-0.00"))
        s = QStringLiteral("0.00");
    return s;
}

}  // namespace

Extremo ElegirPunta(const Estado& e, int ficha, double tx, double ty)
{
    if (ficha < 0 || ficha >= kNumFichas)
        return Extremo::Izq;
    const Ficha& f = e.Fichas[ficha];
    // Nothing is open on the left before the first play: the lead goes right.
    const bool primera = e.NumTiro == 0;
    const bool derecha = primera || f.Punto1 == e.ValorDer || f.Punto2 == e.ValorDer;
    const bool izquierda = !primera && (f.Punto1 == e.ValorIzq || f.Punto2 == e.ValorIzq);
    if (derecha && izquierda) {
        const double aIzq = Distancia(tx, ty, e.PuntaIzqX, e.PuntaIzqY);
        const double aDer = Distancia(tx, ty, e.PuntaDerX, e.PuntaDerY);
        return aIzq < aDer ? Extremo::Izq : Extremo::Der;
    }
    return ExtremoDe(derecha);
}

QString TextoPosicion(int silla, double tx, double ty)
{
    return QStringLiteral("%1 %2 %3").arg(silla).arg(DosDecimales(tx), DosDecimales(ty));
}

void Puntero::Presionar(const GeometriaMesa& g, double bx, double by)
{
    const QPointF t = Desproyectar(g, bx, by);
    PresionarEn(t.x(), t.y());
}

Orden Puntero::Soltar(const GeometriaMesa& g, double bx, double by)
{
    const QPointF t = Desproyectar(g, bx, by);
    return SoltarEn(t.x(), t.y());
}

void Puntero::PresionarEn(double tx, double ty)
{
    FichaTomada = -1;
    if (E.FaseMano == Fase::Repartiendo) {
        // Drawn in tile order, so the highest number lies on top.
        for (int t = kNumFichas - 1; t >= 0; --t) {
            const Ficha& f = E.Fichas[t];
            if (f.Lugar == 'R' && std::abs(tx - f.X) < LargoMedio && std::abs(ty - f.Y) < LargoMedio) {
                FichaTomada = t;
                return;
            }
        }
        return;
    }
    const int silla = E.Turno;
    if (silla < 1 || silla > 4)
        return;
    const Zona a = AreaToque(silla);
    if (tx < a.x1 || tx > a.x2 || ty < a.y2 || ty > a.y1)
        return;
    const Jugador& j = E.Jugadores[silla];
    auto enMano = [&](int slot) {
        const int t = j.Mano[slot];
        return t >= 0 && t < kNumFichas && E.Fichas[t].Lugar == 'D' && E.Fichas[t].Dueno == silla;
    };
    // Only one coordinate decides: a press between two tiles takes the one
    // on its left (rows) or below it (columns).
    if (silla == 1 || silla == 3) {
        for (int k = 7; k >= 1; --k) {
            if (enMano(k) && E.Fichas[j.Mano[k]].X - AnchoMedio <= tx) {
                FichaTomada = j.Mano[k];
                return;
            }
        }
    } else {
        for (int k = 1; k <= 7; ++k) {
            if (enMano(k) && E.Fichas[j.Mano[k]].Y - AnchoMedio <= ty) {
                FichaTomada = j.Mano[k];
                return;
            }
        }
    }
}

bool Puntero::MemoriaDistinta(int ficha, Extremo lado, bool conLado) const
{
    const int n = E.NumTiro + 1;
    if (n < 1 || n > kMaxTiros)
        return false;
    return E.HistFicha[n] != ficha || (conLado && E.HistPunta[n] != lado);
}

void Puntero::OlvidarMemoria()
{
    entrada::OlvidarMemoria(E);
}

Orden Puntero::SoltarEn(double tx, double ty)
{
    Orden o;
    o.x = tx;
    o.y = ty;
    const int t = FichaTomada;
    if (t < 0 || t >= kNumFichas)
        return o;
    const Ficha& f = E.Fichas[t];

    if (E.FaseMano == Fase::Repartiendo) {
        // Something else (a received hand) may have taken it since the press.
        if (f.Lugar != 'R')
            return o;
        o.tipo = Orden::Tomar;
        o.ficha = t;
        return o;
    }

    const bool salida = E.FaseMano == Fase::Saliendo;
    if (!salida && E.FaseMano != Fase::Tirando)
        return o;
    // Only a person of this machine plays by pointer, and only a tile of the
    // seat to move: a computer seat here is in the middle of its own choice.
    const int silla = E.Turno;
    if (!Local(E, silla) || E.Jugadores[silla].HoC != Quien::Persona || f.Dueno != silla || f.Lugar != 'D')
        return o;

    if (salida) {
        o.olvidarMemoria = MemoriaDistinta(t, Extremo::Ninguno, false);
        if (o.olvidarMemoria)
            OlvidarMemoria();
        o.ocultarNoSalir = true;
        entrada::SalidaElegida(E, t, Extremo::Der);
        o.tipo = Orden::Salir;
        o.ficha = t;
        o.lado = Extremo::Der;
        return o;
    }

    if (ty < 0.15 || ty > 0.83 || tx < -0.55 || tx > 0.55)
        return o;
    o.lado = ElegirPunta(E, t, tx, ty);
    o.olvidarMemoria = MemoriaDistinta(t, o.lado, true);
    if (o.olvidarMemoria)
        OlvidarMemoria();
    o.tipo = Orden::Jugar;
    o.ficha = t;
    return o;
}

}  // namespace vista
