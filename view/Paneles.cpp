#include "view/Paneles.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QMouseEvent>
#include <QPainter>
#include <QRadialGradient>

#include "flujo/Anfitrion.h"
#include "rules/Estado.h"
#include "view/Colores.h"
#include "view/Tablero.h"

namespace {

// A lamp in its dark housing, lit in its own colour.
QPixmap PintarLuz(QColor color)
{
    const int lado = 22;
    QPixmap pm(lado, lado);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(28, 28, 28));
    p.drawEllipse(QRectF(0.5, 0.5, lado - 1, lado - 1));
    QRadialGradient g(QPointF(lado * 0.38, lado * 0.36), lado * 0.5);
    g.setColorAt(0.0, color.lighter(170));
    g.setColorAt(0.45, color);
    g.setColorAt(1.0, color.darker(220));
    p.setBrush(g);
    p.drawEllipse(QRectF(3, 3, lado - 6, lado - 6));
    return pm;
}

}  // namespace

LuzSemaforo::LuzSemaforo(int luz, QWidget* parent) : QLabel(parent), Luz(luz)
{
    switch (luz) {
    case LuzVerde:
        setPixmap(PintarLuz(QColor(30, 200, 60)));
        setToolTip(QStringLiteral("Mostrar las fichas de este jugador"));
        setCursor(Qt::PointingHandCursor);
        break;
    case LuzAmbar:
        setPixmap(PintarLuz(QColor(250, 170, 20)));
        break;
    default:
        setPixmap(PintarLuz(QColor(220, 30, 30)));
        break;
    }
    setFixedSize(pixmap().size());
}

void LuzSemaforo::mouseReleaseEvent(QMouseEvent* ev)
{
    if (ev->button() == Qt::LeftButton && rect().contains(ev->position().toPoint()))
        emit Pulsada();
}

PanelSilla::PanelSilla(int silla, QWidget* parent) : QFrame(parent), Silla(silla)
{
    setObjectName(QStringLiteral("Panel%1").arg(silla));
    setFrameShape(QFrame::StyledPanel);
    lblNombre = new QLabel(QStringLiteral("Jugador %1").arg(silla), this);
    lblNombre->setObjectName(QStringLiteral("lblNombre%1").arg(silla));
    QFont f = lblNombre->font();
    f.setBold(true);
    lblNombre->setFont(f);
    SemaVerde = new LuzSemaforo(LuzVerde, this);
    SemaAmbar = new LuzSemaforo(LuzAmbar, this);
    SemaRojo = new LuzSemaforo(LuzRoja, this);
    SemaVerde->setObjectName(QStringLiteral("SemaVerde%1").arg(silla));
    SemaAmbar->setObjectName(QStringLiteral("SemaAmbar%1").arg(silla));
    SemaRojo->setObjectName(QStringLiteral("SemaRojo%1").arg(silla));
    SumPuntos = new QLabel(this);
    SumPuntos->setObjectName(QStringLiteral("SumPuntos%1").arg(silla));
    SumPuntos->setMinimumWidth(28);
    SumPuntos->hide();

    auto* rejilla = new QGridLayout(this);
    rejilla->setContentsMargins(6, 4, 6, 4);
    rejilla->setSpacing(4);
    rejilla->addWidget(lblNombre, 0, 0, 1, 3);
    // The three lights share one place: only one shows at a time.
    rejilla->addWidget(SemaVerde, 1, 0);
    rejilla->addWidget(SemaAmbar, 1, 0);
    rejilla->addWidget(SemaRojo, 1, 0);
    rejilla->addWidget(SumPuntos, 1, 1);
    rejilla->setColumnStretch(2, 1);
    botones_ = new QHBoxLayout;
    botones_->setSpacing(4);
    rejilla->addLayout(botones_, 2, 0, 1, 3);
    PonerSemaforo(LuzRoja);
}

void PanelSilla::PonerSemaforo(int luz)
{
    SemaVerde->setVisible(luz == LuzVerde);
    SemaRojo->setVisible(luz == LuzRoja);
    SemaAmbar->setVisible(luz == LuzAmbar);
}

Paneles::Paneles(Estado& estado, Tablero& tablero, QWidget* padre)
    : QObject(padre), E(estado), T(tablero)
{
    for (int s = 1; s <= 4; ++s) {
        paneles_[s] = new PanelSilla(s, padre);
        connect(paneles_[s]->SemaVerde, &LuzSemaforo::Pulsada, this, [this, s] { ClicVerde(s); });
    }
}

PanelSilla* Paneles::Panel(int silla) const
{
    return (silla >= 1 && silla <= 4) ? paneles_[silla] : nullptr;
}

void Paneles::PonerSemaforo(int luz, int silla)
{
    if (PanelSilla* p = Panel(silla))
        p->PonerSemaforo(luz);
}

void Paneles::PonerNombres()
{
    for (int s = 1; s <= 4; ++s) {
        const QString nombre = E.Jugadores[s].Nombre.trimmed();
        paneles_[s]->lblNombre->setText(nombre.isEmpty() ? QStringLiteral("Jugador %1").arg(s) : nombre);
    }
}

void Paneles::PonerPuntos(int silla)
{
    if (PanelSilla* p = Panel(silla))
        p->SumPuntos->setText(QString::number(E.SumaPuntos(silla)));
}

void Paneles::MostrarPuntos(int silla, bool visible)
{
    if (PanelSilla* p = Panel(silla))
        p->SumPuntos->setVisible(visible);
}

void Paneles::ClicVerde(int silla)
{
    if (silla < 1 || silla > 4)
        return;
    if (E.FaseMano != Fase::Saliendo && E.FaseMano != Fase::Tirando)
        return;
    const Jugador& j = E.Jugadores[silla];
    // Only a person of this machine with closed tiles looks at their own hand.
    if (j.Vista != 'C' || j.HoC != Quien::Persona || j.LoR != Donde::Local)
        return;
    if (j.Oculta) {
        // The forecast belongs to the seat to move; it lasts until the next redraw.
        if (silla == E.Turno)
            vista::ColorearPronostico(E);
        T.DibujarMano(silla, 'A');
        vista::PonerColoresMano(E, silla, T.ColorSilla(silla));
    } else {
        T.DibujarMano(silla, 'C');
    }
    E.Jugadores[silla].Oculta = !j.Oculta;
}
