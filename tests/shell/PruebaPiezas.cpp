// The shell pieces every window relies on: the message box, the waits, the
// program folder and the single-copy lock.
#include <QApplication>
#include <QLabel>
#include <QTextBrowser>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "shell/Ayuda.h"
#include "shell/Caratula.h"
#include "shell/CarpetaApp.h"
#include "shell/MensaBox.h"
#include "shell/Pausa.h"

namespace {
// Runs `accion` on the message box once it is on screen.
void AlAbrirse(std::function<void(MensaBox*)> accion)
{
    QTimer::singleShot(0, [accion] {
        auto* caja = qobject_cast<MensaBox*>(QApplication::activeModalWidget());
        QVERIFY(caja);
        accion(caja);
    });
}
}  // namespace

class PruebaPiezas : public QObject {
    Q_OBJECT
private slots:
    void init() { ReiniciarCierre(); }

    void mensaBoxRespuestas_data()
    {
        QTest::addColumn<int>("botones");
        QTest::addColumn<QString>("boton");
        QTest::addColumn<int>("respuesta");
        QTest::newRow("aceptar") << 0 << "cmdOK" << 1;
        QTest::newRow("cancelar") << 1 << "cmdCancel" << 2;
        QTest::newRow("detalles") << 99 << "cmdMore" << 99;
    }
    void mensaBoxRespuestas()
    {
        QFETCH(int, botones);
        QFETCH(QString, boton);
        QFETCH(int, respuesta);
        AlAbrirse([boton](MensaBox* caja) {
            auto* b = caja->findChild<QPushButton*>(boton);
            QVERIFY(b && b->isVisible());
            b->click();
        });
        QCOMPARE(MensaBox::Preguntar(Mensa("¿Seguro?", 32, botones, 0, 7)), respuesta);
    }

    void mensaBoxTiempoDaDefault()
    {
        // Nobody answers: the time-out gives Default, whatever the buttons.
        QCOMPARE(MensaBox::Preguntar(Mensa("Se cierra sola", 48, 0, 0.05, 2)), 2);
        QCOMPARE(MensaBox::Preguntar(Mensa("Se cierra sola", 64, 1, 0.05, 1)), 1);
        QCOMPARE(MensaBox::Preguntar(Mensa("Sin botones", 5, 7, 0.05, 0)), 0);
    }

    void mensaBoxBotonesVisibles()
    {
        struct Caso { int botones; bool ok, cancel, more; };
        for (Caso c : {Caso{0, true, false, false}, Caso{1, true, true, false}, Caso{99, true, false, true},
                       Caso{3, false, false, false}}) {
            MensaBox caja(Mensa("Texto", 16, c.botones, 0));
            caja.show();
            QCOMPARE(caja.cmdOK()->isVisible(), c.ok);
            QCOMPARE(caja.cmdCancel()->isVisible(), c.cancel);
            QCOMPARE(caja.cmdMore()->isVisible(), c.more);
        }
        MensaBox sinIcono(Mensa("Texto", 17, 0, 0));
        sinIcono.show();
        QVERIFY(!sinIcono.Icono()->isVisible());
        MensaBox critico(Mensa("Texto", 16, 0, 0));
        critico.show();
        QVERIFY(critico.Icono()->isVisible());
        QCOMPARE(critico.Icono()->objectName(), QString("imgCritical"));
    }

    void mensaBoxTamanos()
    {
        // 1500 twips wider and 1710 taller than the text, at 15 twips a pixel,
        // for one short line and for several lines alike.
        for (const char* texto : {"Hola", "Una línea\n\nOtra línea bastante más larga que la primera\nFin"}) {
            MensaBox caja(Mensa(QString::fromUtf8(texto), 64, 1, 0, 1, "Tahoma"));
            const QSize l = caja.Label1()->size();
            QCOMPARE(caja.width(), (l.width() * 15 + 1500 + 7) / 15);
            QCOMPARE(caja.height(), (l.height() * 15 + 1710 + 7) / 15);
            const int w = l.width() * 15;
            const int arriba = (l.height() * 15 + 1710 - 960 + 7) / 15;
            QCOMPARE(caja.cmdOK()->y(), arriba);
            QCOMPARE(caja.cmdCancel()->y(), arriba);
            QCOMPARE(caja.cmdOK()->x(), qRound((w * 0.21 + 960 - 450) / 15));
            QCOMPARE(caja.cmdCancel()->x(), qRound((w * 0.79 + 960 - 450) / 15));
        }
    }

