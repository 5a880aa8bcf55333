// Hand records: written and read back, every kind of broken or illegal
// record refused with its line, the position after K plays, the names a
// saved copy may take, and the writes a full disk, a read-only folder or a
// planted link make fail without losing the old file.

#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

#include "flujo/Resultados.h"
#include "records/GuardarMano.h"
#include "flujo/Posicion.h"
#include "records/RegistroMano.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Restricciones.h"

namespace {

// A whole hand of 23 plays, ended by Dani's domino.
const char* kMano =
    "\"Ana\"\r\n6-6, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6\r\n"
    "\"Beto\"\r\n5-5, 4-4, 5-6, 4-6, 3-6, 4-5, 2-6\r\n"
    "\"Carla\"\r\n3-3, 1-1, 2-5, 3-4, 0-6, 1-5, 2-4\r\n"
    "\"Dani\"\r\n0-5, 1-4, 2-3, 1-3, 0-3, 0-2, 0-1\r\n"
    " 23 \r\n"
    "0-0, DER\r\n0-6, IZQ\r\n0-5, DER\r\n1-6, IZQ\r\n4-5, DER\r\n1-5, IZQ\r\n1-4, DER\r\n3-5, IZQ\r\n"
    "3-6, IZQ\r\n1-1, DER\r\n0-1, DER\r\n6-6, IZQ\r\n5-6, IZQ\r\n2-5, IZQ\r\n0-2, IZQ\r\n0-4, DER\r\n"
    "4-6, DER\r\n0-3, IZQ\r\n2-6, DER\r\n3-3, IZQ\r\n2-3, DER\r\n3-4, DER\r\n1-3, IZQ\r\n";

QString Mano() { return QString::fromUtf8(kMano); }

QByteArray Contenido(const QString& ruta)
{
    QFile f(ruta);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(no se abre)");
}

// The record with line n (1-based) replaced; an empty text removes it.
QString ConLinea(int n, const QString& texto)
{
    QStringList l = Mano().split(QStringLiteral("\r\n"));
    if (texto.isNull())
        l.removeAt(n - 1);
    else
        l[n - 1] = texto;
    return l.join(QStringLiteral("\r\n"));
}

}  // namespace

class PruebaRegistros : public QObject {
    Q_OBJECT

private slots:
    void escrituraYLecturaIdaYVuelta();
    void registrosRechazados_data();
    void registrosRechazados();
    void posicionTrasKJugadas();
    void nombresDeCopia();
    void guardarManoEnJgo();
    void escriturasQueFallan();
};

void PruebaRegistros::escrituraYLecturaIdaYVuelta()
{
    const LecturaRegistro l = LeerRegistro(Mano());
    QVERIFY2(l.Ok, qPrintable(l.Mensaje()));
    QCOMPARE(l.Registro.Tiros.size(), size_t(23));
    QCOMPARE(TextoRegistro(l.Registro), Mano());
    QCOMPARE(LeerFicha(QStringLiteral("6-5")), 0);  // the game's own reading: no tile is the double six
    QCOMPARE(LeerFicha(QStringLiteral(" 0-1")), 27);

    // From the state of a hand in play; a quote inside a name becomes a single quote.
    Estado e;
    QVERIFY(PosicionTrasJugadas(l.Registro, 12, e).Ok);
    e.Jugadores[2].Nombre = QStringLiteral("Beto \"el Rápido\"");
    const RegistroMano r = RegistroDe(e);
    QCOMPARE(r.Tiros.size(), size_t(12));
    const QString texto = TextoRegistro(r);
    QVERIFY(texto.contains(QStringLiteral("\r\n\"Beto 'el Rápido'\"\r\n")));
    QVERIFY(texto.contains(QStringLiteral("\r\n 12 \r\n")));
    const LecturaRegistro otra = LeerRegistro(texto);
    QVERIFY(otra.Ok);
    QCOMPARE(otra.Registro.Nombres[2], QStringLiteral("Beto 'el Rápido'"));
    QCOMPARE(otra.Registro.Manos, l.Registro.Manos);
    QCOMPARE(otra.Registro.Tiros[11].Ficha, 0);  // 6-6

    // Written whole, the folder made when missing, read back from disk as UTF-8.
    QTemporaryDir dir;
    const QString ruta = dir.path() + QStringLiteral("/JGO/Anterior.Jgo");
    QVERIFY(EscribirRegistro(ruta, r));
    const LecturaRegistro leida = LeerRegistroArchivo(ruta);
    QVERIFY(leida.Ok);
    QCOMPARE(leida.Registro.Nombres[2], QStringLiteral("Beto 'el Rápido'"));
    QVERIFY(!LeerRegistroArchivo(dir.path() + QStringLiteral("/no.jgo")).Ok);

    // Only ordinary files: a FIFO is refused at once instead of blocking.
    const QString fifo = dir.path() + QStringLiteral("/fifo.jgo");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    QVERIFY(LeerRegistroArchivo(fifo).Mensaje().endsWith(QStringLiteral("no es un archivo normal.")));
    QVERIFY(!LeerRegistroArchivo(dir.path()).Ok);
}

