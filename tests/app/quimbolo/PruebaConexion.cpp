// The connect dialog and the lobby against a real table server: the three
// choices, a refused address, starting brintal for local play, taking a seat
// and starting with the computer in the free seats.
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QtTest>

#include "Contestador.h"
#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmConnect.h"
#include "app/quimbolo/frmMesa.h"
#include "shell/Pausa.h"
#include "tests/support/BrintalPrueba.h"

class PruebaConexion : public QObject {
    Q_OBJECT
private slots:
    void init() { ReiniciarCierre(); }

    void opcionesDelDialogo()
    {
        QTemporaryDir carpeta;
        Sesion s(carpeta.path() + "/");
        frmConnect f(s.Conector, s.D);
        f.show();
        QCOMPARE(f.windowTitle(), QString("Conectar con una Mesa de Juego"));
        QVERIFY(f.opLocal->isChecked());
        QCOMPARE(f.txtIPMesa->text(), QString("192.168.0.1"));
        QVERIFY(!f.txtIPMesa->isEnabled());
        QVERIFY(!f.lblIPMesa->isEnabled());
        f.opRed->click();
        QVERIFY(f.txtIPMesa->isEnabled() && f.lblIPMesa->isEnabled());
        QVERIFY(f.lblIPMesa->text().contains("IP:PUERTO"));
        f.opMesaPropia->click();
        QVERIFY(!f.txtIPMesa->isEnabled());
        QCOMPARE(f.cmdConectar->text(), QString("Continuar"));
        QCOMPARE(f.opRed->text(), QString("Sí, jugaré en una mesa de juego ya existente cuya dirección IP es: "));
    }

    void direccionSinMesa()
    {
        // Nothing listens there: the message names the address and no
        // program is started.
        QTemporaryDir carpeta;
        Sesion s(carpeta.path() + "/");
        s.Conector.ProgramaBrintal = "/no/existe/brintal";
        Contestador c;
        frmConnect f(s.Conector, s.D);
        f.show();
        f.opRed->click();
        const PuertoCerrado cerrado;
        const QString direccion = QStringLiteral("127.0.0.1:%1").arg(cerrado.Puerto());
        f.txtIPMesa->setText(direccion);
        QSignalSpy fallido(&s.Conector, &ConectorMesa::Fallido);
        f.cmdConectar->click();
        QTRY_COMPARE_WITH_TIMEOUT(fallido.count(), 1, 10000);
        QTRY_COMPARE(c.Textos.size(), 1);
        QVERIFY(c.Textos[0].startsWith("No se pudo encontrar la mesa de juego en la dirección 127.0.0.1"));
        QVERIFY(c.Textos[0].endsWith("Verifica que el programa Brintal esté ejecutándose en ese servidor."));
        QCOMPARE(s.Conector.PidBrintal, 0);
    }

