// The hand flow piece by piece: pick, lead, fit and placement, passes and
// blocked hands, merits, scoring, undo, and the computer's pacing.

#include <QtTest>

#include "flujo/Posicion.h"
#include "flujo/Juego.h"
#include "rules/Linea.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Mesas.h"

namespace {

// The flow on a table of its own, its host recording what it asks; the
// seats' kinds as Sillas takes them.
struct Flujo {
    Estado e;
    AnfitrionPrueba h;
    Juego j{e, h};
    Flujo() = default;
    Flujo(const char* s1, const char* s2, const char* s3, const char* s4) { Sillas(e, s1, s2, s3, s4); }
};

// Each seat's tiles, the rest of the set out of play.
void Manos(Estado& e, std::initializer_list<int> m1, std::initializer_list<int> m2,
           std::initializer_list<int> m3, std::initializer_list<int> m4)
{
    VaciarMesa(e);
    Dar(e, 1, m1);
    Dar(e, 2, m2);
    Dar(e, 3, m3);
    Dar(e, 4, m4);
}

}  // namespace

class PruebaReglas : public QObject {
    Q_OBJECT

private slots:
    void ordenDeRepartoYSorteoSembrado();
    void tomarFichaRespetaZonasYOrden();
    void eleccionDelSalidor();
    void salidaPasadaAlCompaneroYDeVuelta();
    void encajeYColocacion();
    void giroDeLaLineaEnLosLimites();
    void cierreConElUltimoEnJugarComoCerrador();
    void meritoSegunPronosticos();
    void puntuacionDeDomino();
    void puntuacionDeCierreSegunCierre_data();
    void puntuacionDeCierreSegunCierre();
    void regresarTurnoYMemoria();
    void pausaDeLaComputadora();
    void jugadaRecibidaDuranteUnaPausa();
    void cerrarDuranteUnaEspera();
};

void PruebaReglas::ordenDeRepartoYSorteoSembrado()
{
    auto repartir = [](int numMano, int ganador, QStringList* enviados) {
        Flujo f("LC", "LC", "LC", "LC");
        auto& [e, h, j] = f;
        e.Opciones.AoC = 'A';
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].Semilla = 1000 * s;
        e.NumMano = numMano;
        e.Ganador = ganador;
        e.FaseMano = Fase::Repartiendo;
        j.Repartir();
        *enviados = h.Enviados;
        std::array<int, kNumFichas> cuenta{};
        for (int s = 1; s <= 4; ++s)
            for (int k = 1; k <= 7; ++k)
                ++cuenta[e.Jugadores[s].Mano[k]];
        for (int c : cuenta)
            if (c != 1)
                return Estado();
        return e;
    };
    QStringList enviados;
    const Estado primera = repartir(0, 0, &enviados);
    QCOMPARE(enviados.size(), 4);
    for (int s = 1; s <= 4; ++s) {
        QCOMPARE(primera.Jugadores[s].OrdenReparto, s);
        QVERIFY(enviados[s - 1].startsWith(QStringLiteral("Fichas%1 ").arg(s)));
        QCOMPARE(enviados[s - 1].size(), 22);
    }
    QVERIFY(primera.Jugadores[1].NumFichas == 7);  // every tile dealt once (checked in repartir)

    // A later hand won by seat 3: 3, its partner 1, then 4 and 2.
    const Estado luego = repartir(2, 3, &enviados);
    QCOMPARE(luego.Jugadores[3].OrdenReparto, 1);
    QCOMPARE(luego.Jugadores[1].OrdenReparto, 2);
    QCOMPARE(luego.Jugadores[4].OrdenReparto, 3);
    QCOMPARE(luego.Jugadores[2].OrdenReparto, 4);
    QCOMPARE(enviados[0].left(7), QStringLiteral("Fichas3"));
    QCOMPARE(enviados[3].left(7), QStringLiteral("Fichas2"));

    // The same deal again from the same seeds; the draw seeds with Semilla + NumMano.
    QCOMPARE(repartir(0, 0, &enviados).Jugadores[2].Mano, primera.Jugadores[2].Mano);
    auto sorteo = [](int semilla, int numMano) {
        Flujo f;
        auto& [e, h, j] = f;
        e.Jugadores[1].Semilla = semilla;
        e.NumMano = numMano;
        j.SorteoSembrado(1);
        return e.Jugadores[1].Mano;
    };
    QCOMPARE(sorteo(5, 1), sorteo(6, 0));
    QVERIFY(sorteo(5, 1) != sorteo(5, 2));
}

