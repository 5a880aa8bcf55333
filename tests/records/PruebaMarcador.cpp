// The merits table of a hand and the scoreboard, character for character,
// and the end of the partida exactly at the points target.

#include <QtTest>

#include "flujo/Resultados.h"
#include "records/Marcador.h"
#include "rules/Formato.h"
#include "tests/support/AnfitrionPrueba.h"

namespace {

void Tiro(Estado& e, int n, int silla, int ficha, const char* punta, int izq, int der, const char* merito)
{
    e.HistJugador[n] = silla;
    e.HistFicha[n] = ficha;
    e.HistPunta[n] = LeerExtremo(QString::fromLatin1(punta)).value_or(Extremo::Ninguno);
    e.HistValorIzq[n] = izq;
    e.HistValorDer[n] = der;
    e.MeritoTurno[n] = QString::fromLatin1(merito);
}

}  // namespace

class PruebaMarcador : public QObject {
    Q_OBJECT

private slots:
    void tablaDeMeritos();
    void meritosLeidos_data();
    void meritosLeidos();
    void marcadorYFinDePartida();
};

void PruebaMarcador::tablaDeMeritos()
{
    Estado e;
    e.Jugadores[1].Nombre = QStringLiteral("Ana");
    e.Jugadores[2].Nombre = QStringLiteral("Bartolomeo Largo");
    e.Jugadores[3].Nombre = QStringLiteral("Carla");
    e.Jugadores[4].Nombre = QStringLiteral("Dani 🂓🂓🂓🂓🂓🂓");  // cut by characters, never inside one
    e.Salidor = 3;
    e.NumTiro = 3;
    Tiro(e, 1, 3, 12, "DER", 3, 5, "-0.50");
    Tiro(e, 2, 1, 7, "DER", 3, 6, "");       // seat 4 passed before it
    Tiro(e, 3, 2, 9, "IZQ", 6, 6, " 1.00");
    Tiro(e, 4, 3, 3, "IZQ", 3, 6, " 2.00");  // left over from an undo: not part of the hand
    e.Jugadores[2].Meritos = 0.25f;
    const QString t = TablaMeritos(e);
    const QString esperado = QStringLiteral("Ana______   Bartolome   Carla____   Dani 🂓🂓🂓🂓\n")
                             + ' ' + QString(24, ' ') + QStringLiteral("3-5 -0.50   P           \n")
                             + QStringLiteral("5-6         3-6  1.00   \n")
                             + QStringLiteral("\nMéritos:\n")
                             + QStringLiteral("      0.00        1.00       -0.50        0.00");
    QCOMPARE(t, esperado);
    QCOMPARE(e.Jugadores[2].Meritos, 1.25f);
    QCOMPARE(e.Jugadores[3].Meritos, -0.5f);
}

void PruebaMarcador::meritosLeidos_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<qint64>("centesimas");
    QTest::newRow("positivo") << " 13.00" << qint64(1300);
    QTest::newRow("negativo") << "-0.33" << qint64(-33);
    QTest::newRow("con signo") << "+0.50" << qint64(50);
    QTest::newRow("el mayor") << "999999999.99" << qint64(99999999999);
    QTest::newRow("demasiados dígitos") << "9999999999.00" << qint64(0);
    QTest::newRow("exponente") << "1e300" << qint64(0);
    QTest::newRow("infinito") << "inf" << qint64(0);
    QTest::newRow("no es número") << "nan" << qint64(0);
    QTest::newRow("un decimal") << "0.5" << qint64(0);
    QTest::newRow("otros dígitos") << QString::fromUtf8("١.٠٠") << qint64(0);
    QTest::newRow("vacío") << "   " << qint64(0);
}

