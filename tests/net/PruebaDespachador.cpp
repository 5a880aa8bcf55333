// The receive buffer, its runs and the handlers of every line, driven with a
// stand-in for the hand flow so that waits inside handlers can be staged.

#include <QCoreApplication>
#include <QTimer>
#include <QtTest>

#include "net/Despachador.h"
#include "protocolo/Opciones.h"
#include "tests/net/EstadoTexto.h"

namespace {

// Records what the lines ask of the hand flow. A play that ends the hand
// waits, as the real end-of-hand step does, until every seat has sent "FIN".
struct JuegoFalso : JuegoRemoto {
    Estado& E;
    QStringList llamadas;
    bool terminaMano = false;
    explicit JuegoFalso(Estado& e) : E(e) {}
    void TiroRecibido(int ficha, Extremo punta) override
    {
        llamadas << QStringLiteral("tiro %1 %2").arg(ficha).arg(TextoExtremo(punta));
        E.NumTiro += 1;
        E.Fichas[ficha].Lugar = 'J';
        if (!terminaMano)
            return;
        E.ManoTerminada = true;
        llamadas << QStringLiteral("terminar");
        for (int s = 1; s <= 4; ++s)
            QTRY_COMPARE_WITH_TIMEOUT(E.Sillas[s].MarcaFin, QStringLiteral("FIN"), 5000);
        llamadas << QStringLiteral("fin de mano");
    }
    void AtrasRecibido(int silla) override { llamadas << QStringLiteral("atras %1").arg(silla); }
    void ManoRecibida(int silla) override { llamadas << QStringLiteral("mano %1").arg(silla); }
    void SillaDejada(int silla) override { llamadas << QStringLiteral("dejada %1").arg(silla); }
    void SillaRecuperada(int silla) override { llamadas << QStringLiteral("recuperada %1").arg(silla); }
};

struct OyenteFalso : OyenteMesa {
    QStringList eventos;
    void NombreRecibido(int s) override { eventos << QStringLiteral("nombre %1").arg(s); }
    void SillaConcedida(int s) override { eventos << QStringLiteral("local %1").arg(s); }
    void InicioRecibido() override { eventos << QStringLiteral("inici"); }
    void ChatRecibido(const QString& t) override { eventos << QStringLiteral("chat ") + t; }
};

}  // namespace

class PruebaDespachador : public QObject {
    Q_OBJECT

    Estado E;
    JuegoFalso* juego = nullptr;
    OyenteFalso* oyente = nullptr;
    Despachador* D = nullptr;

    void Recibir(const QByteArray& bloque)
    {
        D->Llegada(bloque);
        QCoreApplication::processEvents();
    }

private slots:
    void init()
    {
        E = Estado();
        juego = new JuegoFalso(E);
        oyente = new OyenteFalso;
        D = new Despachador(E);
        D->Juego = juego;
        D->Oyente = oyente;
    }
    void cleanup()
    {
        delete D;
        delete oyente;
        delete juego;
    }

