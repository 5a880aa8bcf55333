// Hand-checked endgames of the exhaustive analysis, the tree file's order and
// indents, and the classification's choices on made-up records.

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ai/Analisis.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Posiciones.h"

class PruebaAnalisis : public QObject {
    Q_OBJECT

    QTemporaryDir carpeta;

    ResultadoAnalisis Analizar(Estado& e, AnfitrionPrueba& a)
    {
        e.CarpetaApp = carpeta.path() + '/';
        return AnalizarPosicionReferencia(e, a);
    }

    static QString Cabecera(int turno)
    {
        return QStringLiteral("Los pronósticos Ganador o Perdedor siempre se refieren al jugador %1 (Jugador %1)\r\n"
                              "J = Jugador, I = Izquierda, D = Derecha, r = Resultado, P = Perdedor, G = Ganador\r\n"
                              "Las jugadas sin opción no se muestran.\r\n"
                              "A continuación las posibles decisiones futuras de cada jugador y sus resultados:\r\n")
            .arg(turno);
    }

private slots:
    void dominoInmediatoConUnaSolaJugada_data()
    {
        QTest::addColumn<int>("acuPtos");
        QTest::addColumn<int>("puntos");
        QTest::newRow("pareja perdedora") << 0 << 3;
        QTest::newRow("ambas parejas") << 1 << 5;  // the partner's 1-1 counts too
    }
    void dominoInmediatoConUnaSolaJugada()
    {
        QFETCH(int, acuPtos);
        QFETCH(int, puntos);
        Estado e = Posicion({"5-6", "0-1", "1-1", "0-2"}, 1, 5, 2, 20, 2);
        e.Opciones.AcuPtos = acuPtos;
        e.Pronosticos[21] = QStringLiteral("viejo");
        AnfitrionPrueba a;
        const ResultadoAnalisis r = Analizar(e, a);

        QCOMPARE(r.Ficha, F("5-6"));
        QCOMPARE(r.Punta, Extremo::Izq);
        QCOMPARE(r.Texto, QStringLiteral("Ganador Seguro\n\n     5-6 I  100.0% de 1\n     Ganancia Mín: %1 Máx: %1\n\n")
                              .arg(puntos));
        QCOMPARE(r.Pronosticos, QStringLiteral("1:07I "));
        QCOMPARE(e.Pronosticos[21], QStringLiteral("viejo1:07I "));  // the chooser clears it, not the analysis
        QCOMPARE(r.Lineas, 1);
        const MitadAnalisis& h = r.Analisis[F("5-6")].I;
        QVERIFY(h.Llena && !r.Analisis[F("5-6")].D.Llena);
        QCOMPARE(h.Resultado, 'G');
        QCOMPARE(h.Idas[1], 1);
        QCOMPARE(h.MinPuntos[2], 0);

        // One option: no move line, but the summary block.
        QFile f(arbol::Ruta(e.CarpetaApp));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(f.readAll()),
                 QStringLiteral("\r\nJ2-J4  Idas:   Cierres:   Puntos:  Ganan entre 0 y 0  Pierden entre %1 y %1\r\n"
                                "J1-J3  Idas: 1  Cierres:   Puntos:  Ganan entre %1 y %1  Pierden entre 0 y 0\r\n"
                                "Pronóstico Ganador\r\nResumen 5-6 I\r\n\r\n")
                         .arg(puntos)
                     + Cabecera(1));
        QCOMPARE(a.Avances, (QList<double>{0.0, 1.0, 1.0}));
    }

    void todasPerdidasSeguras()
    {
        // Either tile lets seat 2 go out; keeping the 3-4 loses a point less.
        Estado e = Posicion({"3-4 3-5", "4-5", "0-0", "6-6"}, 1, 3, 3, 20, 1);
        AnfitrionPrueba a;
        const ResultadoAnalisis r = Analizar(e, a);
        QCOMPARE(r.Ficha, F("3-5"));
        QCOMPARE(r.Punta, Extremo::Der);
        QCOMPARE(r.Texto, QStringLiteral("Perdedor Seguro\n\n     3-4 D  0.0% de 1\n     Pérdida Min: 8 Máx: 8\n\n"
                                         "     3-5 D  0.0% de 1\n     Pérdida Min: 7 Máx: 7\n\n"));
        QCOMPARE(r.Pronosticos, QStringLiteral("4:15D 4:12D "));
        QVERIFY(r.Arbol.starts_with("J=1 3-4 D ó I r=P\r\n\r\n"));
    }

    void cierreEmpatadoGanaLaSalida_data()
    {
        QTest::addColumn<int>("salidor");
        QTest::addColumn<int>("acuPtos");
        QTest::addColumn<QString>("texto");
        QTest::newRow("salió J2") << 2 << 0 << "Perdedor Seguro\n\n     5-6 D  0.0% de 1\n     Pérdida Min: 5 Máx: 5\n\n";
        QTest::newRow("salió J3") << 3 << 0 << "Ganador Seguro\n\n     5-6 D  100.0% de 1\n     Ganancia Mín: 5 Máx: 5\n\n";
        QTest::newRow("ambas") << 1 << 1 << "Ganador Seguro\n\n     5-6 D  100.0% de 1\n     Ganancia Mín: 10 Máx: 10\n\n";
    }
    void cierreEmpatadoGanaLaSalida()
    {
        QFETCH(int, salidor);
        QFETCH(int, acuPtos);
        QFETCH(QString, texto);
        // After the 5-6 nobody holds a 5 or a 6: blocked at 5 pips a pair.
        Estado e = Posicion({"5-6 2-3", "0-1", "0-0", "0-4"}, 1, 6, 6, 20, salidor);
        e.Opciones.AcuPtos = acuPtos;
        AnfitrionPrueba a;
        const ResultadoAnalisis r = Analizar(e, a);
        QCOMPARE(r.Texto, texto);
        const MitadAnalisis& h = r.Analisis[F("5-6")].D;
        QCOMPARE(h.Cierres[ParejaDe(salidor)], 1);
        QCOMPARE(h.Idas[1] + h.Idas[2] + h.Cierres[3 - ParejaDe(salidor)], 0);
    }

    void arbolEnOrdenYSangrado()
    {
        // Seat 3 has a choice three nodes deep; both root moves win.
        Estado e = Posicion({"5-6 0-0", "4-5 1-1", "0-4 2-4", "3-3"}, 1, 5, 6, 20, 1);
        AnfitrionPrueba a;
        const ResultadoAnalisis r = Analizar(e, a);
        const QString esperado = QStringLiteral(
            ".   .   J=3 0-4 D r=G\r\n"
            ".   .   J=3 2-4 D r=G\r\n"
            "J=1 5-6 D r=G\r\n"
            "\r\n"
            "J2-J4  Idas:   Cierres:   Puntos:  Ganan entre 0 y 0  Pierden entre 8 y 8\r\n"
            "J1-J3  Idas: 1  Cierres: 1  Puntos:  Ganan entre 8 y 8  Pierden entre 0 y 0\r\n"
            "Pronóstico Ganador\r\n"
            "Resumen 5-6 D\r\n"
            "\r\n"
            "J=1 5-6 I r=G\r\n"
            "\r\n"
            "J2-J4  Idas:   Cierres:   Puntos:  Ganan entre 0 y 0  Pierden entre 17 y 17\r\n"
            "J1-J3  Idas:   Cierres: 1  Puntos:  Ganan entre 17 y 17  Pierden entre 0 y 0\r\n"
            "Pronóstico Ganador\r\n"
            "Resumen 5-6 I\r\n"
            "\r\n");
        QCOMPARE(QString::fromStdString(r.Arbol), esperado + Cabecera(1));
        QCOMPARE(r.Ficha, F("5-6"));
        QCOMPARE(r.Punta, Extremo::Izq);
        QCOMPARE(r.Pronosticos, QStringLiteral("1:07D 1:07I "));
        QCOMPARE(a.Avances, (QList<double>{0.0, 0.5, 1.0, 1.0}));
        // The file on disk is the same, and no temporary file stays behind.
        QFile f(arbol::Ruta(e.CarpetaApp));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray::fromStdString(r.Arbol));
        QCOMPARE(QDir(carpeta.path() + "/JGO").entryList(QDir::Files), QStringList{"Tree.Dom"});
    }

    void carpetaJgoSeCreaSiFalta()
    {
        QTemporaryDir otra;
        Estado e = Posicion({"5-6", "0-1", "1-1", "0-2"}, 1, 5, 2, 20, 2);
        e.CarpetaApp = otra.path();
        AnfitrionPrueba a;
        QVERIFY(AnalizarPosicionReferencia(e, a).ArbolEscrito);
        QVERIFY(QFile::exists(otra.path() + "/JGO/Tree.Dom"));
    }

    // The tree is replaced whole: a name that cannot be replaced keeps what
    // it had and leaves no temporary file, and a link planted at the name is
    // replaced rather than followed out of the folder.
    void arbolSeReemplazaEnteroSinSalirDeLaCarpeta()
    {
        QTemporaryDir base;
        const QString jgo = base.path() + "/JGO";
        QVERIFY(arbol::Guardar(base.path(), "viejo\r\n"));
        QVERIFY(arbol::Guardar(base.path(), "nuevo\r\n"));
        QFile f(jgo + "/Tree.Dom");
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("nuevo\r\n"));
        f.close();
        // The old tree is gone, not left behind under another name.
        const auto enJgo = [&] { return QDir(jgo).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden); };
        QCOMPARE(enJgo(), QStringList{"Tree.Dom"});

        QFile fuera(base.path() + "/fuera.txt");
        QVERIFY(fuera.open(QIODevice::WriteOnly));
        fuera.write("ajeno");
        fuera.close();
        QVERIFY(QFile::remove(jgo + "/Tree.Dom"));
        QVERIFY(QFile::link(base.path() + "/fuera.txt", jgo + "/Tree.Dom"));
        QVERIFY(arbol::Guardar(base.path(), "otro\r\n"));
        QVERIFY(!QFileInfo(jgo + "/Tree.Dom").isSymLink());
        QVERIFY(fuera.open(QIODevice::ReadOnly));
        QCOMPARE(fuera.readAll(), QByteArray("ajeno"));
        fuera.close();
        QCOMPARE(enJgo(), QStringList{"Tree.Dom"});

        // A folder in the way: the rename fails after the text was written.
        QVERIFY(QFile::remove(jgo + "/Tree.Dom"));
        QVERIFY(QDir(jgo).mkpath("Tree.Dom/dentro"));
        QString error;
        QVERIFY(!arbol::Guardar(base.path(), "perdido\r\n", &error));
        QVERIFY2(error.startsWith(QStringLiteral("No se puede escribir «")) && error.contains("Tree.Dom"),
                 qPrintable(error));
        QCOMPARE(enJgo(), QStringList{"Tree.Dom"});
        QVERIFY(QFileInfo(jgo + "/Tree.Dom/dentro").isDir());
    }

    void eligeEntreEmpatesPorElMaximo()
    {
        // Made-up records for seat 2 on a line open at 1 and 2: three moves
        // in category 1 with the same smallest gain.
        Estado e = Posicion({"0-0", "1-2 2-4 1-6", "0-3", "0-4"}, 2, 1, 2, 10, 1);
        TablaAnalisis t{};
        auto gana = [](int min, int max, int lineas) {
            MitadAnalisis m;
            m.Llena = true;
            m.Resultado = 'G';
            m.Idas[2] = lineas;
            m.MinPuntos[2] = min;
            m.MaxPuntos[2] = max;
            return m;
        };
        t[F("1-2")].D = gana(4, 9, 3);
        t[F("1-2")].I = gana(4, 12, 1234);
        t[F("2-4")].D = gana(4, 12, 2);
        t[F("1-6")].I = gana(2, 30, 5);
        Clasificacion c = ClasificarJugadas(e, t);
        // 1-2 at the left and 2-4 both reach 12: the earlier one wins.
        QCOMPARE(c.Ficha, F("1-2"));
        QCOMPARE(c.Punta, Extremo::Izq);
        QCOMPARE(c.Pronosticos, QStringLiteral("1:25D 1:25I 1:18D 1:13I "));
        QVERIFY(c.Texto.contains(QStringLiteral("     1-2 I  100.0% de 1,234\n     Ganancia Mín: 4 Máx: 12\n")));

        // A probable win beats every loss; a later category never overrides.
        t[F("1-2")].D.Idas[1] = 3;  // now 50.0% and result G: category 2
        t[F("1-2")].I.Resultado = 'P';
        t[F("1-2")].I.Idas[1] = 1234;  // category 3
        t[F("2-4")].D = {};
        t[F("2-4")].D.Llena = true;
        t[F("2-4")].D.Resultado = 'P';
        t[F("2-4")].D.Idas[1] = 7;  // category 4
        t[F("2-4")].D.MaxPuntos[1] = 3;
        t[F("1-6")].I = t[F("2-4")].D;
        c = ClasificarJugadas(e, t);
        QCOMPARE(c.Pronosticos, QStringLiteral("2:25D 3:25I 4:18D 4:13I "));
        QCOMPARE(c.Ficha, F("1-2"));
        QCOMPARE(c.Punta, Extremo::Der);
        QVERIFY(c.Texto.startsWith(QStringLiteral("Ganador Potencial\n\n     1-2 D  50.0% de 6\n     Ganancia Min: 4 Máx: 9\n\n"
                                                  "Perdedor Potencial\n\n     1-2 I  50.0% de 2,468\n     Pérdida Min: 0 Máx: 0\n\n"
                                                  "Perdedor Seguro\n")));
    }

    void elDesempateSoloMiraLosLadosEmpatados()
    {
        // Seat 2, line open at 1 and 2. Two probable wins tie on their
        // smallest gain; the other side of the 1-2 is a probable loss whose
        // best line gains more than either. Only the tied sides compare, so
        // the 2-4 wins; the old rule let the losing side take the tie.
        Estado e = Posicion({"0-0", "1-2 2-4", "0-3", "0-4"}, 2, 1, 2, 10, 1);
        TablaAnalisis t{};
        auto lado = [](char resultado, int ganadas, int perdidas, int min, int max) {
            MitadAnalisis m;
            m.Llena = true;
            m.Resultado = resultado;
            m.Idas[2] = ganadas;
            m.Idas[1] = perdidas;
            m.MinPuntos[2] = min;
            m.MaxPuntos[2] = max;
            m.MinPuntos[1] = m.MaxPuntos[1] = 5;
            return m;
        };
        t[F("1-2")].D = lado('G', 3, 3, 4, 9);
        t[F("1-2")].I = lado('P', 1, 5, 1, 20);
        t[F("2-4")].D = lado('G', 2, 1, 4, 12);
        const Clasificacion c = ClasificarJugadas(e, t);
        QCOMPARE(c.Pronosticos, QStringLiteral("2:25D 2:18D 3:25I "));
        QCOMPARE(c.Ficha, F("2-4"));
        QCOMPARE(c.Punta, Extremo::Der);
        const Clasificacion literal = ClasificarJugadas(e, t, Desempate::Literal);
        QCOMPARE(literal.Ficha, F("1-2"));
        QCOMPARE(literal.Punta, Extremo::Izq);
        QCOMPARE(literal.Texto, c.Texto);
    }

    void enLaSalidaSoloHayLadoDerecho()
    {
        // Before the first play every tile is examined at "DER" only; the tie
        // list then holds the right side of each listed tile.
        Estado e = Posicion({"1-2 2-4 1-6", "0-0", "0-3", "0-4"}, 1, 0, 0, 0, 1);
        TablaAnalisis t{};
        for (const char* f : {"1-2", "2-4", "1-6"}) {
            t[F(f)].D.Llena = true;
            t[F(f)].D.Resultado = 'P';
            t[F(f)].D.Idas[2] = 4;
            t[F(f)].D.MaxPuntos[2] = 10;
            t[F(f)].D.MinPuntos[2] = 7;
        }
        t[F("2-4")].D.MinPuntos[2] = 3;
        const Clasificacion c = ClasificarJugadas(e, t);
        QCOMPARE(c.Pronosticos, QStringLiteral("4:25D 4:18D 4:13D "));
        QCOMPARE(c.Ficha, F("2-4"));
        QCOMPARE(c.Punta, Extremo::Der);
        QCOMPARE(e.ValorIzq, 0);
    }
};

QTEST_GUILESS_MAIN(PruebaAnalisis)
#include "PruebaAnalisis.moc"
