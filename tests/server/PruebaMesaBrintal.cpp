// The table's rules driven with strings: no sockets, no process; and the
// owner's stored options, which a full disk or a foreign file never lose.

#include "protocolo/Opciones.h"
#include "protocolo/Troceador.h"
#include "server/AlmacenOpciones.h"
#include "server/Mesa.h"

#include "tests/support/Restricciones.h"

#include <QSaveFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A table with its connections' inboxes: what each connection would have received.
struct Banco {
    Mesa m;
    QMap<int, QStringList> buzon;

    // Connections 1..conexiones already in, their inboxes as the table left them.
    explicit Banco(int conexiones = 0) {
        for (int id = 1; id <= conexiones; ++id) Entrar(id);
    }

    bool Entrar(int id) {
        const bool dentro = m.Entrar(id);
        Repartir();
        return dentro;
    }
    void Recibir(int id, const QString& bloque) {
        m.Recibir(id, bloque.split('\n'));
        Repartir();
    }
    void Salir(int id) {
        m.Salir(id);
        Repartir();
    }
    void Repartir() {
        for (const Envio& e : m.TomarEnvios())
            for (int id : m.Conexiones())
                if (e.A == Envio::Todos || (e.A == Envio::Uno) == (id == e.Conexion))
                    buzon[id] << e.Linea;
    }
    QStringList Llego(int id) { return std::exchange(buzon[id], {}); }
    // Connection id holds the given seats, each named, with its inbox emptied.
    void Sentar(int id, const QList<int>& sillas) {
        for (int s : sillas) Recibir(id, QStringLiteral("Silla%1\nNombre%1 P%1").arg(s));
        for (auto& b : buzon) b.clear();
    }
};

const QStringList kOpcionesPorOmision = {
    "Mesa AoC    =C", "Mesa Nivel  =I", "Mesa Puntos =100", "Mesa AcuPtos=0",
    "Mesa Salida =PG", "Mesa Cierre =GS", "Mesa Tiempo1=10", "Mesa Tiempo2=20",
    "Mesa Vista  =T"};

}  // namespace

class PruebaMesaBrintal : public QObject {
    Q_OBJECT
private slots:
    void alEntrarLlegaLaMesaComoEsta() {
        Banco b;
        QVERIFY(b.Entrar(1));
        QCOMPARE(b.Llego(1), kOpcionesPorOmision);

        b.Recibir(1, "Silla3\nNombre3 Ana\nSilla4\nNombre4 Compu 4\nHoC  4 C");
        QVERIFY(b.Entrar(2));
        QCOMPARE(b.Llego(2), kOpcionesPorOmision + QStringList({"Nombre3 Ana", "Nombre4 Compu 4", "HoC  4 C"}));
        b.Recibir(1, "Silla1\nNombre1 Bea\nSilla2\nNombre2 Compu 2");
        QVERIFY(b.Entrar(3));
        QCOMPARE(b.Llego(3).last(), QString("Inici"));
    }

    void sillasConcedidasYNegadas() {
        Banco b(2);
        b.Llego(1);
        b.Llego(2);
        b.Recibir(1, "Silla2\nSilla2");
        QCOMPARE(b.Llego(1), QStringList({"Local 2", "Local 2"}));   // its own seat again
        b.Recibir(2, "Silla2\nSilla0\nSilla5\nSillax\nSilla");
        QCOMPARE(b.Llego(2), QStringList());
        QCOMPARE(b.m.Titular(2), 1);
        b.Salir(1);
        b.Recibir(2, "Silla2");
        QCOMPARE(b.Llego(2).last(), QString("Local 2"));
    }

    void reenvioATodosYAtrasAlResto() {
        Banco b(2);
        b.Sentar(1, {1});
        const QStringList todos = {"Nombre1 Ana María", "HoC  1 H", "Fichas1 01020304050607",
                                   "Tiro 01 1 05 IZQ", "FIN  1", "Repet", "Memo 011050IZQ",
                                   "Chat Ana: hola: ¿qué tal?"};
        b.Recibir(1, todos.join('\n'));
        QCOMPARE(b.Llego(1), todos);
        QCOMPARE(b.Llego(2), todos);
        b.Recibir(1, "Atras 1");
        QCOMPARE(b.Llego(1), QStringList());
        QCOMPARE(b.Llego(2), QStringList{"Atras 1"});
    }

