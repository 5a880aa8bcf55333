// The signature of the analysis: line counts, tree-file hashes and chosen
// plays of the benchmark positions, pinned in bench/data/firma.txt. A change
// of engine or of the choice that changes any answer shows up here.

#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "ai/Analisis.h"
#include "flujo/Posicion.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Posiciones.h"

#if defined(__SANITIZE_ADDRESS__)
constexpr int kMenorK = 1;  // the lead is left to the optimised build
#else
constexpr int kMenorK = 0;
#endif

class PruebaFirma : public QObject {
    Q_OBJECT

private slots:
    void firmaDelBanco()
    {
        const QString datos = QStringLiteral(QUIMBOLO_BENCH_DATOS);
        QFile f(datos + "/firma.txt");
        QVERIFY(f.open(QIODevice::ReadOnly | QIODevice::Text));
        QTemporaryDir carpeta;
        int comprobadas = 0;
        while (!f.atEnd()) {
            const QStringList c = QString::fromUtf8(f.readLine()).split(' ', Qt::SkipEmptyParts);
            if (c.size() != 5)
                continue;
            const int k = c[1].toInt();
            if (k < kMenorK)
                continue;
            const LecturaRegistro l = LeerRegistroArchivo(datos + '/' + c[0]);
            QVERIFY2(l.Ok, qPrintable(l.Mensaje()));
            Estado e;
            e.CarpetaApp = carpeta.path();
            QVERIFY(PosicionTrasJugadas(l.Registro, k, e).Ok);
            AnfitrionPrueba a;
            const ResultadoAnalisis r = AnalizarPosicion(e, a);
            std::uint64_t h = 1469598103934665603ULL;
            for (char b : r.Arbol) {
                h ^= static_cast<unsigned char>(b);
                h *= 1099511628211ULL;
            }
            const QString donde = c[0] + " K=" + c[1];
            QVERIFY2(r.Lineas == c[2].toLongLong(), qPrintable(donde));
            QVERIFY2(QString::number(h, 16) == c[3], qPrintable(donde));
            const QString jugada = QStringLiteral("%1%2").arg(r.Ficha, 2, 10, QChar('0')).arg(TextoExtremo(r.Punta).left(1));
            QVERIFY2(jugada == c[4].trimmed(), qPrintable(donde + ": " + jugada));
            ++comprobadas;
        }
        QVERIFY(comprobadas >= 24);
    }
};

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QTEST_FUNCTION_TIMEOUT"))
        qputenv("QTEST_FUNCTION_TIMEOUT", "1500000");
    QCoreApplication app(argc, argv);
    PruebaFirma prueba;
    return QTest::qExec(&prueba, argc, argv);
}
#include "PruebaFirma.moc"
