// quimbolo-cli as a program under the option Vista: the strength match in
// duplicate, and the honest choice repeated from its seed alone.

#include <QDir>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

struct Salida {
    int codigo = -1;
    QByteArray out, err;
};

Salida Correr(const QStringList& args, const QString& carpeta = {})
{
    QProcess p;
    if (!carpeta.isEmpty())
        p.setWorkingDirectory(carpeta);
    p.start(qEnvironmentVariable("QUIMBOLO_CARPETA") + QStringLiteral("/quimbolo-cli"), args);
    // No limit of our own: a loaded machine is slow, and CTest's limit catches a hang.
    p.waitForFinished(-1);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

}  // namespace

class PruebaFuerza : public QObject {
    Q_OBJECT

private slots:
    // The same configuration on both sides plays each deal the same way from
    // either pair, so in duplicate every point one side scores in one hand
    // the other scores in the other: the difference is exactly nothing.
    void mismaConfiguracionEmpataEnDuplicado()
    {
        const Salida s = Correr({"fuerza", "--repartos", "3", "--semilla", "5", "--a", "P:S:r8", "--b", "P:S:r8"});
        QCOMPARE(s.codigo, 0);
        QCOMPARE(s.out.count('\n'), 1);
        const QJsonObject j = QJsonDocument::fromJson(s.out).object();
        QCOMPARE(j.value("manos").toInt(), 6);
        QCOMPARE(j.value("ganadas_a").toInt(), j.value("ganadas_b").toInt());
        QCOMPARE(j.value("puntos_a").toDouble(), j.value("puntos_b").toDouble());
        QVERIFY(j.value("puntos_a").toDouble() > 0);
        QCOMPARE(j.value("diferencia").toDouble(), 0.0);
        QCOMPARE(j.value("diferencia_ic95").toArray(), (QJsonArray{0.0, 0.0}));
        QVERIFY(j.value("puntos_a_ic95").toArray().at(0).toDouble() < j.value("puntos_a").toDouble());
    }

    void rechazos()
    {
        for (const QStringList& args :
             {QStringList{"fuerza", "--a", "X:T"}, QStringList{"fuerza", "--b", "U:T:otra"},
              QStringList{"fuerza", "--a", "U:T:r16"}, QStringList{"fuerza", "--a", "U:S:r0"},
              QStringList{"fuerza", "--a", "U:S:r8:r8"}, QStringList{"fuerza", "--a", "U:S:literal:literal"},
              QStringList{"fuerza", "--repartos", "0"}, QStringList{"fuerza", "--analizar"},
              QStringList{"fuerza", "--nivel", "U"}, QStringList{"elegir", "x.jgo", "3", "--vista", "N"}}) {
            const Salida s = Correr(args);
            QCOMPARE(s.codigo, 2);
            QVERIFY(s.out.isEmpty());
            QVERIFY(s.err.startsWith("quimbolo-cli: "));
        }
    }

    // Under --vista S the answer comes from the seed: the same on every run,
    // with no tree file written.
    void elegirHonestoSeRepite()
    {
        QTemporaryDir dir;
        const QString registro = QStringLiteral(QUIMBOLO_BENCH_DATOS) + "/mano2.jgo";
        const QStringList args{"elegir", registro, "9", "--vista", "S", "--semilla", "17"};
        const Salida a = Correr(args, dir.path()), b = Correr(args, dir.path());
        QCOMPARE(a.codigo, 0);
        const QJsonObject ja = QJsonDocument::fromJson(a.out).object(), jb = QJsonDocument::fromJson(b.out).object();
        for (const char* campo : {"ficha", "punta", "opciones", "texto", "arbol"})
            QCOMPARE(ja.value(campo), jb.value(campo));
        QVERIFY(ja.value("texto").toString().startsWith("Se consideraron "));
        QVERIFY(ja.value("arbol").toBool());
        QVERIFY(!QDir(dir.filePath("JGO")).exists());
    }
};

QTEST_GUILESS_MAIN(PruebaFuerza)
#include "PruebaFuerza.moc"