    void soloLaMesaHablaPorLaMesa_data() {
        QTest::addColumn<QString>("linea");
        QTest::addColumn<bool>("pasa");
        // Connection 1 holds seat 2 only.
        QTest::newRow("Local") << "Local 1" << false;
        QTest::newRow("Mesa") << "Mesa AoC    =A" << false;
        QTest::newRow("Inici") << "Inici" << false;
        QTest::newRow("clave desconocida") << "Hola 2" << false;
        QTest::newRow("nombre ajeno") << "Nombre1 X" << false;
        QTest::newRow("tipo ajeno") << "HoC  4 C" << false;
        QTest::newRow("fin ajeno") << "FIN  3" << false;
        QTest::newRow("atras ajeno") << "Atras 1" << false;
        QTest::newRow("tiro propio") << "Tiro 03 2 27 DER" << true;
        QTest::newRow("tiro con merito") << "Tiro 07 2 13 IZQ  0.50" << true;
        QTest::newRow("tiro ajeno") << "Tiro 03 1 05 DER" << false;
        QTest::newRow("silla 5") << "Tiro 03 5 05 DER" << false;
        QTest::newRow("ficha 28") << "Tiro 03 2 28 DER" << false;
        QTest::newRow("punta mala") << "Tiro 03 2 05 ARR" << false;
        QTest::newRow("punta larga") << "Tiro 03 2 05 IZQx" << false;
        QTest::newRow("no salir propio") << "Tiro 01 4 -2 NUL" << true;
        QTest::newRow("no salir companero malo") << "Tiro 01 3 -2 NUL" << false;
        QTest::newRow("no salir ajeno") << "Tiro 01 2 -4 NUL" << false;
        QTest::newRow("no salir tiro 2") << "Tiro 02 4 -2 NUL" << false;
        QTest::newRow("firma Brintal") << "Chat Brintal: Ana dejó la Silla 1." << false;
        QTest::newRow("firma brintal disfrazada") << "Chat  brintal : hola" << false;
        QTest::newRow("Brintal en el texto") << "Chat Ana: Brintal: hola" << true;
        QTest::newRow("Fichoz") << "Fichoz" << false;
    }
    void soloLaMesaHablaPorLaMesa() {
        QFETCH(QString, linea);
        QFETCH(bool, pasa);
        Banco b(2);
        b.Sentar(1, {2});
        b.Recibir(1, linea);
        QCOMPARE(b.Llego(2), pasa ? QStringList{linea} : QStringList());
    }

    void sinSillaNoSeHabla() {
        Banco b(2);
        b.Sentar(1, {1});
        b.Recibir(2, "Chat Eva: hola\nFichas1 01020304050607\nRepet\nMemo 00");
        QCOMPARE(b.Llego(1), QStringList());
    }

    void iniciUnaVezTrasLoLlegadoConElNombre() {
        Banco b(2);
        b.Sentar(1, {1, 2});
        b.Recibir(2, "Silla3\nNombre3 ");   // a seat without a name does not start
        b.Recibir(2, "Silla4\nNombre4 Compu 4\nHoC  4 C");
        QVERIFY(!b.Llego(1).contains("Inici"));
        b.Recibir(2, "Nombre3 Eva\nHoC  3 H");
        QCOMPARE(b.Llego(1), QStringList({"Nombre3 Eva", "HoC  3 H", "Inici"}));
        b.Recibir(2, "Nombre3 Eva");
        QCOMPARE(b.Llego(1), QStringList{"Nombre3 Eva"});
        QVERIFY(b.m.Iniciada());
        // Everyone gone: the next people start a partida of their own.
        b.Salir(1);
        b.Salir(2);
        QVERIFY(!b.m.Iniciada());
    }

    void quienSeVaLiberaSusSillas() {
        Banco b(2);
        b.Sentar(1, {4, 2});
        b.Sentar(2, {1});
        b.Recibir(1, "Nombre2 50%1 %2");   // a name is text, never a pattern
        b.Llego(2);
        b.Salir(1);
        QCOMPARE(b.Llego(2), QStringList({"Chat Brintal: 50%1 %2 dejó la Silla 2.",
                                          "Chat Brintal: P4 dejó la Silla 4."}));
        QCOMPARE(b.m.Titular(2), 0);
        QCOMPARE(b.m.Titular(4), 0);
        b.Entrar(3);   // a late arrival no longer sees the freed seats
        QCOMPARE(b.Llego(3).mid(9), QStringList{"Nombre1 P1"});
    }

    void laConexion65SeCierra() {
        Banco b;
        for (int id = 1; id <= Mesa::kMaxConexiones; ++id) QVERIFY(b.Entrar(id));
        QVERIFY(!b.Entrar(65));
        QVERIFY(!b.m.Conexiones().contains(65));
        b.Salir(3);
        QVERIFY(b.Entrar(66));
    }

    void cambioDeOpcionYValidacion() {
        Banco b(1);
        b.Llego(1);
        QVERIFY(b.m.CambiarOpcion("Puntos", "0150"));
        QVERIFY(b.m.CambiarOpcion("Salida", "JD"));
        QVERIFY(!b.m.CambiarOpcion("Tiempo1", "33"));
        QVERIFY(!b.m.CambiarOpcion("Color", "R"));
        b.Repartir();
        QCOMPARE(b.Llego(1), QStringList({"Mesa Puntos =150", "Mesa Salida =JD"}));
        QString motivo;
        for (const char* malo : {"0", "301", "+5", "-1", "1.5", "", "９"})
            QVERIFY2(protocolo::ValidarOpcion("Puntos", malo, &motivo).isEmpty(), qPrintable(malo));
        QVERIFY(!motivo.isEmpty());
        QCOMPARE(protocolo::ValidarOpcion("Tiempo2", "0", nullptr), QString("0"));
        QCOMPARE(protocolo::ValidarOpcion("Tiempo2", "32", nullptr), QString("32"));
        QVERIFY(protocolo::ValidarOpcion("Nivel", "u", nullptr).isEmpty());
        QVERIFY(protocolo::ValidarOpcion("AcuPtos", "2", nullptr).isEmpty());
        QCOMPARE(protocolo::ValidarOpcion("Vista", "S", nullptr), QString("S"));
        QVERIFY(protocolo::ValidarOpcion("Vista", "s", nullptr).isEmpty());
    }