    void framing()
    {
        // Two lines in one block: the seat request changes nothing.
        Recibir("Silla3\r\nNombre3 Ana\r\n");
        QCOMPARE(E.Jugadores[3].Nombre, QStringLiteral("Ana"));
        QCOMPARE(oyente->eventos, QStringList{"nombre 3"});
        QCOMPARE(D->Registro.size(), 2);
        QVERIFY(D->Registro[1].endsWith(" Nombre3 Ana"));

        // A line split across blocks waits for its LF.
        Recibir("Nombre2 Lu");
        QCOMPARE(E.Jugadores[2].Nombre, QString());
        QCOMPARE(D->Buffer(), QByteArray("Nombre2 Lu"));
        Recibir("is\r\n");
        QCOMPARE(E.Jugadores[2].Nombre, QStringLiteral("Luis"));
        QVERIFY(D->Buffer().isEmpty());

        // Empty lines are not logged; control characters never reach a handler.
        const int antes = D->Registro.size();
        Recibir("\r\n\r\n\n");
        QCOMPARE(D->Registro.size(), antes);
        Recibir("Chat Ana: a\rb\tc\r\n");
        QCOMPARE(oyente->eventos.last(), QStringLiteral("chat Ana: abc"));

        // UTF-8 whose bytes are split between blocks.
        const QByteArray texto = QStringLiteral("Chat Begoña: ¡ñandú!\r\n").toUtf8();
        const int corte = texto.indexOf("\xc3") + 1;
        Recibir(texto.left(corte));
        Recibir(texto.mid(corte));
        QCOMPARE(oyente->eventos.last(), QStringLiteral("chat Begoña: ¡ñandú!"));

        // Endless bytes without LF are dropped, up to the end of that line.
        Recibir("Chat x: " + QByteArray(20000, 'a'));
        QVERIFY(D->Buffer().size() <= Despachador::kMaxLinea);
        Recibir(QByteArray(20000, 'b') + "\nChat y: " + QByteArray(9000, 'c') + "\nChat z: fin\n");
        QCOMPARE(oyente->eventos.last(), QStringLiteral("chat z: fin"));
        QCOMPARE(D->Ignoradas, 2);
    }

    void claves()
    {
        Recibir("FIN  2\r\nHoC  4 C\r\nLocal 3\r\nInicio\r\nRepet\r\n");
        QCOMPARE(E.Sillas[1].MarcaFin + E.Sillas[2].MarcaFin, QStringLiteral("   FIN"));
        QVERIFY(E.Jugadores[4].HoC == Quien::Computadora && E.Jugadores[3].LoR == Donde::Local && E.OrigenReparto == 'R');
        QCOMPARE(E.Modo, ModoJuego::Lectura);
        QCOMPARE(oyente->eventos, (QStringList{"local 3", "inici"}));
        // An unknown key is ignored without being counted as malformed.
        Recibir("Hola a todos\r\nTiroX\r\n");
        QCOMPARE(D->Ignoradas, 0);
    }