void PruebaMarcador::meritosLeidos()
{
    // Whatever a merit says, the hand's sums stay exact and in range.
    QFETCH(QString, texto);
    QFETCH(qint64, centesimas);
    QCOMPARE(qint64(CentesimasDe(texto)), centesimas);
    Estado e;
    e.Salidor = 1;
    e.NumTiro = 2;
    Tiro(e, 1, 1, 0, "DER", 6, 6, texto.toUtf8().constData());
    Tiro(e, 2, 2, 7, "DER", 6, 5, texto.toUtf8().constData());
    const QString t = TablaMeritos(e);
    QVERIFY(t.endsWith(QStringLiteral("Méritos:\n") + QString(5, ' ') + FormatoCentesimas(centesimas) + QString(7, ' ') +
                       FormatoCentesimas(centesimas) + QString(7, ' ') + FormatoCentesimas(0) + QString(7, ' ') +
                       FormatoCentesimas(0)));
}

void PruebaMarcador::marcadorYFinDePartida()
{
    Estado e;
    for (int s = 1; s <= 4; ++s)
        e.Jugadores[s].Nombre = QStringLiteral("Jugador %1").arg(s);
    e.Jugadores[3].Meritos = -0.5f;
    e.Opciones.Puntos = 100;
    e.PuntosPar13 = {0, 40, 21};
    e.PuntosPar24 = {0, 35, 0};
    e.NumMano = 2;
    bool fin = true;
    const QString t = TextoMarcador(e, &fin);
    QVERIFY(!fin);
    const QString b6(6, ' '), b8(8, ' ');
    const QString esperado = QString(5, ' ') + QStringLiteral("Jugador 1") + QString(12, ' ') + QStringLiteral("Jugador 2")
                             + b6 + '\n' + QString(5, ' ') + QStringLiteral("Jugador 3") + QString(12, ' ')
                             + QStringLiteral("Jugador 4") + b6 + QStringLiteral("\n\n")
                             + QStringLiteral(" + 40") + b6 + QStringLiteral(" 40") + b8 + QStringLiteral(" + 35") + b6
                             + QStringLiteral(" 35\n")
                             + QStringLiteral(" + 21") + b6 + QStringLiteral(" 61") + b8 + QStringLiteral(" +  0") + b6
                             + QStringLiteral(" 35\n")
                             + QStringLiteral("\nMéritos:\n")
                             + QStringLiteral("Jugador   Jugador   Jugador   Jugador \n")
                             + QStringLiteral("    0.00      0.00     -0.50      0.00");
    QCOMPARE(t, esperado);

    // 98 and 60 go on; a hand that brings J1-J3 to exactly 100 ends the partida.
    e.PuntosPar13 = {0, 40, 58};
    e.PuntosPar24 = {0, 60, 0};
    TextoMarcador(e, &fin);
    QVERIFY(!fin);
    e.PuntosPar13 = {0, 40, 58, 2};
    e.PuntosPar24 = {0, 60, 0, 0};
    e.NumMano = 3;
    AnfitrionPrueba h;
    MostrarMarcador(e, h);
    QVERIFY(e.FinPartida);
    QCOMPARE(h.Sonidos, QStringList{QStringLiteral("MMEDIA/Aplauso.wav")});
    QCOMPARE(h.Mensajes.size(), size_t(1));
    const Mensaje& m = h.Mensajes[0];
    QVERIFY(m.Mensaje.startsWith(QStringLiteral("Marcador\n\n")));
    QVERIFY(m.Mensaje.endsWith(QStringLiteral("\n\n            Fin de la Partida            ")));
    QCOMPARE(m.LabelFont, QStringLiteral("Courier New"));
    QCOMPARE(m.Icono, 64);
    QCOMPARE(m.Duracion, 15.0);
    MostrarMarcador(e, h);  // from the menu afterwards: the applause again
    QCOMPARE(h.Sonidos.size(), 2);

    // A total of 1000 or more keeps its last three digits; nothing before the first hand.
    e.PuntosPar13 = {0, 1005};
    e.PuntosPar24 = {0, 0};
    QVERIFY(TextoMarcador(e).contains(QStringLiteral(" +005      005")));
    e.NumMano = 0;
    MostrarMarcador(e, h);
    QCOMPARE(h.Mensajes.size(), size_t(2));
}

QTEST_GUILESS_MAIN(PruebaMarcador)
#include "PruebaMarcador.moc"