void PruebaReglas::tomarFichaRespetaZonasYOrden()
{
    Flujo f("LH", "LH", "RC", "RC");
    auto& [e, h, j] = f;
    e.FaseMano = Fase::Repartiendo;
    for (int s = 1; s <= 4; ++s)
        e.Jugadores[s].OrdenReparto = s;
    for (int f = 0; f < 6; ++f)
        j.TomarFicha(f, 0.0f, 0.05f);  // seat 1's edge
    QCOMPARE(e.Jugadores[1].NumFichas, 6);
    j.TomarFicha(10, 0.6f, 0.5f);   // seat 2 before seat 1 is full
    j.TomarFicha(10, 0.0f, 0.5f);   // the middle of the table
    j.TomarFicha(10, 0.6f, 0.05f);  // a corner
    j.TomarFicha(10, -0.6f, 0.5f);  // seat 4, played elsewhere
    j.TomarFicha(3, 0.0f, 0.05f);   // already taken
    QCOMPARE(e.Jugadores[1].NumFichas, 6);
    QCOMPARE(e.Jugadores[2].NumFichas, 0);
    QVERIFY(e.Fichas[10].Libre);
    j.TomarFicha(10, 0.0f, 0.05f);
    j.TomarFicha(11, 0.0f, 0.05f);  // a full seat
    QCOMPARE(e.Jugadores[1].NumFichas, 7);
    QCOMPARE(e.Jugadores[1].Mano[7], 10);
    QVERIFY(e.Fichas[11].Libre);
    j.TomarFicha(11, 0.6f, 0.5f);
    QCOMPARE(e.Jugadores[2].Mano[1], 11);
    QCOMPARE(e.Fichas[11].Dueno, 2);
}

void PruebaReglas::eleccionDelSalidor()
{
    Flujo f("LH", "LH", "RC", "LC");
    auto& [e, h, j] = f;
    e.Fichas[0].Dueno = 3;
    e.Opciones.AoC = 'C';
    j.PrepararSalida();  // first hand: the double six leads
    QCOMPARE(e.NumMano, 1);
    QCOMPARE(e.Turno, 3);
    QCOMPARE(e.Salidor, 3);
    QCOMPARE(h.Titulos.last(), QStringLiteral("Turno Remoto de Carla ..."));

    e.NumMano = 0;
    e.Opciones.AoC = 'A';
    j.PrepararSalida();  // open tiles: seat 1 whoever holds it
    QCOMPARE(e.Turno, 1);

    e.NumMano = 2;
    e.Salidor = 4;
    e.Opciones.Salida = QStringLiteral("JD");
    j.PrepararSalida();  // hand 3, seat 4 led hand 2
    QCOMPARE(e.Turno, 1);

    e.Opciones.Salida = QStringLiteral("JG");
    e.Ganador = 2;
    j.PrepararSalida();
    QCOMPARE(e.Turno, 2);

    // "PG" with a computer partner: the winner leads, no lead choice offered.
    h.Botones.clear();
    e.Opciones.Salida = QStringLiteral("PG");
    j.PrepararSalida();
    QCOMPARE(e.Turno, 2);
    QVERIFY(!h.Botones.contains(QStringLiteral("bNoSalir 2 Mostrar")));
    QVERIFY(h.Botones.contains(QStringLiteral("bNoSalir 2 Texto ¿Sales o salgo?")));
    QVERIFY(h.Botones.contains(QStringLiteral("bNoSalir 4 Texto ¡Sal tú!")));

    // A computer of this machine leading the first hand with closed tiles lays the double six.
    e.Jugadores[4].Vista = 'C';
    e.Turno = 4;
    e.NumMano = 1;
    e.TiroListo = false;
    j.EsperarSalida();
    QVERIFY(e.TiroListo);
    QCOMPARE(e.FichaElegida, 0);
    QCOMPARE(e.PuntaElegida, Extremo::Der);
}

