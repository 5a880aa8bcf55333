// What the game window tells and offers beyond its title: the status line,
// the game menu (new partida, fast computer, leaving) and the debug field.

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <QtTest>

#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "shell/Depuracion.h"
#include "shell/Pausa.h"
#include "tests/support/Mesas.h"
#include "view/Geometria.h"

using vista::AnchoMedio;

class PruebaVentanaEstado : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QStandardPaths::setTestModeEnabled(true); }
    void init() { ReiniciarCierre(); }

    void lineaDeEstadoSigueAlJuego()
    {
        Sesion s(QString{});
        Sillas(s.E, "LH", "LC", "LC", "LC");
        frmDomino w(s);
        QVERIFY(!w.Text2->isVisibleTo(&w));
        VaciarMesa(s.E);
        Dar(s.E, 3, {5});   // 1-1: cannot follow 3-4
        Dar(s.E, 4, {16});  // 0-6: cannot either
        Dar(s.E, 1, {23});  // 1-3 fits
        EnJuego(s.E, 3, 3, 3, 4);
        s.E.Opciones.Puntos = 100;
        s.E.PuntosPar13 = {0, 30};
        s.E.PuntosPar24 = {0, 12};
        s.E.HistJugador[3] = 2;
        s.E.HistFicha[3] = 15;
        s.E.HistPunta[3] = Extremo::Der;
        s.E.HistValorIzq[3] = 3;
        s.E.HistValorDer[3] = 4;
        // The flow lights Carla's amber light while she passes.
        s.A.Semaforo(3, LuzAmbar);
        QCOMPARE(w.lblEstado->text(), QStringLiteral("Carla pasa  ·  Beto jugó 3-4 por la derecha"));
        QCOMPARE(w.lblMarcador->text(), QStringLiteral("Ana y Carla: 30  ·  Beto y Dani: 12  ·  partida a 100"));
        // The title keeps its exact text; the line says it plainly.
        s.E.Turno = 1;
        s.A.Titulo(s.E.TituloMesa + QStringLiteral("Turno Local de Ana ..."));
        QVERIFY(w.windowTitle().endsWith(QStringLiteral("Turno Local de Ana ...")));
        QVERIFY(w.lblEstado->text().startsWith(QStringLiteral("Turno de Ana  ·  Carla pasa, Dani pasa")));
    }

    void tamanoYMesaDesdeMiSilla()
    {
        // On a 1920 x 1080 screen the window opens with tiles at least 40
        // pixels wide in the flat view, the board drawn at its real size.
        Sesion s(QString{});
        Sillas(s.E, "RH", "RH", "LH", "RH");
        frmDomino w(s);
        w.resize(frmDomino::TamanoInicial(QSize(1920, 1080)));
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const double ancho = w.p1->Geometria().AnchoMesa / w.p1->devicePixelRatioF();
        QVERIFY2(ancho * 2 * AnchoMedio / 1.4 >= 40.0, qPrintable(QString::number(ancho)));
        QCOMPARE(w.p1->Imagen().width(), qRound(w.p1->Geometria().AnchoMesa));
        // The one person of this copy sits at seat 3: the table is turned
        // for them, their panel at the bottom beside their hand.
        QVERIFY(w.MVerMiSilla->isChecked());
        QCOMPARE(w.p1->SillaAbajo(), 3);
        QVERIFY(w.Panel(3)->mapTo(&w, QPoint()).y() > w.height() / 2);
        QVERIFY(w.Panel(1)->mapTo(&w, QPoint()).y() < w.height() / 2);
        w.MVerMiSilla->setChecked(false);
        QCOMPARE(w.p1->SillaAbajo(), 1);
        QVERIFY(w.Panel(1)->mapTo(&w, QPoint()).y() > w.height() / 2);
        w.AlCerrar = [] {};
        w.close();
    }

    void depurarMuestraLaPosicion()
    {
        PonerDepuracion(true);
        Sesion s(QString{});
        frmDomino w(s);
        PonerDepuracion(false);
        QVERIFY(w.Text2->isVisibleTo(&w));
    }

    void menuDelJuego()
    {
        Sesion s(QString{});
        for (int k = 1; k <= 4; ++k)
            s.E.Jugadores[k].Nombre = QStringLiteral("Remoto %1").arg(k);
        // Kept where brintal keeps its options, under the program's name.
        QSettings preferencias(QStringLiteral("Quimbolo"), QStringLiteral("Quimbolo"));
        preferencias.remove(QStringLiteral("juego/computadoraRapida"));
        frmDomino w(s);
        bool cerrada = false;
        w.AlCerrar = [&] { cerrada = true; };
        QMenu* juego = w.menuBar()->findChildren<QMenu*>().value(0);
        QVERIFY(juego);
        QCOMPARE(juego->title(), QStringLiteral("&Juego"));

        // The computer's pauses shrink, and back.
        w.MRapida->trigger();
        QCOMPARE(s.A.Rapidez, frmDomino::kEscalaRapida);
        preferencias.sync();
        QVERIFY(preferencias.value(QStringLiteral("juego/computadoraRapida")).toBool());
        QVERIFY(preferencias.fileName().endsWith(QStringLiteral("/Quimbolo/Quimbolo.conf")));
        w.MRapida->trigger();
        QCOMPARE(s.A.Rapidez, 1.0);

        // A new partida only once this one has ended.
        emit juego->aboutToShow();
        QVERIFY(!w.MNueva->isEnabled());
        s.E.FinPartida = true;
        s.E.NumMano = 7;
        s.E.Opciones.AoC = 'A';  // no shuffle to wait through
        emit juego->aboutToShow();
        QVERIFY(w.MNueva->isEnabled());
        w.MNueva->trigger();
        // It starts from the event loop at hand 1 with the same seats, and
        // waits for the other machines' tiles; leaving ends that wait.
        QTimer::singleShot(0, &w, [&] { w.MSalir->trigger(); });
        QCoreApplication::processEvents();
        QTRY_VERIFY(cerrada);
        QVERIFY(!s.E.FinPartida);
        QCOMPARE(s.E.NumMano, 0);
        QVERIFY(w.windowTitle().contains(QStringLiteral("Esperando el reparto de Remoto 1")));
    }
};

QTEST_MAIN(PruebaVentanaEstado)
#include "PruebaVentanaEstado.moc"