    void mesaLocalYSalon()
    {
        if (!QFile::exists(BrintalPrueba::Programa()))
            QSKIP("brintal no está construido");
        QTemporaryDir carpeta;
        Sesion s(carpeta.path() + "/");
        // Nothing listens until the dialog starts brintal.
        const PuertoCerrado cerrado;
        s.Conector.PuertoMesa = s.Conector.PuertoAlterno = cerrado.Puerto();
        BrintalPrueba brintal;
        s.Conector.ArrancarBrintal = [&](qint64* pid) {
            if (!brintal.Arrancar())
                return false;
            *pid = brintal.Proceso().processId();
            s.Conector.PuertoMesa = s.Conector.PuertoAlterno = brintal.Puerto();
            return true;
        };
        s.Conector.PausaMs = 100;
        s.Conector.MaxIntentos = 100;
        Contestador c;
        frmConnect f(s.Conector, s.D);
        f.txtIPMesa->setText("10.1.2.3");

        // The lobby runs modally inside the connection step; the steps of the
        // person are played from the event loop while it is open.
        frmMesa::Final final = frmMesa::Final::Abierta;
        QStringList nombres;
        QString vistas;
        bool tomada = false, iniciada = false;
        QTimer guion;
        guion.setInterval(50);
        connect(&guion, &QTimer::timeout, [&] {
            auto* mesa = qobject_cast<frmMesa*>(QApplication::activeModalWidget());
            if (!mesa)
                return;
            if (!tomada) {
                tomada = true;
                QCOMPARE(mesa->Image1[3]->toolTip(), QString("Silla 3 (Norte)"));
                mesa->txtNombre->setText("  Ana  ");
                mesa->Image1[1]->click();
            } else if (!iniciada && mesa->lblNombre[1]->text() == "Ana") {
                iniciada = true;
                QVERIFY(!mesa->Image1[1]->isEnabled());
                QVERIFY(mesa->Image1[2]->isEnabled());
                mesa->bIniciar->click();
            }
        });
        f.AlConectar = [&] {
            guion.start();
            frmMesa mesa(s.Salon, s.D, &f);
            mesa.exec();
            guion.stop();
            final = mesa.Resultado();
            for (int k = 1; k <= 4; ++k) {
                nombres << mesa.lblNombre[k]->text();
                vistas += QChar::fromLatin1(s.E.Jugadores[k].Vista);
            }
        };
        f.show();
        f.cmdConectar->click();
        QCOMPARE(f.txtIPMesa->text(), QString("127.0.0.1"));
        QTRY_VERIFY_WITH_TIMEOUT(final != frmMesa::Final::Abierta, 60000);
        QCOMPARE(s.Conector.PidBrintal, brintal.Proceso().processId());

        QCOMPARE(final, frmMesa::Final::Jugar);
        QCOMPARE(nombres, QStringList({"Ana", "Compu 2", "Compu 3", "Compu 4"}));
        QVERIFY(c.Textos.contains("Ana ocupará la Silla 1"));
        QVERIFY(c.Textos.contains("La silla 4 está desocupada.\n\nCompu 4 ocupará el lugar."));
        // One person at this computer sees her own tiles; the rest follow the table.
        QCOMPARE(vistas, QString("A") + QString(3, QChar::fromLatin1(s.E.Opciones.AoC)));
        QCOMPARE(s.E.Jugadores[1].LoR, Donde::Local);
        QCOMPARE(s.E.Jugadores[3].HoC, Quien::Computadora);
        QVERIFY(f.lstDataIn->isVisible());
        // Connected, the dialog stays open for the rest of the run.
        f.close();
        f.reject();
        QVERIFY(f.isVisible());
        QVERIFY(f.lstDataIn->count() >= 8);
    }

    void mesaYaIniciada()
    {
        // Joining a table whose partida started before the lobby opened.
        QTemporaryDir carpeta;
        Sesion s(carpeta.path() + "/");
        s.D.Llegada("Nombre1 Ana\r\nNombre2 Luis\r\nNombre3 Eva\r\nNombre4 Juan\r\nInici\r\n");
        QTRY_COMPARE(s.E.Jugadores[4].Nombre, QString("Juan"));
        frmMesa mesa(s.Salon, s.D);
        mesa.exec();
        QCOMPARE(mesa.Resultado(), frmMesa::Final::Jugar);
    }

    void cerrarSalonConSillaLibre()
    {
        // Closing with a free seat asks; leaving the question unanswered leaves.
        QTemporaryDir carpeta;
        Sesion s(carpeta.path() + "/");
        {
            Contestador c;
            c.Elegir = [](const QString&) { return QString(); };
            frmMesa mesa(s.Salon, s.D);
            QTimer::singleShot(0, &mesa, [&] { mesa.close(); });
            mesa.exec();
            QCOMPARE(c.Textos, QStringList{"¿Deseas abandonar la mesa?"});
            QCOMPARE(mesa.Resultado(), frmMesa::Final::Salir);
        }

        // Cancel keeps the lobby open.
        Contestador no;
        no.Elegir = [](const QString&) { return QStringLiteral("cmdCancel"); };
        frmMesa otra(s.Salon, s.D);
        otra.show();
        otra.close();
        QTRY_COMPARE(no.Textos.size(), 1);
        QVERIFY(otra.isVisible());
        QCOMPARE(otra.Resultado(), frmMesa::Final::Abierta);
    }
};

QTEST_MAIN(PruebaConexion)
#include "PruebaConexion.moc"
