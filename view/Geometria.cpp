#include "view/Geometria.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vista {

void GeometriaMesa::PonerModo(const QString& modo)
{
    ModoVista = modo == QLatin1String("3D") ? QStringLiteral("3D") : QStringLiteral("2D");
    FondoVista = vista::FondoVista(ModoVista, AltoMesa);
}

void GeometriaMesa::PonerTamano(int ancho, int alto)
{
    AnchoMesa = std::max(ancho, 1);
    AltoMesa = std::max(alto, 1);
    FondoVista = vista::FondoVista(ModoVista, AltoMesa);
}

double FondoVista(const QString& modo, double altoMesa)
{
    return modo == QLatin1String("3D") ? 1.5 * altoMesa : 60.0 * altoMesa;
}

int GiroPara(int silla)
{
    return (silla >= 1 && silla <= 4) ? silla - 1 : 0;
}

QPointF AVista(const GeometriaMesa& g, double x, double y)
{
    const double dx = x, dy = y - 0.5, s = g.Escala();
    switch (g.Giro & 3) {
    case 1: return {s * dy, 0.5 - s * dx};
    case 2: return {-dx, 0.5 - dy};
    case 3: return {-s * dy, 0.5 + s * dx};
    default: return {x, y};
    }
}

QPointF DeVista(const GeometriaMesa& g, double vx, double vy)
{
    const double rx = vx, ry = vy - 0.5, s = g.Escala();
    switch (g.Giro & 3) {
    case 1: return {-ry / s, 0.5 + rx / s};
    case 2: return {-rx, 0.5 - ry};
    case 3: return {ry / s, 0.5 - rx / s};
    default: return {vx, vy};
    }
}

char RumboEnVista(const GeometriaMesa& g, char rumbo)
{
    static const char kVueltas[] = "NESO";
    const char* p = std::strchr(kVueltas, rumbo);
    if (!p || rumbo == '\0')
        return rumbo;
    return kVueltas[(p - kVueltas + g.Giro) & 3];
}

QPointF ProyectarVista(const GeometriaMesa& g, double x, double y)
{
    if (!g.Es3D())
        return {g.AnchoMesa * x / 1.4, (1.0 - y) * g.AltoMesa - 2.0};
    const double by = g.AltoMesa * std::tan((1.0 - y) * g.AnguloVista / 4.0);
    const double bx = (1.0 - (g.AltoMesa - by) / g.FondoVista) * x * g.AnchoMesa;
    return {bx, by};
}

QPointF DesproyectarVista(const GeometriaMesa& g, double bx, double by)
{
    if (!g.Es3D())
        return {bx * 1.4 / g.AnchoMesa, 1.0 - (by + 2.0) / g.AltoMesa};
    const double y = 1.0 - std::atan(by / g.AltoMesa) / (g.AnguloVista / 4.0);
    // The scale only vanishes far above the surface (by = AltoMesa - FondoVista).
    const double escala = (1.0 - (g.AltoMesa - by) / g.FondoVista) * g.AnchoMesa;
    const double x = escala != 0.0 ? bx / escala : 0.0;
    return {x, y};
}

QPointF Proyectar(const GeometriaMesa& g, double x, double y)
{
    if (g.Giro == 0)
        return ProyectarVista(g, x, y);
    const QPointF v = AVista(g, x, y);
    return ProyectarVista(g, v.x(), v.y());
}

QPointF Desproyectar(const GeometriaMesa& g, double bx, double by)
{
    const QPointF v = DesproyectarVista(g, bx, by);
    return g.Giro == 0 ? v : DeVista(g, v.x(), v.y());
}

QPointF APixel(const GeometriaMesa& g, QPointF b)
{
    return {b.x() + g.AnchoMesa / 2.0, b.y()};
}

QPointF DePixel(const GeometriaMesa& g, QPointF p)
{
    return {p.x() - g.AnchoMesa / 2.0, p.y()};
}

double Distancia(double x1, double y1, double x2, double y2)
{
    const double dx = x1 - x2;
    const double dy = y1 - y2;
    if (std::abs(dx) + std::abs(dy) == 0.0)
        return 0.0;
    return std::sqrt(dx * dx + dy * dy);
}

