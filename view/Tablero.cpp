#include "view/Tablero.h"

#include <QDir>
#include <algorithm>
#include <cmath>
#include <QApplication>
#include <QMouseEvent>
#include <QVariantAnimation>
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
    regreso_ = new QVariantAnimation(this);
    regreso_->setDuration(220);
    regreso_->setEasingCurve(QEasingCurve::OutCubic);
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
    fondoOriginal_ = imagen;
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
    if (E.FaseMano == Fase::Repartiendo)
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
        const Jugador& j = E.Jugadores[s];
        // A closed hand is drawn closed again: the green light must show it next.
        if (j.Vista != 'A')
            E.Jugadores[s].Oculta = true;
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
    if (E.FaseMano == Fase::Repartiendo) {
        for (int k = 1; k <= SlotsVistos(E, silla); ++k) {
            const int t = E.Jugadores[silla].Mano[k];
            if (t >= 0 && t < kNumFichas && E.Fichas[t].Dueno == silla)
                E.Fichas[t].Color1 = E.Fichas[t].Color2 = lienzo_.ColorSilla[silla];
        }
    }
    PintarMano(silla);
    update();
}

Zona Tablero::Caja(const EnMesa& m)
{
    const bool vertical = Orientacion(m.rumbo) == 'V';
    const double mx = (vertical ? AnchoMedio : LargoMedio) + Grosor + 0.004;
    const double my = (vertical ? LargoMedio : AnchoMedio) + Grosor + 0.004;
    return {m.x - mx, m.y + my, m.x + mx, m.y - my};
}

void Tablero::PintarMano(int silla)
{
    const QRegion borrado = lienzo_.DibujarMano(silla, modoMano_[silla]);
    // A tile of the line laid close to the hand reaches into what was erased:
    // then the table is drawn again.
    for (const EnMesa& m : mesa_) {
        if (m.dibujada && borrado.intersects(RectPixeles(lienzo_.G, Caja(m)))) {
            PintarMesa();
            return;
        }
    }
}

