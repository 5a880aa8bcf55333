// The options form shows the table's record by its texts.
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/quimbolo/frmOpciones.h"

class PruebaOpciones : public QObject {
    Q_OBJECT
private slots:
    void muestraLosCodigos()
    {
        OpcionesJuego o;
        o.Nivel = 'U';
        o.Salida = "JD";
        o.AoC = 'A';
        o.AcuPtos = 1;
        o.Cierre = "GN";
        o.Puntos = 250;
        o.Tiempo1 = 7;
        o.Tiempo2 = 31;
        o.Vista = 'S';
        frmOpciones f(o);
        QCOMPARE(f.cboNivel->currentText(), QString("Ultra!"));
        QCOMPARE(f.cboSalida->currentText(), QString("Jugador a la derecha!"));
        QCOMPARE(f.cboAoC->currentText(), QString("Abiertas!"));
        QCOMPARE(f.cboPuntos->currentText(), QString("Ambas parejas!"));
        QCOMPARE(f.cboCierre->currentText(), QString("Gana quien no cierra"));
        QCOMPARE(f.txtPuntos->text(), QString("250"));
        QCOMPARE(f.txtTiempo1->text(), QString("7"));
        QCOMPARE(f.txtTiempo2->text(), QString("31"));
        QCOMPARE(f.cboVista->currentText(), QString("Solo lo que sabe cada silla"));
        QCOMPARE(f.cboCierre->count(), 4);
        QCOMPARE(f.cboCierre->itemText(3), QString("Se anula la mano!"));
    }

    void codigoDesconocidoSinSeleccion()
    {
        OpcionesJuego o;
        o.Cierre = "XX";
        o.Nivel = 'Z';
        o.AcuPtos = 5;
        frmOpciones f(o);
        QCOMPARE(f.cboCierre->currentIndex(), -1);
        QCOMPARE(f.cboNivel->currentIndex(), -1);
        QCOMPARE(f.cboPuntos->currentIndex(), -1);
        QCOMPARE(f.cboSalida->currentText(), QString("Pareja ganadora"));
    }

    void nadaParaElegir()
    {
        // Every row shows its value as text; no list or box invites a change.
        OpcionesJuego o;
        o.Nivel = 'U';
        o.Cierre = "XX";
        o.Tiempo2 = 31;
        frmOpciones f(o);
        f.show();
        for (QWidget* w : f.findChildren<QWidget*>())
            if (qobject_cast<QComboBox*>(w) || qobject_cast<QLineEdit*>(w))
                QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
        auto valor = [&](const char* nombre) {
            auto* l = f.findChild<QLabel*>(QLatin1String(nombre) + QLatin1String("Valor"));
            return l && l->isVisible() ? l->text() : QStringLiteral("(no está)");
        };
        QCOMPARE(valor("cboNivel"), QStringLiteral("Ultra!"));
        QCOMPARE(valor("cboCierre"), QStringLiteral("—"));
        QCOMPARE(valor("txtTiempo2"), QStringLiteral("31"));
        const auto controles = f.findChildren<QComboBox*>(Qt::FindDirectChildrenOnly).size()
                               + f.findChildren<QLineEdit*>(Qt::FindDirectChildrenOnly).size();
        QCOMPARE(f.findChildren<QLabel*>(QRegularExpression("Valor$")).size(), controles);
    }
};

QTEST_MAIN(PruebaOpciones)
#include "PruebaOpciones.moc"
