#pragma once
// Table units and the board surface. A position on the table runs x from -0.7
// (left edge in the flat view) to 0.7 and y from 0 (seat 1's edge, bottom) to
// 1 (seat 3's edge, top). The board surface measures pixels with bx = 0 at its
// centre and by = 0 at its top. Everything the board draws and everything the
// pointer hits is placed by the functions here, so drawing and hit-testing can
// never disagree.

#include <QPointF>
#include <QRect>
#include <QRectF>
#include <QString>
#include <vector>

#include "rules/Estado.h"
#include "rules/Linea.h"

namespace vista {

using ::AnchoMedio;  // half a tile's width
using ::LargoMedio;  // half a tile's length
constexpr float Grosor = 0.041f / 3;        // the visible side of a tile
constexpr float PasoPunto = 0.041f / 4;     // pip spacing
constexpr float RadioPunto = 2.87f;         // pip radius, in surface pixels

constexpr int kAnchoTablero = 792;  // the board surface, pixels
constexpr int kAltoTablero = 554;

// The board surface may be drawn at any size (it follows the window and the
// screen's pixel ratio); kAnchoTablero x kAltoTablero is its reference size,
// at which a pixel is a pixel of the original board.
//
// A view may also turn the table so that a given seat sits at the bottom:
// positions are first turned about the table's centre (0, 0.5), a quarter
// turn at a time, into view units, and only then projected. A quarter turn
// puts the table's 1.4-unit width along the 1-unit depth, so it also scales
// by 1/1.4. Drawing, hit-testing and the pointer all go through the same two
// steps, so a turned view is as exact as the plain one.
struct GeometriaMesa {
    QString ModoVista = QStringLiteral("2D");
    double AnguloVista = 3.14159265358979323846;
    double AltoMesa = kAltoTablero;
    double AnchoMesa = kAnchoTablero;
    double FondoVista = 60.0 * kAltoTablero;
    // Quarter turns clockwise: 0 seat 1 at the bottom, 1 seat 2, 2 seat 3, 3 seat 4.
    int Giro = 0;

    bool Es3D() const { return ModoVista == QLatin1String("3D"); }
    // "2D" or "3D"; anything else is taken as the flat view.
    void PonerModo(const QString& modo);
    // The surface in pixels; the depth constant follows.
    void PonerTamano(int ancho, int alto);
    // Surface pixels per pixel of the reference board.
    double Pixeles() const { return AltoMesa / kAltoTablero; }
    // Table units per view unit kept by the turn (1, or 1/1.4 for a quarter turn).
    double Escala() const { return (Giro & 1) ? 1.0 / 1.4 : 1.0; }
};

// The quarter turns that put `silla` at the bottom.
int GiroPara(int silla);

// Table units to view units (turned) and back.
QPointF AVista(const GeometriaMesa& g, double x, double y);
QPointF DeVista(const GeometriaMesa& g, double vx, double vy);
// An orientation letter as seen in the turned view.
char RumboEnVista(const GeometriaMesa& g, char rumbo);
// View units to surface and back: the projections of the flat and perspective views.
QPointF ProyectarVista(const GeometriaMesa& g, double vx, double vy);
QPointF DesproyectarVista(const GeometriaMesa& g, double bx, double by);

// Depth constant of a view: the flat view is almost without perspective.
double FondoVista(const QString& modo, double altoMesa);

// Table units to surface (bx from the centre, by from the top) and back,
// through the view's turn.
QPointF Proyectar(const GeometriaMesa& g, double x, double y);
QPointF Desproyectar(const GeometriaMesa& g, double bx, double by);
// Surface point to image pixel and back (the image's left edge is bx = -AnchoMesa/2).
QPointF APixel(const GeometriaMesa& g, QPointF b);
QPointF DePixel(const GeometriaMesa& g, QPointF p);

// Euclidean distance in table units.
double Distancia(double x1, double y1, double x2, double y2);

// A table rectangle by its top-left (x1, y1) and bottom-right (x2, y2) corners.
struct Zona {
    double x1, y1, x2, y2;
};
// Smallest pixel rectangle holding the projected corners of the zone.
QRect RectPixeles(const GeometriaMesa& g, const Zona& z);

// The rectangles erased before a seat's hand is redrawn.
std::vector<Zona> ZonasMano(int silla);
// Erased before the table is redrawn: the pool and the whole line of play.
constexpr Zona kZonaJuego{-0.35, 0.845, 0.35, 0.145};
constexpr Zona kZonaLinea{-0.55, 0.845, 0.55, 0.145};
// Where a press can pick a tile of the seat to move (bounds included).
Zona AreaToque(int silla);

// Hand slots looked at: the tiles picked so far during the pick, all seven after.
int SlotsVistos(const Estado& e, int silla);
// Centre and letter of the tile in that slot, when it is still in the hand.
// Returns false (and touches nothing) for an empty slot.
bool UbicarEnMano(Estado& e, int silla, int slot);

// "V" for the upright letters N and S, "H" for E and O.
inline char Orientacion(char rumbo) { return (rumbo == 'N' || rumbo == 'S') ? 'V' : 'H'; }

}  // namespace vista
