// The connection and the lobby's seat logic: sending with and without a
// table, the connect attempts (local start of brintal, their limit, a remote
// refusal) and the seat, start and close steps with scripted answers.

#include <QTcpServer>
#include <QTemporaryDir>
#include <QtTest>
#include <deque>

#include "net/Direccion.h"
#include "net/MesaDeJuego.h"
#include "net/SalonMesa.h"
#include "tests/support/BrintalPrueba.h"

namespace {

struct AnfitrionPrueba : AnfitrionMesa {
    std::vector<Mensaje> cajas;
    std::deque<int> respuestas;  // answers to give; the default when empty
    QStringList enviados;
    double Reloj() override { return 0; }
    void Ceder() override {}
    void Pausa(double) override {}
    void Programar(std::function<void()> f) override { f(); }
    void Enviar(const QString& m) override { enviados << m; }
    int MensaBox(const Mensaje& m) override
    {
        cajas.push_back(m);
        const int r = respuestas.empty() ? m.Default : respuestas.front();
        if (!respuestas.empty())
            respuestas.pop_front();
        return r;
    }
};

}  // namespace

class PruebaEnlace : public QObject {
    Q_OBJECT

    QTemporaryDir carpeta;
    Estado e;
    AnfitrionPrueba h;

private slots:
    void init()
    {
        e = Estado();
        h = AnfitrionPrueba();
    }