void PruebaReglas::salidaPasadaAlCompaneroYDeVuelta()
{
    Flujo f("RC", "LH", "RC", "LH");
    auto& [e, h, j] = f;
    e.NumMano = 1;
    e.Ganador = 2;
    e.Opciones.Salida = QStringLiteral("PG");
    j.PrepararSalida();
    e.FaseMano = Fase::Saliendo;
    QVERIFY(h.Botones.contains(QStringLiteral("bNoSalir 2 Mostrar")));
    j.NoSalir(4);  // not its lead
    QCOMPARE(e.Turno, 2);
    j.NoSalir(2);
    QCOMPARE(e.Turno, 4);
    QCOMPARE(h.Enviados.last(), QStringLiteral("Tiro 01 4 -2 NUL"));
    QCOMPARE(h.Botones.last(), QStringLiteral("bNoSalir 4 Mostrar"));
    j.NoSalir(4);  // passed back: now seat 2 must lead
    QCOMPARE(e.Turno, 2);
    QCOMPARE(h.Botones.last(), QStringLiteral("bNoSalir 2 Ocultar"));
    j.NoSalir(2);
    QCOMPARE(e.Turno, 2);
    QCOMPARE(e.PasesSalida, 2);

    // The same passes received from another machine while its lead is awaited.
    Sillas(e, "LC", "RH", "LC", "RH");
    e.Turno = 2;
    e.PasesSalida = 0;
    e.NumTiro = 0;
    e.TiroRecibido[1] = -2;
    e.PuntaRecibida[1] = Extremo::Nula;
    e.TiroListo = false;
    j.EsperarSalida();
    QCOMPARE(e.Turno, 4);
    QVERIFY(!e.TiroListo);
    VaciarMesa(e);
    Dar(e, 4, {12});
    e.TiroRecibido[1] = 12;
    e.PuntaRecibida[1] = Extremo::Der;
    j.EsperarSalida();
    QVERIFY(e.TiroListo);
    QCOMPARE(e.FichaElegida, 12);
}

void PruebaReglas::encajeYColocacion()
{
    Flujo f("RC", "RC", "LH", "RC");
    auto& [e, h, j] = f;
    // 3-5, 0-0; 5-6, 1-1; 3-3, 2-2; 4-4, 5-5
    Manos(e, {12, 6}, {7, 5}, {3, 4}, {2, 1});
    EnJuego(e, 1, 0, 0, 0);
    j.IniciarLinea();

    j.JugarTiro(12, Extremo::Der);
    QCOMPARE(e.NumTiro, 1);
    QCOMPARE(e.ValorIzq, 3);
    QCOMPARE(e.ValorDer, 5);
    QCOMPARE(e.Fichas[12].Rumbo, 'O');  // the first number toward the left end
    QCOMPARE(e.Fichas[12].X, 0.0f);
    QCOMPARE(e.Turno, 2);

    // Not fitting, or not the mover's tile: nothing changes.
    j.JugarTiro(5, Extremo::Der);
    j.JugarTiro(3, Extremo::Izq);
    QCOMPARE(e.NumTiro, 1);
    QCOMPARE(e.HistFicha[2], -1);
    QCOMPARE(e.Fichas[5].Lugar, 'D');

    j.JugarTiro(7, Extremo::Der);
    QCOMPARE(e.ValorDer, 6);
    QCOMPARE(e.Fichas[7].Rumbo, 'O');  // the 5 toward the previous tile
    QCOMPARE(e.Fichas[7].X, 2 * LargoMedio);
    QCOMPARE(e.Turno, 3);
    QCOMPARE(h.Alarmas.size(), size_t(1));

    // A person asking for the right end with a tile that fits only the left one.
    j.JugarTiro(3, Extremo::Der);
    QCOMPARE(e.NumTiro, 3);
    QCOMPARE(e.HistPunta[3], Extremo::Izq);
    QCOMPARE(e.ValorIzq, 3);
    QCOMPARE(e.MarcaIzq, 'M');
    QCOMPARE(e.Fichas[3].Rumbo, 'N');  // across the line
    const float x = static_cast<float>(static_cast<double>(-0.001f) - 2.0 * LargoMedio);
    QCOMPARE(e.Fichas[3].X, static_cast<float>(static_cast<double>(x) + AnchoMedio));
    QCOMPARE(e.HistJugador[3], 3);
    QCOMPARE(e.HistValorDer[3], 6);
    QCOMPARE(h.Enviados.last(), QStringLiteral("Tiro 03 3 03 IZQ "));
}

