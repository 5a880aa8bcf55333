// Paints the two table pictures of the board: the felt seen from above and the
// same table in perspective. Every pixel is taken back to table units with the
// board's own inverse projection, so the texture, the stitched line round the
// play area and the wooden rim land where the board draws the tiles.
// They are painted at three times the board's reference size: the board is
// drawn at the window's size in the screen's own pixels, and a picture is only
// ever scaled down to it, never blown up.
//
//   generar_mesa <folder>    writes <folder>/Mesa2d.JPG and <folder>/Mesa3d.JPG

#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageWriter>
#include <algorithm>
#include <cmath>
#include <cstdio>

#include "view/Geometria.h"

namespace {

using vista::GeometriaMesa;

double Hash(int x, int y, int semilla)
{
    std::uint32_t h = static_cast<std::uint32_t>(x) * 374761393u + static_cast<std::uint32_t>(y) * 668265263u +
                      static_cast<std::uint32_t>(semilla) * 2246822519u;
    h = (h ^ (h >> 13)) * 1274126177u;
    h ^= h >> 16;
    return (h & 0xFFFFFF) / double(0x1000000);
}

double Frac(double v)
{
    return v - std::floor(v);
}

double Suave(double t)
{
    return t * t * (3 - 2 * t);
}

// Value noise on a unit lattice, 0..1.
double Ruido(double x, double y, int semilla)
{
    const double fx = std::floor(x), fy = std::floor(y);
    const int ix = static_cast<int>(fx), iy = static_cast<int>(fy);
    const double tx = Suave(x - fx), ty = Suave(y - fy);
    const double a = Hash(ix, iy, semilla), b = Hash(ix + 1, iy, semilla);
    const double c = Hash(ix, iy + 1, semilla), d = Hash(ix + 1, iy + 1, semilla);
    return (a + (b - a) * tx) + ((c + (d - c) * tx) - (a + (b - a) * tx)) * ty;
}

double Fbm(double x, double y, int semilla, int octavas)
{
    double suma = 0, amp = 0.5, total = 0;
    for (int o = 0; o < octavas; ++o) {
        suma += amp * Ruido(x, y, semilla + o * 17);
        total += amp;
        x *= 2.03;
        y *= 2.03;
        amp *= 0.5;
    }
    return suma / total;
}

struct Color {
    double r, g, b;
    Color operator*(double k) const { return {r * k, g * k, b * k}; }
    Color operator+(const Color& o) const { return {r + o.r, g + o.g, b + o.b}; }
};

Color Mezclar(const Color& a, const Color& b, double t)
{
    t = std::clamp(t, 0.0, 1.0);
    return a * (1 - t) + b * t;
}

// Table outline in table units: felt inside, the rim band around it.
struct Forma {
    double feltX;   // felt reaches |x| <= feltX
    double feltY0;  // and feltY0 <= y <= feltY1
    double feltY1;
    double borde;   // rim width
};

Color Fieltro(double x, double y, const Forma& f)
{
    const Color base{24, 104, 60};
    // Broad cloudy shading, then the fine nap of the cloth.
    const double nubes = Fbm(x * 9, y * 9, 11, 4) - 0.5;
    const double pelo = Fbm(x * 140, y * 140, 23, 2) - 0.5;
    double k = 1.0 + nubes * 0.16 + pelo * 0.10;
    // A lamp over the centre of the table.
    const double dx = x / 0.75, dy = (y - 0.5) / 0.6;
    k *= 1.12 - 0.30 * (dx * dx + dy * dy);
    Color c = base * k;

    // A stitched line round the play area: a lighter thread, in dashes.
    const double lx = 0.55, ly0 = 0.15, ly1 = 0.85;
    const double ex = std::abs(std::abs(x) - lx), ey0 = std::abs(y - ly0), ey1 = std::abs(y - ly1);
    const bool dentroX = std::abs(x) <= lx + 0.002, dentroY = y >= ly0 - 0.002 && y <= ly1 + 0.002;
    double hilo = 0;
    const double grueso = 0.0016;
    if (dentroY && ex < grueso)
        hilo = (Frac(y * 90) < 0.6) ? 1 - ex / grueso : 0;
    if (dentroX && std::min(ey0, ey1) < grueso)
        hilo = std::max(hilo, (Frac(x * 90) < 0.6) ? 1 - std::min(ey0, ey1) / grueso : 0);
    c = Mezclar(c, Color{96, 170, 120}, hilo * 0.6);

    // The rim's shadow on the cloth.
    const double aBorde = std::min({f.feltX - std::abs(x), y - f.feltY0, f.feltY1 - y});
    if (aBorde < 0.03)
        c = c * (0.62 + 0.38 * Suave(std::clamp(aBorde / 0.03, 0.0, 1.0)));
    return c;
}

// Wood with its grain along the rim; `u` runs along the rim, `v` across it
// (0 at the felt, 1 at the outer edge).
Color Madera(double u, double v, int semilla)
{
    const Color oscura{72, 38, 18}, clara{140, 84, 44};
    const double veta = Fbm(u * 3, v * 2 + semilla, semilla, 3);
    const double anillos = Frac((v * 0.8 + veta * 3.0) * 7.0);
    double t = 0.35 + 0.45 * Suave(std::abs(anillos * 2 - 1)) + (Fbm(u * 60, v * 8, semilla + 5, 2) - 0.5) * 0.3;
    Color c = Mezclar(oscura, clara, t);
    // Rounded profile: a bright lip by the felt, a darker outer edge.
    const double perfil = std::sin(std::clamp(v, 0.0, 1.0) * 3.14159);
    c = c * (0.70 + 0.45 * perfil);
    if (v < 0.12)
        c = Mezclar(c, Color{200, 150, 100}, (0.12 - v) / 0.12 * 0.5);
    return c;
}

constexpr int kAumento = 3;

Color Suelo(double px, double py, double alto)
{
    const double t = py / alto;
    Color c = Mezclar(Color{22, 20, 24}, Color{48, 40, 36}, t);
    const double paso = 40.0 * kAumento;
    return c * (0.9 + 0.2 * Fbm(px / paso, py / paso, 71, 3));
}

Color Muestra(const GeometriaMesa& g, const Forma& f, double px, double py)
{
    const QPointF t = vista::Desproyectar(g, px - g.AnchoMesa / 2.0, py);
    const double x = t.x(), y = t.y();
    const double ax = std::abs(x);
    const bool enFieltro = ax <= f.feltX && y >= f.feltY0 && y <= f.feltY1;
    if (enFieltro)
        return Fieltro(x, y, f);
    // Distance outward from the felt along the nearer side decides the grain.
    const double sx = ax - f.feltX;
    const double sy0 = f.feltY0 - y;
    const double sy1 = y - f.feltY1;
    const double fuera = std::max({sx, sy0, sy1});
    if (fuera > f.borde)
        return Suelo(px, py, g.AltoMesa);
    const double v = fuera / f.borde;
    if (sx >= std::max(sy0, sy1))
        return Madera(y, v, x < 0 ? 3 : 5);
    return Madera(x, v, sy0 > sy1 ? 7 : 9);
}

QImage Pintar(const QString& modo, const Forma& forma)
{
    const int ancho = vista::kAnchoTablero * kAumento, alto = vista::kAltoTablero * kAumento;
    GeometriaMesa g;
    g.PonerModo(modo);
    g.PonerTamano(ancho, alto);
    QImage img(ancho, alto, QImage::Format_RGB32);
    const double sub[2] = {0.25, 0.75};
    for (int py = 0; py < alto; ++py) {
        QRgb* fila = reinterpret_cast<QRgb*>(img.scanLine(py));
        for (int px = 0; px < ancho; ++px) {
            Color suma{0, 0, 0};
            for (double sy : sub)
                for (double sx : sub)
                    suma = suma + Muestra(g, forma, px + sx, py + sy);
            Color c = suma * 0.25;
            // Soft vignette toward the corners of the picture.
            const double vx = (px + 0.5) / ancho - 0.5, vy = (py + 0.5) / alto - 0.5;
            c = c * (1.0 - 0.55 * (vx * vx + vy * vy));
            // A touch of grain so that the JPEG does not band.
            c = c + Color{1, 1, 1} * ((Hash(px, py, 99) - 0.5) * 3.0);
            auto canal = [](double v) { return std::clamp(static_cast<int>(std::lround(v)), 0, 255); };
            fila[px] = qRgb(canal(c.r), canal(c.g), canal(c.b));
        }
    }
    return img;
}

bool Guardar(const QImage& img, const QString& ruta)
{
    QImageWriter w(ruta, "JPEG");
    w.setQuality(92);
    if (!w.write(img)) {
        std::fprintf(stderr, "No se pudo escribir %s: %s\n", qPrintable(ruta), qPrintable(w.errorString()));
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "uso: generar_mesa <carpeta>\n");
        return 2;
    }
    const QDir carpeta(QString::fromLocal8Bit(argv[1]));
    if (!QDir().mkpath(carpeta.path())) {
        std::fprintf(stderr, "No se pudo crear %s\n", argv[1]);
        return 1;
    }
    // Seen from above the whole surface is table, framed by the rim; in
    // perspective the sides of the table show against the room.
    const Forma plana{0.672, 0.03, 0.972, 0.028};
    const Forma perspectiva{0.70, -0.05, 0.975, 0.07};
    const bool ok = Guardar(Pintar(QStringLiteral("2D"), plana), carpeta.filePath(QStringLiteral("Mesa2d.JPG"))) &&
                    Guardar(Pintar(QStringLiteral("3D"), perspectiva), carpeta.filePath(QStringLiteral("Mesa3d.JPG")));
    return ok ? 0 : 1;
}