QRect RectPixeles(const GeometriaMesa& g, const Zona& z)
{
    const QPointF esquinas[4] = {
        APixel(g, Proyectar(g, z.x1, z.y1)), APixel(g, Proyectar(g, z.x2, z.y1)),
        APixel(g, Proyectar(g, z.x1, z.y2)), APixel(g, Proyectar(g, z.x2, z.y2))};
    double x0 = esquinas[0].x(), x1 = x0, y0 = esquinas[0].y(), y1 = y0;
    for (const QPointF& p : esquinas) {
        x0 = std::min(x0, p.x());
        x1 = std::max(x1, p.x());
        y0 = std::min(y0, p.y());
        y1 = std::max(y1, p.y());
    }
    const int l = static_cast<int>(std::floor(x0));
    const int t = static_cast<int>(std::floor(y0));
    const int r = static_cast<int>(std::ceil(x1));
    const int b = static_cast<int>(std::ceil(y1));
    return QRect(QPoint(l, t), QPoint(r, b));
}

std::vector<Zona> ZonasMano(int silla)
{
    // Each reaches out to the table's edge: in a turned view a tile's side
    // drops toward that edge, past the tile itself.
    switch (silla) {
    case 1:
        return {{-0.19, 0.14, 0.19, 0.012}};
    case 3:
        return {{-0.19, 0.988, 0.19, 0.85}};
    case 2:
    case 4: {
        // Strips rather than one rectangle: in perspective a single box around
        // the column would also wipe a slice of the line of play.
        const double xa = silla == 2 ? 0.56 : -0.685;
        const double xb = silla == 2 ? 0.685 : -0.56;
        std::vector<Zona> tiras;
        for (int k = 0; k < 6; ++k) {
            const double arriba = 0.70 - 0.06 * k;
            tiras.push_back({xa, arriba, xb, arriba - 0.07});
        }
        return tiras;
    }
    default:
        return {};
    }
}

Zona AreaToque(int silla)
{
    switch (silla) {
    case 1:
        return {-0.177, 0.14, 0.177, 0.05};
    case 2:
        return {0.56, 0.68, 0.65, 0.33};
    case 3:
        return {-0.177, 0.95, 0.177, 0.86};
    case 4:
        return {-0.65, 0.68, -0.56, 0.33};
    default:
        return {0, 0, 0, 0};
    }
}

namespace {

bool EnMano(const Estado& e, int silla, int slot)
{
    const int t = e.Jugadores[silla].Mano[slot];
    return t >= 0 && t < kNumFichas && e.Fichas[t].Lugar == 'D' && e.Fichas[t].Dueno == silla;
}

}  // namespace

int SlotsVistos(const Estado& e, int silla)
{
    if (silla < 1 || silla > 4)
        return 0;
    if (e.FaseMano == Fase::Repartiendo)
        return std::clamp(e.Jugadores[silla].NumFichas, 0, 7);
    return 7;
}

bool UbicarEnMano(Estado& e, int silla, int slot)
{
    const int vistos = SlotsVistos(e, silla);
    if (slot < 1 || slot > vistos || !EnMano(e, silla, slot))
        return false;
    int n = 0;
    int m = 0;
    for (int k = 1; k <= vistos; ++k) {
        if (!EnMano(e, silla, k))
            continue;
        ++n;
        if (k <= slot)
            ++m;
    }
    Ficha& f = e.Fichas[e.Jugadores[silla].Mano[slot]];
    if (silla == 1 || silla == 3) {
        const double inicio = -0.05 * (n - 1) / 2.0;
        f.Rumbo = 'N';
        f.X = static_cast<float>(inicio + 0.05 * (m - 1));
        f.Y = silla == 1 ? 0.09f : 0.91f;
    } else {
        const double inicio = 0.05 * (n - 1) / 2.0 + 0.52;
        f.Rumbo = 'O';
        f.X = silla == 2 ? 0.61f : -0.61f;
        f.Y = static_cast<float>(inicio - 0.05 * (m - 1));
    }
    return true;
}

}  // namespace vista
