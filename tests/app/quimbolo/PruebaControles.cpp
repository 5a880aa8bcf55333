// The game window's controls as the hand flow drives them through its host.
#include <QLabel>
#include <QPushButton>
#include <QtTest>

#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"

class PruebaControles : public QObject {
    Q_OBJECT
private slots:
    void controlesDelFlujo()
    {
        QTemporaryDir carpeta;
        Sesion s(carpeta.path() + "/");
        s.E.Jugadores[1] = Jugador{};
        s.E.Jugadores[1].Nombre = "Ana";
        s.E.Jugadores[1].LoR = Donde::Local;
        s.E.Jugadores[3].Nombre = "Luis";
        s.E.Jugadores[3].LoR = Donde::Local;
        s.E.Jugadores[2].Nombre = "Compu 2";
        s.E.Jugadores[2].HoC = Quien::Computadora;
        s.E.Opciones.Nivel = 'A';
        frmDomino v(s);

        // Loading builds the title from this machine's people and the level.
        QCOMPARE(s.E.TituloMesa, QString("Quimbolo v.1.0.0. Mesa 1. Ana. Luis. "));
        QCOMPARE(s.E.NombreLocal, QString("Luis"));
        QCOMPARE(s.E.ParamNivel, 26);
        QCOMPARE(v.Panel(4)->lblNombre->text(), QString("Jugador 4"));

        Anfitrion& a = s.A;
        a.Titulo(s.E.TituloMesa + "Turno Local de Ana ...");
        QCOMPARE(v.windowTitle(), QString("Quimbolo v.1.0.0. Mesa 1. Ana. Luis. Turno Local de Ana ..."));

        a.Boton(Control::bAzar, 3, Accion::Mostrar);
        QVERIFY(!v.bAzar[3]->isHidden());
        QVERIFY(v.bAzar[1]->isHidden());
        a.Boton(Control::bNoSalir, 2, Accion::Texto, "¿Sales o salgo?");
        QCOMPARE(v.bNoSalir[2]->text(), QString("¿Sales o salgo?"));
        a.Boton(Control::SumPuntos, 4, Accion::Texto, "21");
        a.Boton(Control::SumPuntos, 4, Accion::Mostrar);
        QCOMPARE(v.Panel(4)->SumPuntos->text(), QString("21"));
        QVERIFY(!v.Panel(4)->SumPuntos->isHidden());
        a.Boton(Control::bConsejo, 0, Accion::Habilitar);
        QVERIFY(v.bConsejo->isEnabled());
        a.Boton(Control::bAtras, 0, Accion::Mostrar);
        a.Boton(Control::bAtras, 0, Accion::Deshabilitar);
        QVERIFY(!v.bAtras->isHidden() && !v.bAtras->isEnabled());
    }
};

QTEST_MAIN(PruebaControles)
#include "PruebaControles.moc"
