// Full redraws of the board (every hand, the play area erased, every tile on
// the table) in the flat view, in perspective, and with the seat colours.
//
//   bench_tablero [--vueltas N] [--capturas DIR]
//
// With --capturas the boards are also saved as PNG files in DIR, together with
// the board of a real hand among four computer seats, caught after its
// sixteenth play, in each view.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "bench/tablero/Escena.h"
#include "flujo/AnfitrionMudo.h"
#include "flujo/Juego.h"
#include "view/Tablero.h"

namespace {

double Medir(Tablero& t, int vueltas)
{
    QElapsedTimer reloj;
    reloj.start();
    for (int i = 0; i < vueltas; ++i)
        t.Redibujar();
    return reloj.nsecsElapsed() / 1e6 / vueltas;
}

// A host without waits that draws on the board.
class AnfitrionTablero : public AnfitrionMudo {
public:
    Tablero* T = nullptr;
    std::function<void()> TrasMesa;
    void DibujarMano(int silla, char modo) override { T->DibujarMano(silla, modo); }
    void DibujarMesa() override
    {
        T->DibujarMesa();
        if (TrasMesa)
            TrasMesa();
    }
    void DibujarFichaSola(int ficha) override { T->DibujarFichaSola(ficha); }
};

void CapturarMano(const QString& carpeta, const QString& carpetaApp)
{
    Estado e;
    e.CarpetaApp = carpetaApp;
    e.Opciones.AoC = 'C';
    e.Opciones.Nivel = 'P';
    e.ParamNivel = ParamNivelDe('P');
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = e.Jugadores[s];
        j.HoC = Quien::Computadora;
        j.LoR = Donde::Local;
        j.Vista = (s == 1 || s == 3) ? 'A' : 'C';
        j.Nombre = QStringLiteral("Compu %1").arg(s);
        j.Semilla = 1000 * s + 7;
    }
    AnfitrionTablero h;
    Tablero t(e);
    t.PonerColor(false);
    h.T = &t;
    Juego juego(e, h);
    bool hecho = false;
    h.TrasMesa = [&] {
        if (hecho || e.FaseMano != Fase::Tirando || e.NumTiro < 16)
            return;
        hecho = true;
        const auto guardar = [&](const char* nombre) {
            t.Imagen().save(QDir(carpeta).filePath(QStringLiteral("mano_%1.png").arg(QLatin1String(nombre))));
        };
        guardar("2D");
        t.VerEn3D();
        guardar("3D");
        t.PonerColor(true);
        guardar("3D_color");
        t.VerEn2D();
        guardar("2D_color");
    };
    juego.IniciarPartida();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    int vueltas = 200;
    QString capturas;
    const QStringList args = app.arguments();
    for (int i = 1; i + 1 < args.size(); ++i) {
        if (args[i] == QLatin1String("--vueltas"))
            vueltas = std::max(1, args[i + 1].toInt());
        else if (args[i] == QLatin1String("--capturas"))
            capturas = args[i + 1];
    }

    Estado e;
    e.CarpetaApp = QStringLiteral(QUIMBOLO_CARPETA_COMPILADA) + QLatin1Char('/');
    PrepararEscena(e);
    Tablero t(e);
    t.DibujarMesa();
    t.PonerColor(false);

    struct Caso {
        const char* nombre;
        bool tresD;
        bool color;
    };
    const Caso casos[] = {{"2D", false, false}, {"3D", true, false}, {"2D color", false, true}, {"3D color", true, true}};
    std::printf("Redibujo completo del tablero (%d vueltas):\n", vueltas);
    for (const Caso& c : casos) {
        if (c.tresD)
            t.VerEn3D();
        else
            t.VerEn2D();
        t.PonerColor(c.color);
        const double ms = Medir(t, vueltas);
        std::printf("  %-9s %8.3f ms\n", c.nombre, ms);
        if (!capturas.isEmpty()) {
            QDir().mkpath(capturas);
            QString archivo = QStringLiteral("tablero_%1.png").arg(QString::fromLatin1(c.nombre).replace(' ', '_'));
            t.Imagen().save(QDir(capturas).filePath(archivo));
        }
    }
    if (!capturas.isEmpty())
        CapturarMano(capturas, e.CarpetaApp);
    return 0;
}
