// The closed sets of the game state at the boundary where they become text
// again (table lines, hand records, captions), and the flow's entry points
// that do more than store what they are given.

#include <QtTest>

#include "flujo/Entradas.h"
#include "records/RegistroMano.h"
#include "rules/Tipos.h"

namespace {

// A legal record of two plays; `segunda` is the end its second play names.
QString Registro(const char* segunda)
{
    return QStringLiteral("\"Ana\"\r\n6-6, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6\r\n"
                          "\"Beto\"\r\n5-5, 4-4, 5-6, 4-6, 3-6, 4-5, 2-6\r\n"
                          "\"Carla\"\r\n3-3, 1-1, 2-5, 3-4, 0-6, 1-5, 2-4\r\n"
                          "\"Dani\"\r\n0-5, 1-4, 2-3, 1-3, 0-3, 0-2, 0-1\r\n"
                          " 2 \r\n0-0, DER\r\n0-6, ")
           + QString::fromLatin1(segunda) + QStringLiteral("\r\n");
}

}  // namespace

class PruebaTipos : public QObject {
    Q_OBJECT
private slots:
    // What is written is read back as the same value, and nothing but the
    // exact texts is taken: a line or a record with anything else is refused.
    void textosDeIdaYVuelta()
    {
        for (Fase f : {Fase::Repartiendo, Fase::Saliendo, Fase::Tirando})
            QCOMPARE(LeerFase(TextoFase(f)), f);
        for (ModoJuego m : {ModoJuego::Escoger, ModoJuego::Lectura})
            QCOMPARE(LeerModo(TextoModo(m)), m);
        for (Extremo x : {Extremo::Izq, Extremo::Der, Extremo::Nula})
            QCOMPARE(LeerExtremo(TextoExtremo(x)), x);
        for (Quien q : {Quien::Persona, Quien::Computadora})
            QCOMPARE(LeerQuien(LetraQuien(q)), q);
        for (Donde d : {Donde::Local, Donde::Remota})
            QCOMPARE(LeerDonde(LetraDonde(d)), d);

        QCOMPARE(TextoExtremo(Extremo::Ninguno), QString());
        for (const char* t : {"", "der", "DER ", "IZ", "NULL", "TIRANDO"})
            QVERIFY2(!LeerExtremo(QString::fromLatin1(t)), t);
        for (const char* t : {"", "tirando", "TIRAND", "LECTURA"})
            QVERIFY2(!LeerFase(QString::fromLatin1(t)), t);
        QVERIFY(!LeerModo(u"REPARTIENDO"));
        QVERIFY(!LeerQuien('h') && !LeerQuien('L') && !LeerDonde('C') && !LeerDonde(' '));
    }

    // A record names a left or right end for each play; "NUL" is a declined
    // lead on the table, never a play of a record.
    void registroSoloConIzqODer()
    {
        QVERIFY(LeerRegistro(Registro("IZQ")).Ok);
        QCOMPARE(LeerRegistro(Registro("IZQ")).Registro.Tiros[1].Punta, Extremo::Izq);
        for (const char* p : {"NUL", "izq", ""}) {
            const LecturaRegistro l = LeerRegistro(Registro(p));
            QVERIFY2(!l.Ok && l.Linea == 11, p);
        }
    }

    // The window title and local name come from the persons of this copy
    // only; with none the local name given before is kept.
    void tituloYNombreLocal()
    {
        Estado e;
        const char* nombres[] = {"", "Ana", "Beto", "Carla", "Dani"};
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].Nombre = QString::fromLatin1(nombres[s]);
        e.NombreLocal = QStringLiteral("Antes");
        QCOMPARE(entrada::TituloDeMesa(e, QStringLiteral("2.0")), QStringLiteral("Quimbolo v.2.0. Mesa 1. "));
        QCOMPARE(entrada::NombreLocalDe(e), QStringLiteral("Antes"));

