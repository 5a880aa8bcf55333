// Table units, both projections, hand slots and pip sizes.

#include <QtTest>
#include <cmath>

#include "view/Geometria.h"
#include "view/Lienzo.h"

using namespace vista;

namespace {

GeometriaMesa Vista(const char* modo)
{
    GeometriaMesa g;
    g.PonerModo(QString::fromLatin1(modo));
    return g;
}

// Seat s holds the given tiles in slots 1.. in play.
void DarMano(Estado& e, int silla, std::initializer_list<int> fichas)
{
    int k = 0;
    for (int t : fichas) {
        e.Jugadores[silla].Mano[++k] = t;
        e.Fichas[t].Lugar = 'D';
        e.Fichas[t].Dueno = silla;
    }
    e.Jugadores[silla].NumFichas = k;
}

}  // namespace

class PruebaGeometria : public QObject {
    Q_OBJECT
private slots:
    void mesaGirada()
    {
        // Each seat can be brought to the bottom; the pointer's way back is
        // exact in every turn and view, at any surface size.
        for (const char* modo : {"2D", "3D"}) {
            for (int silla = 1; silla <= 4; ++silla) {
                GeometriaMesa g = Vista(modo);
                g.PonerTamano(1418, 992);
                g.Giro = GiroPara(silla);
                for (double y = 0.0; y <= 1.0001; y += 0.1)
                    for (double x = -0.7; x <= 0.7001; x += 0.1) {
                        const QPointF b = Proyectar(g, x, y);
                        const QPointF t = Desproyectar(g, b.x(), b.y());
                        QVERIFY(std::abs(t.x() - x) < 1e-9 && std::abs(t.y() - y) < 1e-9);
                    }
                // The seat's hand lies along the bottom edge, centred.
                Estado e;
                e.Jugadores[silla].Mano.fill(-1);
                DarMano(e, silla, {0, 1, 2});
                e.FaseMano = Fase::Tirando;
                QVERIFY(UbicarEnMano(e, silla, 2));
                const QPointF v = AVista(g, e.Fichas[1].X, e.Fichas[1].Y);
                QVERIFY2(v.y() < 0.1 && std::abs(v.x()) < 0.02, modo);  // columns centre at y 0.52
                // And reads across the screen: a column tile lies in the view.
                QCOMPARE(Orientacion(RumboEnVista(g, e.Fichas[1].Rumbo)), 'V');
            }
        }
        // The quarter turns keep the whole table on the surface.
        GeometriaMesa g = Vista("2D");
        g.Giro = 1;
        for (const QPointF esquina : {QPointF(-0.7, 0), QPointF(0.7, 0), QPointF(-0.7, 1), QPointF(0.7, 1)}) {
            const QPointF b = APixel(g, Proyectar(g, esquina.x(), esquina.y()));
            QVERIFY(b.x() >= 0 && b.x() <= g.AnchoMesa && b.y() >= -2.5 && b.y() <= g.AltoMesa);
        }
    }

    void superficieGrande()
    {
        // Twice the reference board: pips and pens twice as thick, tiles
        // twice as wide in pixels; nothing else changes.
        Estado e;
        Lienzo chico(e), grande(e);
        grande.G.PonerTamano(2 * kAnchoTablero, 2 * kAltoTablero);
        grande.PonerFondo(QImage());
        QVERIFY(std::abs(grande.RadioEn(0.09, RadioPunto) - 2 * chico.RadioEn(0.09, RadioPunto)) <= 0.5);
        auto claros = [](const Lienzo& l) {
            int n = 0;
            const QImage& im = l.Imagen();
            for (int y = 0; y < im.height(); ++y)
                for (int x = 0; x < im.width(); ++x)
                    n += qRed(im.pixel(x, y)) > 200 && qGreen(im.pixel(x, y)) > 200;
            return n;
        };
        chico.DibujarFicha(0, 0.5, 'V', 'A', 0xFFFFF0);
        chico.DibujarCara(0, 0.5, 'V', 6, 6, 0xFFFFF0, 0xFFFFF0);
        grande.DibujarFicha(0, 0.5, 'V', 'A', 0xFFFFF0);
        grande.DibujarCara(0, 0.5, 'V', 6, 6, 0xFFFFF0, 0xFFFFF0);
        // A solid face: four times the pixels, give or take its outline.
        const double razon = double(claros(grande)) / claros(chico);
        QVERIFY2(razon > 3.6 && razon < 4.4, qPrintable(QString::number(razon)));
    }

    void idaYVuelta()
    {
        for (const char* modo : {"2D", "3D"}) {
            const GeometriaMesa g = Vista(modo);
            for (double y = 0.0; y <= 1.0001; y += 0.05) {
                for (double x = -0.7; x <= 0.7001; x += 0.07) {
                    const QPointF b = Proyectar(g, x, y);
                    const QPointF t = Desproyectar(g, b.x(), b.y());
                    QVERIFY(std::abs(t.x() - x) < 1e-9 && std::abs(t.y() - y) < 1e-9);
                }
            }
        }
    }