void PruebaRegistros::registrosRechazados_data()
{
    QTest::addColumn<QString>("texto");
    QTest::addColumn<int>("linea");
    QTest::addColumn<bool>("legible");  // read whole, refused only when its plays are checked
    QTest::newRow("vacío") << QString() << 1 << false;
    QTest::newRow("falta una línea de fichas") << ConLinea(4, QString()) << 4 << false;
    QTest::newRow("nombre sin comillas") << ConLinea(3, QStringLiteral("Beto")) << 3 << false;
    QTest::newRow("seis fichas") << ConLinea(2, QStringLiteral("6-6, 0-4, 1-2, 3-5, 2-2, 0-0")) << 2 << false;
    QTest::newRow("ficha 6-5") << ConLinea(2, QStringLiteral("6-5, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6")) << 2 << false;
    QTest::newRow("ficha 7-7") << ConLinea(4, QStringLiteral("5-5, 4-4, 5-6, 4-6, 3-6, 4-5, 7-7")) << 4 << false;
    QTest::newRow("repartida dos veces") << ConLinea(8, QStringLiteral("0-5, 1-4, 2-3, 1-3, 0-3, 0-2, 6-6")) << 8 << false;
    QTest::newRow("sin jugadas") << ConLinea(9, QStringLiteral(" 0 ")) << 9 << false;
    QTest::newRow("26 jugadas") << ConLinea(9, QStringLiteral(" 26 ")) << 9 << false;
    QTest::newRow("cuenta no numérica") << ConLinea(9, QStringLiteral(" x ")) << 9 << false;
    QTest::newRow("cuenta con un NUL") << ConLinea(9, QStringLiteral(" 2\u00003 ")) << 9 << false;
    QTest::newRow("pips en otra escritura")
        << ConLinea(2, QStringLiteral("\u0666-\u0666, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6")) << 2 << false;
    QTest::newRow("jugada de más") << Mano() + QStringLiteral("6-6, DER\r\n") << 33 << false;
    QTest::newRow("basura tras líneas en blanco") << Mano() + QStringLiteral("\r\n \r\nx\r\n") << 35 << false;
    QTest::newRow("falta una jugada") << ConLinea(9, QStringLiteral(" 24 ")) << 33 << false;
    QTest::newRow("punta desconocida") << ConLinea(12, QStringLiteral("0-5, ARR")) << 12 << false;
    QTest::newRow("jugada sin punta") << ConLinea(12, QStringLiteral("0-5")) << 12 << false;
    QTest::newRow("primera en IZQ") << ConLinea(10, QStringLiteral("0-0, IZQ")) << 10 << true;
    QTest::newRow("ficha de otro jugador") << ConLinea(11, QStringLiteral("0-5, IZQ")) << 11 << true;
    QTest::newRow("no entra por su punta") << ConLinea(12, QStringLiteral("0-5, IZQ")) << 12 << true;
    QTest::newRow("no entra") << ConLinea(13, QStringLiteral("1-6, DER")) << 13 << true;
    QTest::newRow("ya jugada") << ConLinea(14, QStringLiteral("0-0, DER")) << 14 << true;
    QTest::newRow("después del dominó")
        << ConLinea(9, QStringLiteral(" 24 ")).replace(QStringLiteral("1-3, IZQ\r\n"),
                                                        QStringLiteral("1-3, IZQ\r\n6-6, DER\r\n"))
        << 33 << true;
}

