// A whole hand through the real windows: the connect dialog reaches a real
// brintal, a person takes seat 1 in the lobby and starts with three computer
// seats, picks "Al azar", leads and plays by dragging tiles on the board,
// answers the end-of-hand boxes, and closes the window while the next hand
// waits.
#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>

#include "Contestador.h"
#include "app/quimbolo/Arranque.h"
#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "net/frmConnect.h"
#include "net/frmMesa.h"
#include "shell/Pausa.h"
#include "tests/support/BrintalPrueba.h"

namespace {

// A tile of the seat's hand that can be played now, and the end to drop it on.
int Jugable(const Estado& e, int silla, QString& lado)
{
    const Jugador& j = e.Jugadores[silla];
    for (int k = 1; k <= 7; ++k) {
        const int t = j.Mano[k];
        if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D' || e.Fichas[t].Dueno != silla)
            continue;
        const Ficha& f = e.Fichas[t];
        if (e.FaseMano == QLatin1String("SALIENDO")) {
            lado = "DER";
            return t;
        }
        if (f.Punto1 == e.ValorDer || f.Punto2 == e.ValorDer) {
            lado = "DER";
            return t;
        }
        if (f.Punto1 == e.ValorIzq || f.Punto2 == e.ValorIzq) {
            lado = "IZQ";
            return t;
        }
    }
    return -1;
}

void Capturar(QWidget* w, const QString& nombre)
{
    const QString carpeta = qEnvironmentVariable("QUIMBOLO_CAPTURAS");
    if (!carpeta.isEmpty())
        w->grab().save(QDir(carpeta).filePath(nombre + ".png"));
}

}  // namespace

