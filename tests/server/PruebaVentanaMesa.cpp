// The owner's window: its lists are the game's, and a change reaches a
// connected client at once and is stored for the next run.

#include "server/AlmacenOpciones.h"
#include "server/Servidor.h"
#include "server/VentanaMesa.h"

#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSpinBox>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>

class PruebaVentanaMesa : public QObject {
    Q_OBJECT
private slots:
    void cambioLlegaYSeGuarda() {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("opciones.txt");
        qputenv("BRINTAL_OPCIONES", archivo.toUtf8());
        AlmacenOpciones almacen;
        QCOMPARE(almacen.Archivo(), archivo);

        Servidor servidor{OpcionesMesa()};
        QVERIFY(servidor.Escuchar(0, nullptr, nullptr));
        VentanaMesa ventana(&servidor, &almacen);
        QCOMPARE(ventana.windowTitle(), QString("La Mesa de Juego"));

        auto* nivel = ventana.findChild<QComboBox*>("cboNivel");
        auto* salida = ventana.findChild<QComboBox*>("cboSalida");
        auto* puntos = ventana.findChild<QSpinBox*>("txtPuntos");
        auto* vista = ventana.findChild<QComboBox*>("cboVista");
        QVERIFY(nivel && salida && puntos && vista);
        QCOMPARE(nivel->currentText(), QString("Intermedio"));
        QCOMPARE(salida->itemText(2), QString("Jugador a la derecha!"));
        QCOMPARE(vista->currentText(), QString("Todas las fichas"));

        QTcpSocket cliente;
        cliente.connectToHost(QHostAddress::LocalHost, servidor.Puerto());
        QByteArray leido;
        QTRY_VERIFY((leido += cliente.readAll()).count('\n') == 9);
        leido.clear();

        nivel->setCurrentIndex(3);
        puntos->setValue(250);
        vista->setCurrentIndex(1);
        QTRY_COMPARE((leido += cliente.readAll()),
                     QByteArray("Mesa Nivel  =U\r\nMesa Puntos =250\r\nMesa Vista  =S\r\n"));

        OpcionesMesa guardadas;
        QVERIFY(almacen.Cargar(&guardadas).isEmpty());
        QCOMPARE(guardadas.Valor("Nivel"), QString("U"));
        QCOMPARE(guardadas.Valor("Puntos"), QString("250"));
        QCOMPARE(guardadas.Valor("Salida"), QString("PG"));
        QCOMPARE(guardadas.Valor("Vista"), QString("S"));
    }

    void muestraElPuertoYLineasEnteras() {
        Servidor servidor{OpcionesMesa()};
        QVERIFY(servidor.Escuchar(0, nullptr, nullptr));
        AlmacenOpciones almacen;
        VentanaMesa ventana(&servidor, &almacen);
        ventana.show();
        auto* puerto = ventana.findChild<QLabel*>("lblPuerto");
        QVERIFY(puerto && puerto->isVisible());
        QCOMPARE(puerto->text(), QString("Mesa abierta en el puerto %1").arg(servidor.Puerto()));
        // A long line of the log wraps: none of it lies beyond the window.
        auto* registro = ventana.findChild<QPlainTextEdit*>();
        QVERIFY(registro);
        ventana.Registrar(QString("el sistema no permite abrir el puerto 1009 sin privilegios; escucho en el 11009. ")
                              .repeated(3));
        QCOMPARE(registro->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(registro->horizontalScrollBar()->maximum(), 0);
    }
};

QTEST_MAIN(PruebaVentanaMesa)
#include "PruebaVentanaMesa.moc"
