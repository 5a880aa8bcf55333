#include "shell/Caratula.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QPainter>
#include <QPainterPath>
#include <QScreen>
#include <QTimer>

namespace {

// One tile lying or standing, with its pips, centred on c.
void PintarFicha(QPainter& p, QPointF c, double largo, int a, int b, double angulo)
{
    p.save();
    p.translate(c);
    p.rotate(angulo);
    const double ancho = largo / 2;
    const QRectF r(-ancho / 2, -largo / 2, ancho, largo);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 90));
    p.drawRoundedRect(r.translated(4, 5), ancho * 0.12, ancho * 0.12);
    p.setBrush(QColor(250, 247, 236));
    p.setPen(QPen(QColor(60, 50, 40), 1.5));
    p.drawRoundedRect(r, ancho * 0.12, ancho * 0.12);
    p.drawLine(QPointF(-ancho * 0.38, 0), QPointF(ancho * 0.38, 0));
    // Pip spots of a half, on a 3x3 grid.
    static const int kPuntos[7][9] = {
        {0, 0, 0, 0, 0, 0, 0, 0, 0}, {0, 0, 0, 0, 1, 0, 0, 0, 0}, {1, 0, 0, 0, 0, 0, 0, 0, 1},
        {1, 0, 0, 0, 1, 0, 0, 0, 1}, {1, 0, 1, 0, 0, 0, 1, 0, 1}, {1, 0, 1, 0, 1, 0, 1, 0, 1},
        {1, 0, 1, 1, 0, 1, 1, 0, 1}};
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 25, 25));
    const double paso = ancho * 0.28;
    const double radio = ancho * 0.085;
    for (int mitad = 0; mitad < 2; ++mitad) {
        const int v = mitad == 0 ? a : b;
        const double cy = (mitad == 0 ? -1 : 1) * largo / 4;
        for (int k = 0; k < 9; ++k)
            if (kPuntos[v][k])
                p.drawEllipse(QPointF((k % 3 - 1) * paso, cy + (k / 3 - 1) * paso), radio, radio);
    }
    p.restore();
}

}  // namespace

Caratula::Caratula(QWidget* padre) : QDialog(padre, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Caratula"));
    setFixedSize(560, 340);
    setModal(true);
    timer1_ = new QTimer(this);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, &QDialog::accept);
}

void Caratula::Mostrar()
{
    if (auto* pantalla = QGuiApplication::primaryScreen())
        move(pantalla->availableGeometry().center() - rect().center());
    timer1_->stop();
    timer1_->start(kMilisegundos);
    // A click or key handled while the window is being shown may close it
    // before any loop runs: only wait while it is still open.
    QEventLoop espera;
    connect(this, &QDialog::finished, &espera, &QEventLoop::quit);
    show();
    if (isVisible())
        espera.exec();
    timer1_->stop();
}

void Caratula::paintEvent(QPaintEvent*)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient fieltro(rect().center(), width() * 0.7);
    fieltro.setColorAt(0, QColor(28, 120, 62));
    fieltro.setColorAt(1, QColor(10, 60, 30));
    p.fillRect(rect(), fieltro);
    p.setPen(QPen(QColor(120, 80, 40), 10));
    p.setBrush(Qt::NoBrush);
    p.drawRect(rect().adjusted(5, 5, -5, -5));

    PintarFicha(p, QPointF(110, 120), 110, 6, 6, -18);
    PintarFicha(p, QPointF(175, 140), 110, 6, 3, 12);
    PintarFicha(p, QPointF(395, 130), 110, 5, 1, -8);
    PintarFicha(p, QPointF(460, 118), 110, 2, 4, 20);

    QFont titulo(QStringLiteral("Serif"));
    titulo.setPixelSize(64);
    titulo.setBold(true);
    p.setFont(titulo);
    p.setPen(QColor(0, 0, 0, 120));
    p.drawText(rect().adjusted(3, 183, 3, 0), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Quimbolo"));
    p.setPen(QColor(255, 230, 140));
    p.drawText(rect().adjusted(0, 180, 0, 0), Qt::AlignHCenter | Qt::AlignTop, QStringLiteral("Quimbolo"));
    QFont pie(QStringLiteral("Sans"));
    pie.setPixelSize(16);
    p.setFont(pie);
    p.setPen(QColor(230, 240, 230));
    p.drawText(rect().adjusted(0, 0, 0, -24), Qt::AlignHCenter | Qt::AlignBottom,
               QStringLiteral("Dominó en parejas · versión %1").arg(QCoreApplication::applicationVersion()));
}

void Caratula::mousePressEvent(QMouseEvent*)
{
    accept();
}

void Caratula::keyPressEvent(QKeyEvent*)
{
    accept();
}
