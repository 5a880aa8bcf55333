// The board driving the real hand flow: tiles picked and played by pointer
// events reach the pick and the play engine, in the test host.

#include <QtTest>

#include "rules/Juego.h"
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

class TestTableroJuego : public QObject {
    Q_OBJECT

    void Arrastrar(Tablero& t, double x1, double y1, double x2, double y2)
    {
        QTest::mousePress(&t, Qt::LeftButton, {}, t.PuntoEnWidget(x1, y1));
        QTest::mouseRelease(&t, Qt::LeftButton, {}, t.PuntoEnWidget(x2, y2));
    }

private slots:
    void tomarDelMonton()
    {
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        AccionesJuego acciones(j);
        Sillas(e, "LH", "LC", "LC", "LC");
        e.FaseMano = QStringLiteral("REPARTIENDO");
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
        e.FaseMano = QStringLiteral("REPARTIENDO");
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
        QVERIFY(e.HistFicha[7] == 8 && e.HistPunta[7] == QLatin1String("IZQ") && e.Fichas[8].Lugar == 'J');
        QCOMPARE(h.Enviados.filter(QRegularExpression(QStringLiteral("^Tiro 07 1 08 IZQ"))).size(), 1);
    }
};

QTEST_MAIN(TestTableroJuego)
#include "tst_tablero_juego.moc"
