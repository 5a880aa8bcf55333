// brintal as a real process on a port of its choosing, with raw TCP clients.
// A dropped line is shown by the line that follows it arriving first, so
// nothing here waits on a clock to prove an absence.

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include "tests/support/BrintalPrueba.h"

namespace {

QString Programa() { return BrintalPrueba::Programa(); }

class Cliente {
public:
    explicit Cliente(quint16 puerto) {
        s_.connectToHost(QHostAddress::LocalHost, puerto);
        s_.waitForConnected(5000);
    }
    bool Conectado() const { return s_.state() == QAbstractSocket::ConnectedState; }
    void Enviar(const QByteArray& datos) {
        s_.write(datos);
        while (s_.bytesToWrite() > 0 && s_.waitForBytesWritten(5000)) {}
    }
    // The next line, or an empty string when none comes within 5 s.
    QString Linea() {
        while (!buf_.contains('\n')) {
            if (!s_.waitForReadyRead(5000)) return QString();
            buf_ += s_.readAll();
        }
        const int lf = buf_.indexOf('\n');
        QString l = QString::fromUtf8(buf_.left(lf)).remove('\r');
        buf_.remove(0, lf + 1);
        return l;
    }
    QStringList Lineas(int n) {
        QStringList l;
        while (n-- > 0) l << Linea();
        return l;
    }
    bool Cerrado() {
        if (s_.state() == QAbstractSocket::UnconnectedState) return true;
        s_.readAll();
        return s_.waitForDisconnected(5000) || s_.state() == QAbstractSocket::UnconnectedState;
    }

private:
    QTcpSocket s_;
    QByteArray buf_;
};

}  // namespace

class PruebaBrintalProceso : public QObject {
    Q_OBJECT
private:
    BrintalPrueba brintal_;
    quint16 puerto_ = 0;

    bool Arrancar(const QStringList& extra = {}) {
        const bool bien = brintal_.Arrancar(extra);
        if (!bien) qWarning() << brintal_.Error();
        puerto_ = brintal_.Puerto();
        return bien;
    }

private slots:
    void cleanup() { brintal_.Detener(); }

    void opcionesAlConectar() {
        QVERIFY(Arrancar({"--opcion", "Puntos=150", "--opcion", "AoC=A", "--opcion=Puntos=200", "--opcion", "Vista=S"}));
        Cliente a(puerto_);
        QCOMPARE(a.Lineas(9), QStringList({"Mesa AoC    =A", "Mesa Nivel  =I", "Mesa Puntos =200",
                                           "Mesa AcuPtos=0", "Mesa Salida =PG", "Mesa Cierre =GS",
                                           "Mesa Tiempo1=10", "Mesa Tiempo2=20", "Mesa Vista  =S"}));
    }

    void sillasReenvioEInici() {
        QVERIFY(Arrancar());
        Cliente a(puerto_), b(puerto_);
        a.Lineas(9);
        b.Lineas(9);
        a.Enviar("Silla1\r\nNombre1 Ana\r\n");
        QCOMPARE(a.Lineas(2), QStringList({"Local 1", "Nombre1 Ana"}));
        QCOMPARE(b.Linea(), QString("Nombre1 Ana"));

        // Seat 1 is taken: only seat 2 is granted, and the name for seat 1 is dropped.
        b.Enviar("Silla1\r\nNombre1 Intrusa\r\nSilla2\r\nNombre2 Bea\r\n");
        QCOMPARE(b.Lineas(2), QStringList({"Local 2", "Nombre2 Bea"}));
        QCOMPARE(a.Linea(), QString("Nombre2 Bea"));

        // Forged table lines and acts for a seat not held are dropped; "Atras"
        // skips its sender.
        b.Enviar("Local 1\r\nMesa AoC    =A\r\nInici\r\nTiro 01 1 05 IZQ\r\nFIN  1\r\n"
                 "Atras 2\r\nChat Bea: ¡hola!\r\n");
        QCOMPARE(a.Lineas(2), QStringList({"Atras 2", "Chat Bea: ¡hola!"}));
        QCOMPARE(b.Linea(), QString("Chat Bea: ¡hola!"));

        a.Enviar("Tiro 01 1 05 IZQ\r\nFIN  1\r\n");
        QCOMPARE(b.Lineas(2), QStringList({"Tiro 01 1 05 IZQ", "FIN  1"}));
        QCOMPARE(a.Lineas(2), QStringList({"Tiro 01 1 05 IZQ", "FIN  1"}));

        // The starting copy gives seats 3 and 4 to the computer in one send.
        a.Enviar("Silla3\r\nNombre3 Compu 3\r\nHoC  3 C\r\nSilla4\r\nNombre4 Compu 4\r\nHoC  4 C\r\n");
        QCOMPARE(b.Lineas(5), QStringList({"Nombre3 Compu 3", "HoC  3 C", "Nombre4 Compu 4",
                                           "HoC  4 C", "Inici"}));
        Cliente tarde(puerto_);
        QCOMPARE(tarde.Lineas(16).mid(9), QStringList({"Nombre1 Ana", "Nombre2 Bea", "Nombre3 Compu 3",
                                                       "HoC  3 C", "Nombre4 Compu 4", "HoC  4 C",
                                                       "Inici"}));
    }

