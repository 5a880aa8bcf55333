#include "view/Tablero.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <QMouseEvent>
#include <QPainter>

#include "view/Colores.h"

using namespace vista;

Tablero::Tablero(Estado& estado, QWidget* parent)
    : QWidget(parent), E(estado), lienzo_(estado), puntero_(estado)
{
    setObjectName(QStringLiteral("p1"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kAnchoTablero / 2, kAltoTablero / 2);
    RestablecerColores();
    VerEn2D();
}

QSize Tablero::sizeHint() const
{
    return {kAnchoTablero, kAltoTablero};
}

void Tablero::CargarFondo(const QString& archivo)
{
    QImage imagen;
    if (!E.CarpetaApp.isEmpty())
        imagen.load(QDir(E.CarpetaApp).filePath(archivo));
    lienzo_.PonerFondo(imagen);
}

void Tablero::VerEn2D()
{
    lienzo_.G.PonerModo(QStringLiteral("2D"));
    CargarFondo(QStringLiteral("MMEDIA/Mesa2d.JPG"));
    Redibujar();
}

void Tablero::VerEn3D()
{
    lienzo_.G.PonerModo(QStringLiteral("3D"));
    CargarFondo(QStringLiteral("MMEDIA/Mesa3d.JPG"));
    Redibujar();
}

bool Tablero::CambiarColor()
{
    PonerColor(!color_);
    return color_;
}

void Tablero::PonerColor(bool color)
{
    color_ = color;
    RestablecerColores();
    Redibujar();
}

void Tablero::RestablecerColores()
{
    lienzo_.ColorSilla = ColoresSillas(color_);
    PonerColoresFichas(E, lienzo_.ColorSilla);
}

unsigned Tablero::ColorSilla(int silla) const
{
    return (silla >= 0 && silla <= 4) ? lienzo_.ColorSilla[silla] : kColorNeutro;
}

char Tablero::ModoMesa() const
{
    if (E.FaseMano == QLatin1String("REPARTIENDO"))
        return E.Opciones.AoC == 'A' ? 'A' : 'C';
    return 'A';
}

bool Tablero::MontonOrdenado() const
{
    for (const Ficha& f : E.Fichas) {
        if (f.Lugar != 'R' || f.Rumbo != 'S')
            return false;
        const float x = (f.Punto2 - f.Punto1) * 0.05f - 0.15f;
        const float y = f.Punto1 * 0.1f + 0.2f;
        if (std::abs(f.X - x) > 1e-4f || std::abs(f.Y - y) > 1e-4f)
            return false;
    }
    return true;
}

void Tablero::Recordar(int ficha, char modo)
{
    const Ficha& f = E.Fichas[ficha];
    EnMesa& m = mesa_[ficha];
    m.dibujada = f.Lugar == 'R' || f.Lugar == 'J';
    m.x = f.X;
    m.y = f.Y;
    m.rumbo = f.Rumbo;
    m.modo = modo;
}

void Tablero::Redibujar()
{
    lienzo_.PonerFondo(lienzo_.Fondo());
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = E.Jugadores[s];
        // A closed hand is drawn closed again: the green light must show it next.
        if (j.Vista != 'A')
            j.Oculta = true;
        DibujarMano(s, j.Vista == 'A' ? 'A' : 'C');
    }
    lienzo_.BorrarZona(kZonaJuego);
    // Before the flow has laid out the pool there is no table to show.
    if (mesaPuesta_)
        DibujarMesa(ModoMesa());
    update();
}

void Tablero::DibujarMano(int silla, char modo)
{
    if (silla < 1 || silla > 4)
        return;
    modoMano_[silla] = modo;
    // Tiles change hands only while dealing; they take their new owner's colour.
    if (E.FaseMano == QLatin1String("REPARTIENDO")) {
        for (int k = 1; k <= SlotsVistos(E, silla); ++k) {
            const int t = E.Jugadores[silla].Mano[k];
            if (t >= 0 && t < kNumFichas && E.Fichas[t].Dueno == silla)
                E.Fichas[t].Color1 = E.Fichas[t].Color2 = lienzo_.ColorSilla[silla];
        }
    }
    lienzo_.DibujarMano(silla, modo);
    update();
}

void Tablero::PintarMesa()
{
    lienzo_.BorrarZona(kZonaLinea);
    // In perspective that box also reaches into the side hands; draw them again.
    const QRect borrado = RectPixeles(lienzo_.G, kZonaLinea);
    for (int s = 1; s <= 4; ++s) {
        bool toca = false;
        for (const Zona& z : ZonasMano(s))
            toca = toca || RectPixeles(lienzo_.G, z).intersects(borrado);
        if (toca)
            lienzo_.DibujarMano(s, modoMano_[s]);
    }
    std::array<char, kNumFichas> modos;
    for (int t = 0; t < kNumFichas; ++t) {
        modos[t] = mesa_[t].modo;
        Recordar(t, modos[t]);
    }
    lienzo_.DibujarMesa(modos);
    update();
}