void PruebaRegistros::registrosRechazados()
{
    QFETCH(QString, texto);
    QFETCH(int, linea);
    QFETCH(bool, legible);
    const LecturaRegistro l = LeerRegistro(texto);
    if (!legible) {
        QVERIFY(!l.Ok);
        QCOMPARE(l.Linea, linea);
        QVERIFY(l.Mensaje().startsWith(QStringLiteral("Línea %1: ").arg(linea)));
        return;
    }
    QVERIFY2(l.Ok, qPrintable(l.Mensaje()));
    const ResultadoPosicion v = ComprobarJugadas(l.Registro);
    QVERIFY(!v.Ok);
    QCOMPARE(v.Linea, linea);
}

void PruebaRegistros::posicionTrasKJugadas()
{
    const RegistroMano r = LeerRegistro(Mano()).Registro;
    Estado e;
    e.Opciones.Nivel = 'P';
    QVERIFY(PosicionTrasJugadas(r, 0, e).Ok);
    QCOMPARE(e.Turno, 1);  // Ana holds 0-0, the first play
    QCOMPARE(e.Salidor, 1);
    QCOMPARE(e.NumTiro, 0);
    QCOMPARE(e.ValorIzq, 0);
    QCOMPARE(e.ValorDer, 0);
    QCOMPARE(e.NumMano, 2);
    QCOMPARE(e.HistFicha[1], -1);
    QCOMPARE(e.ParamNivel, 20);
    QCOMPARE(e.Jugadores[3].LoR, Donde::Remota);

    QVERIFY(PosicionTrasJugadas(r, 9, e).Ok);
    QCOMPARE(e.NumTiro, 9);
    QCOMPARE(e.HistFicha[9], 9);    // 3-6
    QCOMPARE(e.HistPunta[9], Extremo::Izq);
    QCOMPARE(e.Turno, 3);           // Beto laid 3-6; Carla's 1-1 fits the 1
    QCOMPARE(e.Jugadores[1].NumFichas, 4);
    QVERIFY(!PosicionTrasJugadas(r, 23, e).Ok);  // the hand is over
    QVERIFY(!PosicionTrasJugadas(r, 24, e).Ok);
    QVERIFY(!PosicionTrasJugadas(r, -1, e).Ok);
    QVERIFY(PosicionTrasJugadas(r, 22, e).Ok);
}

void PruebaRegistros::nombresDeCopia()
{
    for (const char* bueno : {"070303_2105", "mi mano", "Mañana ñandú", "COM10", "consola", "NULO.x", "as \U0001F0A1"})
        QVERIFY2(NombreCopiaValido(QString::fromUtf8(bueno)), bueno);
    // Invisible characters (C1 NEL, line separator, bidi override and
    // isolate, zero-width space) and device names in any case or extension.
    for (const char* malo : {"", "   ", "../fuera", "..", "a/b", "a\\b", "c:x", "a*b", "a?b", "a\"b", "a<b",
                             "a|b", "con", "LPT1.txt", "fin.", "a\nb", "a\u0085b", "a\u2028b", "a\u202Eb",
                             "a\u2066b", "a\u200Bb", "COM\u00B9", "lpt\u00B3.jgo", "CONIN$", "conout$.txt", "Aux",
                             "NUL .x", "com0"})
        QVERIFY2(!NombreCopiaValido(QString::fromUtf8(malo)), malo);
    QVERIFY(!NombreCopiaValido(QString(QChar(0xD800)) + 'x'));  // a lone surrogate
    QString razon;
    QVERIFY(!NombreCopiaValido(QStringLiteral("x/y"), &razon));
    QVERIFY(!razon.isEmpty());
}

