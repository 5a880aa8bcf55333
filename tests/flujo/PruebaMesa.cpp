// The hand flow as the table drives it: undo that every copy applies to the
// same play, advice only for a person on that person's own turn, the merit
// that travels with a received play, hands that name another seat's tile,
// and a seat left by its person and taken by this copy's computer.

#include <QtTest>

#include "flujo/Juego.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Mesas.h"

namespace {

struct Flujo {
    Estado e;
    AnfitrionPrueba h;
    Juego j{e, h};
    Flujo(const char* s1, const char* s2, const char* s3, const char* s4) { Sillas(e, s1, s2, s3, s4); }

    // Each seat has one tile that fits at its turn: 6-6 leads, then 5-6, 4-6
    // on the other six, 3-4, and 1-5 for seat 1 again. The second tiles
    // (0-0, 0-1, 0-2) fit nowhere before that.
    void Mesa()
    {
        VaciarMesa(e);
        Dar(e, 1, {0, 17});
        Dar(e, 2, {7, 6});
        Dar(e, 3, {8, 27});
        Dar(e, 4, {15, 26});
        EnJuego(e, 1, 0, 0, 0);
        j.IniciarLinea();
    }
    Extremo PuntaCon(int valor) const { return e.ValorDer == valor ? Extremo::Der : Extremo::Izq; }
    bool Habilitado(const char* control) const
    {
        const QStringList b = h.Botones.filter(QLatin1String(control) + QLatin1String(" 0 "));
        const QStringList estado = b.filter(QRegularExpression(" (Habilitar|Deshabilitar)$"));
        return !estado.isEmpty() && estado.last().endsWith(QLatin1String(" Habilitar"));
    }
};

}  // namespace

class PruebaMesa : public QObject {
    Q_OBJECT

private slots:
    // Neither undo nor advice can act while this machine's computers play:
    // both come back only when the turn is the person's again.
    void atrasYConsejoSoloConElFlujoQuieto()
    {
        Flujo f("LH", "LC", "LC", "LC");
        f.Mesa();
        bool puedoDurante = false, botonDurante = false;
        f.h.Gancho = [&] {
            if (f.e.Turno != 1) {
                puedoDurante = puedoDurante || f.j.PuedeRegresar() || f.j.PuedeAconsejar();
                botonDurante = botonDurante || f.Habilitado("bAtras") || f.Habilitado("bConsejo");
            }
        };
        f.j.JugarTiro(0, Extremo::Der);
        QCOMPARE(f.e.NumTiro, 4);
        QCOMPARE(f.e.Turno, 1);
        QVERIFY(!puedoDurante);
        QVERIFY(!botonDurante);
        QVERIFY(f.j.PuedeRegresar());
        QVERIFY(f.j.PuedeAconsejar());
        QVERIFY(f.Habilitado("bAtras"));
        QVERIFY(f.Habilitado("bConsejo"));

        // After an undo a computer of this machine is to move and idle: it can
        // be taken back further, but there is no advice for it.
        f.j.RegresarTurno();
        QCOMPARE(f.e.Turno, 4);
        QVERIFY(f.j.PuedeRegresar());
        QVERIFY(!f.j.PuedeAconsejar());
        QVERIFY(!f.Habilitado("bConsejo"));
    }

    // "Atras" of the person at another copy arrives while this copy's computer
    // is still laying the play that person wants back: it is applied once the
    // chain stops, to that same play, with no timer left running.
    void atrasRecibidoDuranteLaComputadora()
    {
        Flujo f("RH", "LC", "RC", "LC");
        f.Mesa();
        f.e.TiroRecibido[1] = 0;
        f.e.PuntaRecibida[1] = Extremo::Der;
        f.j.JugarTiro(0, Extremo::Der);  // seat 1's lead, then seat 2 plays here
        QCOMPARE(f.e.NumTiro, 2);
        QCOMPARE(f.e.Turno, 3);
        bool entregado = false;
        f.h.Gancho = [&] {
            // Seat 4's play is laid and sent; its pauses are still running.
            if (!entregado && f.e.NumTiro == 4) {
                entregado = true;
                f.j.AtrasRecibido(1);
            }
        };
        f.j.JugarTiro(8, f.PuntaCon(6));  // seat 3's play arrives; seat 4 plays here
        QVERIFY(entregado);
        QCOMPARE(f.e.NumTiro, 3);
        QCOMPARE(f.e.Fichas[15].Lugar, 'D');  // seat 4's 3-4 is back in its hand
        QCOMPARE(f.e.Turno, 4);
        QCOMPARE(f.h.Pendientes(), 0);

        // Undos nobody could have asked for (seat 1 is not to move) change nothing.
        for (int i = 0; i < 30; ++i)
            f.j.AtrasRecibido(1);
        QCOMPARE(f.e.NumTiro, 3);
        QCOMPARE(f.h.Anotaciones.size(), 30);
    }

