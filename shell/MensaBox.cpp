#include "shell/MensaBox.h"

#include <QApplication>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTimer>
#include <algorithm>

#include "shell/Pausa.h"

namespace {
constexpr int kTw = MensaBox::kTwipsPorPixel;
int Px(double twips) { return static_cast<int>(twips / kTw + 0.5); }

constexpr int kLabelIzq = 960;   // text left edge, twips
constexpr int kLabelArriba = 360;
constexpr int kBotonAncho = 900;
constexpr int kBotonAlto = 375;
}

Mensaje Mensa(const QString& texto, int icono, int botones, double duracion, int porDefecto,
              const QString& fuente)
{
    Mensaje m;
    m.Mensaje = texto;
    m.Icono = icono;
    m.Botones = botones;
    m.Duracion = duracion;
    m.Default = porDefecto;
    m.LabelFont = fuente;
    return m;
}

MensaBox::MensaBox(const Mensaje& m, QWidget* padre)
    : QDialog(padre), m_(m), respuesta_(m.Default)
{
    setWindowTitle(QStringLiteral("Quimbolo"));
    setModal(true);
    QFont forma(QStringLiteral("Calibri"));
    forma.setPointSize(10);
    setFont(forma);

    label1_ = new QLabel(this);
    label1_->setObjectName(QStringLiteral("Label1"));
    QFont fuente = font();
    if (!m.LabelFont.isEmpty())
        fuente.setFamily(m.LabelFont);
    label1_->setFont(fuente);
    label1_->setTextFormat(Qt::PlainText);
    // The label sizes itself to the text, one line per line feed; only a text
    // wider than the limit is wrapped.
    const QFontMetrics medida(fuente);
    const QString propio = m.Mensaje.isEmpty() ? QStringLiteral(" ") : m.Mensaje;
    QSize texto = medida.size(0, propio);
    if (texto.width() > kAnchoMaximo) {
        QString partible = m.Mensaje;
        partible.replace(QLatin1Char('/'), QStringLiteral("/\u200B"));
        texto = medida.boundingRect(QRect(0, 0, kAnchoMaximo, 100000), Qt::TextWordWrap, partible).size();
        texto.setWidth(std::min(texto.width(), kAnchoMaximo));
        label1_->setWordWrap(true);
        label1_->setText(partible);
    } else {
        label1_->setText(m.Mensaje);
    }
    int arriba = Px(kLabelArriba);
    if (!m.Titular.isEmpty()) {
        titular_ = new QLabel(m.Titular, this);
        titular_->setObjectName(QStringLiteral("lblTitular"));
        titular_->setTextFormat(Qt::PlainText);
        QFont negrita = font();
        negrita.setBold(true);
        negrita.setPointSize(negrita.pointSize() + 2);
        titular_->setFont(negrita);
        const QSize t = QFontMetrics(negrita).size(Qt::TextSingleLine, m.Titular);
        titular_->setGeometry(Px(kLabelIzq), arriba, t.width(), t.height());
        texto.setWidth(std::max(texto.width(), t.width()));
        arriba += t.height() + 10;
    }
    label1_->setGeometry(Px(kLabelIzq), arriba, texto.width(), texto.height());

    const int wTw = texto.width() * kTw;
    const int alto = (texto.height() + arriba - Px(kLabelArriba)) * kTw + 1710;
    const int ancho = wTw + 1500;
    setFixedSize(Px(ancho), Px(alto));

    icono_ = new QLabel(this);
    QStyle::StandardPixmap sp{};
    bool hayIcono = true;
    switch (m.Icono) {
    case 16: sp = QStyle::SP_MessageBoxCritical; icono_->setObjectName("imgCritical"); break;
    case 32: sp = QStyle::SP_MessageBoxQuestion; icono_->setObjectName("imgQuestion"); break;
    case 48: sp = QStyle::SP_MessageBoxWarning; icono_->setObjectName("imgExclamation"); break;
    case 64: sp = QStyle::SP_MessageBoxInformation; icono_->setObjectName("imgInformation"); break;
    default: hayIcono = false;
    }
    icono_->setGeometry(Px(240), Px(kLabelArriba), 32, 32);
    if (hayIcono)
        icono_->setPixmap(style()->standardIcon(sp).pixmap(32, 32));
    icono_->setVisible(hayIcono);

    auto boton = [this](const char* nombre, const QString& texto, int r) {
        auto* b = new QPushButton(texto, this);
        b->setObjectName(QLatin1String(nombre));
        b->resize(Px(kBotonAncho), Px(kBotonAlto));
        b->hide();
        connect(b, &QPushButton::clicked, this, [this, r] { Responder(r); });
        return b;
    };
    cmdOK_ = boton("cmdOK", QStringLiteral("Aceptar"), 1);
    cmdCancel_ = boton("cmdCancel", QStringLiteral("Cancelar"), 2);
    cmdMore_ = boton("cmdMore", QStringLiteral("Detalles"), 99);

    const double T = alto - 960;
    auto poner = [&](QPushButton* b, double factor) {
        b->move(Px(wTw * factor + 960 - 450), Px(T));
        b->show();
    };
    switch (m.Botones) {
    case 0: poner(cmdOK_, 0.5); break;
    case 1: poner(cmdOK_, 0.21); poner(cmdCancel_, 0.79); break;
    case 99: poner(cmdOK_, 0.21); poner(cmdMore_, 0.79); break;
    default: break;
    }
    if (cmdOK_->isVisible()) {
        cmdOK_->setDefault(true);
        cmdOK_->setFocus();
    }

    timer1_ = new QTimer(this);
    timer1_->setSingleShot(true);
    connect(timer1_, &QTimer::timeout, this, [this] { Responder(m_.Default); });
}

void MensaBox::Responder(int r)
{
    respuesta_ = r;
    timer1_->stop();
    done(r);
}

int MensaBox::Mostrar()
{
    respuesta_ = m_.Default;
    if (Cerrando())
        return respuesta_;
    QApplication::beep();
    if (m_.Duracion > 0)
        timer1_->start(static_cast<int>(m_.Duracion * 1000.0 + 0.5));
    exec();
    timer1_->stop();
    return respuesta_;
}

int MensaBox::Preguntar(const Mensaje& m, QWidget* padre)
{
    MensaBox caja(m, padre);
    return caja.Mostrar();
}
