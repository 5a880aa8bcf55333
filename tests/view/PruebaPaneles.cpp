// Seat panels: the three lights, the pip sums, and the green light that shows
// and hides a person's closed hand.

#include <QHBoxLayout>
#include <QtTest>

#include "bench/tablero/Escena.h"
#include "view/Colores.h"
#include "view/Paneles.h"
#include "view/Tablero.h"

using namespace vista;

namespace {

int Contar(const QImage& img, const QRect& r, unsigned color)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == color;
    return n;
}

}  // namespace

class PruebaPaneles : public QObject {
    Q_OBJECT

    Estado e;
    QWidget* ventana = nullptr;
    Tablero* t = nullptr;
    Paneles* p = nullptr;

    // Seat 1's hand area on the board: face-up tiles show their face colour.
    int CarasSur() const
    {
        return Contar(t->Imagen(), RectPixeles(t->Geometria(), ZonasMano(1).front()), kColorNeutro);
    }
    void ClicVerde(int silla)
    {
        QTest::mouseClick(p->Panel(silla)->SemaVerde, Qt::LeftButton);
    }

private slots:
    void init()
    {
        e = Estado();
        PrepararEscena(e);
        e.Jugadores[1].Vista = 'C';
        ventana = new QWidget;
        t = new Tablero(e, ventana);
        p = new Paneles(e, *t, ventana);
        auto* fila = new QHBoxLayout(ventana);
        // The board at its reference size: its surface follows the widget.
        t->setFixedSize(kAnchoTablero, kAltoTablero);
        fila->addWidget(t);
        for (int s = 1; s <= 4; ++s)
            fila->addWidget(p->Panel(s));
        ventana->show();
        QVERIFY(QTest::qWaitForWindowExposed(ventana));
    }
    void cleanup()
    {
        delete ventana;
        ventana = nullptr;
    }

    void semaforos()
    {
        for (int s = 1; s <= 4; ++s)
            p->PonerSemaforo(LuzVerde, s);
        p->PonerSemaforo(LuzRoja, 3);
        // Green, amber, red of each seat, "1" where visible.
        const auto luces = [&] {
            QStringList l;
            for (int s = 1; s <= 4; ++s) {
                const PanelSilla* q = p->Panel(s);
                l << QString("%1%2%3").arg(q->SemaVerde->isVisible()).arg(q->SemaAmbar->isVisible())
                         .arg(q->SemaRojo->isVisible());
            }
            return l.join(' ');
        };
        QCOMPARE(luces(), QStringLiteral("100 100 001 100"));
        p->PonerSemaforo(LuzAmbar, 2);
        p->PonerSemaforo(11, 4);
        p->PonerSemaforo(LuzVerde, 0);  // no such seat: nothing breaks
        QCOMPARE(luces(), QStringLiteral("100 010 001 000"));
        QCOMPARE(p->Panel(1)->SemaVerde->toolTip(), QStringLiteral("Mostrar las fichas de este jugador"));
    }

    void nombresYPuntos()
    {
        e.Jugadores[2].Nombre = QStringLiteral("  Marta ");
        e.Jugadores[3].Nombre.clear();
        p->PonerNombres();
        QCOMPARE(p->Panel(2)->lblNombre->text(), QStringLiteral("Marta"));
        QCOMPARE(p->Panel(3)->lblNombre->text(), QStringLiteral("Jugador 3"));
        // 6-6, 4-5 and 0-0 in hand, a played tile in the later slots.
        e.Jugadores[4].Mano = {0, 0, 10, 6, 12, 12, 12, 12};
        e.Fichas[0].Lugar = e.Fichas[10].Lugar = e.Fichas[6].Lugar = 'D';
        p->PonerPuntos(4);
        QCOMPARE(p->Panel(4)->SumPuntos->text(), QStringLiteral("21"));
    }

    void verdeMuestraYOculta()
    {
        e.FaseMano = Fase::Saliendo;
        e.Jugadores[1].Oculta = true;
        t->DibujarMano(1, 'C');
        p->PonerSemaforo(LuzVerde, 1);
        const int cerrada = CarasSur();
        ClicVerde(1);
        QVERIFY(!e.Jugadores[1].Oculta);
        QVERIFY(CarasSur() > 3 * std::max(cerrada, 1));
        ClicVerde(1);
        QVERIFY(e.Jugadores[1].Oculta);
        QCOMPARE(CarasSur(), cerrada);
    }

    void verdeConPronostico()
    {
        t->PonerColor(true);
        e.Jugadores[1].Oculta = true;
        p->PonerSemaforo(LuzVerde, 1);
        // 4-6 wins for sure at the right end; 0-0 loses for sure on the left.
        e.Pronosticos[e.NumTiro + 1] = QStringLiteral("1:08D 4:06I ");
        ClicVerde(1);
        const QRect mano = RectPixeles(t->Geometria(), ZonasMano(1).front());
        QVERIFY(Contar(t->Imagen(), mano, 0x32CD32) > 50);
        QVERIFY(Contar(t->Imagen(), mano, 0xFF0000) > 50);
        // The colours last until the hand is drawn again.
        QVERIFY(e.Fichas[8].Color2 == t->ColorSilla(1) && e.Fichas[6].Color1 == t->ColorSilla(1));
    }

    void colorearPronostico()
    {
        // Right end open on 4: 4-6 keeps its 6 open, so the 6 half is coloured;
        // a double takes the colour on both halves; junk entries are skipped.
        e.Pronosticos[e.NumTiro + 1] = QStringLiteral("2:08D 1:01I 9:09D 4:9xD 3:1");
        PonerColoresFichas(e, ColoresSillas(false));
        ColorearPronostico(e);
        QVERIFY(e.Fichas[8].Color2 == 0xADFF2Fu && e.Fichas[8].Color1 == kColorNeutro);
        QVERIFY(e.Fichas[1].Color1 == 0x32CD32u && e.Fichas[1].Color2 == 0x32CD32u);
        QCOMPARE(e.Fichas[9].Color1, kColorNeutro);
    }

    void verdeSinEfecto_data()
    {
        QTest::addColumn<QString>("fase");
        QTest::addColumn<char>("hoc");
        QTest::addColumn<char>("vista");
        QTest::newRow("computadora") << "TIRANDO" << 'C' << 'C';
        QTest::newRow("fichas abiertas") << "TIRANDO" << 'H' << 'A';
        QTest::newRow("reparto") << "REPARTIENDO" << 'H' << 'C';
    }
    void verdeSinEfecto()
    {
        QFETCH(QString, fase);
        QFETCH(char, hoc);
        QFETCH(char, vista);
        e.FaseMano = *LeerFase(fase);
        e.Jugadores[1].HoC = *LeerQuien(hoc);
        e.Jugadores[1].Vista = vista;
        e.Jugadores[1].Oculta = true;
        t->DibujarMano(1, 'C');
        p->PonerSemaforo(LuzVerde, 1);
        const QImage antes = t->Imagen();
        ClicVerde(1);
        QVERIFY(e.Jugadores[1].Oculta);
        QCOMPARE(t->Imagen(), antes);
    }
};

QTEST_MAIN(PruebaPaneles)
#include "PruebaPaneles.moc"