    void mensaBoxLargaYConTitular()
    {
        // A file error naming a deep path: wrapped at the limit, the whole
        // path still there to read, the box nowhere near the screen's width.
        const QString ruta = QStringLiteral("/home/ana/") + QString(30, 'x') + QStringLiteral("/") + QString(40, 'y')
                             + QStringLiteral("/JGO/Anterior.Jgo");
        const QString texto = QStringLiteral("No se pudo guardar la mano.\nNo se puede escribir «") + ruta
                              + QStringLiteral("»: no hay permiso para escribir en la carpeta.");
        MensaBox larga(Mensa(texto, 48, 0, 0));
        QVERIFY(larga.Label1()->wordWrap());
        QVERIFY(larga.Label1()->width() <= MensaBox::kAnchoMaximo);
        QVERIFY(larga.width() <= MensaBox::kAnchoMaximo + 100);
        QCOMPARE(QString(larga.Label1()->text()).remove(QChar(0x200B)), texto);
        // A short text keeps the historical layout: no wrapping at all.
        MensaBox corta(Mensa("Hola", 48, 0, 0));
        QVERIFY(!corta.Label1()->wordWrap());

        // The headline sits above the text and the box grows by its height.
        Mensaje m = Mensa("Ana: ¡Me Fuí!", 64, 0, 0, 1, "Courier New");
        const int sinTitular = MensaBox(m).height();
        m.Titular = QStringLiteral("Ganan Ana y Compu 3");
        MensaBox con(m);
        QVERIFY(con.Titular());
        QCOMPARE(con.Titular()->text(), m.Titular);
        QVERIFY(con.Titular()->geometry().bottom() < con.Label1()->y());
        QCOMPARE(con.height(), sinTitular + con.Label1()->y() - MensaBox(Mensa("x", 64, 0, 0)).Label1()->y());
    }

    void mensaBoxFuente()
    {
        MensaBox propia(Mensa("x", 0, 0, 0, 1, "Courier New"));
        QCOMPARE(propia.Label1()->font().family(), QString("Courier New"));
        MensaBox forma(Mensa("x", 0, 0, 0, 1, QString()));
        QCOMPARE(forma.Label1()->font().family(), QString("Calibri"));
    }

    void pausaSinTiempoNoSirveEventos()
    {
        // 0 and below return at once: not even pending events get served.
        bool corrio = false;
        QTimer::singleShot(0, [&] { corrio = true; });
        Pausa(0);
        Pausa(-1);
        QVERIFY(!corrio);
        Pausa(0.02);
        QVERIFY(corrio);
    }

    void cierreTerminaLaEspera()
    {
        // A long wait ends as soon as the program starts to close, and waits
        // and message boxes after that return at once.
        QTimer::singleShot(10, [] { AvisarCierre(); });
        Pausa(3600);
        QVERIFY(Cerrando());
        Pausa(3600);
        QCOMPARE(MensaBox::Preguntar(Mensa("nadie la ve", 0, 1, 0, 2)), 2);
    }

    void carpeta()
    {
        const QString s = QDir::separator();
        QCOMPARE(NormalizarCarpeta("  /opt/Quimbolo  "), "/opt/Quimbolo" + s);
        QCOMPARE(NormalizarCarpeta("/opt/Quimbolo/"), QString("/opt/Quimbolo/"));
        QCOMPARE(NormalizarCarpeta("C:"), QString("C:"));
        QCOMPARE(NormalizarCarpeta("C:\\Juegos\\"), QString("C:\\Juegos\\"));
        QVERIFY(CarpetaApp().endsWith(s));
    }

    void caratulaSeCierra()
    {
        // A key or a click closes it at once; otherwise its four-second timer.
        for (int forma = 0; forma < 2; ++forma) {
            Caratula c;
            QTimer::singleShot(0, &c, [&] {
                QVERIFY(c.isVisible());
                QVERIFY(c.Timer1()->isActive());
                QCOMPARE(c.Timer1()->interval(), Caratula::kMilisegundos);
                if (forma == 0)
                    QTest::keyClick(&c, Qt::Key_Space);
                else
                    QTest::mouseClick(&c, Qt::LeftButton);
            });
            c.Mostrar();
            QVERIFY(!c.isVisible());
            QVERIFY(!c.Timer1()->isActive());
        }
        QCOMPARE(Caratula::kMilisegundos, 4000);
    }

    void ayuda()
    {
        // The help installed beside the program explains the controls.
        const QString archivo = QDir(qEnvironmentVariable("QUIMBOLO_CARPETA")).filePath(kArchivoAyuda);
        QVERIFY(QFile::exists(archivo));
        VentanaAyuda v(archivo);
        const QString texto = v.Texto()->toPlainText();
        for (const char* clave : {"Al azar", "Consejo", "Atrás", "Opciones de Juego", "Iniciar la Partida",
                                  "Gana quien no cierra", "¡Me Fuí!", "en 2D", "Marcador"})
            QVERIFY2(texto.contains(QString::fromUtf8(clave)), clave);

        // F1 anywhere opens the program's help window.
        InstalarAyudaF1();
        QWidget cualquiera;
        cualquiera.show();
        QTest::keyClick(&cualquiera, Qt::Key_F1);
        bool abierta = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            abierta |= qobject_cast<VentanaAyuda*>(w) && w->isVisible();
        QVERIFY(abierta);
    }
};

QTEST_MAIN(PruebaPiezas)
#include "PruebaPiezas.moc"
