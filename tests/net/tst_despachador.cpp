// The receive buffer, its runs and the handlers of every line, driven with a
// stand-in for the hand flow so that waits inside handlers can be staged.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <QtTest>

#include "net/Despachador.h"
#include "tests/net/EstadoTexto.h"

namespace {

// Records what the lines ask of the hand flow. A play that ends the hand
// waits, as the real end-of-hand step does, until every seat has sent "FIN".
struct JuegoFalso : JuegoRemoto {
    Estado& E;
    QStringList llamadas;
    bool terminaMano = false;
    explicit JuegoFalso(Estado& e) : E(e) {}
    void JugarTiro(int ficha, const QString& punta) override
    {
        llamadas << QStringLiteral("tiro %1 %2").arg(ficha).arg(punta);
        E.NumTiro += 1;
        E.Fichas[ficha].Lugar = 'J';
        if (terminaMano)
            E.ManoTerminada = true;
    }
    void TerminarMano() override
    {
        llamadas << QStringLiteral("terminar");
        QElapsedTimer t;
        t.start();
        auto todos = [this] {
            for (int s = 1; s <= 4; ++s)
                if (E.Sillas[s].MarcaFin != u"FIN")
                    return false;
            return true;
        };
        while (!todos() && t.elapsed() < 5000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 20);
        llamadas << QStringLiteral("fin de mano");
    }
    void RegresarTurno() override { llamadas << QStringLiteral("atras"); }
};

struct OyenteFalso : OyenteMesa {
    QStringList eventos;
    void NombreRecibido(int s) override { eventos << QStringLiteral("nombre %1").arg(s); }
    void SillaConcedida(int s) override { eventos << QStringLiteral("local %1").arg(s); }
    void InicioRecibido() override { eventos << QStringLiteral("inici"); }
    void ChatRecibido(const QString& t) override { eventos << QStringLiteral("chat ") + t; }
};

}  // namespace

