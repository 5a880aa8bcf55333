#pragma once
// The board p1: the table, the four hands and the line of play, drawn on an
// image the size of the room the widget gives it, in the screen's own pixels
// (the board keeps its proportions; table units never change). It reads the
// one game state, draws what the flow asks for, and turns pointer presses and
// releases into requests to the flow. While a tile is dragged it follows the
// pointer on a layer over the board, the ends where it fits are lit, and a
// drop that does not play it sends it back to the hand.

#include <QImage>
#include <QWidget>
#include <QStringList>
#include <array>

#include "flujo/Anfitrion.h"
#include "rules/Estado.h"
#include "view/Geometria.h"
#include "view/Lienzo.h"
#include "view/Puntero.h"

// Where the board's requests go: the hand flow in the game, a fake in tests.
class AccionesTablero {
public:
    virtual ~AccionesTablero() = default;
    virtual void TomarFicha(int ficha, float x, float y) = 0;
    // The play engine, and the end of the hand when the play ended it.
    virtual void JugarTiro(int ficha, Extremo lado) = 0;
    virtual void Boton(Control c, int silla, Accion a) = 0;
};

class Tablero : public QWidget {
    Q_OBJECT
public:
    explicit Tablero(Estado& estado, QWidget* parent = nullptr);

    Estado& E;

    void PonerAcciones(AccionesTablero* acciones) { acciones_ = acciones; }

    // The view commands of the menu "&Ver". Both views repaint everything.
    void VerEn2D();
    void VerEn3D();
    // Switches the seat colours and returns the new state of the check mark.
    bool CambiarColor();
    void PonerColor(bool color);
    bool ColorActivo() const { return color_; }
    const QString& ModoVista() const { return lienzo_.G.ModoVista; }

    // Every hand with its seat's display mode, the play area erased, the table.
    void Redibujar();

    // The drawing requests of the flow.
    void DibujarMano(int silla, char modo);
    // The play area erased and every tile on the table drawn again: face up
    // in play; while dealing each pool tile as it was last drawn (the sorted
    // pool face up, a tile once turned stays turned).
    void DibujarMesa();
    void DibujarMesa(char modo);
    // One tile: in play face up, in the pool as the table's open/closed option.
    // A tile that has moved since it was drawn is not left behind twice: the
    // table is drawn again.
    void DibujarFichaSola(int ficha);
    void DibujarFichaSola(int ficha, char modo);
    void BorrarZona(double x1, double y1, double x2, double y2);

    // Face colours of every tile from the seat colours now in force.
    void RestablecerColores();
    unsigned ColorSilla(int silla) const;

    int FichaTomada() const { return puntero_.FichaTomada; }
    const QImage& Imagen() const { return lienzo_.Imagen(); }
    const vista::GeometriaMesa& Geometria() const { return lienzo_.G; }
    vista::Lienzo& Superficie() { return lienzo_; }

    // Widget position of a table point, for whoever drives the pointer.
    QPoint PuntoEnWidget(double x, double y) const;

    // The table turned so that this seat sits at the bottom (1: as dealt).
    void VerDesde(int silla);
    int SillaAbajo() const { return lienzo_.G.Giro + 1; }

    // The drag in progress, for what is drawn over the board.
    int FichaArrastrada() const { return arrastre_.ficha; }
    // Ends lit for the dragged tile; the first one is where a
    // drop at the pointer would go.
    const QList<Extremo>& PuntasResaltadas() const { return resaltadas_; }
    bool Regresando() const;
    void TerminarRegreso();
    const QImage& Capa() const { return capa_; }

    QSize sizeHint() const override;

signals:
    // The release position, "seat x y" (the line shown in Text2).
    void Posicion(const QString& texto);

protected:
    void paintEvent(QPaintEvent* ev) override;
    void mousePressEvent(QMouseEvent* ev) override;
    void mouseMoveEvent(QMouseEvent* ev) override;
    void mouseReleaseEvent(QMouseEvent* ev) override;
    void mouseDoubleClickEvent(QMouseEvent* ev) override;
    void resizeEvent(QResizeEvent* ev) override;
    void showEvent(QShowEvent* ev) override;

private:
    // The surface follows the widget's room and pixel ratio; everything is
    // drawn again at the new size, as it was.
    void AjustarSuperficie();
    void Repintar();
    void Despachar(const vista::Orden& o);
    bool Arrastrable(int ficha) const;
    void PintarCapa(int ficha, QPointF mesa, bool rechazo);
    // The dragged tile leaves its slot (or its place in the pool) while it is
    // carried, and is drawn there again when it comes back.
    void Levantar(int ficha);
    void Bajar(int ficha, bool redibujar);
    void RedibujarSitio(int ficha);
    QPointF MesaEn(QPointF enWidget) const;
    // The one end a tile fits, if exactly one.
    Extremo PuntaUnica(int ficha) const;
    QPointF ASuperficie(QPointF enWidget) const;
    // Where the board's image lands in the widget: as large as fits, same shape.
    QRectF Destino() const;
    void CargarFondo(const QString& archivo);
    char ModoMesa() const;
    bool MontonOrdenado() const;
    void PintarMesa();
    void Recordar(int ficha, char modo);

    vista::Lienzo lienzo_;
    QImage fondoOriginal_;
    struct Arrastre {
        int ficha = -1;
        QPointF inicio;
        QPointF actual;
        bool movido = false;
    } arrastre_;
    QImage capa_;
    QList<Extremo> resaltadas_;
    class QVariantAnimation* regreso_ = nullptr;
    vista::Puntero puntero_;
    AccionesTablero* acciones_ = nullptr;
    bool color_ = false;
    std::array<char, 5> modoMano_{'C', 'C', 'C', 'C', 'C'};
    // What each tile looks like on the table now, so the table can be drawn
    // again exactly as it is.
    struct EnMesa {
        bool dibujada = false;
        float x = 0, y = 0;
        char rumbo = 'S';
        char modo = 'A';
    };
    std::array<EnMesa, kNumFichas> mesa_{};
    // Where a tile drawn on the table may have left pixels.
    static vista::Zona Caja(const EnMesa& m);
    // The hand drawn again, and the table's tiles too when the hand's
    // erasing reached one of them.
    void PintarMano(int silla);
    bool mesaPuesta_ = false;  // the flow has laid out the table at least once
};
