// A whole partida among four computer seats of this machine, in the test
// host: hand after hand to the points target, each hand's record kept, and
// the same seeds giving the same partida.

#include <QTemporaryDir>
#include <QtTest>

#include "records/Marcador.h"
#include "rules/Formato.h"
#include "flujo/Juego.h"
#include "tests/support/AnfitrionPrueba.h"

namespace {

struct Partida {
    QStringList Registros;  // JGO/Anterior.Jgo after each hand
    QString Marcador;       // the last scoreboard shown
    Estado Final;
    int Profundidad = 0;
    bool Agotado = false;
    int Aplausos = 0;
    QStringList Fines;
};

Partida Jugar(const QString& carpeta)
{
    Estado e;
    AnfitrionPrueba h;
    Juego j(e, h);
    e.CarpetaApp = carpeta + '/';
    e.Opciones.AoC = 'C';
    e.Opciones.Nivel = 'P';
    e.Opciones.Puntos = 100;
    e.Opciones.Salida = QStringLiteral("PG");
    e.ParamNivel = ParamNivelDe('P');
    const char* nombres[] = {"", "Compu 1", "Compu 2", "Compu 3", "Compu 4"};
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].HoC = Quien::Computadora;
        e.Jugadores[s].LoR = Donde::Local;
        e.Jugadores[s].Nombre = QString::fromLatin1(nombres[s]);
        e.Jugadores[s].Semilla = 40000 + 17 * s;
    }
    Partida p;
    h.AlInputBox = [&](const QString&) {
        QFile f(carpeta + QStringLiteral("/JGO/Anterior.Jgo"));
        if (f.open(QIODevice::ReadOnly))
            p.Registros << QString::fromUtf8(f.readAll());
    };
    j.IniciarPartida();
    h.CorrerPendientes();
    for (const Mensaje& m : h.Mensajes)
        if (m.Mensaje.startsWith(QStringLiteral("Marcador\n\n")))
            p.Marcador = m.Mensaje;
    p.Final = e;
    p.Profundidad = j.ProfundidadMaxima();
    p.Agotado = h.Agotado;
    p.Aplausos = static_cast<int>(h.Sonidos.count(QStringLiteral("MMEDIA/Aplauso.wav")));
    p.Fines = h.Enviados.filter(QStringLiteral("FIN"));
    return p;
}

}  // namespace

class PruebaPartida : public QObject {
    Q_OBJECT

private slots:
    void partidaEntreComputadorasHastaLosPuntos();
};

void PruebaPartida::partidaEntreComputadorasHastaLosPuntos()
{
    QTemporaryDir uno, dos;
    const Partida p = Jugar(uno.path());
    QVERIFY(!p.Agotado);
    QVERIFY(p.Final.FinPartida);
    QCOMPARE(p.Profundidad, 1);  // each hand started from the event loop, none nested
    const int manos = p.Final.NumMano;
    QVERIFY(manos >= 2);
    QCOMPARE(p.Registros.size(), manos);
    QCOMPARE(p.Fines.size(), 4 * manos);
    QCOMPARE(p.Aplausos, 1);

    // The target is reached by the last hand, not before.
    int t13 = 0, t24 = 0;
    for (int m = 1; m < manos; ++m) {
        t13 += p.Final.PuntosPar13[m];
        t24 += p.Final.PuntosPar24[m];
        QVERIFY(t13 < 100 && t24 < 100);
    }
    t13 += p.Final.PuntosPar13[manos];
    t24 += p.Final.PuntosPar24[manos];
    QVERIFY(t13 >= 100 || t24 >= 100);
    QVERIFY(p.Marcador.startsWith(QStringLiteral("Marcador\n\n") + Centrar(QStringLiteral("Compu 1"), 20) + ' '
                                   + Centrar(QStringLiteral("Compu 2"), 20) + '\n'));
    QVERIFY(p.Marcador.endsWith(QStringLiteral("\n\n") + Centrar(QStringLiteral("Fin de la Partida"), 41)));
    QVERIFY(p.Marcador.contains(QStringLiteral("%1\n\nMéritos:\n").arg(AlinearDerecha(QString::number(t24), 3))));
    QCOMPARE(QStringLiteral("Marcador\n\n") + TextoMarcador(p.Final), p.Marcador);

    // Every record is a whole hand: four names, four deals, its plays.
    for (const QString& r : p.Registros) {
        const QStringList lineas = r.split(QStringLiteral("\r\n"));
        QCOMPARE(lineas.value(0), QStringLiteral("\"Compu 1\""));
        QCOMPARE(lineas.size(), 9 + lineas.value(8).trimmed().toInt() + 1);
    }

    // The same seeds: the same deals, the same plays, the same scoreboard.
    const Partida q = Jugar(dos.path());
    QCOMPARE(q.Registros, p.Registros);
    QCOMPARE(q.Marcador, p.Marcador);

}

QTEST_GUILESS_MAIN(PruebaPartida)
#include "PruebaPartida.moc"