void PruebaReglas::giroDeLaLineaEnLosLimites()
{
    Estado e;
    const float h = AnchoMedio, L = LargoMedio;
    auto punta = [&](char rumbo, char marca, float x, float y) {
        e.RumboDer = rumbo;
        e.MarcaDer = marca;
        e.PuntaDerX = x;
        e.PuntaDerY = y;
    };
    punta('E', ' ', 0.5f, 0.5f);
    DoblarDer(e, false);
    QCOMPARE(e.RumboDer, 'S');
    QCOMPARE(e.PuntaDerX, 0.5f - h);
    QCOMPARE(e.PuntaDerY, 0.5f - h);
    punta('E', ' ', 0.5f, 0.5f);
    DoblarDer(e, true);  // a double turns by half a width and half a length
    QCOMPARE(e.PuntaDerX, 0.5f - h);
    QCOMPARE(e.PuntaDerY, 0.5f - L);
    punta('E', ' ', 0.45f, 0.5f);
    DoblarDer(e, false);
    QCOMPARE(e.RumboDer, 'E');
    punta('S', ' ', 0.3f, 0.6f);
    DoblarDer(e, false);
    QCOMPARE(e.RumboDer, 'S');
    e.RumboIzq = 'S';
    e.MarcaIzq = ' ';
    e.PuntaIzqX = 0.3f;
    e.PuntaIzqY = 0.2f;
    DoblarIzq(e, false);
    QCOMPARE(e.RumboIzq, 'O');
    // Heading north after a double: first half a width to the right, then the turn.
    punta('N', 'M', 0.1f, 0.83f);
    DoblarDer(e, false);
    QCOMPARE(e.RumboDer, 'E');
    QVERIFY(std::abs(e.PuntaDerX - (0.1f + 2 * h + L)) < 1e-6f);
    QVERIFY(std::abs(e.PuntaDerY - (0.83f - h - L)) < 1e-6f);
}

void PruebaReglas::cierreConElUltimoEnJugarComoCerrador()
{
    Flujo f("RC", "RC", "RC", "RC");
    auto& [e, h, j] = f;
    // 0-6, 1-2; 5-5, 4-4; 3-3, 2-2; 1-1, 0-0
    Manos(e, {16, 25}, {1, 2}, {3, 4}, {5, 6});
    EnJuego(e, 1, 10, 6, 0);
    e.Salidor = 2;
    j.JugarTiro(16, Extremo::Der);  // both ends 6, every other 6 played
    QVERIFY(e.ManoTerminada);
    QCOMPARE(e.Turno, 1);
    QCOMPARE(h.Sonidos.filter(QStringLiteral("paso")),
             QStringList({"MMEDIA/paso2.wav", "MMEDIA/paso3.wav", "MMEDIA/paso4.wav"}));
    QCOMPARE(e.Ganador, 1);  // J1-J3 hold 13 pips against 20
    QVERIFY(e.ResumenMano.startsWith(QStringLiteral("Ana: ¡Cerré el Juego!\n\nGanamos 13 .vs. 20\n\n")));
    QCOMPARE(e.PuntosPar13[1], 20);
    QCOMPARE(e.PuntosPar24[1], 0);
}

