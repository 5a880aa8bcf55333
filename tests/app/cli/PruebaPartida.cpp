// Whole partidas across copies of the game: a real brintal and quimbolo-cli
// mesa processes over loopback, as two machines at one table would play.

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QtTest>

#include "tests/support/BrintalPrueba.h"

namespace {

QString Programa(const char* nombre)
{
    return QDir(qEnvironmentVariable("QUIMBOLO_CARPETA")).absoluteFilePath(QString::fromLatin1(nombre));
}

// A raw client of the table that only listens.
struct Mirador {
    QTcpSocket s;
    QByteArray visto;
    bool Esperar(const QByteArray& texto, int ms)
    {
        QElapsedTimer t;
        t.start();
        while (!visto.contains(texto) && t.elapsed() < ms && s.state() == QAbstractSocket::ConnectedState) {
            s.waitForReadyRead(50);
            visto += s.readAll();
        }
        return visto.contains(texto);
    }
};

}  // namespace

class PruebaPartida : public QObject {
    Q_OBJECT

    BrintalPrueba brintal;
    quint16 puerto = 0;
    Mirador mirador;

    QProcess* Copia(const QString& carpeta, const QStringList& extra)
    {
        auto* p = new QProcess(this);
        p->setWorkingDirectory(carpeta);
        p->start(Programa("quimbolo-cli"),
                 QStringList{"mesa", "--direccion", QStringLiteral("127.0.0.1:%1").arg(puerto), "--carpeta", carpeta} +
                     extra);
        return p;
    }

private slots:
    void init()
    {
        if (!QFile::exists(Programa("brintal")) || !QFile::exists(Programa("quimbolo-cli")))
            QSKIP("brintal o quimbolo-cli no están construidos");
        // The rows of a partida name what the computer may see.
        const QString vista = QLatin1String(QTest::currentDataTag()) == QLatin1String("solo lo que sabe") ? "S" : "T";
        QVERIFY2(brintal.Arrancar({"--opcion", "Puntos=40", "--opcion", "Nivel=P", "--opcion", "AoC=C", "--opcion",
                                   "Vista=" + vista}),
                 qPrintable(brintal.Error()));
        puerto = brintal.Puerto();
        mirador.s.connectToHost(QHostAddress::LocalHost, puerto);
        QVERIFY(mirador.s.waitForConnected(10000));
        mirador.visto.clear();
    }

    void cleanup()
    {
        mirador.s.abort();
        brintal.Detener();
    }

    void partidaEntreDosCopias_data()
    {
        QTest::addColumn<QByteArray>("opcion");
        QTest::newRow("todas las fichas") << QByteArray("Mesa Vista  =T");
        QTest::newRow("solo lo que sabe") << QByteArray("Mesa Vista  =S");
    }
    void partidaEntreDosCopias()
    {
        QFETCH(QByteArray, opcion);
        QVERIFY(mirador.Esperar(opcion, 5000));
        QTemporaryDir a, b;
        QProcess* pb = Copia(b.path(), {"--nombre", "Beto", "--sillas", "2"});
        QVERIFY(mirador.Esperar("Nombre2 Beto", 20000));
        QProcess* pa = Copia(a.path(), {"--nombre", "Ana", "--sillas", "1,3", "--iniciar"});
        QVERIFY(pa->waitForFinished(300000));
        QVERIFY(pb->waitForFinished(60000));
        QCOMPARE(pa->exitCode(), 0);
        QCOMPARE(pb->exitCode(), 0);

        const QJsonObject ja = QJsonDocument::fromJson(pa->readAllStandardOutput()).object();
        const QJsonObject jb = QJsonDocument::fromJson(pb->readAllStandardOutput()).object();
        QVERIFY(!ja.isEmpty());
        QCOMPARE(ja.value("puntos13"), jb.value("puntos13"));
        QCOMPARE(ja.value("puntos24"), jb.value("puntos24"));
        QCOMPARE(ja.value("manos"), jb.value("manos"));
        QCOMPARE(ja.value("marcador"), jb.value("marcador"));
        const int t13 = ja.value("total13").toInt(), t24 = ja.value("total24").toInt();
        QVERIFY(t13 >= 40 || t24 >= 40);
        QCOMPARE(ja.value("puntos13").toArray().size(), ja.value("manos").toInt());

        QFile ra(a.filePath("JGO/Anterior.Jgo")), rb(b.filePath("JGO/Anterior.Jgo"));
        QVERIFY(ra.open(QIODevice::ReadOnly));
        QVERIFY(rb.open(QIODevice::ReadOnly));
        const QByteArray registro = ra.readAll();
        QCOMPARE(registro, rb.readAll());
        QVERIFY(registro.startsWith("\"Ana\""));
        QVERIFY(registro.contains("\"Compu 4\""));
    }