void Tablero::DibujarMesa()
{
    const bool repartiendo = E.FaseMano == QLatin1String("REPARTIENDO");
    // The pool is laid out sorted and face up before it is turned and mixed.
    const bool ordenado = repartiendo && MontonOrdenado();
    for (int t = 0; t < kNumFichas; ++t) {
        if (!repartiendo || ordenado)
            mesa_[t].modo = 'A';
        else if (!mesa_[t].dibujada)
            mesa_[t].modo = ModoMesa();
    }
    mesaPuesta_ = true;
    PintarMesa();
}

void Tablero::DibujarMesa(char modo)
{
    mesaPuesta_ = true;
    for (int t = 0; t < kNumFichas; ++t)
        Recordar(t, modo);
    lienzo_.DibujarMesa(modo);
    update();
}

void Tablero::DibujarFichaSola(int ficha)
{
    if (ficha < 0 || ficha >= kNumFichas)
        return;
    const Ficha& f = E.Fichas[ficha];
    DibujarFichaSola(ficha, f.Lugar == 'R' ? ModoMesa() : 'A');
}

void Tablero::DibujarFichaSola(int ficha, char modo)
{
    if (ficha < 0 || ficha >= kNumFichas)
        return;
    const Ficha& f = E.Fichas[ficha];
    const EnMesa& m = mesa_[ficha];
    const bool movida = m.dibujada && (m.x != f.X || m.y != f.Y || m.rumbo != f.Rumbo);
    mesaPuesta_ = true;
    if (movida) {
        mesa_[ficha].modo = modo;
        PintarMesa();
        return;
    }
    Recordar(ficha, modo);
    lienzo_.DibujarFichaSola(ficha, modo);
    update();
}

void Tablero::BorrarZona(double x1, double y1, double x2, double y2)
{
    lienzo_.BorrarZona(x1, y1, x2, y2);
    update();
}

QRectF Tablero::Destino() const
{
    const double ancho = lienzo_.G.AnchoMesa, alto = lienzo_.G.AltoMesa;
    const double escala = std::min(width() / ancho, height() / alto);
    if (escala <= 0)
        return QRectF(0, 0, ancho, alto);
    const QSizeF tam(ancho * escala, alto * escala);
    return QRectF(QPointF((width() - tam.width()) / 2, (height() - tam.height()) / 2), tam);
}

QPoint Tablero::PuntoEnWidget(double x, double y) const
{
    const QPointF p = APixel(lienzo_.G, Proyectar(lienzo_.G, x, y));
    const QRectF d = Destino();
    return QPointF(d.left() + p.x() * d.width() / lienzo_.G.AnchoMesa,
                   d.top() + p.y() * d.height() / lienzo_.G.AltoMesa).toPoint();
}

QPointF Tablero::ASuperficie(QPointF enWidget) const
{
    const QRectF d = Destino();
    return DePixel(lienzo_.G, QPointF((enWidget.x() - d.left()) * lienzo_.G.AnchoMesa / d.width(),
                                      (enWidget.y() - d.top()) * lienzo_.G.AltoMesa / d.height()));
}

void Tablero::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    const QRectF d = Destino();
    if (d.toRect() != rect())
        p.fillRect(rect(), QColor(24, 20, 18));
    p.setRenderHint(QPainter::SmoothPixmapTransform, d.size() != QSizeF(lienzo_.Imagen().size()));
    p.drawImage(d, lienzo_.Imagen());
}

void Tablero::mousePressEvent(QMouseEvent* ev)
{
    if (ev->button() != Qt::LeftButton)
        return;
    const QPointF b = ASuperficie(ev->position());
    puntero_.Presionar(lienzo_.G, b.x(), b.y());
}

void Tablero::mouseReleaseEvent(QMouseEvent* ev)
{
    if (ev->button() != Qt::LeftButton)
        return;
    const QPointF b = ASuperficie(ev->position());
    const QPointF t = Desproyectar(lienzo_.G, b.x(), b.y());
    emit Posicion(TextoPosicion(E.Turno, t.x(), t.y()));
    const Orden o = puntero_.Soltar(lienzo_.G, b.x(), b.y());
    if (!acciones_ || o.tipo == Orden::Ninguna)
        return;
    if (o.olvidarMemoria)
        acciones_->Boton(Control::bMemoria, 0, Accion::Ocultar);
    if (o.ocultarNoSalir)
        for (int s = 1; s <= 4; ++s)
            acciones_->Boton(Control::bNoSalir, s, Accion::Ocultar);
    switch (o.tipo) {
    case Orden::Tomar:
        acciones_->TomarFicha(o.ficha, static_cast<float>(o.x), static_cast<float>(o.y));
        break;
    case Orden::Jugar:
        acciones_->JugarTiro(o.ficha, o.lado);
        break;
    default:
        break;
    }
}
