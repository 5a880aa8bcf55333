#include "view/Lienzo.h"

#include <QRegion>

#include <cmath>

#include "view/Colores.h"

namespace vista {

class Lienzo::Sesion {
public:
    explicit Sesion(Lienzo& l) : l_(l)
    {
        if (l_.sesiones_++ == 0) {
            l_.pintor_.begin(&l_.imagen_);
            l_.pintor_.setRenderHint(QPainter::Antialiasing, false);
        }
    }
    ~Sesion()
    {
        if (--l_.sesiones_ == 0)
            l_.pintor_.end();
    }
    Sesion(const Sesion&) = delete;
    Sesion& operator=(const Sesion&) = delete;

private:
    Lienzo& l_;
};

namespace {

QColor Rgb(unsigned rgb)
{
    return QColor((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

QPointF Mezcla(QPointF a, QPointF b, double t)
{
    return a + (b - a) * t;
}

// Pip offsets on the upper half of an upright tile, in steps of PasoPunto.
struct Desplazamiento {
    int a, b;
};

std::vector<Desplazamiento> Puntos(int numero)
{
    switch (numero) {
    case 1: return {{0, 0}};
    case 2: return {{-1, -1}, {1, 1}};
    case 3: return {{-1, -1}, {1, 1}, {0, 0}};
    case 4: return {{-1, -1}, {1, 1}, {-1, 1}, {1, -1}};
    case 5: return {{-1, -1}, {1, 1}, {-1, 1}, {1, -1}, {0, 0}};
    case 6: return {{-1, -1}, {1, -1}, {-1, 0}, {1, 0}, {-1, 1}, {1, 1}};
    default: return {};
    }
}

void Medidas(char orientacion, double& mx, double& my)
{
    if (orientacion == 'V') {
        mx = AnchoMedio;
        my = LargoMedio;
    } else {
        mx = LargoMedio;
        my = AnchoMedio;
    }
}

}  // namespace

Lienzo::Lienzo(Estado& estado)
    : E(estado), ColorSilla(ColoresSillas(false))
{
    PonerFondo(QImage());
}

void Lienzo::PonerFondo(const QImage& imagen)
{
    const QSize tam(static_cast<int>(G.AnchoMesa), static_cast<int>(G.AltoMesa));
    if (imagen.isNull()) {
        fondo_ = QImage(tam, QImage::Format_RGB32);
        fondo_.fill(QColor(20, 92, 52));
    } else {
        fondo_ = imagen.scaled(tam, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    }
    if (sesiones_ == 0)
        imagen_ = fondo_.copy();
    else
        pintor_.drawImage(0, 0, fondo_);
}

void Lienzo::ColorPluma(unsigned rgb)
{
    pluma_ = rgb;
}

double Lienzo::Grueso() const
{
    return std::max(1.0, G.Pixeles());
}

void Lienzo::Linea(QPointF a, QPointF b, unsigned rgb)
{
    pintor_.setPen(QPen(Rgb(rgb), Grueso()));
    pintor_.drawLine(a, b);
}

void Lienzo::TrazarLinea(double x1, double y1, double x2, double y2)
{
    Sesion s(*this);
    Linea(Pixel(x1, y1), Pixel(x2, y2), pluma_);
}

double Lienzo::RadioEn(double y, double r) const
{
    const double propio = r * G.Pixeles() * G.Escala();
    const double efectivo = G.Es3D() ? (1.0 - y / 2.0) * propio : 0.8 * propio;
    return std::floor(2.0 * efectivo) / 2.0;
}

void Lienzo::DibujarPunto(double x, double y, double r)
{
    Sesion s(*this);
    const double radio = RadioEn(AVista(G, x, y).y(), r);
    pintor_.setRenderHint(QPainter::Antialiasing, true);
    pintor_.setPen(QPen(Rgb(pluma_), Grueso()));
    pintor_.setBrush(Qt::black);
    pintor_.drawEllipse(Pixel(x, y), radio, radio);
    pintor_.setBrush(Qt::NoBrush);
    pintor_.setRenderHint(QPainter::Antialiasing, false);
}

void Lienzo::BorrarZona(double x1, double y1, double x2, double y2)
{
    BorrarPixeles(RectPixeles(G, {x1, y1, x2, y2}));
}

void Lienzo::BorrarPixeles(const QRect& zona)
{
    Sesion s(*this);
    const QRect r = zona.intersected(imagen_.rect());
    if (r.isEmpty())
        return;
    pintor_.setCompositionMode(QPainter::CompositionMode_Source);
    pintor_.drawImage(r.topLeft(), fondo_, r);
    pintor_.setCompositionMode(QPainter::CompositionMode_SourceOver);
}

// Lines 1..71 of 72 steps between matching points of edges a0-a1 and b0-b1.
void Lienzo::Relleno(QPointF a0, QPointF a1, QPointF b0, QPointF b1, unsigned rgb)
{
    pintor_.setPen(QPen(Rgb(rgb), Grueso()));
    for (int i = 1; i <= 71; ++i) {
        const double t = i / 72.0;
        pintor_.drawLine(Mezcla(a0, a1, t), Mezcla(b0, b1, t));
    }
}

// Projected corners of the top face: near-left, far-left, far-right, near-right.
void Lienzo::Cara(double x, double y, char orientacion, QPointF p[4])
{
    double mx = 0, my = 0;
    Medidas(orientacion, mx, my);
    p[0] = Pixel(x - mx, y - my);
    p[1] = Pixel(x - mx, y + my);
    p[2] = Pixel(x + mx, y + my);
    p[3] = Pixel(x + mx, y - my);
}

void Lienzo::DibujarReverso(double x, double y, char orientacion)
{
    Sesion s(*this);
    QPointF p[4];
    Cara(x, y, orientacion, p);
    if (orientacion == 'V')
        Relleno(p[0], p[1], p[3], p[2], kColorNegro);
    else
        Relleno(p[0], p[3], p[1], p[2], kColorNegro);
    pintor_.setPen(QPen(Rgb(kColorGris), Grueso()));
    const QPointF contorno[5] = {p[0], p[1], p[2], p[3], p[0]};
    pintor_.drawPolyline(contorno, 5);
}

void Lienzo::DibujarFicha(double x, double y, char orientacion, char modo, unsigned color)
{
    Sesion s(*this);
    // Worked in view units: the near side and the downward drop of the
    // thickness belong to the screen, whichever way the table is turned.
    const QPointF v = AVista(G, x, y);
    const char enVista = (G.Giro & 1) ? (orientacion == 'V' ? 'H' : 'V') : orientacion;
    double mx = 0, my = 0;
    Medidas(enVista, mx, my);
    const double k = G.Escala();
    mx *= k;
    my *= k;
    auto pixel = [this](double vx, double vy) { return APixel(G, ProyectarVista(G, vx, vy)); };
    const double vx = v.x(), vy = v.y();
    const QPointF p1 = pixel(vx - mx, vy - my), p2 = pixel(vx - mx, vy + my);
    const QPointF p3 = pixel(vx + mx, vy + my), p4 = pixel(vx + mx, vy - my);
    // The thickness drops straight down on the screen under each corner.
    auto debajo = [&](double cx, double cy, QPointF arriba) {
        return QPointF(arriba.x(), pixel(cx, cy - Grosor * k).y());
    };
    const QPointF p5 = debajo(vx - mx, vy - my, p1), p6 = debajo(vx + mx, vy - my, p4);
    const QPointF p7 = debajo(vx - mx, vy + my, p2), p8 = debajo(vx + mx, vy + my, p3);

    const bool arriba = modo == 'A';
    // Face up: a black base under the coloured layer; face down the reverse.
    const int negrosLado = arriba ? 3 : 2;
    const int negrosFrente = arriba ? 6 : 4;
    auto colorLinea = [&](int i, int corte) {
        const bool negra = arriba ? i <= corte : i > corte;
        return negra ? kColorNegro : color;
    };
    for (int i = 1; i <= 5; ++i) {
        const double t = i / 6.0;
        const unsigned c = colorLinea(i, negrosLado);
        Linea(Mezcla(p7, p2, t), Mezcla(p5, p1, t), c);
        Linea(Mezcla(p8, p3, t), Mezcla(p6, p4, t), c);
    }
    for (int i = 1; i <= 10; ++i) {
        const double t = i / 11.0;
        Linea(Mezcla(p5, p1, t), Mezcla(p6, p4, t), colorLinea(i, negrosFrente));
    }
    pintor_.setPen(QPen(Rgb(kColorGris), Grueso()));
    const QPointF frente[5] = {p5, p1, p4, p6, p5};
    const QPointF izquierda[5] = {p7, p2, p1, p5, p7};
    const QPointF derecha[5] = {p8, p3, p4, p6, p8};
    pintor_.drawPolyline(frente, 5);
    pintor_.drawPolyline(izquierda, 5);
    pintor_.drawPolyline(derecha, 5);
}

void Lienzo::DibujarCara(double x, double y, char orientacion, int numero1, int numero2,
                         unsigned color1, unsigned color2)
{
    Sesion s(*this);
    QPointF p[4];
    Cara(x, y, orientacion, p);
    const bool vertical = orientacion == 'V';
    // Counted from the near end (upright) or the left end (lying); the first
    // number sits on the upper or the left half.
    const unsigned primeraMitad = vertical ? color2 : color1;
    const unsigned segundaMitad = vertical ? color1 : color2;
    for (int i = 1; i <= 71; ++i) {
        const double t = i / 72.0;
        const unsigned c = i <= 35 ? primeraMitad : segundaMitad;
        if (vertical)
            Linea(Mezcla(p[0], p[1], t), Mezcla(p[3], p[2], t), c);
        else
            Linea(Mezcla(p[0], p[3], t), Mezcla(p[1], p[2], t), c);
    }
    pintor_.setPen(QPen(Rgb(kColorGris), Grueso()));
    const QPointF contorno[5] = {p[0], p[1], p[2], p[3], p[0]};
    pintor_.drawPolyline(contorno, 5);

    ColorPluma(kColorGris);
    if (vertical)
        TrazarLinea(x - AnchoMedio, y, x + AnchoMedio, y);
    else
        TrazarLinea(x, y - AnchoMedio, x, y + AnchoMedio);

    const double d = PasoPunto;
    auto mitad = [&](int numero, double cx, double cy, int giro) {
        for (const Desplazamiento& o : Puntos(numero)) {
            double a = o.a, b = o.b;
            switch (giro) {
            case 1: a = -o.b; b = o.a; break;   // left half of a lying tile
            case 2: a = -o.a; b = -o.b; break;  // lower half
            case 3: a = o.b; b = -o.a; break;   // right half of a lying tile
            default: break;
            }
            DibujarPunto(cx + a * d, cy + b * d, RadioPunto);
        }
    };
    if (vertical) {
        mitad(numero1, x, y + 2 * d, 0);
        mitad(numero2, x, y - 2 * d, 2);
    } else {
        mitad(numero1, x - 2 * d, y, 1);
        mitad(numero2, x + 2 * d, y, 3);
    }
}

namespace {

// The numbers in drawing order: the letter names the side of the first number.
bool PrimeroDelante(char rumbo)
{
    return rumbo == 'N' || rumbo == 'O';
}

}  // namespace

bool Lienzo::EstaApartada(int ficha) const
{
    return ficha >= 0 && ficha < kNumFichas && ficha == Apartada.ficha && E.Fichas[ficha].Lugar == Apartada.lugar;
}

void Lienzo::DibujarFichaSola(int ficha, char modo)
{
    if (ficha < 0 || ficha >= kNumFichas || EstaApartada(ficha))
        return;
    const Ficha& f = E.Fichas[ficha];
    DibujarFichaEn(ficha, f.X, f.Y, modo);
}

void Lienzo::DibujarFichaEn(int ficha, double x, double y, char modo)
{
    if (ficha < 0 || ficha >= kNumFichas)
        return;
    Sesion s(*this);
    const Ficha& f = E.Fichas[ficha];
    const unsigned color = ColorSilla[(f.Dueno >= 0 && f.Dueno <= 4) ? f.Dueno : 0];
    const char o = Orientacion(f.Rumbo);
    if (modo == 'A') {
        DibujarFicha(x, y, o, 'A', color);
        if (PrimeroDelante(f.Rumbo))
            DibujarCara(x, y, o, f.Punto1, f.Punto2, color, color);
        else
            DibujarCara(x, y, o, f.Punto2, f.Punto1, color, color);
    } else {
        DibujarFicha(x, y, o, 'C', color);
        DibujarReverso(x, y, o);
    }
}

QRegion Lienzo::DibujarMano(int silla, char modo)
{
    if (silla < 1 || silla > 4)
        return {};
    Sesion s(*this);
    std::vector<int> fichas;
    const int vistos = SlotsVistos(E, silla);
    for (int k = 1; k <= vistos; ++k)
        if (UbicarEnMano(E, silla, k) && !EstaApartada(E.Jugadores[silla].Mano[k]))
            fichas.push_back(E.Jugadores[silla].Mano[k]);
    // A tile's edge line and its thickness drop down the screen and can reach
    // a pixel or two past its hand's area; on a turned table, toward the line
    // of play. Those rows are erased too.
    const int caida = static_cast<int>(std::ceil(Grueso())) + 2;
    QRegion borrado;
    for (const Zona& z : ZonasMano(silla))
        borrado += RectPixeles(G, z).adjusted(0, 0, 0, caida);
    for (const QRect& r : borrado)
        BorrarPixeles(r);
    for (int t : fichas) {
        const Ficha& f = E.Fichas[t];
        DibujarFicha(f.X, f.Y, Orientacion(f.Rumbo), modo, ColorSilla[silla]);
    }
    for (int t : fichas) {
        const Ficha& f = E.Fichas[t];
        const char o = Orientacion(f.Rumbo);
        if (modo != 'A')
            DibujarReverso(f.X, f.Y, o);
        else if (PrimeroDelante(f.Rumbo))
            DibujarCara(f.X, f.Y, o, f.Punto1, f.Punto2, f.Color1, f.Color2);
        else
            DibujarCara(f.X, f.Y, o, f.Punto2, f.Punto1, f.Color2, f.Color1);
    }
    return borrado;
}

void Lienzo::DibujarMesa(char modo)
{
    std::array<char, kNumFichas> modos;
    modos.fill(modo);
    DibujarMesa(modos);
}

void Lienzo::DibujarMesa(const std::array<char, kNumFichas>& modos)
{
    Sesion s(*this);
    auto enMesa = [this](int t) {
        const Ficha& f = E.Fichas[t];
        return (f.Lugar == 'J' || f.Lugar == 'R') && !EstaApartada(t);
    };
    auto color = [this](const Ficha& f) {
        return ColorSilla[(f.Dueno >= 0 && f.Dueno <= 4) ? f.Dueno : 0];
    };
    for (int t = 0; t < kNumFichas; ++t) {
        const Ficha& f = E.Fichas[t];
        if (enMesa(t))
            DibujarFicha(f.X, f.Y, Orientacion(f.Rumbo), modos[t], color(f));
    }
    for (int t = 0; t < kNumFichas; ++t) {
        if (!enMesa(t))
            continue;
        const Ficha& f = E.Fichas[t];
        const char o = Orientacion(f.Rumbo);
        if (modos[t] != 'A')
            DibujarReverso(f.X, f.Y, o);
        else if (PrimeroDelante(f.Rumbo))
            DibujarCara(f.X, f.Y, o, f.Punto1, f.Punto2, color(f), color(f));
        else
            DibujarCara(f.X, f.Y, o, f.Punto2, f.Punto1, color(f), color(f));
    }
}

}  // namespace vista
