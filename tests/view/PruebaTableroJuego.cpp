// The board driving the real hand flow: tiles picked and played by pointer
// events reach the pick and the play engine, in the test host.

#include <QApplication>
#include <QMouseEvent>
#include <QtTest>

#include "flujo/Juego.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Mesas.h"
#include "view/AccionesJuego.h"
#include "view/Geometria.h"
#include "view/Tablero.h"

namespace {

// The test host, drawing on a real board as the window's host does.
class AnfitrionConTablero : public AnfitrionPrueba {
public:
    Tablero* T = nullptr;
    void DibujarMano(int silla, char modo) override { T->DibujarMano(silla, modo); }
    void DibujarMesa() override { T->DibujarMesa(); }
    void DibujarFichaSola(int ficha) override { T->DibujarFichaSola(ficha); }
};

}  // namespace

class PruebaTableroJuego : public QObject {
    Q_OBJECT

    void Arrastrar(Tablero& t, double x1, double y1, double x2, double y2)
    {
        QTest::mousePress(&t, Qt::LeftButton, {}, t.PuntoEnWidget(x1, y1));
        QTest::mouseRelease(&t, Qt::LeftButton, {}, t.PuntoEnWidget(x2, y2));
    }

    // Whether the board shows nothing but the table where an upright tile lies.
    bool SitioVacio(Tablero& t, double x, double y)
    {
        const vista::Zona z{x - vista::AnchoMedio, y + vista::LargoMedio, x + vista::AnchoMedio, y - vista::LargoMedio};
        const QRect r = vista::RectPixeles(t.Geometria(), z).intersected(t.Imagen().rect());
        return t.Imagen().copy(r) == t.Superficie().Fondo().copy(r);
    }

    void Mover(Tablero& t, double x, double y)
    {
        const QPointF p = t.PuntoEnWidget(x, y);
        QMouseEvent ev(QEvent::MouseMove, p, t.mapToGlobal(p), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&t, &ev);
    }

    // Seat 1 a person here, on turn, ends open on 4 (left) and 6 (right).
    void Posicion(Estado& e)
    {
        VaciarMesa(e);
        Sillas(e, "LH", "LC", "LC", "LC");
        Dar(e, 1, {8, 15, 6});     // 4-6 fits both, 3-4 only the left, 0-0 neither
        Dar(e, 2, {16, 19, 22});
        Dar(e, 3, {24, 26, 27});
        Dar(e, 4, {13, 17, 20});
        EnJuego(e, 1, 6, 4, 6);
        e.PuntaIzqX = -0.2f;
        e.PuntaDerX = 0.2f;
        // The tiles at the ends, so that they can be lit.
        e.HistFicha[5] = 18;  // 2-4 on the left
        e.HistPunta[5] = Extremo::Izq;
        e.HistFicha[6] = 11;  // 2-6 on the right
        e.HistPunta[6] = Extremo::Der;
        for (int f : {18, 11}) {
            e.Fichas[f].Lugar = 'J';
            e.Fichas[f].Rumbo = 'E';
            e.Fichas[f].Y = 0.5f;
        }
        e.Fichas[18].X = -0.2f;
        e.Fichas[11].X = 0.2f;
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].Vista = 'A';
    }

