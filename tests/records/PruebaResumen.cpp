// The plain sentences beside the exact texts: who won the hand, as scored by
// the real scoring, and the status line of a hand in progress.

#include <QtTest>

#include "records/Resumen.h"
#include "flujo/Juego.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Mesas.h"

class PruebaResumen : public QObject {
    Q_OBJECT

private slots:
    void ganadoresDeLaManoCerrada_data()
    {
        QTest::addColumn<QString>("cierre");
        QTest::addColumn<QString>("sillas1");
        QTest::addColumn<QString>("esperado");
        // Seat 2 closes; seats 1+3 hold 12 pips, seats 2+4 hold 12 too: a tie.
        QTest::newRow("anulada") << "AN" << "LH" << "Empate: nadie gana la mano";
        QTest::newRow("gana quien no cierra") << "GN" << "LH" << "Ganan Ana y Carla";
        QTest::newRow("gana quien cierra") << "GC" << "LH" << "Ganan Beto y Dani";
        // The person of this machine sits at seat 3: named first in their pair.
        QTest::newRow("mi pareja primero") << "GN" << "LC" << "Ganan Carla y Ana";
    }
    void ganadoresDeLaManoCerrada()
    {
        QFETCH(QString, cierre);
        QFETCH(QString, sillas1);
        QFETCH(QString, esperado);
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        VaciarMesa(e);
        Sillas(e, qPrintable(sillas1), "LC", sillas1 == "LH" ? "LC" : "LH", "LC");
        Dar(e, 1, {23});  // 1-3
        Dar(e, 3, {11});  // 2-6
        Dar(e, 2, {15});  // 3-4
        Dar(e, 4, {20});  // 1-4
        EnJuego(e, 2, 20, 0, 0);
        e.Salidor = 1;
        e.Opciones.Cierre = cierre;
        j.PuntuarCierre();
        QCOMPARE(TextoGanadores(e), esperado);
    }

    void ganadoresDelDomino()
    {
        Estado e;
        AnfitrionPrueba h;
        Juego j(e, h);
        VaciarMesa(e);
        Sillas(e, "RH", "LH", "RC", "LC");
        Dar(e, 1, {6});  // only 0-0 left: the losers still score
        Dar(e, 3, {27});
        EnJuego(e, 4, 20, 0, 0);
        j.PuntuarDomino();
        QCOMPARE(TextoGanadores(e), QStringLiteral("Ganan Beto y Dani"));
    }

    void lineaDeEstadoEnJuego()
    {
        Estado e;
        VaciarMesa(e);
        Sillas(e, "LH", "LC", "LC", "LC");
        Dar(e, 1, {0});      // 6-6
        Dar(e, 2, {6});      // 0-0
        Dar(e, 3, {5});      // 1-1: cannot play on 3 and 4
        Dar(e, 4, {16});     // 0-6
        EnJuego(e, 4, 3, 3, 4);
        e.Opciones.Puntos = 100;
        e.PuntosPar13 = {0, 30};
        e.PuntosPar24 = {0, 12};
        // Play 3 was Beto's 3-4 on the right; Carla could not follow.
        e.HistJugador[3] = 2;
        e.HistFicha[3] = 15;
        e.HistPunta[3] = Extremo::Der;
        e.HistValorIzq[3] = 3;
        e.HistValorDer[3] = 4;
        LineaEstado l = LineaDeEstado(e, QStringLiteral("Turno Local de Dani"));
        QCOMPARE(l.Ultima, QStringLiteral("Beto jugó 3-4 por la derecha"));
        QCOMPARE(l.Pases, QStringLiteral("Carla pasa, Dani pasa"));
        QCOMPARE(l.Marcador, QStringLiteral("Ana y Carla: 30  ·  Beto y Dani: 12  ·  partida a 100"));
        // Dani holds 0-6 and cannot play on 3 and 4 either: the line says so
        // instead of naming a turn that is only a pass.
        QCOMPARE(l.Actividad, QString());
        QVERIFY(l.Texto().startsWith(QStringLiteral("Carla pasa, Dani pasa  ·  ")));
        // With a tile that fits, Dani's turn is named.
        e.ValorDer = 6;
        l = LineaDeEstado(e, QStringLiteral("Turno Local de Dani"));
        QCOMPARE(l.Texto(), QStringLiteral("Turno de Dani  ·  Carla pasa  ·  Beto jugó 3-4 por la derecha"));
        // The lead has its own words; the pick and the waits keep the title's.
        e.NumTiro = 1;
        e.HistJugador[1] = 1;
        e.HistFicha[1] = 0;
        e.HistPunta[1] = Extremo::Der;
        e.HistValorIzq[1] = 6;
        e.HistValorDer[1] = 6;
        e.Turno = 2;
        QCOMPARE(LineaDeEstado(e, {}).Ultima, QStringLiteral("Ana salió con 6-6"));
        e.FaseMano = Fase::Repartiendo;
        e.NumTiro = 0;
        QCOMPARE(LineaDeEstado(e, QStringLiteral("Reparto Local de Ana")).Texto(), QStringLiteral("Reparto Local de Ana"));
        e.FinPartida = true;
        QCOMPARE(LineaDeEstado(e, {}).Actividad, QStringLiteral("Fin de la partida"));
    }
};

QTEST_GUILESS_MAIN(PruebaResumen)
#include "PruebaResumen.moc"