void Tablero::PintarMesa()
{
    // The play area, and every tile drawn on the table before wherever it lay:
    // a tile laid at a turn of the line sticks out of the play area.
    std::vector<Zona> zonas{kZonaLinea};
    for (const EnMesa& m : mesa_)
        if (m.dibujada)
            zonas.push_back(Caja(m));
    for (const Zona& z : zonas)
        lienzo_.BorrarZona(z);
    // Those boxes may reach into the hands (the side ones in perspective); draw them again.
    for (int s = 1; s <= 4; ++s) {
        bool toca = false;
        for (const Zona& z : ZonasMano(s))
            for (const Zona& b : zonas)
                toca = toca || RectPixeles(lienzo_.G, z).intersects(RectPixeles(lienzo_.G, b));
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
    const bool repartiendo = E.FaseMano == Fase::Repartiendo;
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
    // The board's own proportions, whatever size its surface is drawn at.
    const double escala = std::min(width() / double(kAnchoTablero), height() / double(kAltoTablero));
    if (escala <= 0)
        return QRectF(0, 0, lienzo_.G.AnchoMesa, lienzo_.G.AltoMesa);
    const QSizeF tam(kAnchoTablero * escala, kAltoTablero * escala);
    return QRectF(QPointF((width() - tam.width()) / 2, (height() - tam.height()) / 2), tam);
}

void Tablero::resizeEvent(QResizeEvent* ev)
{
    QWidget::resizeEvent(ev);
    AjustarSuperficie();
}

void Tablero::showEvent(QShowEvent* ev)
{
    QWidget::showEvent(ev);
    AjustarSuperficie();
}

void Tablero::AjustarSuperficie()
{
    // Hidden boards keep the reference size: nothing is seen to gain from more.
    if (!isVisible())
        return;
    const QRectF d = Destino();
    const qreal ratio = devicePixelRatioF();
    const int ancho = qRound(d.width() * ratio), alto = qRound(d.height() * ratio);
    if (ancho < 16 || alto < 16 || (ancho == lienzo_.G.AnchoMesa && alto == lienzo_.G.AltoMesa))
        return;
    TerminarRegreso();
    lienzo_.G.PonerTamano(ancho, alto);
    lienzo_.PonerFondo(fondoOriginal_);
    Repintar();
}

void Tablero::Repintar()
{
    lienzo_.PonerFondo(fondoOriginal_);
    for (int s = 1; s <= 4; ++s)
        lienzo_.DibujarMano(s, modoMano_[s]);
    lienzo_.BorrarZona(kZonaJuego);
    if (mesaPuesta_) {
        std::array<char, kNumFichas> modos;
        for (int t = 0; t < kNumFichas; ++t)
            modos[t] = mesa_[t].modo;
        lienzo_.DibujarMesa(modos);
    }
    update();
}

void Tablero::VerDesde(int silla)
{
    const int giro = GiroPara(silla);
    if (giro == lienzo_.G.Giro)
        return;
    TerminarRegreso();
    lienzo_.G.Giro = giro;
    Repintar();
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
    // A move to a screen of another pixel ratio shows first here.
    if (!qFuzzyCompare(devicePixelRatioF() * Destino().height(), lienzo_.G.AltoMesa))
        AjustarSuperficie();
    QPainter p(this);
    const QRectF d = Destino();
    if (d.toRect() != rect())
        p.fillRect(rect(), QColor(24, 20, 18));
    const QSizeF fisico = d.size() * devicePixelRatioF();
    p.setRenderHint(QPainter::SmoothPixmapTransform,
                    qAbs(fisico.width() - lienzo_.Imagen().width()) > 0.5);
    p.drawImage(d, lienzo_.Imagen());
    if (!capa_.isNull())
        p.drawImage(d, capa_);
}

QPointF Tablero::MesaEn(QPointF enWidget) const
{
    const QPointF b = ASuperficie(enWidget);
    return Desproyectar(lienzo_.G, b.x(), b.y());
}

bool Tablero::Arrastrable(int ficha) const
{
    if (ficha < 0 || ficha >= kNumFichas || !acciones_)
        return false;
    const Ficha& f = E.Fichas[ficha];
    if (E.FaseMano == Fase::Repartiendo)
        return f.Lugar == 'R';
    const int s = E.Turno;
    if (E.FaseMano != Fase::Saliendo && E.FaseMano != Fase::Tirando)
        return false;
    return s >= 1 && s <= 4 && E.Jugadores[s].LoR == Donde::Local && E.Jugadores[s].HoC == Quien::Persona && f.Dueno == s
           && f.Lugar == 'D';
}

Extremo Tablero::PuntaUnica(int ficha) const
{
    if (ficha < 0 || ficha >= kNumFichas || E.NumTiro == 0)
        return Extremo::Ninguno;
    const Ficha& f = E.Fichas[ficha];
    const bool der = f.Punto1 == E.ValorDer || f.Punto2 == E.ValorDer;
    const bool izq = f.Punto1 == E.ValorIzq || f.Punto2 == E.ValorIzq;
    if (der == izq)
        return Extremo::Ninguno;
    return ExtremoDe(der);
}

namespace {

// The last tile laid at an end (the lead for both ends at first), or -1.
int FichaDeLaPunta(const Estado& e, Extremo lado)
{
    for (int n = std::min(e.NumTiro, kMaxTiros); n >= 1; --n)
        if (e.HistPunta[n] == lado || n == 1)
            return e.HistFicha[n];
    return -1;
}

QPolygonF Contorno(const GeometriaMesa& g, double x, double y, char orientacion, double margen)
{
    const double mx = (orientacion == 'V' ? AnchoMedio : LargoMedio) + margen;
    const double my = (orientacion == 'V' ? LargoMedio : AnchoMedio) + margen;
    QPolygonF q;
    for (const QPointF& c : {QPointF(x - mx, y - my), QPointF(x - mx, y + my), QPointF(x + mx, y + my),
                             QPointF(x + mx, y - my)})
        q << APixel(g, Proyectar(g, c.x(), c.y()));
    return q;
}

}  // namespace

void Tablero::PintarCapa(int ficha, QPointF mesa, bool rechazo)
{
    const GeometriaMesa& g = lienzo_.G;
    capa_ = QImage(lienzo_.Imagen().size(), QImage::Format_ARGB32_Premultiplied);
    capa_.fill(Qt::transparent);
    resaltadas_.clear();
    const Ficha& f = E.Fichas[ficha];
    const bool enJuego = E.FaseMano == Fase::Tirando || E.FaseMano == Fase::Saliendo;
    {
        QPainter p(&capa_);
        p.setRenderHint(QPainter::Antialiasing);
        const double grueso = 3.0 * g.Pixeles();
        if (enJuego && !rechazo) {
            // Where it fits: the ends, the one a drop here would take first.
            QList<QPolygonF> zonas;
            if (E.NumTiro == 0) {
                resaltadas_ << Extremo::Der;
                zonas << Contorno(g, E.PuntaDerX, E.PuntaDerY, 'H', 0.012);
            } else {
                const bool der = f.Punto1 == E.ValorDer || f.Punto2 == E.ValorDer;
                const bool izq = f.Punto1 == E.ValorIzq || f.Punto2 == E.ValorIzq;
                if (der || izq) {
                    const Extremo primero = ElegirPunta(E, ficha, mesa.x(), mesa.y());
                    resaltadas_ << primero;
                    if (der && izq)
                        resaltadas_ << (primero == Extremo::Der ? Extremo::Izq : Extremo::Der);
                }
                for (const Extremo lado : resaltadas_) {
                    const int t = FichaDeLaPunta(E, lado);
                    if (t >= 0)
                        zonas << Contorno(g, E.Fichas[t].X, E.Fichas[t].Y, Orientacion(E.Fichas[t].Rumbo), 0.01);
                }
            }
            for (int i = 0; i < zonas.size(); ++i) {
                const int alfa = i == 0 ? 230 : 120;
                p.setPen(QPen(QColor(255, 200, 40, alfa), grueso));
                p.setBrush(QColor(255, 220, 80, alfa / 4));
                p.drawPolygon(zonas[i]);
            }
        }
        if (rechazo) {
            // The tile did not go: a red ring around it on its way back.
            p.setPen(QPen(QColor(220, 40, 30, 220), grueso));
            p.setBrush(Qt::NoBrush);
            p.drawPolygon(Contorno(g, mesa.x(), mesa.y(), Orientacion(f.Rumbo), 0.008));
        }
    }
    const char modo = E.FaseMano == Fase::Repartiendo
                          ? mesa_[ficha].modo
                          : (f.Dueno >= 1 && f.Dueno <= 4 ? modoMano_[f.Dueno] : 'A');
    lienzo_.SobreCapa(capa_, [&] { lienzo_.DibujarFichaEn(ficha, mesa.x(), mesa.y(), modo); });
    update();
}

bool Tablero::Regresando() const
{
    return regreso_->state() == QAbstractAnimation::Running;
}

void Tablero::TerminarRegreso()
{
    if (regreso_->state() == QAbstractAnimation::Stopped)
        return;
    regreso_->stop();
    capa_ = QImage();
    Bajar(lienzo_.Apartada.ficha, true);
    update();
}

void Tablero::RedibujarSitio(int ficha)
{
    const Ficha& f = E.Fichas[ficha];
    if (f.Lugar == 'D' && f.Dueno >= 1 && f.Dueno <= 4)
        PintarMano(f.Dueno);
    else if (f.Lugar == 'R')
        PintarMesa();
    update();
}

void Tablero::Levantar(int ficha)
{
    lienzo_.Apartada = {ficha, E.Fichas[ficha].Lugar};
    RedibujarSitio(ficha);
}

void Tablero::Bajar(int ficha, bool redibujar)
{
    if (ficha < 0 || lienzo_.Apartada.ficha != ficha)
        return;
    // Gone elsewhere (played, taken): the flow has drawn it where it went.
    const bool enSuSitio = lienzo_.EstaApartada(ficha);
    lienzo_.Apartada = {};
    if (enSuSitio && redibujar)
        RedibujarSitio(ficha);
}

void Tablero::mousePressEvent(QMouseEvent* ev)
{
    if (ev->button() != Qt::LeftButton)
        return;
    TerminarRegreso();
    // A drag whose release never came (a box took the pointer) ends here.
    Bajar(lienzo_.Apartada.ficha, true);
    const QPointF b = ASuperficie(ev->position());
    puntero_.Presionar(lienzo_.G, b.x(), b.y());
    arrastre_ = {};
    if (Arrastrable(puntero_.FichaTomada)) {
        arrastre_.ficha = puntero_.FichaTomada;
        arrastre_.inicio = arrastre_.actual = ev->position();
    }
}

void Tablero::mouseMoveEvent(QMouseEvent* ev)
{
    if (arrastre_.ficha < 0 || !(ev->buttons() & Qt::LeftButton))
        return;
    arrastre_.actual = ev->position();
    if (!arrastre_.movido
        && (arrastre_.actual - arrastre_.inicio).manhattanLength() >= QApplication::startDragDistance()) {
        arrastre_.movido = true;
        Levantar(arrastre_.ficha);
    }
    if (arrastre_.movido)
        PintarCapa(arrastre_.ficha, MesaEn(arrastre_.actual), false);
}

void Tablero::Despachar(const Orden& o)
{
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

void Tablero::mouseReleaseEvent(QMouseEvent* ev)
{
    if (ev->button() != Qt::LeftButton)
        return;
    const Arrastre a = arrastre_;
    arrastre_ = {};
    resaltadas_.clear();
    if (!capa_.isNull()) {
        capa_ = QImage();
        update();
    }
    const QPointF b = ASuperficie(ev->position());
    const QPointF t = Desproyectar(lienzo_.G, b.x(), b.y());
    emit Posicion(TextoPosicion(E.Turno, t.x(), t.y()));
    const Orden o = puntero_.Soltar(lienzo_.G, b.x(), b.y());
    // What the tile was before the drop, to tell whether it went anywhere.
    const char lugar = a.ficha >= 0 ? E.Fichas[a.ficha].Lugar : ' ';
    const int dueno = a.ficha >= 0 ? E.Fichas[a.ficha].Dueno : 0;
    Despachar(o);
    if (a.ficha < 0 || !a.movido)
        return;
    const Ficha& f = E.Fichas[a.ficha];
    // The chosen lead is played by the flow in a moment: it stays lifted till then.
    if (o.tipo == Orden::Salir || f.Lugar != lugar || f.Dueno != dueno) {
        Bajar(a.ficha, false);
        return;
    }
    // Not taken and not played: it slides back where it lies, ringed in red.
    const int ficha = a.ficha;
    const QPointF desde = t;
    regreso_->stop();
    regreso_->disconnect(this);
    regreso_->setStartValue(0.0);
    regreso_->setEndValue(1.0);
    connect(regreso_, &QVariantAnimation::valueChanged, this, [this, ficha, desde](const QVariant& v) {
        const double k = v.toDouble();
        const Ficha& g = E.Fichas[ficha];
        PintarCapa(ficha, desde + (QPointF(g.X, g.Y) - desde) * k, true);
    });
    connect(regreso_, &QVariantAnimation::finished, this, [this, ficha] {
        capa_ = QImage();
        Bajar(ficha, true);
        update();
    });
    PintarCapa(ficha, desde, true);
    regreso_->start();
}

void Tablero::mouseDoubleClickEvent(QMouseEvent* ev)
{
    if (ev->button() != Qt::LeftButton)
        return;
    TerminarRegreso();
    arrastre_ = {};
    const QPointF b = ASuperficie(ev->position());
    puntero_.Presionar(lienzo_.G, b.x(), b.y());
    const int ficha = puntero_.FichaTomada;
    // A tile that fits one end only goes there; with a choice, the person drags.
    const Extremo lado = E.FaseMano == Fase::Tirando ? PuntaUnica(ficha) : Extremo::Ninguno;
    if (lado == Extremo::Ninguno || !Arrastrable(ficha)) {
        puntero_.FichaTomada = -1;
        return;
    }
    const bool der = lado == Extremo::Der;
    const double x = std::clamp<double>(der ? E.PuntaDerX : E.PuntaIzqX, -0.55, 0.55);
    const double y = std::clamp<double>(der ? E.PuntaDerY : E.PuntaIzqY, 0.15, 0.83);
    const Orden o = puntero_.SoltarEn(x, y);
    // The release that follows the double-click has nothing left to do.
    puntero_.FichaTomada = -1;
    Despachar(o);
}