class PruebaPartida : public QObject {
    Q_OBJECT
private slots:
    void unaManoContraTresComputadoras()
    {
        if (!QFile::exists(BrintalPrueba::Programa()))
            QSKIP("brintal no está construido");
        QTemporaryDir carpeta;
        const QString mmedia = QDir(qEnvironmentVariable("QUIMBOLO_CARPETA")).filePath("MMEDIA");
        QDir().mkpath(carpeta.filePath("MMEDIA"));
        for (const QString& a : QDir(mmedia).entryList(QDir::Files))
            QFile::copy(QDir(mmedia).filePath(a), carpeta.filePath("MMEDIA/" + a));

        // Open tiles: the first hand is led by seat 1, the person.
        BrintalPrueba servidor;
        QVERIFY2(servidor.Arrancar({"--opcion", "AoC=A", "--opcion", "Nivel=P", "--opcion", "Puntos=300"},
                                   carpeta.path()),
                 qPrintable(servidor.Error()));
        const quint16 puerto = servidor.Puerto();

        Sesion s(carpeta.path() + "/");
        s.Conector.PuertoMesa = s.Conector.PuertoAlterno = puerto;
        s.Conector.IniciarBrintal = false;
        Contestador c;
        frmConnect conexion(s.Conector, s.D);
        std::unique_ptr<frmDomino> juego;
        bool cerrado = false;
        conexion.AlConectar = [&] {
            juego.reset(AbrirMesaYJuego(s, conexion));
            if (juego)
                juego->AlCerrar = [&] { cerrado = true; };
        };

        // The end-of-hand summary: counted before the next pick clears the history.
        int jugadasAna = -1;
        c.Elegir = [&](const QString& texto) {
            if (texto.contains("¡Me Fuí!") || texto.contains("¡Cerré el Juego!")) {
                jugadasAna = 0;
                for (int n = 1; n <= s.E.NumTiro; ++n)
                    jugadasAna += s.E.HistJugador[n] == 1 && s.E.HistFicha[n] >= 0;
                if (juego)
                    Capturar(juego.get(), "partida-fin");
            }
            return QStringLiteral("cmdOK");
        };

        // The view can change in the middle of a hand, whatever the flow is doing.
        bool vistas = false;
        QTimer cambioVista;
        cambioVista.setInterval(200);
        connect(&cambioVista, &QTimer::timeout, [&] {
            if (vistas || !juego || cerrado || s.E.NumTiro < 6 || s.E.FaseMano != QLatin1String("TIRANDO"))
                return;
            vistas = true;
            juego->MVer3D->trigger();
            Capturar(juego.get(), "partida-3d");
            juego->MVerColor->trigger();
            QVERIFY(juego->MVerColor->isChecked());
            Capturar(juego.get(), "partida-3d-color");
            juego->MVer2D->trigger();
        });
        cambioVista.start();

        // The person's steps, played from the event loop whatever wait runs.
        bool ocupado = false, tomada = false, iniciada = false;
        int arrastres = 0;
        QTimer guion;
        guion.setInterval(120);
        connect(&guion, &QTimer::timeout, [&] {
            if (ocupado || cerrado)
                return;
            ocupado = true;
            if (auto* mesa = qobject_cast<frmMesa*>(QApplication::activeModalWidget())) {
                if (!tomada) {
                    tomada = true;
                    mesa->txtNombre->setText("Ana");
                    mesa->Image1[1]->click();
                } else if (!iniciada && mesa->lblNombre[1]->text() == "Ana") {
                    iniciada = true;
                    mesa->bIniciar->click();
                }
            } else if (juego && juego->isVisible()) {
                Estado& e = s.E;
                const bool resumen = c.Textos.filter("¡Me Fuí!").size() + c.Textos.filter("¡Cerré el Juego!").size();
                if (resumen && e.FaseMano == QLatin1String("REPARTIENDO")) {
                    juego->close();
                } else if (juego->bAzar[1]->isVisible() && juego->bAzar[1]->isEnabled()) {
                    juego->bAzar[1]->click();
                } else if (e.Turno == 1 && !e.ManoTerminada &&
                           (e.FaseMano == QLatin1String("SALIENDO") || e.FaseMano == QLatin1String("TIRANDO"))) {
                    QString lado;
                    const int t = Jugable(e, 1, lado);
                    if (t >= 0) {
                        const float x = lado == "DER" ? e.PuntaDerX : e.PuntaIzqX;
                        const float y = lado == "DER" ? e.PuntaDerY : e.PuntaIzqY;
                        ++arrastres;
                        QTest::mousePress(juego->p1, Qt::LeftButton, {}, juego->p1->PuntoEnWidget(e.Fichas[t].X, e.Fichas[t].Y));
                        QTest::mouseRelease(juego->p1, Qt::LeftButton, {}, juego->p1->PuntoEnWidget(x, y));
                    }
                }
            }
            ocupado = false;
        });
        guion.start();
        conexion.show();
        conexion.cmdConectar->click();

        QTRY_VERIFY_WITH_TIMEOUT(cerrado, 900000);
        // Whatever was waiting has unwound back here.
        QVERIFY(Cerrando());
        guion.stop();
        cambioVista.stop();
        QVERIFY(vistas);

        QVERIFY(juego);
        QVERIFY(!juego->isVisible());
        QCOMPARE(juego->windowTitle().left(26), QString("Quimbolo v.1.0.0. Mesa 1. "));
        QCOMPARE(s.E.Jugadores[2].Nombre, QString("Compu 2"));
        QCOMPARE(s.E.NumMano, 1);
        QVERIFY(s.E.PuntosPar13.size() >= 2);
        QVERIFY(s.E.PuntosPar13[1] + s.E.PuntosPar24[1] > 0 || c.Textos.filter("Empate").size());
        // Seat 1 led (open tiles) and played only by dragging on the board.
        QVERIFY(arrastres >= 1);
        QVERIFY(jugadasAna >= 1);
        QCOMPARE(s.J.ProfundidadMaxima(), 1);
        QVERIFY(QFile::exists(carpeta.filePath("JGO/Anterior.Jgo")));
    }
};

int main(int argc, char* argv[])
{
    // A whole hand paces its computer seats in seconds of real time.
    qputenv("QTEST_FUNCTION_TIMEOUT", "1200000");
    QApplication app(argc, argv);
    PruebaPartida prueba;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&prueba, argc, argv);
}
#include "PruebaPartida.moc"
