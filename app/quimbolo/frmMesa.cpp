#include "app/quimbolo/frmMesa.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

#include "net/SalonMesa.h"
#include "app/quimbolo/frmOpciones.h"

namespace {

const char* const kSillas[5] = {"", "Silla 1 (Sur)", "Silla 2 (Este)", "Silla 3 (Norte)", "Silla 4 (Oeste)"};

// A chair seen from above, its back away from the table; taken seats are
// drawn in the seat's colour.
QIcon PintarSilla(int silla, bool ocupada)
{
    QPixmap pm(72, 72);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.setRenderHint(QPainter::Antialiasing);
    p.translate(36, 36);
    // Seat 1 sits at the bottom edge, 2 at the right, 3 at the top, 4 at the left.
    p.rotate((silla - 1) * -90.0);
    const QColor madera = ocupada ? QColor(150, 150, 150) : QColor(160, 100, 50);
    p.setPen(QPen(madera.darker(160), 2));
    p.setBrush(madera);
    p.drawRoundedRect(QRectF(-22, -18, 44, 36), 6, 6);
    p.setBrush(madera.darker(130));
    p.drawRoundedRect(QRectF(-24, 16, 48, 10), 4, 4);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.rotate((silla - 1) * 90.0);
    p.drawText(QRectF(-20, -16, 40, 32), Qt::AlignCenter, QString::number(silla));
    return QIcon(pm);
}

}  // namespace

frmMesa::frmMesa(SalonMesa& salon, Despachador& despachador, QWidget* padre)
    : QDialog(padre), S(salon), D(despachador)
{
    setObjectName(QStringLiteral("frmMesa"));
    setWindowTitle(QStringLiteral("Mesa de Juego"));
    Label1 = new QLabel(
        QStringLiteral("Escribe tu nombre y luego haz clic en la(s) silla(s) que quieras ocupar:"), this);
    txtNombre = new QLineEdit(this);
    txtNombre->setObjectName(QStringLiteral("txtNombre"));
    txtNombre->setMaxLength(18);
    bIniciar = new QPushButton(QStringLiteral("Iniciar la Partida"), this);
    bIniciar->setObjectName(QStringLiteral("bIniciar"));
    bOpciones = new QPushButton(QStringLiteral("Opciones de Juego"), this);
    bOpciones->setObjectName(QStringLiteral("bOpciones"));

    // The table in the middle, a seat on each side of it.
    auto* mesa = new QGridLayout;
    auto* Image2 = new QLabel(this);
    Image2->setObjectName(QStringLiteral("Image2"));
    QPixmap tapete(150, 110);
    tapete.fill(Qt::transparent);
    {
        QPainter p(&tapete);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(110, 70, 35), 6));
        p.setBrush(QColor(24, 110, 56));
        p.drawRoundedRect(QRectF(4, 4, 142, 102), 10, 10);
    }
    Image2->setPixmap(tapete);
    Image2->setAlignment(Qt::AlignCenter);
    mesa->addWidget(Image2, 1, 1);
    const int fila[5] = {0, 2, 1, 0, 1};
    const int columna[5] = {0, 1, 2, 1, 0};
    for (int s = 1; s <= 4; ++s) {
        auto* celda = new QVBoxLayout;
        Image1[s] = new QToolButton(this);
        Image1[s]->setObjectName(QStringLiteral("Image1_%1").arg(s));
        Image1[s]->setToolTip(QString::fromUtf8(kSillas[s]));
        Image1[s]->setIconSize(QSize(72, 72));
        Image1[s]->setAutoRaise(true);
        Image1[s]->setCursor(Qt::PointingHandCursor);
        lblNombre[s] = new QLabel(this);
        lblNombre[s]->setObjectName(QStringLiteral("lblNombre_%1").arg(s));
        lblNombre[s]->setAlignment(Qt::AlignCenter);
        lblNombre[s]->setMinimumWidth(130);
        celda->addWidget(Image1[s], 0, Qt::AlignHCenter);
        celda->addWidget(lblNombre[s]);
        mesa->addLayout(celda, fila[s], columna[s]);
        connect(Image1[s], &QToolButton::clicked, this, [this, s] { TomarSilla(s); });
        MostrarSilla(s);
    }

    auto* botones = new QHBoxLayout;
    botones->addWidget(bOpciones);
    botones->addStretch();
    botones->addWidget(bIniciar);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(Label1);
    caja->addWidget(txtNombre);
    caja->addLayout(mesa);
    caja->addLayout(botones);

    connect(bIniciar, &QPushButton::clicked, this, &frmMesa::Iniciar);
    connect(bOpciones, &QPushButton::clicked, this, &frmMesa::MostrarOpciones);
    S.MostrarNombre = [this](int s) { MostrarSilla(s); };
    D.Oyente = this;
}

frmMesa::~frmMesa()
{
    if (D.Oyente == this)
        D.Oyente = nullptr;
    S.MostrarNombre = nullptr;
}

void frmMesa::showEvent(QShowEvent* e)
{
    S.Activar();
    for (int s = 1; s <= 4; ++s)
        MostrarSilla(s);
    txtNombre->setFocus();
    QDialog::showEvent(e);
    // A table that had started before this window listened has already said
    // so: the lobby closes as if the start arrived now.
    if (D.PartidaIniciada)
        QTimer::singleShot(0, this, &frmMesa::InicioRecibido);
}

void frmMesa::MostrarSilla(int s)
{
    const QString& nombre = S.E.Jugadores[s].Nombre;
    lblNombre[s]->setText(nombre);
    Image1[s]->setIcon(PintarSilla(s, !nombre.isEmpty()));
    Image1[s]->setEnabled(nombre.isEmpty());
}

void frmMesa::TomarSilla(int silla)
{
    if (!Image1[silla]->isEnabled())
        return;
    S.TomarSilla(silla, txtNombre->text());
    txtNombre->selectAll();
    txtNombre->setFocus();
}

void frmMesa::Iniciar()
{
    bIniciar->setEnabled(false);
    const bool listo = S.Iniciar();
    bIniciar->setEnabled(S.IniciarHabilitado);
    if (listo)
        done(QDialog::Accepted);
}

void frmMesa::MostrarOpciones()
{
    frmOpciones f(S.E.Opciones, this);
    f.exec();
}

void frmMesa::NombreRecibido(int silla)
{
    MostrarSilla(silla);
}

void frmMesa::SillaConcedida(int silla)
{
    MostrarSilla(silla);
}

void frmMesa::InicioRecibido()
{
    if (isVisible())
        done(QDialog::Accepted);
}

void frmMesa::OpcionRecibida(const QString&) {}

void frmMesa::done(int r)
{
    if (verificando_ || final_ != Final::Abierta)
        return;
    verificando_ = true;
    const SalonMesa::Cierre c = S.VerificarCierre();
    verificando_ = false;
    if (c == SalonMesa::Cierre::Quedarse)
        return;
    final_ = c == SalonMesa::Cierre::Salir ? Final::Salir : Final::Jugar;
    QDialog::done(final_ == Final::Jugar ? QDialog::Accepted : r);
}

void frmMesa::closeEvent(QCloseEvent* e)
{
    // The window's close box runs the same check as every other way out.
    e->ignore();
    done(QDialog::Rejected);
}
