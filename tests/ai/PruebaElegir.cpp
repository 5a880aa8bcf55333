// The computer player's choice: the lead rules, the end preferences, the
// fallbacks, and when it asks before analysing.

#include <QTemporaryDir>
#include <QtTest>

#include "ai/Elegir.h"
#include "rules/Jugadas.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Posiciones.h"

class PruebaElegir : public QObject {
    Q_OBJECT

private slots:
    void salidaPorReglas_data()
    {
        QTest::addColumn<QString>("mano");
        QTest::addColumn<QString>("siguiente");
        QTest::addColumn<QString>("ficha");
        QTest::addColumn<QString>("lado");
        const QString dobles = "5-5 2-2 0-1 3-4 0-6 1-3 2-6";
        QTest::newRow("doble que falta al siguiente") << dobles << "0-0 1-1 0-2 0-3 1-4 2-3 4-6" << "5-5" << "";
        QTest::newRow("doble menor si el mayor le sirve") << dobles << "0-5 1-1 0-3 1-4 3-6 4-6 3-3" << "2-2" << "";
        QTest::newRow("el doble mayor si todo le sirve") << dobles << "2-5 1-1 0-3 1-4 3-6 4-6 3-3" << "5-5" << "";
        const QString sinDobles = "0-1 3-4 0-6 1-3 2-6 4-5 2-3";
        QTest::newRow("sin dobles, ambos números faltan") << sinDobles << "0-0 1-1 0-2 2-2 1-5 5-5 6-6" << "3-4" << "";
        // Every tile shares a number with the next seat: the fallbacks compare
        // with the ends 0 and 0 and name the left end.
        QTest::newRow("sin dobles, respaldo") << sinDobles << "0-0 1-1 2-2 3-3 4-4 5-5 6-6" << "0-1" << "IZQ";
    }
    void salidaPorReglas()
    {
        QFETCH(QString, mano);
        QFETCH(QString, siguiente);
        QFETCH(QString, ficha);
        QFETCH(QString, lado);
        const QByteArray m = mano.toLatin1(), s = siguiente.toLatin1();
        Estado e = Posicion({m.constData(), s.constData(), "", ""}, 1, 0, 0, 0, 1);
        AnfitrionPrueba a;
        const Eleccion r = ElegirJugada(e, a, ContarOpciones(e, 1));
        QCOMPARE(r.Ficha, F(ficha.toLatin1().constData()));
        QCOMPARE(TextoExtremo(r.Lado), lado);
        QVERIFY(!r.HuboTree && a.Preguntas.isEmpty());
        QVERIFY(r.Msg.startsWith("Repeticiones:\n"));
    }

    void estadisticasDeLaMano()
    {
        Estado e = Posicion({"5-5 2-2 0-1 3-4 0-6 1-3 2-6", "0-0", "", ""}, 1, 0, 0, 0, 1);
        AnfitrionPrueba a;
        QCOMPARE(ElegirJugada(e, a, 12).Msg,
                 QStringLiteral("Repeticiones:\n     0's: 2 veces\n     1's: 2 veces\n     2's: 2 veces con doble\n"
                                "     3's: 2 veces\n     6's: 2 veces\n\nDobles:\n     2's\n     5's\n\nFallas:\n\n"
                                "SemiFallas:\n     4's\n     5's\n"));
    }

    void jugadaPorReglas_data()
    {
        QTest::addColumn<QString>("mano");
        QTest::addColumn<QString>("siguiente");
        QTest::addColumn<int>("turno");
        QTest::addColumn<int>("izq");
        QTest::addColumn<int>("der");
        QTest::addColumn<QString>("salida");
        QTest::addColumn<QString>("ficha");
        QTest::addColumn<QString>("lado");
        // The next seat can use the right end: play left, leaving a number it lacks.
        QTest::newRow("izquierda primero") << "3-6 1-5 2-3" << "5-6 6-6" << 2 << 3 << 5 << "0-0" << "2-3" << "IZQ";
        QTest::newRow("derecha si solo le sirve la izquierda")
            << "3-6 1-5 2-3" << "3-3 6-6" << 2 << 3 << 5 << "0-0" << "1-5" << "DER";
        // The next seat can use neither end: fallbacks.
        QTest::newRow("doble a un extremo") << "1-3 3-3" << "0-0 6-6" << 2 << 4 << 3 << "1-1" << "3-3" << "DER";
        QTest::newRow("cubrir el doble del contrario") << "1-3 4-5 0-2" << "0-0 6-6" << 2 << 5 << 3 << "5-5" << "4-5" << "IZQ";
        QTest::newRow("respetar la salida del compañero") << "5-6 2-4" << "0-0 6-6" << 3 << 2 << 5 << "5-5" << "2-4" << "IZQ";
        QTest::newRow("una sola opción") << "1-6 2-4" << "1-1 5-5" << 2 << 3 << 6 << "4-4" << "1-6" << "DER";
    }
    void jugadaPorReglas()
    {
        QFETCH(QString, mano);
        QFETCH(QString, siguiente);
        QFETCH(int, turno);
        QFETCH(int, izq);
        QFETCH(int, der);
        QFETCH(QString, salida);
        QFETCH(QString, ficha);
        QFETCH(QString, lado);
        std::array<QByteArray, 4> manos;
        manos[turno - 1] = mano.toLatin1();
        manos[turno % 4] = siguiente.toLatin1();
        manos[(turno + 1) % 4] = salida.toLatin1();  // the leader's double, kept aside
        Estado e = Posicion({manos[0].constData(), manos[1].constData(), manos[2].constData(), manos[3].constData()},
                            turno, izq, der, 9, 1);
        const int lider = F(salida.toLatin1().constData());
        e.Fichas[lider].Lugar = 'J';
        e.HistFicha[1] = lider;
        e.Pronosticos[10] = QStringLiteral("1:07D ");
        AnfitrionPrueba a;
        const Eleccion r = ElegirJugada(e, a, ContarOpciones(e, turno));
        QCOMPARE(r.Ficha, F(ficha.toLatin1().constData()));
        QCOMPARE(TextoExtremo(r.Lado), lado);
        QCOMPARE(r.Msg, QString());
        QCOMPARE(e.Pronosticos[10], QString());
    }