    // A play that arrived early is laid later by the turn cycle with the merit
    // it carried; a merit of an earlier hand never survives the next pick.
    void meritoViajaConLaJugada()
    {
        Flujo f("RC", "LC", "RC", "RC");
        f.Mesa();
        f.e.MeritoTurno[5] = " 9.99";
        f.h.Gancho = [&] {
            if (f.e.NumTiro == 2 && f.e.PuntaRecibida[3] == Extremo::Ninguno) {
                f.e.TiroRecibido[3] = 8;
                f.e.PuntaRecibida[3] = f.PuntaCon(6);
                f.e.MeritoRecibido[3] = "-0.33";
            }
        };
        f.e.MeritoRecibido[1] = " 1.50";
        f.j.JugarTiro(0, Extremo::Der);
        QVERIFY(f.e.NumTiro >= 3);
        QCOMPARE(f.e.HistFicha[3], 8);
        QCOMPARE(f.e.MeritoTurno[1], QStringLiteral(" 1.50"));
        QCOMPARE(f.e.MeritoTurno[3], QStringLiteral("-0.33"));

        Flujo g("LC", "LC", "LC", "LC");
        g.e.MeritoTurno[5] = " 9.99";
        g.e.MeritoRecibido[5] = " 9.99";
        g.e.Opciones.AoC = 'A';
        g.j.Repartir();
        QCOMPARE(g.e.MeritoTurno[5], QString());
        QCOMPARE(g.e.MeritoRecibido[5], QString());
        QVERIFY(!g.Habilitado("bConsejo"));
    }

    // A hand line naming a tile another seat holds is not taken: that slot
    // counts as not received, and the other seat keeps its tile.
    void manoConFichaAjena()
    {
        Flujo f("LC", "RH", "LC", "LC");
        for (Ficha& t : f.e.Fichas) {
            t.Libre = true;
            t.Dueno = 0;
            t.Lugar = 'R';
        }
        f.e.Fichas[4].Libre = false;
        f.e.Fichas[4].Dueno = 1;
        f.e.Fichas[4].Lugar = 'D';
        f.e.Sillas[2].DigitosMano = "04101112131415";
        f.j.ReconstruirMano(2);
        QCOMPARE(f.e.Jugadores[2].NumFichas, 6);
        QCOMPARE(f.e.Fichas[4].Dueno, 1);
        QCOMPARE(f.h.Anotaciones.size(), 1);
        // Only ASCII digits name a tile.
        f.e.Sillas[2].DigitosMano = QStringLiteral("١٠101112131415");
        f.j.ReconstruirMano(2);
        QCOMPARE(f.e.Jugadores[2].NumFichas, 6);
    }

    // A seat whose person left: the caption says the table waits for it; once
    // the table grants it to this copy, its computer plays from where it stands
    // (in play, in the pick, or at the end of the hand).
    void sillaDejadaLaTomaLaComputadora()
    {
        Flujo f("LC", "RH", "RC", "RC");
        f.Mesa();
        f.j.JugarTiro(0, Extremo::Der);
        QCOMPARE(f.e.Turno, 2);
        f.e.Sillas[2].Dejada = true;
        f.j.SillaDejada(2);
        QVERIFY(f.h.Titulos.last().contains("dejó la Silla 2"));
        f.e.Jugadores[2].LoR = Donde::Local;  // the grant
        f.j.SillaRecuperada(2);
        QCOMPARE(f.e.Jugadores[2].HoC, Quien::Computadora);
        QCOMPARE(f.e.HistJugador[2], 2);
        QCOMPARE(f.e.NumTiro, 2);
        QVERIFY(f.h.Enviados.filter(QRegularExpression("^Tiro 02 2 ")).size() == 1);

        // In the pick: the seat awaited becomes this copy's and draws its own.
        Flujo p("LC", "RH", "LC", "LC");
        p.e.Opciones.AoC = 'A';
        p.h.Gancho = [&] {
            if (p.e.Jugadores[2].LoR == Donde::Remota && p.e.Jugadores[1].NumFichas == 7) {
                p.e.Jugadores[2].LoR = Donde::Local;
                p.j.SillaRecuperada(2);
            }
        };
        p.j.Repartir();
        QCOMPARE(p.e.Jugadores[2].NumFichas, 7);
        QVERIFY(p.h.Enviados.filter(QRegularExpression("^Fichas2 ")).size() == 1);

        // At the end of a hand: this copy sends the seat's "FIN".
        Flujo t("LC", "RH", "LC", "LC");
        t.e.ManoTerminada = true;
        t.e.Jugadores[2].LoR = Donde::Local;
        t.j.SillaRecuperada(2);
        QCOMPARE(t.e.Sillas[2].MarcaFin, QStringLiteral("FIN"));
        QCOMPARE(t.h.Enviados, QStringList{"FIN  2"});
    }

    // A lost table ends the partida: every wait ends and no hand starts again.
    void mesaPerdidaTerminaLaPartida()
    {
        Flujo f("LH", "RC", "LC", "LC");
        f.h.Gancho = [&] {
            if (f.e.FaseMano == Fase::Repartiendo)
                f.j.Abandonar();
        };
        f.j.IniciarPartida();
        QVERIFY(f.j.Abandonada());
        QCOMPARE(f.h.Pendientes(), 0);
        QVERIFY(!f.h.Agotado);
        QVERIFY(!f.j.PuedeAconsejar());
    }
};

QTEST_GUILESS_MAIN(PruebaMesa)
#include "PruebaMesa.moc"