class TstDespachador : public QObject {
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
    }

    void claves()
    {
        QCOMPARE(protocolo::Clave("FIN  2"), QStringLiteral("FIN"));
        QCOMPARE(protocolo::Clave("Fichas1 00010203040506"), QStringLiteral("Ficha"));
        QCOMPARE(protocolo::Clave("Nombre4 Compu 4"), QStringLiteral("Nombr"));
        Recibir("FIN  2\r\nHoC  4 C\r\nLocal 3\r\nInicio\r\nRepet\r\n");
        QCOMPARE(E.Sillas[2].MarcaFin, QStringLiteral("FIN"));
        QCOMPARE(E.Sillas[1].MarcaFin, QStringLiteral("   "));
        QCOMPARE(E.Jugadores[4].HoC, 'C');
        QCOMPARE(E.Jugadores[3].LoR, 'L');
        QCOMPARE(E.OrigenReparto, 'R');
        QCOMPARE(E.Modo, QStringLiteral("LECTURA"));
        QCOMPARE(oyente->eventos, (QStringList{"local 3", "inici"}));
        // An unknown key is ignored without being counted as malformed.
        Recibir("Hola a todos\r\nTiroX\r\n");
        QCOMPARE(D->Ignoradas, 0);
    }

    void opciones()
    {
        Recibir("Mesa Puntos =150\r\nMesa Nivel  =U\r\nMesa Salida =JD\r\nMesa AcuPtos=1\r\n"
                "Mesa Cierre =AN\r\nMesa AoC    =A\r\nMesa Tiempo1=5\r\nMesa Tiempo2=32\r\n");
        QCOMPARE(E.Opciones.Puntos, 150);
        QCOMPARE(E.Opciones.Nivel, 'U');
        QCOMPARE(E.Opciones.Salida, QStringLiteral("JD"));
        QCOMPARE(E.Opciones.AcuPtos, 1);
        QCOMPARE(E.Opciones.Cierre, QStringLiteral("AN"));
        QCOMPARE(E.Opciones.AoC, 'A');
        QCOMPARE(E.Opciones.Tiempo1, 5);
        QCOMPARE(E.Opciones.Tiempo2, 32);
        const QString antes = EstadoTexto(E);
        Recibir("Mesa Colores=3\r\n");
        QCOMPARE(EstadoTexto(E), antes);
    }

    void manoRecibida()
    {
        E.Jugadores[3].Mano[7] = 27;
        Recibir("Fichas3 01020304050699\r\n");
        const Jugador& j = E.Jugadores[3];
        QCOMPARE(j.NumFichas, 6);
        QCOMPARE(j.Mano[1], 1);
        QCOMPARE(j.Mano[6], 6);
        QCOMPARE(j.Mano[7], 27);  // a "99" slot is left as it was
        QCOMPARE(E.Fichas[4].Dueno, 3);
        QCOMPARE(E.Fichas[4].Lugar, 'D');
        QVERIFY(!E.Fichas[4].Libre);
        QCOMPARE(E.Sillas[3].DigitosMano, QStringLiteral("01020304050699"));

        // The copy's own hand coming back after its lead is on the line
        // leaves the played tile where it is.
        E.FaseMano = "TIRANDO";
        E.Fichas[1].Lugar = 'J';
        E.Jugadores[3].NumFichas = 5;
        Recibir("Fichas3 01020304050607\r\n");
        QCOMPARE(E.Fichas[1].Lugar, 'J');
        QCOMPARE(E.Jugadores[3].NumFichas, 5);
        QCOMPARE(E.Sillas[3].DigitosMano, QStringLiteral("01020304050607"));
    }

    void tiroRecibido()
    {
        const QString linea = "Tiro 07 2 13 IZQ  0.50";
        QCOMPARE(linea.size(), 22);
        E.FaseMano = "TIRANDO";
        E.NumTiro = 6;
        E.Turno = 2;
        E.Jugadores[2].LoR = 'L';
        // A seat played here: the play was already made, it is only stored.
        Recibir((linea + "\r\n").toUtf8());
        QVERIFY(juego->llamadas.isEmpty());
        QCOMPARE(E.TiroRecibido[7], 13);
        QCOMPARE(E.PuntaRecibida[7], QStringLiteral("IZQ"));
        QCOMPARE(E.MeritoTurno[7], QString());

        // Played elsewhere and to move: made at once at the left end.
        E.Jugadores[2].LoR = 'R';
        Recibir((linea + "\r\n").toUtf8());
        QCOMPARE(juego->llamadas, QStringList{"tiro 13 IZQ"});
        QCOMPARE(E.MeritoTurno[7], QStringLiteral(" 0.50"));

        // A play that comes before its seat's turn waits in the received table.
        juego->llamadas.clear();
        Recibir("Tiro 09 4 20 DER -0.33\r\n");
        QVERIFY(juego->llamadas.isEmpty());
        QCOMPARE(E.TiroRecibido[9], 20);

        // A merit of ten or more is kept whole.
        E.Turno = 3;
        E.Jugadores[3].LoR = 'R';
        Recibir("Tiro 08 3 05 DER  13.00\r\n");
        QCOMPARE(E.MeritoTurno[8], QStringLiteral(" 13.00"));

        // The declined lead is stored as play 1, never played.
        juego->llamadas.clear();
        E.NumTiro = 0;
        E.FaseMano = "SALIENDO";
        Recibir("Tiro 01 3 -1 NUL\r\n");
        QCOMPARE(E.TiroRecibido[1], -1);
        QCOMPARE(E.PuntaRecibida[1], QStringLiteral("NUL"));
        QVERIFY(juego->llamadas.isEmpty());

        Recibir("Atras 2\r\n");
        QCOMPARE(juego->llamadas, QStringList{"atras"});
        QCOMPARE(protocolo::LineaTiro(7, 2, 13, "IZQ", " 0.50"), linea);
    }

    void memoria()
    {
        // Nine plays travel with the count 09; entries after them are kept.
        E.HistFicha[10] = 22;
        Recibir("Memo 09300DER02IZQ05DER08IZQ10DER11IZQ12DER14IZQ16DER\r\n");
        QCOMPARE(E.Salidor, 3);
        QCOMPARE(E.HistFicha[1], 0);
        QCOMPARE(E.HistPunta[1], QStringLiteral("DER"));
        QCOMPARE(E.HistFicha[9], 16);
        QCOMPARE(E.HistPunta[8], QStringLiteral("IZQ"));
        QCOMPARE(E.HistFicha[10], 22);
    }

    void anidado()
    {
        // A received play ends the hand; its handler waits for every "FIN".
        // Lines arriving meanwhile are handled by nested runs, in order, and
        // the outer run carries on with what is left after the wait.
        E.FaseMano = "TIRANDO";
        E.NumTiro = 10;
        E.Turno = 4;
        E.Jugadores[4].LoR = 'R';
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
        QTest::newRow("nombre silla 0") << "Nombre0 Ana";
        QTest::newRow("nombre silla 9") << "Nombre9 Ana";
        QTest::newRow("nombre vacío") << "Nombre2 ";
        QTest::newRow("hoc letra") << "HoC  2 X";
        QTest::newRow("hoc silla") << "HoC  5 C";
        QTest::newRow("local silla") << "Local 0";
        QTest::newRow("fin silla") << "FIN  7";
        QTest::newRow("fin corto") << "FIN";
        QTest::newRow("fichas silla") << "Fichas5 00010203040506";
        QTest::newRow("fichas corta") << "Fichas1 000102";
        QTest::newRow("fichas ficha 28") << "Fichas1 00010203040528";
        QTest::newRow("fichas letras") << "Fichas1 0001020304AB06";
        QTest::newRow("fichas signo") << "Fichas1 -1010203040506";
        QTest::newRow("fichas repetida") << "Fichas1 00010203040501";
        QTest::newRow("tiro número 0") << "Tiro 00 2 13 IZQ";
        QTest::newRow("tiro número 26") << "Tiro 26 2 13 IZQ";
        QTest::newRow("tiro número 99") << "Tiro 99 2 13 IZQ";
        QTest::newRow("tiro sin número") << "Tiro    2 13 IZQ";
        QTest::newRow("tiro silla 5") << "Tiro 03 5 13 IZQ";
        QTest::newRow("tiro ficha 28") << "Tiro 03 2 28 IZQ";
        QTest::newRow("tiro ficha 99") << "Tiro 03 2 99 DER";
        QTest::newRow("tiro punta") << "Tiro 03 2 13 ARR";
        QTest::newRow("tiro negativo sin NUL") << "Tiro 01 2 -1 IZQ";
        QTest::newRow("tiro negativo en 3") << "Tiro 03 2 -1 NUL";
        QTest::newRow("tiro -9") << "Tiro 01 2 -9 NUL";
        QTest::newRow("tiro corto") << "Tiro 03";
        QTest::newRow("memo 26") << "Memo 2610013DER";
        QTest::newRow("memo corta") << "Memo 0310013DER02IZQ";
        QTest::newRow("memo salidor") << "Memo 0150013DER";
        QTest::newRow("memo ficha") << "Memo 0110030DER";
        QTest::newRow("memo punta") << "Memo 0110013XYZ";
        QTest::newRow("memo sin cuenta") << "Memo ";
        QTest::newRow("acuptos letra") << "Mesa AcuPtos=x";
        QTest::newRow("acuptos 2") << "Mesa AcuPtos=2";
        QTest::newRow("puntos 0") << "Mesa Puntos =0";
        QTest::newRow("puntos 301") << "Mesa Puntos =301";
        QTest::newRow("puntos vacío") << "Mesa Puntos =";
        QTest::newRow("puntos enorme") << "Mesa Puntos =99999999999999999999";
        QTest::newRow("tiempo 33") << "Mesa Tiempo1=33";
        QTest::newRow("tiempo -1") << "Mesa Tiempo2=-1";
        QTest::newRow("nivel X") << "Mesa Nivel  =X";
        QTest::newRow("aoc vacío") << "Mesa AoC    =";
        QTest::newRow("salida XX") << "Mesa Salida =XX";
        QTest::newRow("cierre G") << "Mesa Cierre =G";
    }

    void lineasMalformadas()
    {
        QFETCH(QString, linea);
        E.FaseMano = "TIRANDO";
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

    void lecturaNumerica()
    {
        bool d = false;
        QCOMPARE(protocolo::LeerNumero(u"  -12x", &d), -12);
        QVERIFY(d);
        QCOMPARE(protocolo::LeerNumero(u"", &d), 0);
        QVERIFY(!d);
        QCOMPARE(protocolo::LeerNumero(u" 0.50"), 0);
        QCOMPARE(protocolo::LeerNumero(u"+7"), 7);
    }
};

QTEST_GUILESS_MAIN(TstDespachador)
#include "tst_despachador.moc"