        e.Jugadores[2].LoR = e.Jugadores[4].LoR = Donde::Local;
        e.Jugadores[3].LoR = Donde::Local;
        e.Jugadores[3].HoC = Quien::Computadora;
        QCOMPARE(entrada::TituloDeMesa(e, QStringLiteral("2.0")), QStringLiteral("Quimbolo v.2.0. Mesa 1. Beto. Dani. "));
        QCOMPARE(entrada::NombreLocalDe(e), QStringLiteral("Dani"));

        e.Opciones.Nivel = 'A';
        entrada::AbrirMesa(e, QStringLiteral("T"), QStringLiteral("Beto"));
        QCOMPARE(e.ParamNivel, ParamNivelDe('A'));
        QVERIFY(e.TituloMesa == u"T" && e.NombreLocal == u"Beto");
    }

    // A stored hand laid for replay leaves no play of an earlier hand in the
    // history to be remembered, and its leader is the owner of the first tile.
    void registroPuestoOlvidaLoDemas()
    {
        Estado e;
        for (int i = 1; i <= kMaxTiros; ++i)
            e.HistFicha[i] = 20;
        const LecturaRegistro l = LeerRegistro(Registro("IZQ"));
        QVERIFY(l.Ok);
        entrada::PonerRegistro(e, l.Registro);
        QCOMPARE(e.HistFicha[1], l.Registro.Tiros[0].Ficha);
        QCOMPARE(e.HistPunta[2], Extremo::Izq);
        QCOMPARE(e.Salidor, 1);
        for (int i = 3; i <= kMaxTiros; ++i)
            QCOMPARE(e.HistFicha[i], -1);

        // The pointer's lead that differs from the memory forgets from the next play on.
        e.NumTiro = 1;
        entrada::OlvidarMemoria(e);
        QVERIFY(e.HistFicha[1] == l.Registro.Tiros[0].Ficha && e.HistFicha[2] == -1);
    }

    // A replayed hand's plays received from the table never run past the history.
    void memoriaRecibidaAcotada()
    {
        Estado e;
        QList<int> fichas;
        QList<Extremo> puntas;
        for (int i = 0; i < kMaxTiros + 3; ++i) {
            fichas << i % kNumFichas;
            puntas << Extremo::Der;
        }
        entrada::MemoriaRecibida(e, 3, fichas, puntas.mid(0, 2));
        QVERIFY(e.Salidor == 3 && e.HistFicha[2] == 1 && e.HistFicha[3] == -1);
        entrada::MemoriaRecibida(e, 2, fichas, puntas);
        QCOMPARE(e.HistFicha[kMaxTiros], kMaxTiros - 1);
    }

    // A seat or play number out of range changes nothing, whoever passes it on.
    void entradasFueraDeRango()
    {
        Estado e;
        const Estado antes = e;
        for (int silla : {-1, 0, 5, 99}) {
            entrada::NombreRecibido(e, silla, QStringLiteral("X"));
            entrada::TipoRecibido(e, silla, Quien::Computadora);
            entrada::SillaConcedida(e, silla);
            entrada::ManoRecibida(e, silla, QStringLiteral("01020304050607"));
            entrada::FinRecibido(e, silla);
            entrada::SillaDejada(e, silla);
            entrada::ComputadoraOcupa(e, silla, QStringLiteral("Compu"));
            entrada::SembrarSilla(e, silla, 7);
        }
        for (int n : {-1, kHist, 1000})
            entrada::TiroRecibido(e, n, 3, Extremo::Der, QStringLiteral("1.00"));
        for (int s = 0; s <= 4; ++s) {
            QCOMPARE(e.Jugadores[s].Nombre, antes.Jugadores[s].Nombre);
            QVERIFY(e.Jugadores[s].HoC == antes.Jugadores[s].HoC && e.Jugadores[s].LoR == antes.Jugadores[s].LoR);
            QCOMPARE(e.Sillas[s].DigitosMano, antes.Sillas[s].DigitosMano);
        }
        QVERIFY(e.TiroRecibido == antes.TiroRecibido);
    }
};

QTEST_GUILESS_MAIN(PruebaTipos)
#include "PruebaTipos.moc"
