// The connection and the lobby's seat logic: sending with and without a
// table, the connect attempts (local start of brintal, their limit, a remote
// refusal) and the seat, start and close steps with scripted answers.

#include <QDir>
#include <QFile>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <deque>

#include "net/ConectorMesa.h"
#include "net/EnlaceMesa.h"
#include "net/SalonMesa.h"

namespace {

struct AnfitrionPrueba : Anfitrion {
    std::vector<Mensaje> cajas;
    std::deque<int> respuestas;  // answers to give; the default when empty
    QStringList enviados;
    double Reloj() override { return 0; }
    void Ceder() override {}
    void Pausa(double) override {}
    void Programar(std::function<void()> f) override { f(); }
    void EnviarMensaje(const QString& m) override { enviados << m; }
    int MensaBox(const Mensaje& m) override
    {
        cajas.push_back(m);
        if (respuestas.empty())
            return m.Default;
        const int r = respuestas.front();
        respuestas.pop_front();
        return r;
    }
};

quint16 PuertoLibre()
{
    QTcpServer s;
    s.listen(QHostAddress::LocalHost, 0);
    return s.serverPort();
}

}  // namespace

class TstEnlace : public QObject {
    Q_OBJECT

private slots:
    void enviarSinConexion()
    {
        Estado e;
        AnfitrionPrueba h;
        Despachador d(e);
        EnlaceMesa enlace(d, h);
        enlace.EnviarMensaje("FIN  1");
        enlace.EnviarMensaje("FIN  2");
        enlace.EnviarMensaje("Chat Ana: hola");
        // One notice for the lost connection, not one per message.
        QCOMPARE(int(h.cajas.size()), 1);
        QCOMPARE(h.cajas[0].Mensaje, QStringLiteral("¡Estás desconectado de la mesa de juego!"));
        QCOMPARE(h.cajas[0].Icono, 48);
        QCOMPARE(h.cajas[0].Botones, 0);
        QCOMPARE(h.cajas[0].LabelFont, QStringLiteral("Tahoma"));
        QCOMPARE(h.cajas[0].Duracion, 2.0);
    }

