// What a copy tells the table: each event of the hand flow becomes one line
// that the other end reads back as the same fact, and the test host records
// exactly the lines a host at a table sends (the flow's tests trust it).

#include <QtTest>

#include "net/AnfitrionMesa.h"
#include "protocolo/Protocolo.h"
#include "tests/support/AnfitrionPrueba.h"

namespace {

struct AnfitrionGrabador : AnfitrionMesa {
    QStringList lineas;
    double Reloj() override { return 0; }
    void Ceder() override {}
    void Pausa(double) override {}
    void Programar(std::function<void()> f) override { f(); }
    void Enviar(const QString& l) override { lineas << l; }
};

// One of every event, with values that tell the fields apart.
void Contar(Anfitrion& a)
{
    const std::array<int, 7> mano{27, 0, 13, 4, 9, 21, 16};
    a.FichasTomadas(3, mano);
    a.JugadaHecha(12, 2, 19, Extremo::Izq, QStringLiteral("-0.25"));
    a.NoSale(3, 1);
    a.TurnoRegresado(2);
    a.FinDeMano(4);
    a.ManoRepetida();
    const std::array<int, 3> fichas{13, 2, 27};
    const std::array<Extremo, 3> puntas{Extremo::Der, Extremo::Izq, Extremo::Der};
    a.JugadasRepetidas(3, fichas, puntas);
}

template <class T>
T Leida(const QString& linea)
{
    const protocolo::Lectura l = protocolo::Leer(linea);
    if (!l.mensaje || !std::holds_alternative<T>(*l.mensaje))
        qFatal("no se lee: %s (%s)", qPrintable(linea), qPrintable(l.motivo));
    return std::get<T>(*l.mensaje);
}

}  // namespace

class PruebaAnfitrionMesa : public QObject {
    Q_OBJECT

private slots:
    void cadaEventoSeLeeComoElMismoHecho()
    {
        AnfitrionGrabador a;
        Contar(a);
        QCOMPARE(a.lineas.size(), 7);

        const auto fichas = Leida<protocolo::Fichas>(a.lineas[0]);
        QCOMPARE(fichas.silla, 3);
        QCOMPARE(fichas.digitos, QStringLiteral("27001304092116"));

        const auto tiro = Leida<protocolo::Tiro>(a.lineas[1]);
        QCOMPARE(std::tuple(tiro.numero, tiro.silla, tiro.ficha), std::tuple(12, 2, 19));
        QCOMPARE(tiro.punta, QStringLiteral("IZQ"));
        QCOMPARE(tiro.merito, QStringLiteral("-0.25"));

        // A declined lead travels as a play of no tile, minus the seat that
        // passed, in its partner's turn; the table credits the passing seat.
        const auto paso = Leida<protocolo::Tiro>(a.lineas[2]);
        QCOMPARE(std::tuple(paso.silla, paso.ficha), std::tuple(3, -1));
        QCOMPARE(paso.punta, QStringLiteral("NUL"));
        QCOMPARE(protocolo::LeerDeCliente(a.lineas[2]).silla, 1);

        QCOMPARE(Leida<protocolo::Atras>(a.lineas[3]).silla, 2);
        QCOMPARE(Leida<protocolo::Fin>(a.lineas[4]).silla, 4);
        Leida<protocolo::Repet>(a.lineas[5]);
        const auto memo = Leida<protocolo::Memo>(a.lineas[6]);
        QCOMPARE(memo.salidor, 3);
        QCOMPARE(memo.fichas, QList<int>({13, 2, 27}));
        QCOMPARE(memo.puntas, QStringList({"DER", "IZQ", "DER"}));
    }

    void laPruebaGrabaLoQueLaMesaRecibe()
    {
        AnfitrionGrabador mesa;
        AnfitrionPrueba prueba;
        Contar(mesa);
        Contar(prueba);
        QCOMPARE(prueba.Enviados, mesa.lineas);
    }
};

QTEST_MAIN(PruebaAnfitrionMesa)
#include "PruebaAnfitrionMesa.moc"