void PruebaReglas::meritoSegunPronosticos()
{
    Flujo f;
    auto& [e, h, j] = f;
    e.NumTiro = 5;
    e.Pronosticos[5] = QStringLiteral("1:13I 1:05D 2:07D 2:13D 3:09D 3:10I 4:11D 4:12I ");
    QCOMPARE(j.Merito(13, Extremo::Izq, false), QStringLiteral(" 3.00"));
    QCOMPARE(j.Merito(13, Extremo::Der, false), QStringLiteral("-0.33"));
    QCOMPARE(j.Merito(13, Extremo::Der, true), QStringLiteral(" 3.00"));  // equal ends: the tile alone
    QCOMPARE(j.Merito(20, Extremo::Der, false), QString());
    e.Pronosticos[5] = QStringLiteral("2:13I 2:05D ");
    QCOMPARE(j.Merito(13, Extremo::Izq, false), QString());
    e.Pronosticos[5] = QStringLiteral("1:13I 1:05D 1:06D 1:07D 1:08D 1:09D 1:10D 4:12I ");
    QCOMPARE(j.Merito(13, Extremo::Izq, false), QStringLiteral(" 0.14"));

    // The merit travels with the play message of a seat of this machine.
    Sillas(e, "RC", "RC", "LH", "RC");
    VaciarMesa(e);
    Dar(e, 3, {27, 6});
    Dar(e, 4, {1});
    EnJuego(e, 3, 4, 4, 1);
    e.Pronosticos[5] = QStringLiteral("1:27D 1:06I 2:11D 2:12I 2:13D 2:14I 2:15D 2:16I ");
    j.JugarTiro(27, Extremo::Der);
    QCOMPARE(e.MeritoTurno[5], QStringLiteral(" 3.00"));
    QCOMPARE(h.Enviados.last(), QStringLiteral("Tiro 05 3 27 DER  3.00"));
}

void PruebaReglas::puntuacionDeDomino()
{
    for (int acuptos : {0, 1}) {
        Flujo f("RC", "RC", "RC", "RC");
        auto& [e, h, j] = f;
        // 2-3: 5; 6-6: 12; 0-1, its last tile; 4-5: 9
        Manos(e, {21}, {0}, {27}, {10});
        EnJuego(e, 3, 10, 4, 1);
        e.Opciones.AcuPtos = acuptos;
        j.JugarTiro(27, Extremo::Der);
        QVERIFY(e.ManoTerminada);
        QCOMPARE(e.Ganador, 3);
        const int puntos = acuptos ? 26 : 21;
        QCOMPARE(e.PuntosPar13[1], puntos);
        QCOMPARE(e.PuntosPar24[1], 0);
        QVERIFY(e.ResumenMano.startsWith(
            QStringLiteral("Carla: ¡Me Fuí!\n\n¡Ganamos %1 puntos!\n\nAna______").arg(puntos)));
    }
}