    void conexionYEnvio()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost, 0));
        MesaDeJuego mesa(e, h, carpeta.path());
        QSignalSpy conectado(&mesa.Conector, &ConectorMesa::Conectado);
        const QString direccion = QStringLiteral("127.0.0.1:%1").arg(servidor.serverPort());
        // Two rounds: the notice of a lost connection comes once per loss.
        for (int vuelta = 1; vuelta <= 2; ++vuelta) {
            mesa.Conector.Conectar(ConectorMesa::Modo::Red, direccion);
            mesa.Conector.Conectar(ConectorMesa::Modo::Red, direccion);  // in progress: nothing more
            QTRY_COMPARE(conectado.count(), vuelta);
            QFile dom(carpeta.filePath("JGO/Server.Dom"));
            QVERIFY(dom.open(QIODevice::ReadOnly));
            QCOMPARE(dom.readAll(), QByteArray("\r\n"));
            QTRY_VERIFY(servidor.hasPendingConnections());
            std::unique_ptr<QTcpSocket> otro(servidor.nextPendingConnection());
            QTest::qWait(20);
            QVERIFY(!servidor.hasPendingConnections());

            mesa.Enlace.EnviarMensaje("Silla1\r\nNombre1 Ana");
            QTRY_COMPARE(otro->bytesAvailable(), qint64(21));
            QCOMPARE(otro->readAll(), QByteArray("Silla1\r\nNombre1 Ana\r\n"));
            otro->write(QStringLiteral("Nombre2 Íñigo\r\n").toUtf8());
            QTRY_COMPARE(e.Jugadores[2].Nombre, QStringLiteral("Íñigo"));

            otro->close();
            QTRY_VERIFY(!mesa.Enlace.Conectado());
            mesa.Enlace.EnviarMensaje("FIN  1");
            mesa.Enlace.EnviarMensaje("FIN  3");
            QCOMPARE(int(h.cajas.size()), vuelta);
        }
        const Mensaje& m = h.cajas[0];
        QCOMPARE(m.Mensaje, QStringLiteral("¡Estás desconectado de la mesa de juego!"));
        QCOMPARE(m.Icono * 100 + m.Botones, 4800);
        QCOMPARE(m.LabelFont, QStringLiteral("Tahoma"));
        QCOMPARE(m.Duracion, 2.0);
    }

    void mesaRemotaRechaza()
    {
        // A port given is the only one tried; without one both table ports
        // are, and the message names the address and every port tried.
        MesaDeJuego mesa(e, h, carpeta.path());
        QSignalSpy fallido(&mesa.Conector, &ConectorMesa::Fallido);
        const PuertoCerrado cerrado, otro;
        mesa.Conector.PuertoMesa = otro.Puerto();
        mesa.Conector.Conectar(ConectorMesa::Modo::Red, QStringLiteral(" 127.0.0.1:%1 ").arg(cerrado.Puerto()));
        QTRY_COMPARE(fallido.count(), 1);
        QCOMPARE(h.cajas.at(0).Mensaje,
                 QStringLiteral("No se pudo encontrar la mesa de juego en la dirección 127.0.0.1 (puerto %1)\n\n"
                                "Verifica que el programa Brintal esté ejecutándose en ese servidor.")
                     .arg(cerrado.Puerto()));
        QCOMPARE(h.cajas[0].Icono, 48);
        QCOMPARE(h.cajas[0].Duracion, 8.0);
        QCOMPARE(mesa.Conector.PidBrintal, qint64(0));

        mesa.Conector.PuertoAlterno = cerrado.Puerto();
        mesa.Conector.Conectar(ConectorMesa::Modo::Red, QStringLiteral("[::ffff:127.0.0.1]"));
        QTRY_COMPARE(fallido.count(), 2);
        QVERIFY2(h.cajas.at(1).Mensaje.startsWith(
                     QStringLiteral("No se pudo encontrar la mesa de juego en la dirección ::ffff:127.0.0.1 "
                                    "(puertos %1 y %2)\n\n")
                         .arg(otro.Puerto())
                         .arg(cerrado.Puerto())),
                 qPrintable(h.cajas.at(1).Mensaje));
    }

    void mesaRemotaEnPuertoAlterno()
    {
        // brintal fell back to its second port: joining by IP finds it there.
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost, 0));
        const PuertoCerrado cerrado;
        MesaDeJuego mesa(e, h, carpeta.path());
        mesa.Conector.PuertoMesa = cerrado.Puerto();
        mesa.Conector.PuertoAlterno = servidor.serverPort();
        QSignalSpy conectado(&mesa.Conector, &ConectorMesa::Conectado);
        mesa.Conector.Conectar(ConectorMesa::Modo::Red, QStringLiteral("127.0.0.1"));
        QTRY_COMPARE(conectado.count(), 1);
        QCOMPARE(mesa.Enlace.Socket().peerPort(), servidor.serverPort());
        QVERIFY(h.cajas.empty());
    }

    void direccionMala_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("motivo");
        QTest::newRow("puerto grande") << "127.0.0.1:70000" << "El puerto «70000» no vale";
        QTest::newRow("puerto cero") << "127.0.0.1:0" << "El puerto «0» no vale";
        QTest::newRow("sin puerto") << "mesa.local:" << "Falta el puerto";
        QTest::newRow("letras") << "mesa.local:abc" << "El puerto «abc» no vale";
        QTest::newRow("signo") << "mesa.local:+80" << "El puerto «+80» no vale";
        QTest::newRow("otros dígitos") << "mesa.local:١٠٠٩" << "El puerto «١٠٠٩» no vale";
        QTest::newRow("v6 puerto malo") << "[::1]:99999" << "El puerto «99999» no vale";
        QTest::newRow("v6 sin cierre") << "[::1:1009" << "Falta el «]»";
        QTest::newRow("v6 resto") << "[::1]1009" << "Tras «]»";
        QTest::newRow("v6 falsa") << "[mesa]:1009" << "no es una dirección IPv6";
        QTest::newRow("dos puntos sin v6") << "a:b:1009" << "[IPv6]:PUERTO";
        QTest::newRow("sin host") << ":1009" << "Falta el nombre";
        QTest::newRow("espacio") << "mesa local" << "no es un nombre";
        QTest::newRow("vacía") << "   " << "Escribe la dirección";
    }

    void direccionMala()
    {
        // Refused before any attempt: never looked up as a host name.
        QFETCH(QString, direccion);
        QFETCH(QString, motivo);
        DireccionMesa d;
        QString error;
        QVERIFY(!LeerDireccion(direccion, d, error));
        QVERIFY2(error.contains(motivo), qPrintable(error));
        MesaDeJuego mesa(e, h, carpeta.path());
        QSignalSpy fallido(&mesa.Conector, &ConectorMesa::Fallido);
        mesa.Conector.Conectar(ConectorMesa::Modo::Red, direccion);
        QCOMPARE(fallido.count(), 1);
        QCOMPARE(h.cajas.at(0).Mensaje, error);
        QCOMPARE(mesa.Enlace.Socket().state(), QAbstractSocket::UnconnectedState);
        QVERIFY(!mesa.Conector.EnCurso());
    }

    void direccionBuena_data()
    {
        QTest::addColumn<QString>("direccion");
        QTest::addColumn<QString>("host");
        QTest::addColumn<int>("puerto");
        QTest::newRow("ip") << " 192.168.0.1 " << "192.168.0.1" << 0;
        QTest::newRow("ip y puerto") << "192.168.0.1:11009" << "192.168.0.1" << 11009;
        QTest::newRow("nombre") << "mesa-de_Ana.example" << "mesa-de_Ana.example" << 0;
        QTest::newRow("ceros") << "mesa:01009" << "mesa" << 1009;
        QTest::newRow("v6 suelta") << "fe80::1" << "fe80::1" << 0;
        QTest::newRow("v6 y puerto") << "[::1]:2000" << "::1" << 2000;
        QTest::newRow("v6 entre corchetes") << "[::1]" << "::1" << 0;
    }

    void direccionBuena()
    {
        QFETCH(QString, direccion);
        QFETCH(QString, host);
        QFETCH(int, puerto);
        DireccionMesa d;
        QString error;
        QVERIFY2(LeerDireccion(direccion, d, error), qPrintable(error));
        QCOMPARE(d.Host, host);
        QCOMPARE(int(d.Puerto), puerto);
        const QList<quint16> puertos = puerto ? QList<quint16>{quint16(puerto)} : QList<quint16>{1009, 11009};
        QCOMPARE(PuertosAProbar(d, 1009, 11009), puertos);
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
        MesaDeJuego mesa(e, h, carpeta.path());
        const PuertoCerrado cerrado;
        mesa.Conector.PuertoMesa = mesa.Conector.PuertoAlterno = cerrado.Puerto();
        mesa.Conector.ProgramaBrintal = programa;
        mesa.Conector.MaxIntentos = 4;
        mesa.Conector.PausaMs = 10;
        QSignalSpy fallido(&mesa.Conector, &ConectorMesa::Fallido);
        mesa.Conector.Conectar(ConectorMesa::Modo::Local);
        QTRY_COMPARE(fallido.count(), 1);
        QTest::qWait(50);
        QCOMPARE(int(h.cajas.size()), 1);
        QCOMPARE(h.cajas[0].Mensaje, ConectorMesa::TextoSinMesa());
        QCOMPARE(h.cajas[0].Icono, 16);
    }

    void mesaLocalArrancaBrintal()
    {
        if (!QFile::exists(BrintalPrueba::Programa()))
            QSKIP("brintal no está construido");
        // Nothing on either port until brintal is started, once; it is then
        // found on the fallback port.
        MesaDeJuego mesa(e, h, carpeta.path());
        const PuertoCerrado principal, alterno;
        mesa.Conector.PuertoMesa = principal.Puerto();
        mesa.Conector.PuertoAlterno = alterno.Puerto();
        BrintalPrueba brintal;
        int arranques = 0;
        mesa.Conector.ArrancarBrintal = [&](qint64* pid) {
            ++arranques;
            if (!brintal.Arrancar())
                return false;
            *pid = brintal.Proceso().processId();
            mesa.Conector.PuertoAlterno = brintal.Puerto();
            return true;
        };
        mesa.Conector.PausaMs = 100;
        mesa.Conector.MaxIntentos = 100;
        QSignalSpy conectado(&mesa.Conector, &ConectorMesa::Conectado);
        mesa.Conector.Conectar(ConectorMesa::Modo::Local);
        QTRY_COMPARE_WITH_TIMEOUT(conectado.count(), 1, 10000);
        QCOMPARE(arranques, 1);
        QCOMPARE(mesa.Conector.PidBrintal, brintal.Proceso().processId());
        QTRY_VERIFY(mesa.D.Registro.size() >= 8);  // the table's options
        QVERIFY(h.cajas.empty());
    }

    void sillas()
    {
        SalonMesa salon(e, h);
        salon.Activar();
        QVERIFY(!salon.TomarSilla(2, "   "));
        QCOMPARE(h.cajas.at(0).Mensaje, QStringLiteral("¡Por favor escribe tu nombre!"));
        h.respuestas = {2};
        QVERIFY(!salon.TomarSilla(2, "Ana"));
        QCOMPARE(h.cajas.at(1).Mensaje, QStringLiteral("Ana ocupará la Silla 2"));
        QVERIFY(h.enviados.isEmpty());
        QVERIFY(salon.TomarSilla(2, "  Ana María "));
        QCOMPARE(h.enviados, QStringList{"Silla2\r\nNombre2 Ana María"});
        QVERIFY(salon.Libre(2));  // until her name comes back

        // The start: declining seat 3 keeps seat 2 given and seat 3 free.
        h.enviados.clear();
        h.cajas.clear();
        e.Jugadores[1].Nombre = "Ana";
        e.Jugadores[1].LoR = Donde::Local;
        h.respuestas = {1, 2};
        QVERIFY(!salon.Iniciar());
        QVERIFY(salon.IniciarHabilitado);
        QCOMPARE(h.cajas.at(0).Mensaje, QStringLiteral("La silla 2 está desocupada.\n\nCompu 2 ocupará el lugar."));
        QCOMPARE(h.enviados, QStringList{"Silla2\r\nNombre2 Compu 2\r\nHoC  2 C"});
        QVERIFY(salon.Libre(3));

        // Closing with a free seat asks once; the default answer leaves.
        h.cajas.clear();
        h.respuestas = {2};
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Quedarse);
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Salir);
        QCOMPARE(h.cajas.at(0).Mensaje, QStringLiteral("¿Deseas abandonar la mesa?"));

        QVERIFY(salon.Iniciar());
        QCOMPARE(QString(QChar(LetraQuien(e.Jugadores[4].HoC))) + QChar(LetraDonde(e.Jugadores[4].LoR)), QStringLiteral("CL"));
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Seguir);
        // One person here: her hand open, the others as the table says.
        QCOMPARE(QString(QChar(e.Jugadores[1].Vista)) + QChar(e.Jugadores[3].Vista), QStringLiteral("AC"));
        QCOMPARE(e.Sillas[4].NombreSilla, QStringLiteral("Compu 4"));
        // Two persons here: every hand as the table says.
        e.Jugadores[3].HoC = Quien::Persona;
        QCOMPARE(salon.VerificarCierre(), SalonMesa::Cierre::Seguir);
        QCOMPARE(e.Jugadores[1].Vista, 'C');
    }

    // The start and the first hand in one read: closing the lobby on "Inici"
    // must keep the hand that came with it, or both copies wait at the pick.
    void inicioYManoEnUnaLectura()
    {
        struct Cierre : OyenteMesa {
            SalonMesa* salon = nullptr;
            void InicioRecibido() override { salon->VerificarCierre(); }
        } oyente;
        SalonMesa salon(e, h);
        oyente.salon = &salon;
        Despachador d(e);
        d.Oyente = &oyente;
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].Nombre = QStringLiteral("J%1").arg(s);
        d.Llegada("Inici\r\nFichas3 01020304050607\r\n");
        QTRY_COMPARE(e.Sillas[3].DigitosMano, QStringLiteral("01020304050607"));
        QCOMPARE(e.Sillas[3].NombreSilla, QStringLiteral("J3"));
    }

    // A table that takes our lines but never returns them is lost: told
    // once, and the owner hears of it.
    void mesaCallada()
    {
        QTcpServer servidor;
        QVERIFY(servidor.listen(QHostAddress::LocalHost, 0));
        MesaDeJuego mesa(e, h, carpeta.path());
        mesa.Enlace.LimiteEco = 200;
        QSignalSpy perdida(&mesa.Enlace, &EnlaceMesa::MesaPerdida);
        mesa.Conector.Conectar(ConectorMesa::Modo::Red, QStringLiteral("127.0.0.1:%1").arg(servidor.serverPort()));
        QTRY_VERIFY(mesa.Enlace.Conectado());
        QTRY_VERIFY(servidor.hasPendingConnections());
        std::unique_ptr<QTcpSocket> otro(servidor.nextPendingConnection());
        // Lines that come back are not owed any more.
        mesa.Enlace.EnviarMensaje("Tiro 01 1 00 DER ");
        QTRY_VERIFY(otro->bytesAvailable() > 0);
        otro->write(otro->readAll());
        QTRY_COMPARE(mesa.Enlace.EcosPendientes(), 0);
        QCOMPARE(perdida.count(), 0);
        // Then the table goes silent.
        mesa.Enlace.EnviarMensaje("FIN  1");
        QTRY_COMPARE(perdida.count(), 1);
        QVERIFY(!mesa.Enlace.Conectado());
        mesa.Enlace.EnviarMensaje("FIN  3");
        QCOMPARE(int(h.cajas.size()), 1);
        QCOMPARE(h.cajas[0].Mensaje, EnlaceMesa::TextoDesconectado());
    }

    // Once the partida has started a seat is granted only when this copy asked
    // for it: the starter offers its computer for a seat its person left.
    void sillaDejadaYConcedida()
    {
        Despachador d(e);
        SalonMesa salon(e, h);
        salon.Mesa = &d;
        salon.Activar();
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].Nombre = s == 2 ? QStringLiteral("Beto") : QStringLiteral("Compu %1").arg(s);
        d.Atender("Local 1");
        QCOMPARE(e.Jugadores[1].LoR, Donde::Local);  // the lobby's own grant
        e.Jugadores[3].LoR = e.Jugadores[4].LoR = Donde::Local;
        salon.Inicie = true;
        d.Atender("Inici");
        d.Atender("Local 2");
        QCOMPARE(e.Jugadores[2].LoR, Donde::Remota);
        QCOMPARE(d.Ignoradas, 1);

        d.Atender("Chat Brintal: Beto dejó la Silla 2.");
        QVERIFY(e.Sillas[2].Dejada);
        d.Atender("Chat Ana: Brintal: Beto dejó la Silla 4.");  // a person's words are only chat
        QVERIFY(!e.Sillas[4].Dejada);
        QVERIFY(salon.OfrecerSilla(2));
        QCOMPARE(h.cajas.back().Mensaje, QStringLiteral("Beto dejó la Silla 2.\n\n¿Deseas que Compu 2 ocupe su lugar?"));
        QCOMPARE(h.enviados.last(), QStringLiteral("Silla2\r\nNombre2 Compu 2\r\nHoC  2 C"));
        d.Atender("Local 2");
        QCOMPARE(e.Jugadores[2].LoR, Donde::Local);
        d.Atender("Nombre2 Compu 2");
        QVERIFY(!e.Sillas[2].Dejada);
        QVERIFY(!salon.OfrecerSilla(2));
    }
};

QTEST_GUILESS_MAIN(PruebaEnlace)
#include "PruebaEnlace.moc"