    // A copy that leaves mid-partida frees its seat: the copy that started
    // gives it to its computer and plays the partida to its end.
    void copiaPerdidaLaOcupaLaComputadora()
    {
        QTemporaryDir a, b;
        QProcess* pb = Copia(b.path(), {"--nombre", "Beto", "--sillas", "2"});
        QVERIFY(mirador.Esperar("Nombre2 Beto", 20000));
        QProcess* pa = Copia(a.path(), {"--nombre", "Ana", "--sillas", "1,3", "--iniciar", "--ritmo", "0.05"});
        QVERIFY(mirador.Esperar("Fichas", 20000));
        pb->kill();
        QVERIFY(mirador.Esperar("Nombre2 Compu 2", 20000));
        QVERIFY(pa->waitForFinished(120000));
        QCOMPARE(pa->exitCode(), 0);
        const QJsonObject ja = QJsonDocument::fromJson(pa->readAllStandardOutput()).object();
        QVERIFY(ja.value("total13").toInt() >= 40 || ja.value("total24").toInt() >= 40);
    }

    // When the copy that started leaves, nobody can give its seats away: the
    // other copy says so and ends with the lost-table status.
    void seVaQuienInicio()
    {
        QTemporaryDir a, b;
        QProcess* pb = Copia(b.path(), {"--nombre", "Beto", "--sillas", "2", "--silencio", "2"});
        QVERIFY(mirador.Esperar("Nombre2 Beto", 20000));
        QProcess* pa = Copia(a.path(), {"--nombre", "Ana", "--sillas", "1,3", "--iniciar", "--ritmo", "0.05"});
        QVERIFY(mirador.Esperar("Fichas", 20000));
        pa->kill();
        QVERIFY(pb->waitForFinished(60000));
        QCOMPARE(pb->exitCode(), 3);
        QVERIFY(!pb->readAllStandardError().isEmpty());
        QVERIFY(pb->readAllStandardOutput().isEmpty());
    }

    void direccionMala()
    {
        // A bad port is a bad command line: refused before anything is tried.
        QTemporaryDir a;
        QProcess p;
        p.start(Programa("quimbolo-cli"), {"mesa", "--nombre", "Ana", "--sillas", "1", "--carpeta", a.path(),
                                           "--direccion", "127.0.0.1:70000"});
        QVERIFY(p.waitForFinished(30000));
        QCOMPARE(p.exitCode(), 2);
        QVERIFY(QString::fromUtf8(p.readAllStandardError()).contains("El puerto «70000» no vale"));
    }

    void sinMesa()
    {
        QTemporaryDir a;
        brintal.Detener();
        const PuertoCerrado cerrado;
        puerto = cerrado.Puerto();
        QProcess* pa = Copia(a.path(), {"--nombre", "Ana", "--sillas", "1", "--iniciar"});
        QVERIFY(pa->waitForFinished(30000));
        QCOMPARE(pa->exitCode(), 3);
        QVERIFY(QString::fromUtf8(pa->readAllStandardError()).contains("No se pudo encontrar la mesa de juego"));
    }

    // Files that cannot be kept (links out of JGO here) do not stop the
    // partida, but each is told on one line and the run ends with status 2.
    void archivosQueNoSeGuardan()
    {
        QTemporaryDir a;
        QVERIFY(QDir(a.path()).mkpath("JGO"));
        QVERIFY(QFile::link(a.filePath("fuera1"), a.filePath("JGO/Server.Dom")));
        QVERIFY(QFile::link(a.filePath("fuera2"), a.filePath("JGO/Anterior.Jgo")));
        QProcess* pa = Copia(a.path(), {"--nombre", "Ana", "--sillas", "1,2,3,4", "--iniciar"});
        QVERIFY(pa->waitForFinished(300000));
        QCOMPARE(pa->exitCode(), 2);
        const QJsonObject ja = QJsonDocument::fromJson(pa->readAllStandardOutput()).object();
        const QStringList avisos = QString::fromUtf8(pa->readAllStandardError()).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(avisos.size(), 1 + ja.value("manos").toInt());
        QVERIFY(avisos.last().startsWith("No se pudo guardar la mano. No se puede escribir"));
        QVERIFY(!QFile::exists(a.filePath("fuera1")) && !QFile::exists(a.filePath("fuera2")));
    }
};

QTEST_GUILESS_MAIN(PruebaPartida)
#include "PruebaPartida.moc"
