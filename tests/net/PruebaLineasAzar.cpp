// Seeded random lines: valid lines of every kind, bent at random (characters
// changed, cut short, control bytes and broken UTF-8 slipped in) and cut into
// random blocks. Whatever arrives, nothing outside its range is ever stored
// and the hand flow is never asked to play something that is not a tile.

#include <QRandomGenerator>
#include <QtTest>

#include "tests/net/Invariantes.h"

class PruebaLineasAzar : public QObject {
    Q_OBJECT

private slots:
    void lineasAlAzar()
    {
        static const QStringList modelos{
            "Silla3", "Nombre2 Ana", "HoC  4 C", "Local 1", "Inicio", "Mesa Puntos =150", "Mesa AcuPtos=1",
            "Mesa Nivel  =U", "Mesa Salida =JD", "Mesa Cierre =GN", "Mesa Tiempo1=12", "Mesa AoC    =A",
            "Fichas3 00010203040506", "Fichas1 27262524232299", "Tiro 07 2 13 IZQ  0.50", "Tiro 01 3 -1 NUL",
            "Tiro 25 4 27 DER -0.33", "Atras 2", "FIN  3", "Repet", "Memo 0230013DER02IZQ", "Chat Ana: ¡hola!"};
        QRandomGenerator azar(20261206);
        for (int ronda = 0; ronda < 300; ++ronda) {
            Estado e;
            e.FaseMano = Fase::Tirando;
            Despachador d(e);
            JuegoVigilante juego;
            d.Juego = &juego;
            QByteArray flujo;
            for (int n = 0; n < 40; ++n) {
                QByteArray l = modelos[azar.bounded(int(modelos.size()))].toUtf8();
                const int cambios = azar.bounded(4);
                for (int c = 0; c < cambios && !l.isEmpty(); ++c) {
                    const int pos = azar.bounded(int(l.size()));
                    switch (azar.bounded(5)) {
                    case 0: l[pos] = char(azar.bounded(256)); break;
                    case 1: l.truncate(pos); break;
                    case 2: l.insert(pos, char(azar.bounded(32))); break;
                    case 3: l[pos] = char('0' + azar.bounded(10)); break;
                    default: l.insert(pos, "\xc3"); break;
                    }
                }
                flujo += l + (azar.bounded(2) ? "\r\n" : "\n");
                // Keep the turn moving so that received plays get played.
                e.Turno = 1 + azar.bounded(4);
                e.NumTiro = azar.bounded(26);
            }
            while (!flujo.isEmpty()) {
                const int corte = 1 + azar.bounded(int(qMin<qsizetype>(flujo.size(), 64)));
                d.Llegada(flujo.left(corte));
                flujo.remove(0, corte);
                QCoreApplication::processEvents();
                const QString falta = FaltaInvariante(e);
                QVERIFY2(falta.isEmpty(), qPrintable(falta));
            }
            QCOMPARE(juego.malas, 0);
        }
    }
};

QTEST_GUILESS_MAIN(PruebaLineasAzar)
#include "PruebaLineasAzar.moc"
