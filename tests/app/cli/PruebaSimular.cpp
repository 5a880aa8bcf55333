// quimbolo-cli simular as a program: one JSON line whose fields agree with
// the record it writes, and refusals with exit status 2 and no output (a
// broken record, a full disk that keeps the old record).

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include "flujo/Posicion.h"
#include "records/RegistroMano.h"
#include "tests/support/Restricciones.h"

namespace {

const char* kDeal =
    "\"Ana\"\r\n6-6, 0-4, 1-2, 3-5, 2-2, 0-0, 1-6\r\n"
    "\"Beto \"el B\"\"\r\n5-5, 4-4, 5-6, 4-6, 3-6, 4-5, 2-6\r\n"
    "\"Carla\"\r\n3-3, 1-1, 2-5, 3-4, 0-6, 1-5, 2-4\r\n"
    "\"Dani\"\r\n0-5, 1-4, 2-3, 1-3, 0-3, 0-2, 0-1\r\n"
    " 1 \r\n3-3, DER\r\n";

struct Salida {
    int codigo = -1;
    QByteArray out, err;
};

Salida Correr(const QStringList& args)
{
    QProcess p;
    p.start(qEnvironmentVariable("QUIMBOLO_CARPETA") + QStringLiteral("/quimbolo-cli"), args);
    p.waitForFinished(120000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace

class PruebaSimular : public QObject {
    Q_OBJECT

private slots:
    void manoJugadaHastaElFin();
    void rechazos();
};

void PruebaSimular::manoJugadaHastaElFin()
{
    QTemporaryDir dir;
    const QString registro = dir.filePath(QStringLiteral("mano.jgo"));
    QFile f(registro);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kDeal);
    f.close();
    const Salida s = Correr({QStringLiteral("simular"), registro, QStringLiteral("--nivel"), QStringLiteral("P"),
                             QStringLiteral("--carpeta"), dir.filePath(QStringLiteral("prog"))});
    QCOMPARE(s.codigo, 0);
    QVERIFY(s.out.endsWith('\n'));
    QCOMPARE(s.out.count('\n'), 1);
    const QJsonObject j = QJsonDocument::fromJson(s.out).object();
    const int jugadas = j.value(QStringLiteral("jugadas")).toInt();
    QVERIFY(jugadas >= 7 && jugadas <= 25);
    QCOMPARE(j.value(QStringLiteral("meritos")).toArray().size(), jugadas);
    const int p13 = j.value(QStringLiteral("puntos13")).toInt(), p24 = j.value(QStringLiteral("puntos24")).toInt();
    QVERIFY(p13 == 0 || p24 == 0);
    const QString resumen = j.value(QStringLiteral("resumen")).toString();
    QVERIFY(resumen.contains(QStringLiteral("\n\nMéritos:\n")));

    // The hand written is the record's deal and names, with the plays made.
    const LecturaRegistro l = LeerRegistroArchivo(dir.filePath(QStringLiteral("prog/JGO/Anterior.Jgo")));
    QVERIFY2(l.Ok, qPrintable(l.Mensaje()));
    QCOMPARE(static_cast<int>(l.Registro.Tiros.size()), jugadas);
    QCOMPARE(l.Registro.Nombres[2], QStringLiteral("Beto 'el B'"));
    QCOMPARE(l.Registro.Tiros[0].Punta, Extremo::Der);
    QCOMPARE(l.Registro.Manos, LeerRegistro(QString::fromUtf8(kDeal)).Registro.Manos);
    QVERIFY(ComprobarJugadas(l.Registro).Ok);
}

void PruebaSimular::rechazos()
{
    QTemporaryDir dir;
    const QString malo = dir.filePath(QStringLiteral("malo.jgo"));
    QFile f(malo);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(QByteArray(kDeal).replace("3-3, DER", "3-3, IZQ"));
    f.close();
    for (const QStringList& args : {QStringList{"simular", malo}, QStringList{"simular"},
                                    QStringList{"simular", malo, "--nivel"}, QStringList{"simular", malo, "--x", "1"}}) {
        const Salida s = Correr(args);
        QCOMPARE(s.codigo, 2);
        QVERIFY(s.out.isEmpty());
        QVERIFY(s.err.startsWith("quimbolo-cli: "));
    }
    QVERIFY(!QFile::exists(dir.filePath(QStringLiteral("JGO/Anterior.Jgo"))));

    // A full disk: the hand is played, its record cannot be kept, the old one stays.
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(kDeal) > 0);
    f.close();
    QVERIFY(QDir(dir.path()).mkpath("JGO") && QFile::copy(malo, dir.filePath("JGO/Anterior.Jgo")));
    Salida s;
    {
        DiscoLleno lleno(16);
        s = Correr({"simular", malo, "--nivel", "P", "--carpeta", dir.path()});
    }
    QCOMPARE(s.codigo, 2);
    QVERIFY(s.out.isEmpty() && s.err.count('\n') == 1);
    QVERIFY(s.err.endsWith("el archivo excede el tamaño que el sistema permite.\n"));
    QFile viejo(dir.filePath("JGO/Anterior.Jgo"));
    QVERIFY(viejo.open(QIODevice::ReadOnly) && viejo.readAll() == kDeal);
}

QTEST_GUILESS_MAIN(PruebaSimular)
#include "PruebaSimular.moc"