void PruebaReglas::puntuacionDeCierreSegunCierre_data()
{
    QTest::addColumn<int>("cierra");
    QTest::addColumn<int>("salidor");
    QTest::addColumn<bool>("empate");
    QTest::addColumn<QString>("cierre");
    QTest::addColumn<int>("acuptos");
    QTest::addColumn<int>("ganador");
    QTest::addColumn<int>("p13");
    QTest::addColumn<int>("p24");
    QTest::addColumn<QString>("linea");
    QTest::newRow("menos puntos gana") << 2 << 1 << false << "GS" << 0 << 2 << 0 << 20 << "Ganamos 20 .vs. 15";
    QTest::newRow("ambas parejas") << 2 << 1 << false << "GS" << 1 << 2 << 0 << 35 << "Ganamos 20 .vs. 15";
    QTest::newRow("pierde quien cierra") << 1 << 1 << false << "GC" << 0 << 2 << 0 << 20 << "Perdimos 20 .vs. 15";
    QTest::newRow("GC") << 1 << 2 << true << "GC" << 0 << 1 << 14 << 0 << "Ganamos 14 .vs. 14";
    QTest::newRow("GN") << 1 << 1 << true << "GN" << 0 << 2 << 0 << 14 << "Perdimos 14 .vs. 14";
    QTest::newRow("AN") << 1 << 1 << true << "AN" << 1 << 1 << 0 << 0 << "Empate 14 .vs. 14";
    QTest::newRow("GS salio su pareja") << 1 << 3 << true << "GS" << 0 << 1 << 14 << 0 << "Ganamos 14 .vs. 14";
    QTest::newRow("GS salio la otra") << 1 << 4 << true << "GS" << 1 << 2 << 0 << 28 << "Perdimos 14 .vs. 14";
}

void PruebaReglas::puntuacionDeCierreSegunCierre()
{
    QFETCH(int, cierra);
    QFETCH(int, salidor);
    QFETCH(bool, empate);
    QFETCH(QString, cierre);
    QFETCH(int, acuptos);
    QFETCH(int, ganador);
    QFETCH(int, p13);
    QFETCH(int, p24);
    QFETCH(QString, linea);
    Flujo f("RC", "RC", "RC", "RC");
    auto& [e, h, j] = f;
    VaciarMesa(e);
    if (empate) {
        Dar(e, 1, {0, 26});  // 6-6, 0-2: 14
        Dar(e, 2, {1, 22});  // 5-5, 0-4: 14
    } else {
        Dar(e, 1, {0, 26});  // 14
        Dar(e, 3, {18});     // 2-4: J1-J3 20
        Dar(e, 2, {1, 19});  // 5-5, 0-5: J2-J4 15
    }
    EnJuego(e, cierra, 12, 0, 0);
    e.Salidor = salidor;
    e.Opciones.Cierre = cierre;
    e.Opciones.AcuPtos = acuptos;
    QCOMPARE(e.SumaPuntos(1) + e.SumaPuntos(3), empate ? 14 : 20);
    QCOMPARE(e.SumaPuntos(2) + e.SumaPuntos(4), empate ? 14 : 15);
    j.PuntuarCierre();
    QCOMPARE(e.Ganador, ganador);
    QCOMPARE(e.PuntosPar13[1], p13);
    QCOMPARE(e.PuntosPar24[1], p24);
    QVERIFY2(e.ResumenMano.contains(QStringLiteral("\n\n") + linea + '\n'), qPrintable(e.ResumenMano));
}

void PruebaReglas::regresarTurnoYMemoria()
{
    const LecturaRegistro l = LeerRegistro(QStringLiteral(
        "\"Ana\"\r\n6-6, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6\r\n\"Beto\"\r\n5-5, 4-4, 5-6, 4-6, 3-6, 4-5, 2-6\r\n"
        "\"Carla\"\r\n3-3, 1-1, 2-5, 3-4, 0-6, 1-5, 2-4\r\n\"Dani\"\r\n0-5, 1-4, 2-3, 1-3, 0-3, 0-2, 0-1\r\n"
        " 3 \r\n6-6, DER\r\n5-6, DER\r\n0-6, IZQ\r\n"));
    QVERIFY(l.Ok);
    Estado e;
    QVERIFY(PosicionTrasJugadas(l.Registro, 3, e).Ok);
    AnfitrionPrueba h;
    Juego j(e, h);
    QCOMPARE(e.Turno, 4);
    const float derX = e.HistDerX[2];
    j.RegresarTurno();
    j.RegresarTurno();
    QCOMPARE(e.NumTiro, 1);
    QCOMPARE(e.Fichas[7].Lugar, 'D');
    QCOMPARE(e.Turno, 2);
    QCOMPARE(e.ValorDer, 6);
    QCOMPARE(e.PuntaDerX, e.HistDerX[1]);
    QCOMPARE(h.Botones.filter(QStringLiteral("bMemoria 0 Texto")).last(), QStringLiteral("bMemoria 0 Texto M 6-5 D"));
    // The remembered play made again lands exactly where it did.
    j.JugarTiro(e.HistFicha[2], e.HistPunta[2]);
    QCOMPARE(e.NumTiro, 2);
    QCOMPARE(e.ValorDer, 5);
    QCOMPARE(e.HistDerX[2], derX);
    j.RegresarTurno();
    j.RegresarTurno();
    QVERIFY(h.Botones.endsWith(QStringLiteral("bAtras 0 Ocultar")));
    j.RegresarTurno();  // nothing left to take back
    QCOMPARE(e.NumTiro, 0);
}

