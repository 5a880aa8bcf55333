#pragma once
// The board's drawing, on an image of the board's own size: the table
// picture, tiles face up and face down, in hands and on the table, in either
// view. Everything is built from five operations (a line in the pen colour, a
// filled circle, the pen colour, a copy from the background picture, the
// background picture itself), so the look is the same whatever paints it.
// Positions are table units; drawing leaves the pixels until something is
// drawn over them or erased, exactly like a painted board.

#include <QImage>
#include <QPainter>
#include <QRegion>
#include <array>
#include <utility>

#include "rules/Estado.h"
#include "view/Geometria.h"

namespace vista {

class Lienzo {
public:
    explicit Lienzo(Estado& estado);

    Estado& E;
    GeometriaMesa G;
    std::array<unsigned, 5> ColorSilla;

    const QImage& Imagen() const { return imagen_; }
    const QImage& Fondo() const { return fondo_; }
    // The table picture; a missing or unreadable picture gives plain felt.
    // Scaled to the board's size and painted over the whole surface.
    void PonerFondo(const QImage& imagen);

    // The five operations.
    void ColorPluma(unsigned rgb);
    void TrazarLinea(double x1, double y1, double x2, double y2);
    void DibujarPunto(double x, double y, double r);
    void BorrarZona(double x1, double y1, double x2, double y2);
    void BorrarZona(const Zona& z) { BorrarZona(z.x1, z.y1, z.x2, z.y2); }
    // The background put back over these pixels of the image.
    void BorrarPixeles(const QRect& zona);

    // Tile pieces: 'V' upright, 'H' lying; mode 'A' face up, anything else face down.
    void DibujarFicha(double x, double y, char orientacion, char modo, unsigned color);
    void DibujarReverso(double x, double y, char orientacion);
    void DibujarCara(double x, double y, char orientacion, int numero1, int numero2,
                     unsigned color1, unsigned color2);

    void DibujarFichaSola(int ficha, char modo);
    // The tile as it lies now (its letter, colours and faces) but centred at (x, y).
    void DibujarFichaEn(int ficha, double x, double y, char modo);
    // The seat's hand area erased and its tiles drawn; returns the pixels
    // erased, where a tile on the table may have reached.
    QRegion DibujarMano(int silla, char modo);
    void DibujarMesa(char modo);
    // The same with each tile's own mode (for a pool being turned face down).
    void DibujarMesa(const std::array<char, kNumFichas>& modos);

    // A tile lifted while it is dragged: left out where it lies (its hand slot
    // or its place in the pool) until it is put back or has gone elsewhere.
    struct Levantada {
        int ficha = -1;
        char lugar = ' ';
    };
    Levantada Apartada;
    bool EstaApartada(int ficha) const;

    // Pip radius in surface pixels at a view depth, for a radius r given in
    // pixels of the reference board.
    double RadioEn(double y, double r) const;

    // Draws on `capa` (an image of the surface's size) instead of the board:
    // the same operations, for what lies over the board only for a moment.
    template <typename F>
    void SobreCapa(QImage& capa, F&& dibujo)
    {
        std::swap(imagen_, capa);
        dibujo();
        std::swap(imagen_, capa);
    }

private:
    // Keeps one painter open across nested operations.
    class Sesion;
    friend class Sesion;

    QPointF Pixel(double x, double y) const { return APixel(G, Proyectar(G, x, y)); }
    // Pen width: one pixel of the reference board.
    double Grueso() const;
    void Linea(QPointF a, QPointF b, unsigned rgb);
    void Relleno(QPointF a0, QPointF a1, QPointF b0, QPointF b1, unsigned rgb);
    void Cara(double x, double y, char orientacion, QPointF p[4]);

    QImage imagen_;
    QImage fondo_;
    QPainter pintor_;
    int sesiones_ = 0;
    unsigned pluma_ = kNegroPluma;
    static constexpr unsigned kNegroPluma = 0x000000;
};

}  // namespace vista