    void troceoDeLineas() {
        protocolo::Troceador t;
        QStringList l;
        QVERIFY(t.Agregar("Silla3\r\nNombre3 A", &l));
        QCOMPARE(l, QStringList{"Silla3"});
        QVERIFY(t.Agregar("na\r\n\r\n\x01" "Chat\x1b A: \xc3\xb1o\r\n\xff\xfe\r\n\xc0\xaf\n\xed\xa0\x80\nFIN  2\n", &l));
        QCOMPARE(l, QStringList({"Silla3", "Nombre3 Ana", "Chat A: ño", "FIN  2"}));
        QCOMPARE(t.Invalidas(), 3);   // bad bytes, an overlong form, a lone surrogate

        // 4096 bytes pass, CRs not counted; one more closes and nothing after is read.
        protocolo::Troceador u;
        l.clear();
        QByteArray justa(4096, 'x');
        justa.insert(100, "\r\r\r");
        QVERIFY(u.Agregar(justa + "\r\n", &l));
        QVERIFY(!u.Agregar("Repet\n" + QByteArray(4097, 'y') + "\nRepet\n", &l));
        QCOMPARE(l.size(), 2);
        QCOMPARE(l[0].size(), 4096);
        // An endless line is refused before its end arrives.
        protocolo::Troceador v;
        QVERIFY(v.Agregar(QByteArray(4000, 'z'), &l));
        QVERIFY(!v.Agregar(QByteArray(200, 'z'), &l));
    }

    void opcionesGuardadas() {
        QTemporaryDir dir;
        const QString archivo = dir.filePath("sub/opciones.ini");
        auto leer = [](const QString& ruta) {
            QFile f(ruta);
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        AlmacenOpciones almacen(archivo);
        QVERIFY(almacen.Guardar("Nivel", "U", nullptr));
        QVERIFY(almacen.Guardar("Puntos", "150", nullptr));
        QVERIFY(!almacen.Guardar("Puntos", "500", nullptr));
        QCOMPARE(QSettings(archivo, QSettings::IniFormat).value("Puntos").toString(), QString("150"));
        QFile f(archivo);
        QVERIFY(f.open(QIODevice::Append));
        f.write("Tiempo1=99\nOtra=1\nCierre=AN\n");
        f.close();
        OpcionesMesa o;
        QCOMPARE(almacen.Cargar(&o).size(), 2);
        QCOMPARE(o.Valor("Nivel"), QString("U"));
        QCOMPARE(o.Valor("Puntos"), QString("150"));
        QCOMPARE(o.Valor("Tiempo1"), QString("10"));
        QCOMPARE(o.Valor("Cierre"), QString("AN"));

        // A full disk: refused with a reason, the file as it was, and the
        // refused value not written later behind the owner's back.
        const QByteArray antes = leer(archivo);
        QString error;
        {
            DiscoLleno lleno(8);
            QVERIFY(!almacen.Guardar("Nivel", "P", &error));
        }
        QVERIFY(!error.isEmpty() && leer(archivo) == antes);
        QVERIFY(almacen.Guardar("Salida", "JD", nullptr));
        QVERIFY(!leer(archivo).contains("Nivel=P"));
        // The format's writer fails at the flush, so QSettings never commits a short file.
        QSaveFile corto(dir.filePath("corto.ini"));
        QVERIFY(corto.open(QIODevice::WriteOnly));
        {
            DiscoLleno lleno(8);
            QVERIFY(!AlmacenOpciones::EscribirTexto(corto, {{"Nivel", "U"}, {"Puntos", "150"}}));
        }

        // A file that is not ours is neither read nor written over.
        QFile ajeno(dir.filePath("ajeno.txt"));
        QVERIFY(ajeno.open(QIODevice::WriteOnly) && ajeno.write("Querida Ana:\nNivel=U\n") > 0);
        ajeno.close();
        AlmacenOpciones otro(ajeno.fileName());
        QCOMPARE(otro.Cargar(&o).size(), 1);
        QVERIFY(!otro.Guardar("Nivel", "P", nullptr));
        QCOMPARE(leer(ajeno.fileName()), QByteArray("Querida Ana:\nNivel=U\n"));
    }
};

QTEST_GUILESS_MAIN(PruebaMesaBrintal)
#include "PruebaMesaBrintal.moc"