void PruebaReglas::pausaDeLaComputadora()
{
    // One option: 2 s less the time since the rounded second the choice began.
    for (const auto& [hora, espera] : {std::pair{100.3, 1.7}, std::pair{100.6, 2.4}}) {
        Flujo f("RC", "LC", "RC", "RC");
        auto& [e, h, j] = f;
        // 3-5 leads; 5-6 is its one option
        Manos(e, {12, 6}, {7, 4}, {3}, {2});
        EnJuego(e, 1, 0, 0, 0);
        j.IniciarLinea();
        h.Hora = hora - 1;  // the hand-over waits 1 s before the choice
        j.JugarTiro(12, Extremo::Der);
        QCOMPARE(e.NumTiro, 2);
        QCOMPARE(e.HistFicha[2], 7);
        bool vista = false;
        for (double p : h.Pausas)
            vista = vista || std::abs(p - espera) < 1e-9;
        QVERIFY2(vista, qPrintable(QString::number(espera)));
    }
}

void PruebaReglas::jugadaRecibidaDuranteUnaPausa()
{
    Flujo f("RC", "LC", "RC", "RC");
    auto& [e, h, j] = f;
    // 3-5 leads; 5-6 follows here; 3-6, played elsewhere
    Manos(e, {12, 6}, {7, 4}, {9, 5}, {2, 1});
    EnJuego(e, 1, 0, 0, 0);
    j.IniciarLinea();
    // Seat 3's play arrives while the engine still pauses in the hand-over to it:
    // the table calls the engine again, nested.
    h.Gancho = [&] {
        if (e.Turno == 3 && e.NumTiro == 2 && e.PuntaRecibida[3] == Extremo::Ninguno) {
            e.TiroRecibido[3] = 9;
            e.PuntaRecibida[3] = Extremo::Izq;
            j.JugarTiro(9, Extremo::Izq);
        }
    };
    j.JugarTiro(12, Extremo::Der);
    QCOMPARE(e.HistFicha[2], 7);
    QCOMPARE(e.HistFicha[3], 9);
    QCOMPARE(e.HistPunta[3], Extremo::Izq);
    QCOMPARE(e.NumTiro, 3);  // laid once, by the outer call
    QVERIFY(e.ManoTerminada);
    QCOMPARE(h.Enviados.size(), 1);  // only seat 2's play is this machine's
}

void PruebaReglas::cerrarDuranteUnaEspera()
{
    Flujo f("LH", "LC", "RC", "LC");
    auto& [e, h, j] = f;
    int esperas = 0;
    h.Gancho = [&] { h.Cerrar = ++esperas > 50; };
    j.IniciarPartida();  // seat 1 never picks: the pick waits until the window closes
    QCOMPARE(e.FaseMano, Fase::Repartiendo);
    QCOMPARE(e.Jugadores[1].NumFichas, 0);
    QCOMPARE(h.Pendientes(), 0);
    QVERIFY(!h.Agotado);
}

QTEST_GUILESS_MAIN(PruebaReglas)
#include "PruebaReglas.moc"