private slots:
    void arrastrarMuestraYDevuelve()
    {
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        AccionesJuego acciones(j);
        Posicion(e);
        Tablero t(e);
        t.resize(vista::kAnchoTablero, vista::kAltoTablero);
        t.PonerAcciones(&acciones);
        t.DibujarMano(1, 'A');
        // 4-6 picked and carried near the left end: both ends lit, the left first.
        QTest::mousePress(&t, Qt::LeftButton, {}, t.PuntoEnWidget(e.Fichas[8].X, e.Fichas[8].Y));
        const QPointF sitio(e.Fichas[8].X, e.Fichas[8].Y);
        QVERIFY(!SitioVacio(t, sitio.x(), sitio.y()));
        Mover(t, -0.25, 0.45);
        QCOMPARE(t.FichaArrastrada(), 8);
        // Carried, it is no longer also in its slot.
        QVERIFY(SitioVacio(t, sitio.x(), sitio.y()));
        QCOMPARE(t.PuntasResaltadas(), QList<Extremo>({Extremo::Izq, Extremo::Der}));
        // The tile is drawn where the pointer is, over the board.
        const QPoint bajo = t.PuntoEnWidget(-0.25, 0.45);
        QVERIFY(!t.Capa().isNull() && qAlpha(t.Capa().pixel(bajo)) == 255);
        Mover(t, 0.3, 0.55);
        QCOMPARE(t.PuntasResaltadas(), QList<Extremo>({Extremo::Der, Extremo::Izq}));
        QTest::mouseRelease(&t, Qt::LeftButton, {}, t.PuntoEnWidget(0.3, 0.55));
        QCOMPARE(e.HistFicha[7], 8);
        QVERIFY(!t.Regresando() && t.Capa().isNull());

        // 0-0 fits nowhere: dropped on the table it goes back, in view.
        e.Turno = 1;
        e.ManoTerminada = false;
        QTest::mousePress(&t, Qt::LeftButton, {}, t.PuntoEnWidget(e.Fichas[6].X, e.Fichas[6].Y));
        Mover(t, 0.0, 0.4);
        QVERIFY(t.PuntasResaltadas().isEmpty());
        const QPointF hueco(e.Fichas[6].X, e.Fichas[6].Y);
        QVERIFY(SitioVacio(t, hueco.x(), hueco.y()));
        QTest::mouseRelease(&t, Qt::LeftButton, {}, t.PuntoEnWidget(0.0, 0.4));
        QCOMPARE(e.Fichas[6].Lugar, 'D');
        // On its way back the slot waits for it; once back it is drawn there.
        QVERIFY(t.Regresando() && !t.Capa().isNull());
        QVERIFY(SitioVacio(t, hueco.x(), hueco.y()));
        t.TerminarRegreso();
        QVERIFY(!t.Regresando() && t.Capa().isNull());
        QVERIFY(!SitioVacio(t, hueco.x(), hueco.y()));
        // A return left to run its course puts it back just the same.
        QTest::mousePress(&t, Qt::LeftButton, {}, t.PuntoEnWidget(hueco.x(), hueco.y()));
        Mover(t, 0.0, 0.4);
        QTest::mouseRelease(&t, Qt::LeftButton, {}, t.PuntoEnWidget(0.0, 0.4));
        QTRY_VERIFY(!t.Regresando());
        QVERIFY(t.Capa().isNull() && !SitioVacio(t, hueco.x(), hueco.y()));
    }

    void dobleClic()
    {
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        AccionesJuego acciones(j);
        Posicion(e);
        Tablero t(e);
        t.resize(vista::kAnchoTablero, vista::kAltoTablero);
        t.PonerAcciones(&acciones);
        t.DibujarMano(1, 'A');
        // 4-6 could go either way: a double-click does not choose for the person.
        QTest::mouseDClick(&t, Qt::LeftButton, {}, t.PuntoEnWidget(e.Fichas[8].X, e.Fichas[8].Y));
        QCOMPARE(e.NumTiro, 6);
        // 3-4 fits the left end only: played there.
        QTest::mouseDClick(&t, Qt::LeftButton, {}, t.PuntoEnWidget(e.Fichas[15].X, e.Fichas[15].Y));
        QVERIFY(!h.Agotado);
        QCOMPARE(e.HistFicha[7], 15);
        QCOMPARE(e.HistPunta[7], Extremo::Izq);
    }

    void mesaGiradaJuegaIgual()
    {
        // Seat 2's person sees the table from seat 2; the pointer lands
        // exactly where the eye sees the tile, and the play is the same.
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        AccionesJuego acciones(j);
        Posicion(e);
        Sillas(e, "RC", "LH", "RC", "RC");
        EnJuego(e, 2, 6, 4, 6);
        Dar(e, 2, {9});  // 3-6 fits the right end only
        Tablero t(e);
        t.resize(vista::kAnchoTablero, vista::kAltoTablero);
        t.PonerAcciones(&acciones);
        t.VerDesde(2);
        t.VerEn3D();
        t.DibujarMano(2, 'A');
        const QPoint enPantalla = t.PuntoEnWidget(e.Fichas[9].X, e.Fichas[9].Y);
        QVERIFY(enPantalla.y() > t.height() * 0.8);  // seat 2's hand at the bottom
        Arrastrar(t, e.Fichas[9].X, e.Fichas[9].Y, 0.25, 0.5);
        QCOMPARE(e.HistFicha[7], 9);
        QCOMPARE(e.HistPunta[7], Extremo::Der);
    }

    void tomarDelMonton()
    {
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        AccionesJuego acciones(j);
        Sillas(e, "LH", "LC", "LC", "LC");
        e.FaseMano = Fase::Repartiendo;
        for (int s = 1; s <= 4; ++s) {
            e.Jugadores[s].NumFichas = 0;
            e.Jugadores[s].OrdenReparto = static_cast<short>(s);
        }
        for (Ficha& f : e.Fichas) {
            f.Lugar = 'R';
            f.Libre = true;
            f.Dueno = 0;
            f.X = (f.Punto2 - f.Punto1) * 0.05f - 0.15f;
            f.Y = f.Punto1 * 0.1f + 0.2f;
        }
        Tablero t(e);
        t.resize(vista::kAnchoTablero, vista::kAltoTablero);
        t.PonerAcciones(&acciones);
        t.VerEn3D();
        // 2-5 (tile 14) lies at row 2, column 3; dropped on seat 1's side.
        Arrastrar(t, e.Fichas[14].X, e.Fichas[14].Y, 0.0, 0.06);
        QCOMPARE(e.Jugadores[1].NumFichas, 1);
        QCOMPARE(e.Jugadores[1].Mano[1], 14);
        QCOMPARE(e.Fichas[14].Lugar, 'D');
        // Dropped in the middle of the table: nobody takes it.
        Arrastrar(t, e.Fichas[20].X, e.Fichas[20].Y, 0.0, 0.5);
        QCOMPARE(e.Fichas[20].Lugar, 'R');
        QCOMPARE(e.Jugadores[1].NumFichas, 1);
    }

    void elRepartoVaciaLasManos()
    {
        // The end of a hand lays every hand open; at the next pick those
        // tiles are back in the pool and no hand area may still show them.
        Estado e;
        AnfitrionConTablero h;
        Juego j(e, h);
        VaciarMesa(e);
        Sillas(e, "LH", "LC", "LC", "LC");
        Dar(e, 1, {0, 1, 2});
        Dar(e, 2, {3, 4});
        Tablero t(e);
        h.T = &t;
        t.DibujarMano(1, 'A');
        t.DibujarMano(2, 'A');
        auto limpia = [&](int silla) {
            for (const vista::Zona& z : vista::ZonasMano(silla)) {
                const QRect r = vista::RectPixeles(t.Geometria(), z).intersected(t.Imagen().rect());
                if (t.Imagen().copy(r) != t.Superficie().Fondo().copy(r))
                    return false;
            }
            return true;
        };
        QVERIFY(!limpia(1) && !limpia(2));
        e.NumMano = 1;
        e.Ganador = 1;
        e.Opciones.AoC = 'A';
        e.FaseMano = Fase::Repartiendo;
        // Seat 1, a person here, picks first: look while the pick waits for it.
        bool visto = false;
        h.Gancho = [&] {
            if (visto)
                return;
            visto = true;
            for (int s = 1; s <= 4; ++s)
                QVERIFY2(limpia(s), qPrintable(QStringLiteral("silla %1").arg(s)));
            h.Cerrar = true;
        };
        j.Repartir();
        QVERIFY(visto);
    }

    void lineaFueraDelAreaSeBorra()
    {
        // A tile laid at a turn of the line sticks out past the play area;
        // when the tiles go back to the pool nothing of it may stay behind.
        Estado e;
        for (Ficha& f : e.Fichas) {
            f.Lugar = 'R';
            f.Rumbo = 'S';
            f.X = (f.Punto2 - f.Punto1) * 0.05f - 0.15f;
            f.Y = f.Punto1 * 0.1f + 0.2f;
        }
        Ficha& vuelta = e.Fichas[5];
        vuelta.Lugar = 'J';
        vuelta.Rumbo = 'N';
        vuelta.X = -0.58f;
        vuelta.Y = 0.6f;
        e.FaseMano = Fase::Tirando;
        Tablero t(e);
        t.DibujarMesa();
        QVERIFY(!SitioVacio(t, -0.58, 0.6));
        vuelta.Lugar = 'R';
        vuelta.X = 0.2f;
        vuelta.Y = 0.25f;
        e.FaseMano = Fase::Repartiendo;
        t.DibujarMesa();
        QVERIFY(SitioVacio(t, -0.58, 0.6));
        QVERIFY(!SitioVacio(t, 0.2, 0.25));
    }

    void manoGiradaSinRastro_data()
    {
        QTest::addColumn<int>("silla");
        QTest::newRow("Norte") << 3;
        QTest::newRow("Este") << 2;
        QTest::newRow("Oeste") << 4;
    }
    void manoGiradaSinRastro()
    {
        // Seen from the seat itself, a hand that shrinks leaves nothing of
        // its former tiles between it and the table's edge.
        QFETCH(int, silla);
        Estado e;
        VaciarMesa(e);
        Dar(e, silla, {0, 1, 2, 3, 4, 5, 6});
        e.FaseMano = Fase::Tirando;
        Tablero t(e);
        t.VerDesde(silla);
        t.DibujarMano(silla, 'A');
        for (int k = 3; k <= 7; ++k) {
            e.Fichas[e.Jugadores[silla].Mano[k]].Lugar = 'J';
            e.Jugadores[silla].Mano[k] = -1;
        }
        e.Jugadores[silla].NumFichas = 2;
        t.DibujarMano(silla, 'A');
        // Where the outer slots were, out to the edge: table only.
        const vista::Zona borde = silla == 3   ? vista::Zona{0.08, 0.985, 0.19, 0.86}
                                  : silla == 2 ? vista::Zona{0.56, 0.42, 0.68, 0.33}
                                               : vista::Zona{-0.68, 0.42, -0.56, 0.33};
        const QRect r = vista::RectPixeles(t.Geometria(), borde).intersected(t.Imagen().rect());
        QVERIFY(!r.isEmpty());
        QVERIFY(t.Imagen().copy(r) == t.Superficie().Fondo().copy(r));
    }

    void manoVaciaSinRastro_data()
    {
        QTest::addColumn<bool>("tresD");
        QTest::addColumn<int>("abajo");
        QTest::addColumn<int>("silla");
        for (bool tresD : {false, true})
            for (int abajo = 1; abajo <= 4; ++abajo)
                for (int silla = 1; silla <= 4; ++silla)
                    QTest::addRow("%s desde %d, mano %d", tresD ? "3D" : "2D", abajo, silla) << tresD << abajo << silla;
    }
    void manoVaciaSinRastro()
    {
        // Whichever way the table is turned, a hand that has played out
        // leaves nothing of its tiles, not even the edge line that a tile's
        // thickness drops past its area toward the line of play; and a tile
        // of the line lying right at the hand loses nothing in that erasing.
        QFETCH(bool, tresD);
        QFETCH(int, abajo);
        QFETCH(int, silla);
        Estado e;
        VaciarMesa(e);
        // Out of sight: neither on the table nor in a hand's slots.
        for (Ficha& f : e.Fichas)
            f.Lugar = 'D';
        Dar(e, silla, {0, 1, 2, 3, 4, 5, 6});
        e.Jugadores[silla].Vista = 'A';
        e.FaseMano = Fase::Tirando;
        Ficha& enLinea = e.Fichas[27];
        enLinea.Lugar = 'J';
        const bool costado = silla == 2 || silla == 4;
        enLinea.Rumbo = costado ? 'E' : 'S';
        // At the edge of the line's area nearest the hand.
        const vista::Zona& linea = vista::kZonaLinea;
        const double borde = costado ? linea.x2 - LargoMedio : linea.y2 + LargoMedio;
        enLinea.X = static_cast<float>(silla == 2 ? borde : silla == 4 ? -borde : 0.0);
        enLinea.Y = static_cast<float>(costado ? 0.5 : silla == 1 ? borde : linea.y1 - LargoMedio);
        Tablero t(e);
        tresD ? t.VerEn3D() : t.VerEn2D();
        t.VerDesde(abajo);
        t.DibujarMesa();
        t.DibujarMano(silla, 'A');
        e.Jugadores[silla].Mano.fill(-1);
        e.Jugadores[silla].NumFichas = 0;
        t.DibujarMano(silla, 'A');
        const QImage tras = t.Imagen();

        // The same table drawn from scratch, and the bare table without the tile.
        t.Redibujar();
        QVERIFY(tras == t.Imagen());
        enLinea.Lugar = 'D';
        t.Redibujar();
        QVERIFY(t.Imagen() == t.Superficie().Fondo());
    }

    void jugarPorLaPuntaCercana()
    {
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        AccionesJuego acciones(j);
        VaciarMesa(e);
        Sillas(e, "LH", "LC", "LC", "LC");
        Dar(e, 1, {8, 6, 1});         // 4-6, 0-0, 5-5
        Dar(e, 2, {16, 19, 22});      // 0-6, 0-5, 0-4
        Dar(e, 3, {24, 26, 27});      // 0-3, 0-2, 0-1
        Dar(e, 4, {13, 17, 20});      // 1-6, 1-5, 1-4
        EnJuego(e, 1, 6, 4, 4);
        e.PuntaIzqX = -0.2f;
        e.PuntaDerX = 0.2f;
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].Vista = 'A';
        Tablero t(e);
        t.resize(vista::kAnchoTablero, vista::kAltoTablero);
        t.PonerAcciones(&acciones);
        t.DibujarMano(1, 'A');
        // 4-6 fits both ends (both 4): released nearer the left end.
        Arrastrar(t, e.Fichas[8].X, e.Fichas[8].Y, -0.3, 0.45);
        QVERIFY(!h.Agotado);
        QVERIFY(e.HistFicha[7] == 8 && e.HistPunta[7] == Extremo::Izq && e.Fichas[8].Lugar == 'J');
        QCOMPARE(h.Enviados.filter(QRegularExpression(QStringLiteral("^Tiro 07 1 08 IZQ"))).size(), 1);
    }
};

QTEST_MAIN(PruebaTableroJuego)
#include "PruebaTableroJuego.moc"