    void conexionYEnvio()
    {
        QTemporaryDir carpeta;
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost, 0));
        Estado e;
        AnfitrionPrueba h;
        Despachador d(e);
        EnlaceMesa enlace(d, h);
        ConectorMesa conector(enlace, h, carpeta.path());
        QSignalSpy conectado(&conector, &ConectorMesa::Conectado);
        QFile dom(carpeta.filePath("JGO/Server.Dom"));

        for (int vuelta = 1; vuelta <= 2; ++vuelta) {
            const QString direccion = QStringLiteral("127.0.0.1:%1").arg(servidor.serverPort());
            conector.Conectar(ConectorMesa::Modo::Red, direccion);
            conector.Conectar(ConectorMesa::Modo::Red, direccion);  // in progress: nothing more
            QTRY_COMPARE(conectado.count(), vuelta);
            QVERIFY(dom.open(QIODevice::ReadOnly));
            QCOMPARE(dom.readAll(), QByteArray("\r\n"));
            dom.close();
            QTRY_VERIFY(servidor.hasPendingConnections());
            QTcpSocket* otro = servidor.nextPendingConnection();
            QTest::qWait(20);
            QVERIFY(!servidor.hasPendingConnections());

            enlace.EnviarMensaje("Silla1\r\nNombre1 Ana");
            QTRY_COMPARE(otro->bytesAvailable(), qint64(21));
            QCOMPARE(otro->readAll(), QByteArray("Silla1\r\nNombre1 Ana\r\n"));

            otro->write(QStringLiteral("Nombre2 Íñigo\r\nLocal 1\r\n").toUtf8());
            QTRY_COMPARE(e.Jugadores[1].LoR, 'L');
            QCOMPARE(e.Jugadores[2].Nombre, QStringLiteral("Íñigo"));

            // The table goes away: the next sends tell it once.
            otro->close();
            delete otro;
            QTRY_VERIFY(!enlace.Conectado());
            enlace.EnviarMensaje("FIN  1");
            enlace.EnviarMensaje("FIN  3");
            QCOMPARE(int(h.cajas.size()), vuelta);
            e.Jugadores[1].LoR = 'R';
        }
    }

    void mesaRemotaRechaza()
    {
        QTemporaryDir carpeta;
        Estado e;
        AnfitrionPrueba h;
        Despachador d(e);
        EnlaceMesa enlace(d, h);
        ConectorMesa conector(enlace, h, carpeta.path());
        QSignalSpy fallido(&conector, &ConectorMesa::Fallido);
        const quint16 puerto = PuertoLibre();
        conector.Conectar(ConectorMesa::Modo::Red, QStringLiteral("127.0.0.1:%1").arg(puerto));
        QTRY_COMPARE(fallido.count(), 1);
        QCOMPARE(h.cajas.at(0).Mensaje,
                 QStringLiteral("No se pudo encontrar la mesa de juego en la dirección 127.0.0.1\n\n"
                                "Verifica que el programa Brintal esté ejecutándose en ese servidor."));
        QCOMPARE(h.cajas[0].Icono, 48);
        QCOMPARE(h.cajas[0].Duracion, 8.0);
        QCOMPARE(conector.PidBrintal, qint64(0));
        QVERIFY(!conector.EnCurso());
    }

    void mesaLocalSinPrograma_data()
    {
        QTest::addColumn<QString>("programa");
        QTest::newRow("no existe") << QStringLiteral("/no/existe/brintal");
        QTest::newRow("termina sin escuchar") << QStringLiteral("/bin/true");
    }

    void mesaLocalSinPrograma()
    {
        // Either way the attempts end in one message instead of going on forever.
        QFETCH(QString, programa);
        QTemporaryDir carpeta;
        Estado e;
        AnfitrionPrueba h;
        Despachador d(e);
        EnlaceMesa enlace(d, h);
        ConectorMesa conector(enlace, h, carpeta.path());
        conector.PuertoMesa = conector.PuertoAlterno = PuertoLibre();
        conector.ProgramaBrintal = programa;
        conector.MaxIntentos = 4;
        conector.PausaMs = 10;
        QSignalSpy fallido(&conector, &ConectorMesa::Fallido);
        conector.Conectar(ConectorMesa::Modo::Local);
        QTRY_COMPARE(fallido.count(), 1);
        QTest::qWait(50);
        QCOMPARE(fallido.count(), 1);
        QCOMPARE(int(h.cajas.size()), 1);
        QCOMPARE(h.cajas[0].Mensaje,
                 QStringLiteral("No se pudo encontrar la mesa de juego.\n\nPor favor ejecuta el programa Brintal."));
        QCOMPARE(h.cajas[0].Icono, 16);
    }

    void mesaLocalArrancaBrintal()
    {
        const QString brintal = QDir(qEnvironmentVariable("QUIMBOLO_CARPETA")).absoluteFilePath("brintal");
        if (!QFile::exists(brintal))
            QSKIP("brintal no está construido");
        QTemporaryDir carpeta;
        Estado e;
        AnfitrionPrueba h;
        Despachador d(e);
        EnlaceMesa enlace(d, h);
        ConectorMesa conector(enlace, h, carpeta.path());
        const quint16 puerto = PuertoLibre();
        conector.PuertoMesa = conector.PuertoAlterno = puerto;
        conector.ProgramaBrintal = brintal;
        conector.ArgumentosBrintal = {"--sin-ventana", "--puerto", QString::number(puerto)};
        conector.PausaMs = 100;
        conector.MaxIntentos = 100;
        QSignalSpy conectado(&conector, &ConectorMesa::Conectado);
        conector.Conectar(ConectorMesa::Modo::Local);
        QTRY_COMPARE_WITH_TIMEOUT(conectado.count(), 1, 10000);
        QVERIFY(conector.PidBrintal > 0);
        // The table sends its options on arrival.
        QTRY_VERIFY(d.Registro.size() >= 8);
        QVERIFY(h.cajas.empty());
        ::kill(pid_t(conector.PidBrintal), SIGTERM);
    }

    void tomarSilla()
    {
        Estado e;
        AnfitrionPrueba h;
        SalonMesa salon(e, h);
        salon.Activar();
        QVERIFY(!salon.TomarSilla(2, "   "));
        QCOMPARE(h.cajas.at(0).Mensaje, QStringLiteral("¡Por favor escribe tu nombre!"));
        QCOMPARE(h.cajas[0].Icono, 48);
        QVERIFY(h.enviados.isEmpty());

        h.respuestas = {2};
        QVERIFY(!salon.TomarSilla(2, "Ana"));
        QCOMPARE(h.cajas.at(1).Mensaje, QStringLiteral("Ana ocupará la Silla 2"));
        QVERIFY(h.enviados.isEmpty());

        e.Jugadores[1].Nombre = "Luis";
        QVERIFY(salon.TomarSilla(2, "  Ana María "));
        QCOMPARE(h.enviados, QStringList{"Silla2\r\nNombre2 Ana María"});
        // The seat becomes Ana's only when her name comes back.
        QCOMPARE(e.Jugadores[2].Nombre, QString());
        QCOMPARE(e.Sillas[1].NombreSilla, QStringLiteral("Luis"));
        QCOMPARE(e.Sillas[3].DigitosMano, QStringLiteral("99999999999999"));
    }

    void iniciarYCerrar()
    {
        Estado e;
        AnfitrionPrueba h;
        SalonMesa salon(e, h);
        salon.Activar();
        e.Opciones.AoC = 'C';
        e.Jugadores[1].Nombre = "Ana";
        e.Jugadores[1].LoR = 'L';

        // Declining seat 3 keeps seat 2 given and seat 3 free.
        h.respuestas = {1, 2};
        QVERIFY(!salon.Iniciar());
        QVERIFY(salon.IniciarHabilitado);
        QCOMPARE(h.cajas.at(0).Mensaje, QStringLiteral("La silla 2 está desocupada.\n\nCompu 2 ocupará el lugar."));
        QCOMPARE(h.cajas[0].Icono, 32);
        QCOMPARE(h.cajas[0].Duracion, 3.0);
        QCOMPARE(e.Jugadores[2].Nombre, QStringLiteral("Compu 2"));
        QVERIFY(salon.Libre(3));
        QCOMPARE(h.enviados, QStringList{"Silla2\r\nNombre2 Compu 2\r\nHoC  2 C"});

        // Leaving with a free seat asks once; the default answer leaves.
        h.cajas.clear();
        h.respuestas = {2};
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Quedarse);
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Salir);
        QCOMPARE(int(h.cajas.size()), 2);
        QCOMPARE(h.cajas[0].Mensaje, QStringLiteral("¿Deseas abandonar la mesa?"));
        QCOMPARE(h.cajas[0].Duracion, 5.0);

        QVERIFY(salon.Iniciar());
        const Jugador& c4 = e.Jugadores[4];
        QCOMPARE(c4.HoC, 'C');
        QCOMPARE(c4.LoR, 'L');
        QVERIFY(c4.Semilla >= 0 && c4.Semilla <= 86400);
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Seguir);
        // One person here: her hand open, the computer's as the table says.
        QCOMPARE(e.Jugadores[1].Vista, 'A');
        QCOMPARE(e.Jugadores[3].Vista, 'C');
        QCOMPARE(e.Sillas[4].NombreSilla, QStringLiteral("Compu 4"));

        // Two persons at this computer: every hand as the table says.
        e.Jugadores[3].HoC = 'H';
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Seguir);
        QCOMPARE(e.Jugadores[1].Vista, 'C');
        QCOMPARE(e.Jugadores[3].Vista, 'C');
    }
};

QTEST_GUILESS_MAIN(TstEnlace)
#include "tst_enlace.moc"
