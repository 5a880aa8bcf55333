#include "app/quimbolo/frmConnect.h"

#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

#include "net/ConectorMesa.h"
#include "net/Despachador.h"

frmConnect::frmConnect(ConectorMesa& conector, Despachador& despachador, QWidget* padre)
    : QDialog(padre), C(conector), D(despachador)
{
    setObjectName(QStringLiteral("frmConnect"));
    setWindowTitle(QStringLiteral("Conectar con una Mesa de Juego"));

    Label1 = new QLabel(QStringLiteral("¿Deseas jugar con otras personas en la Red Local o en Internet?"), this);
    QFont negrita = Label1->font();
    negrita.setBold(true);
    Label1->setFont(negrita);
    opLocal = new QRadioButton(
        QStringLiteral("No, jugaré solo o con más personas pero sin conectarme a otras computadoras."), this);
    opLocal->setObjectName(QStringLiteral("opLocal"));
    opMesaPropia = new QRadioButton(
        QStringLiteral("Sí, deseo crear mi propia mesa y controlar las opciones de juego."), this);
    opMesaPropia->setObjectName(QStringLiteral("opMesaPropia"));
    opRed = new QRadioButton(
        QStringLiteral("Sí, jugaré en una mesa de juego ya existente cuya dirección IP es: "), this);
    opRed->setObjectName(QStringLiteral("opRed"));
    txtIPMesa = new QLineEdit(QStringLiteral("192.168.0.1"), this);
    txtIPMesa->setObjectName(QStringLiteral("txtIPMesa"));
    txtIPMesa->setMaximumWidth(180);
    lblIPMesa = new QLabel(QStringLiteral("IP o IP:PUERTO ([IPv6]:PUERTO); sin puerto se prueban el 1009 y el 11009."),
                           this);
    lblIPMesa->setObjectName(QStringLiteral("lblIPMesa"));
    txtIPMesa->setToolTip(lblIPMesa->text());
    cmdConectar = new QPushButton(QStringLiteral("Continuar"), this);
    cmdConectar->setObjectName(QStringLiteral("cmdConectar"));
    cmdConectar->setDefault(true);
    lstDataIn = new QListWidget(this);
    lstDataIn->setObjectName(QStringLiteral("lstDataIn"));
    lstDataIn->hide();

    auto* red = new QHBoxLayout;
    red->addWidget(opRed);
    red->addWidget(txtIPMesa);
    red->addStretch();
    auto* ayudaRed = new QHBoxLayout;
    ayudaRed->addSpacing(24);
    ayudaRed->addWidget(lblIPMesa);
    ayudaRed->addStretch();
    auto* pie = new QHBoxLayout;
    pie->addStretch();
    pie->addWidget(cmdConectar);
    auto* caja = new QVBoxLayout(this);
    caja->addWidget(lstDataIn);
    caja->addWidget(Label1);
    caja->addSpacing(6);
    caja->addWidget(opLocal);
    caja->addWidget(opMesaPropia);
    caja->addLayout(red);
    caja->addLayout(ayudaRed);
    caja->addSpacing(6);
    caja->addLayout(pie);

    opLocal->setChecked(true);
    ElegirOpcion();
    for (QRadioButton* o : {opLocal, opMesaPropia, opRed})
        connect(o, &QRadioButton::toggled, this, &frmConnect::ElegirOpcion);
    connect(cmdConectar, &QPushButton::clicked, this, &frmConnect::Conectar);
    connect(&C, &ConectorMesa::Conectado, this, [this] {
        // Leave the socket's signal first: the lobby runs its own event loop.
        QTimer::singleShot(0, this, &frmConnect::Conectado);
    });
    D.AlRegistrar = [this](const QString& entrada) {
        lstDataIn->addItem(entrada);
        if (lstDataIn->count() > Despachador::kMaxRegistro)
            delete lstDataIn->takeItem(0);
        lstDataIn->scrollToBottom();
    };
}

frmConnect::~frmConnect()
{
    D.AlRegistrar = nullptr;
}

void frmConnect::ElegirOpcion()
{
    txtIPMesa->setEnabled(opRed->isChecked());
    lblIPMesa->setEnabled(opRed->isChecked());
}

void frmConnect::Conectar()
{
    if (!opRed->isChecked())
        txtIPMesa->setText(QStringLiteral("127.0.0.1"));
    const auto modo = opRed->isChecked()        ? ConectorMesa::Modo::Red
                      : opMesaPropia->isChecked() ? ConectorMesa::Modo::MesaPropia
                                                  : ConectorMesa::Modo::Local;
    C.Conectar(modo, txtIPMesa->text());
}

void frmConnect::reject()
{
    if (!conectado_)
        QDialog::reject();
}

void frmConnect::closeEvent(QCloseEvent* e)
{
    if (conectado_)
        e->ignore();
    else
        QDialog::closeEvent(e);
}

void frmConnect::Conectado()
{
    conectado_ = true;
    // The receive log moves to the top; the question is no longer asked.
    for (QWidget* w :
         std::initializer_list<QWidget*>{Label1, opLocal, opMesaPropia, opRed, txtIPMesa, lblIPMesa, cmdConectar})
        w->hide();
    lstDataIn->show();
    if (AlConectar)
        AlConectar();
}
