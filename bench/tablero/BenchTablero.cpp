// Full redraws of the board (every hand, the play area erased, every tile on
// the table) in the flat view, in perspective, and with the seat colours.
//
//   bench_tablero [--vueltas N] [--capturas DIR]
//
// With --capturas the three boards are also saved as PNG files in DIR.

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <cstdio>

#include "bench/tablero/Escena.h"
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
    return 0;
}