    void preguntaSegunNivel_data()
    {
        QTest::addColumn<char>("nivel");
        QTest::addColumn<int>("tiros");
        QTest::addColumn<QString>("aviso");
        QTest::newRow("U salida") << 'U' << 0 << "los cientos de millones de posibilidaes podría tardar hasta 60 minutos.";
        QTest::newRow("U 1") << 'U' << 1 << "las decenas de millones de posibilidaes podría tardar hasta 20 minutos.";
        QTest::newRow("A 1") << 'A' << 1 << "";
        QTest::newRow("A 2") << 'A' << 2 << "los millones de posibilidades podría tardar hasta 10 minutos.";
        QTest::newRow("A 3") << 'A' << 3 << "los cientos de miles de posibilidades podría tardar hasta 3 minutos.";
        QTest::newRow("I 3") << 'I' << 3 << "";
        QTest::newRow("P 3") << 'P' << 3 << "";
    }
    void preguntaSegunNivel()
    {
        QFETCH(char, nivel);
        QFETCH(int, tiros);
        QFETCH(QString, aviso);
        std::array<int, 28> reparto{};
        for (int t = 0; t < 28; ++t)
            reparto[t] = t;
        const std::vector<std::pair<int, char>> tiros3 = {{F("6-6"), 'D'}, {F("5-6"), 'D'}, {F("2-5"), 'D'}};
        Estado e;
        QVERIFY(Jugar(e, reparto, 1, {tiros3.begin(), tiros3.begin() + tiros}));
        e.ParamNivel = ParamNivelDe(nivel);
        AnfitrionPrueba a;  // answers No
        const Eleccion r = ElegirJugada(e, a, ContarOpciones(e, e.Turno));
        if (aviso.isEmpty()) {
            QVERIFY(a.Preguntas.isEmpty());
        } else {
            QCOMPARE(a.Preguntas.size(), 1);
            QCOMPARE(a.Preguntas[0], QStringLiteral("Hola Compu %1:\n\nEl análisis de %2\n\n¿Deseas analizar esta posición?")
                                         .arg(e.Turno)
                                         .arg(aviso));
        }
        QVERIFY(!r.HuboTree && !r.Analizo);
        QCOMPARE(r.Segundos, 0.0);
    }

    void analisisAceptadoOSinPregunta()
    {
        QTemporaryDir carpeta;
        for (const int tiros : {3, 4}) {
            Estado e = Posicion({"5-6 0-0", "4-5 1-1", "0-4 2-4", "3-3"}, 1, 5, 6, tiros, 1);
            e.CarpetaApp = carpeta.path();
            e.ParamNivel = ParamNivelDe('P');
            AnfitrionPrueba a;
            a.Respuesta = true;
            const Eleccion r = ElegirJugada(e, a, 2);
            QCOMPARE(a.Preguntas.size(), tiros < 4 ? 1 : 0);
            QVERIFY(r.HuboTree && r.Analizo);
            QCOMPARE(r.Ficha, F("5-6"));
            QCOMPARE(r.Lado, Extremo::Izq);
            QVERIFY(r.Msg.startsWith("Ganador Seguro\n"));
            QVERIFY(r.Msg.endsWith("\n\n\n0.0 secs."));
            QCOMPARE(e.Pronosticos[tiros + 1], QStringLiteral("1:07D 1:07I "));
        }
        // Without a valid level the analysis never runs.
        Estado e = Posicion({"5-6 0-0", "4-5 1-1", "0-4 2-4", "3-3"}, 1, 5, 6, 12, 1);
        AnfitrionPrueba a;
        QVERIFY(!ElegirJugada(e, a, 2).Analizo);
    }
};

QTEST_GUILESS_MAIN(PruebaElegir)
#include "PruebaElegir.moc"