    void opciones()
    {
        Recibir("Mesa Puntos =150\r\nMesa Nivel  =U\r\nMesa Salida =JD\r\nMesa AcuPtos=1\r\n"
                "Mesa Cierre =AN\r\nMesa AoC    =A\r\nMesa Tiempo1=5\r\nMesa Tiempo2=32\r\nMesa Vista  =S\r\n");
        const OpcionesJuego& o = E.Opciones;
        QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9")
                     .arg(o.Puntos).arg(QChar(o.Nivel)).arg(o.Salida).arg(o.AcuPtos).arg(o.Cierre)
                     .arg(QChar(o.AoC)).arg(o.Tiempo1).arg(o.Tiempo2).arg(QChar(o.Vista)),
                 QStringLiteral("150 U JD 1 AN A 5 32 S"));
        const QString antes = EstadoTexto(E);
        Recibir("Mesa Colores=3\r\n");
        QCOMPARE(EstadoTexto(E), antes);
    }

    void opcionesDeLaTabla()
    {
        // A record no line has written holds the table's defaults; every code
        // of the table, read from its line, is the code the record gives back.
        const OpcionesJuego inicial;
        for (const protocolo::DefinicionOpcion& d : protocolo::Opciones()) {
            QCOMPARE(inicial.Codigo(d.Clave), d.PorOmision);
            const QStringList codigos =
                d.EsNumerica() ? QStringList{QString::number(d.Minimo), QString::number(d.Maximo)} : d.Codigos;
            for (const QString& c : codigos) {
                Recibir(protocolo::Enmarcar(protocolo::LineaOpcion(d.Clave, c)));
                QCOMPARE(E.Opciones.Codigo(d.Clave), c);
            }
        }
        QCOMPARE(D->Ignoradas, 0);
    }

    void manoRecibida()
    {
        // During the pick the flow rebuilds the hand from the stored digits.
        Recibir("Fichas3 01020304050699\r\n");
        QCOMPARE(E.Sillas[3].DigitosMano, QStringLiteral("01020304050699"));
        QCOMPARE(juego->llamadas, QStringList{"mano 3"});

        // The copy's own hand coming back after its lead is on the line is
        // only kept: rebuilding would take the played tile back.
        juego->llamadas.clear();
        E.FaseMano = Fase::Tirando;
        Recibir("Fichas3 01020304050607\r\n");
        QVERIFY(juego->llamadas.isEmpty());
        QCOMPARE(E.Sillas[3].DigitosMano, QStringLiteral("01020304050607"));
    }

    void tiroRecibido()
    {
        const QString linea = "Tiro 07 2 13 IZQ  0.50";
        E.FaseMano = Fase::Tirando;
        E.NumTiro = 6;
        E.Turno = 2;
        E.Jugadores[2].LoR = Donde::Local;
        // A seat played here: the play was already made, it is only stored.
        Recibir((linea + "\r\n").toUtf8());
        QVERIFY(juego->llamadas.isEmpty());
        QCOMPARE(E.TiroRecibido[7], 13);
        QCOMPARE(E.PuntaRecibida[7], Extremo::Izq);
        QCOMPARE(E.MeritoRecibido[7], QStringLiteral(" 0.50"));

        // Played elsewhere and to move: made at once at the left end.
        E.Jugadores[2].LoR = Donde::Remota;
        Recibir((linea + "\r\n").toUtf8());
        QCOMPARE(juego->llamadas, QStringList{"tiro 13 IZQ"});
        QCOMPARE(E.MeritoRecibido[7], QStringLiteral(" 0.50"));

        // A merit of ten or more is kept whole.
        juego->llamadas.clear();
        E.Turno = 3;
        E.Jugadores[3].LoR = Donde::Remota;
        Recibir("Tiro 08 3 05 DER  13.00\r\n");
        QCOMPARE(E.MeritoRecibido[8], QStringLiteral(" 13.00"));
        // A field of blanks is no merit.
        E.Turno = 4;
        E.Jugadores[4].LoR = Donde::Remota;
        Recibir("Tiro 09 4 06 DER   \r\n");
        QCOMPARE(juego->llamadas.size(), 2);
        QCOMPARE(E.MeritoRecibido[9], QString());

        // The declined lead is stored as play 1, never played.
        E.NumTiro = 0;
        E.FaseMano = Fase::Saliendo;
        Recibir("Tiro 01 3 -1 NUL\r\n");
        QCOMPARE(E.TiroRecibido[1], -1);
        QCOMPARE(E.PuntaRecibida[1], Extremo::Nula);
        Recibir("Atras 2\r\n");
        QCOMPARE(juego->llamadas, (QStringList{"tiro 5 DER", "tiro 6 DER", "atras 2"}));
    }

    void memoria()
    {
        // Nine plays travel with the count 09; entries after them are kept.
        E.HistFicha[10] = 22;
        Recibir("Memo 09300DER02IZQ05DER08IZQ10DER11IZQ12DER14IZQ16DER\r\n");
        QCOMPARE(E.Salidor, 3);
        QCOMPARE(E.HistFicha[9] * 100 + E.HistFicha[10], 1622);
        QCOMPARE(TextoExtremo(E.HistPunta[1]) + TextoExtremo(E.HistPunta[8]), QStringLiteral("DERIZQ"));
    }

    void anidado()
    {
        // A received play ends the hand; its handler waits for every "FIN".
        // Lines arriving meanwhile are handled by nested runs, in order, and
        // the outer run carries on with what is left after the wait.
        E.FaseMano = Fase::Tirando;
        E.NumTiro = 10;
        E.Turno = 4;
        E.Jugadores[4].LoR = Donde::Remota;
        juego->terminaMano = true;
        QTimer::singleShot(10, [this] { D->Llegada("FIN  1\r\nFIN  2\r\nChat Lu: "); });
        QTimer::singleShot(30, [this] { D->Llegada("uno\r\nFIN  3\r\n"); });
        QTimer::singleShot(50, [this] { D->Llegada("FIN  4\r\nChat Lu: tras el fin\r\n"); });
        D->Llegada("Tiro 11 4 05 DER\r\nChat Lu: cero\r\n");
        QTRY_COMPARE(juego->llamadas, (QStringList{"tiro 5 DER", "terminar", "fin de mano"}));
        QTRY_COMPARE(oyente->eventos, (QStringList{"chat Lu: cero", "chat Lu: uno", "chat Lu: tras el fin"}));
        QVERIFY(D->Buffer().isEmpty());
        QCOMPARE(E.MeritoTurno[11], QString());
    }

    void lineasMalformadas_data()
    {
        QTest::addColumn<QString>("linea");
        for (const char* l :
             {"Nombre0 Ana", "Nombre9 Ana", "Nombre2 ", "HoC  2 X", "HoC  5 C", "Local 0", "FIN  7", "FIN",
              "Fichas5 00010203040506", "Fichas1 000102", "Fichas1 00010203040528", "Fichas1 0001020304AB06",
              "Fichas1 -1010203040506", "Fichas1 00010203040501", "Tiro 00 2 13 IZQ", "Tiro 26 2 13 IZQ",
              "Tiro    2 13 IZQ", "Tiro 03 5 13 IZQ", "Tiro 03 2 28 IZQ", "Tiro 03 2 13 ARR", "Tiro 01 2 -1 IZQ",
              "Tiro 03 2 -1 NUL", "Tiro 01 2 -9 NUL", "Tiro 03", "Memo 2610013DER", "Memo 0310013DER02IZQ",
              "Memo 0150013DER", "Memo 0110030DER", "Memo 0110013XYZ", "Memo ", "Mesa AcuPtos=x", "Mesa AcuPtos=2",
              "Mesa Puntos =0", "Mesa Puntos =301", "Mesa Puntos =", "Mesa Puntos =99999999999999999999",
              "Mesa Tiempo1=33", "Mesa Tiempo2=-1", "Mesa Nivel  =X", "Mesa AoC    =", "Mesa Salida =XX",
              "Mesa Cierre =G", "Mesa Vista  =X", "Mesa Vista  =", "Tiro 03 2 13 IZQ 1e300", "Tiro 03 2 13 IZQ  inf", "Tiro 03 2 13 IZQ  nan",
              "Tiro 03 2 13 IZQ 9e16", "Tiro 03 2 13 IZQ  0.5", "Tiro 03 2 13 IZQ 0,50", "Tiro 03 2 13 IZQ - 0.50",
              "Tiro 03 2 13 IZQ  0.50x", "Tiro 03 2 13 IZQ 1234.00", "Tiro 03 2 13 IZQ  .50",
              "Tiro 03 2 13 IZQ 99999999999999999.00"})
            QTest::newRow(l) << QString::fromUtf8(l);
    }

    void lineasMalformadas()
    {
        QFETCH(QString, linea);
        E.FaseMano = Fase::Tirando;
        E.NumTiro = 2;
        E.Turno = 2;
        const QString antes = EstadoTexto(E);
        Recibir((linea + "\r\n").toUtf8());
        QCOMPARE(EstadoTexto(E), antes);
        QVERIFY(juego->llamadas.isEmpty());
        QVERIFY(oyente->eventos.isEmpty());
        QCOMPARE(D->Ignoradas, 1);
        QVERIFY(D->Registro.last().contains("ignorada"));
    }
};

QTEST_GUILESS_MAIN(PruebaDespachador)
#include "PruebaDespachador.moc"