void PruebaRegistros::guardarManoEnJgo()
{
    QTemporaryDir dir;
    Estado e;
    QVERIFY(PosicionTrasJugadas(LeerRegistro(Mano()).Registro, 5, e).Ok);
    e.CarpetaApp = dir.path() + '/';
    AnfitrionPrueba h;
    h.RespuestasInput = {QStringLiteral("  la buena  "), QStringLiteral("../fuera"), QStringLiteral("   ")};
    GuardarMano(e, h);
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/JGO/Anterior.Jgo")));
    QVERIFY(QFile::exists(dir.path() + QStringLiteral("/JGO/la buena.jgo")));
    QVERIFY(h.Preguntas.last().startsWith(
        QStringLiteral("Guardar la mano: Si deseas guardar esta mano escribe el nombre: [")));
    QVERIFY(QRegularExpression(QStringLiteral("\\[\\d{6}_\\d{4}\\]$")).match(h.Preguntas.last()).hasMatch());
    QVERIFY(h.Mensajes.empty());

    GuardarMano(e, h);  // refused with a message; nothing outside JGO
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/fuera.jgo")));
    QCOMPARE(h.Mensajes.size(), size_t(1));
    QVERIFY(h.Mensajes[0].Mensaje.startsWith(QStringLiteral("No se guardó la mano: ")));

    GuardarMano(e, h);  // only blanks: refused too
    QCOMPARE(h.Mensajes.size(), size_t(2));
    GuardarMano(e, h);  // no answer: no copy, no message
    QCOMPARE(h.Mensajes.size(), size_t(2));
    QCOMPARE(QDir(dir.path() + QStringLiteral("/JGO")).entryList(QDir::Files).size(), 2);
}

void PruebaRegistros::escriturasQueFallan()
{
    QTemporaryDir dir;
    Estado e;
    QVERIFY(PosicionTrasJugadas(LeerRegistro(Mano()).Registro, 5, e).Ok);
    e.CarpetaApp = dir.path() + '/';
    const QString jgo = dir.path() + QStringLiteral("/JGO/");
    const QString anterior = jgo + QStringLiteral("Anterior.Jgo");
    const QByteArray bueno = Mano().toUtf8();
    QVERIFY(EscribirRegistro(anterior, LeerRegistro(Mano()).Registro));
    AnfitrionPrueba h;
    auto ultimo = [&] { return h.Mensajes.empty() ? QString() : h.Mensajes.back().Mensaje; };

    // A full disk: the old record stays whole, the message says why, and the
    // copy is still offered (and fails the same way).
    h.RespuestasInput = {QStringLiteral("copia")};
    {
        DiscoLleno lleno(8);
        GuardarMano(e, h);
    }
    QCOMPARE(Contenido(anterior), bueno);
    QCOMPARE(h.Mensajes.size(), size_t(2));
    QCOMPARE(h.Mensajes[0].Mensaje, QStringLiteral("No se pudo guardar la mano.\nNo se puede escribir «%1»: el archivo "
                                                   "excede el tamaño que el sistema permite.").arg(anterior));
    QCOMPARE(h.Preguntas.size(), 1);
    QCOMPARE(QDir(jgo).entryList(QDir::Files), QStringList{QStringLiteral("Anterior.Jgo")});

    // A read-only JGO, even for root.
    QVERIFY(QFile::setPermissions(jgo, QFile::ReadOwner | QFile::ExeOwner));
    {
        SinPrivilegios sin;
        GuardarMano(e, h);
    }
    QVERIFY(QFile::setPermissions(jgo, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner));
    QCOMPARE(Contenido(anterior), bueno);
    QVERIFY(ultimo().endsWith(QStringLiteral("no hay permiso para escribir en la carpeta.")));

    // Links out of JGO are never followed, for the last hand or a copy, even dangling.
    const QString fuera = dir.path() + QStringLiteral("/fuera.txt");
    QFile(fuera).open(QIODevice::WriteOnly);
    QVERIFY(QFile::remove(anterior));
    QVERIFY(QFile::link(fuera, anterior));
    QVERIFY(QFile::link(dir.path() + QStringLiteral("/nuevo.txt"), jgo + QStringLiteral("colgante.jgo")));
    h.Mensajes.clear();
    h.RespuestasInput = {QStringLiteral("colgante")};
    GuardarMano(e, h);
    QCOMPARE(h.Mensajes.size(), size_t(2));
    QVERIFY(ultimo().contains(QStringLiteral("es un enlace simbólico que lleva fuera de la carpeta")));
    QCOMPARE(Contenido(fuera), QByteArray());
    QVERIFY(!QFile::exists(dir.path() + QStringLiteral("/nuevo.txt")));
}

QTEST_GUILESS_MAIN(PruebaRegistros)
#include "PruebaRegistros.moc"