    void bordesDeLaSuperficie()
    {
        const GeometriaMesa g2 = Vista("2D"), g3 = Vista("3D");
        const double medio = kAnchoTablero / 2.0;
        QCOMPARE(Proyectar(g2, 0.7, 0.5).x(), medio);
        QCOMPARE(Proyectar(g2, 0.0, 0.0).y(), kAltoTablero - 2.0);
        // In perspective the near edge spans the surface at x = +-0.5 ...
        QVERIFY(std::abs(Proyectar(g3, 0.5, 0.0).x() - medio) < 1e-9);
        // ... the far edge is the top, a third as wide ...
        const QPointF lejos = Proyectar(g3, 0.5, 1.0);
        QVERIFY(std::abs(lejos.y()) < 1e-9 && std::abs(lejos.x() - medio / 3.0) < 1e-9);
        // ... and the middle of the table sits well above the middle of the surface.
        const double by = Proyectar(g3, 0.0, 0.5).y();
        QVERIFY(std::abs(by - kAltoTablero * std::tan(M_PI / 8)) < 1e-9);
        QVERIFY(std::abs(by / kAltoTablero - 0.414) < 0.001);
        QCOMPARE(Vista("3D").FondoVista, 1.5 * kAltoTablero);
        QCOMPARE(Distancia(0.1, 0.2, 0.1, 0.2), 0.0);
    }

    void radioDeLosPuntos()
    {
        Estado e;
        Lienzo l(e);
        QCOMPARE(l.RadioEn(0.09, RadioPunto), 2.0);
        l.G.PonerModo(QStringLiteral("3D"));
        QCOMPARE(l.RadioEn(0.09, RadioPunto), 2.5);
        // Pips shrink toward the far edge.
        QVERIFY(l.RadioEn(0.91, RadioPunto) < l.RadioEn(0.09, RadioPunto));
    }

    void filaDeTresYLuegoDos()
    {
        Estado e;
        e.FaseMano = Fase::Tirando;
        DarMano(e, 1, {8, 15, 20});
        for (int k = 1; k <= 7; ++k)
            UbicarEnMano(e, 1, k);
        QVERIFY(std::abs(e.Fichas[8].X + 0.05f) < 1e-6);
        QVERIFY(std::abs(e.Fichas[15].X) < 1e-6);
        QVERIFY(std::abs(e.Fichas[20].X - 0.05f) < 1e-6);
        QCOMPARE(e.Fichas[15].Y, 0.09f);
        QCOMPARE(e.Fichas[15].Rumbo, 'N');

        // The middle tile is played: no gap is left.
        e.Fichas[15].Lugar = 'J';
        QVERIFY(!UbicarEnMano(e, 1, 2));
        UbicarEnMano(e, 1, 1);
        UbicarEnMano(e, 1, 3);
        QVERIFY(std::abs(e.Fichas[8].X + 0.025f) < 1e-6);
        QVERIFY(std::abs(e.Fichas[20].X - 0.025f) < 1e-6);
    }

    void columnasYFilaDeArriba()
    {
        Estado e;
        e.FaseMano = Fase::Tirando;
        DarMano(e, 2, {0, 1, 2, 3, 4, 5, 6});
        DarMano(e, 4, {7, 8});
        DarMano(e, 3, {9});
        for (int k = 1; k <= 7; ++k) {
            QVERIFY(UbicarEnMano(e, 2, k));
            const Ficha& f = e.Fichas[k - 1];
            QVERIFY(f.X == 0.61f && f.Rumbo == 'O' && std::abs(f.Y - (0.67f - 0.05f * (k - 1))) < 1e-6);
        }
        UbicarEnMano(e, 4, 2);
        UbicarEnMano(e, 3, 1);
        QVERIFY(e.Fichas[8].X == -0.61f && std::abs(e.Fichas[8].Y - 0.495f) < 1e-6);
        QVERIFY(e.Fichas[9].Y == 0.91f && std::abs(e.Fichas[9].X) < 1e-6);
    }

    void duranteElRepartoSoloLoTomado()
    {
        Estado e;
        e.FaseMano = Fase::Repartiendo;
        // Slots 3..7 still name last hand's tiles; one of them is back in a hand.
        e.Jugadores[1].Mano = {0, 10, 11, 12, 13, 14, 15, 16};
        e.Fichas[10].Lugar = e.Fichas[11].Lugar = 'D';
        e.Fichas[10].Dueno = e.Fichas[11].Dueno = 1;
        e.Fichas[12].Lugar = 'D';
        e.Fichas[12].Dueno = 3;
        e.Jugadores[1].NumFichas = 2;
        QCOMPARE(SlotsVistos(e, 1), 2);
        QVERIFY(UbicarEnMano(e, 1, 1));
        QVERIFY(UbicarEnMano(e, 1, 2));
        QVERIFY(!UbicarEnMano(e, 1, 3));
        QVERIFY(std::abs(e.Fichas[10].X + 0.025f) < 1e-6);
        QVERIFY(std::abs(e.Fichas[11].X - 0.025f) < 1e-6);
        QVERIFY(!UbicarEnMano(e, 5, 1));
    }
};

QTEST_MAIN(PruebaGeometria)
#include "PruebaGeometria.moc"