    void lineaLargaCierraSoloASuRemitente() {
        QVERIFY(Arrancar());
        Cliente a(puerto_), b(puerto_);
        a.Lineas(9);
        b.Lineas(9);
        a.Enviar("Silla1\r\nNombre1 Ana\r\n");
        a.Lineas(2);
        b.Enviar("Silla2\r\nNombre2 Bea\r\nSilla4\r\nNombre4 Compu 4\r\n");
        a.Lineas(2);
        b.Enviar("Chat Bea: antes\r\n" + QByteArray(5000, 'x') + "\r\nChat Bea: después\r\n");
        QVERIFY(b.Cerrado());
        QCOMPARE(a.Lineas(3), QStringList({"Chat Bea: antes", "Chat Brintal: Bea dejó la Silla 2.",
                                           "Chat Brintal: Compu 4 dejó la Silla 4."}));
        a.Enviar("Chat Ana: sigo\r\n");
        QCOMPARE(a.Linea(), QString("Chat Ana: sigo"));
        QVERIFY(a.Conectado());
        // The freed seat can be taken again.
        Cliente c(puerto_);
        c.Lineas(10);
        c.Enviar("Silla2\r\n");
        QCOMPARE(c.Linea(), QString("Local 2"));
    }

    void quienNoLeeSeCierraSinFrenarAlResto() {
        QVERIFY(Arrancar());
        Cliente a(puerto_), lento(puerto_);
        a.Lineas(9);
        lento.Lineas(9);
        lento.Enviar("Silla2\r\nNombre2 Lento\r\n");
        QCOMPARE(a.Linea(), QString("Nombre2 Lento"));
        a.Enviar("Silla1\r\nNombre1 Ana\r\n");
        QCOMPARE(a.Lineas(2), QStringList({"Local 1", "Nombre1 Ana"}));
        // 20 MB for a client that reads nothing; Ana reads her own echo as she goes.
        const QByteArray chat = "Chat Ana: " + QByteArray(4000, 'x') + "\r\n";
        QStringList llego;
        for (int bloque = 0; bloque < 50; ++bloque) {
            a.Enviar(chat.repeated(100));
            llego += a.Lineas(100);
        }
        llego << a.Linea();
        QCOMPARE(llego.count(QString::fromLatin1(chat.trimmed())), 5000);
        QVERIFY(llego.contains("Chat Brintal: Lento dejó la Silla 2."));
        QVERIFY(lento.Cerrado());
    }

    void arranqueRechazado_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("salida");
        QTest::newRow("clave") << QStringList{"--opcion", "Color=R"} << 2;
        QTest::newRow("codigo") << QStringList{"--opcion", "Nivel=Z"} << 2;
        QTest::newRow("puntos") << QStringList{"--opcion", "Puntos=301"} << 2;
        QTest::newRow("tiempo") << QStringList{"--opcion", "Tiempo2=33"} << 2;
        QTest::newRow("vista") << QStringList{"--opcion", "Vista=X"} << 2;
        QTest::newRow("sin igual") << QStringList{"--opcion", "Nivel"} << 2;
        QTest::newRow("argumento") << QStringList{"--mesa"} << 2;
        QTest::newRow("puerto") << QStringList{"--puerto", "70000"} << 2;
    }
    void arranqueRechazado() {
        QFETCH(QStringList, args);
        QFETCH(int, salida);
        QProcess p;
        p.start(Programa(), QStringList{"--sin-ventana"} + args);
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), salida);
        QVERIFY(p.readAllStandardError().startsWith("brintal: "));
    }

    void puertoOcupado() {
        QTcpServer ocupa;
        QVERIFY(ocupa.listen(QHostAddress::Any, 0));
        QProcess p;
        p.start(Programa(), {"--sin-ventana", "--puerto", QString::number(ocupa.serverPort())});
        QVERIFY(p.waitForFinished(10000));
        QCOMPARE(p.exitCode(), 1);
        QVERIFY(p.readAllStandardError().contains("no se pudo abrir el puerto"));
    }
};

QTEST_GUILESS_MAIN(PruebaBrintalProceso)
#include "PruebaBrintalProceso.moc"
