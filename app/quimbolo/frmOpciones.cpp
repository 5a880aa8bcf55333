#include "app/quimbolo/frmOpciones.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "protocolo/Opciones.h"

namespace {

// Nothing chosen here would reach the table, so nothing looks choosable:
// every list and box of the form, whatever rows it has, is shown as plain
// text in its place. The controls stay (hidden) and keep their values.
void SoloLectura(QFormLayout* formulario, QWidget* padre)
{
    for (int fila = 0; fila < formulario->rowCount(); ++fila) {
        QLayoutItem* item = formulario->itemAt(fila, QFormLayout::FieldRole);
        QWidget* control = item ? item->widget() : nullptr;
        QString texto;
        if (auto* lista = qobject_cast<QComboBox*>(control))
            texto = lista->currentIndex() >= 0 ? lista->currentText() : QStringLiteral("—");
        else if (auto* caja = qobject_cast<QLineEdit*>(control))
            texto = caja->text();
        else
            continue;
        auto* valor = new QLabel(texto, padre);
        valor->setObjectName(control->objectName() + QStringLiteral("Valor"));
        valor->setTextFormat(Qt::PlainText);
        QFont negrita = valor->font();
        negrita.setBold(true);
        valor->setFont(negrita);
        formulario->removeItem(item);
        delete item;
        control->hide();
        formulario->setWidget(fila, QFormLayout::FieldRole, valor);
    }
}

}  // namespace

frmOpciones::frmOpciones(const OpcionesJuego& o, QWidget* padre) : QDialog(padre)
{
    setObjectName(QStringLiteral("frmOpciones"));
    setWindowTitle(QStringLiteral("Opciones de Juego"));
    setModal(true);

    // Each option of the table in its order: a list whose entry i stands for
    // its code i (a code outside the list leaves it without a selection), or
    // a box with the number.
    auto* formulario = new QFormLayout;
    for (const protocolo::DefinicionOpcion& d : protocolo::Opciones()) {
        const QString actual = o.Codigo(d.Clave);
        QWidget* control;
        if (d.EsNumerica()) {
            control = new QLineEdit(actual, this);
        } else {
            auto* lista = new QComboBox(this);
            lista->addItems(d.Entradas);
            lista->setCurrentIndex(static_cast<int>(d.Codigos.indexOf(actual)));
            control = lista;
        }
        control->setObjectName(d.Control);
        formulario->addRow(d.Etiqueta, control);
    }
    cboAoC = findChild<QComboBox*>(QStringLiteral("cboAoC"));
    cboNivel = findChild<QComboBox*>(QStringLiteral("cboNivel"));
    cboPuntos = findChild<QComboBox*>(QStringLiteral("cboPuntos"));
    cboSalida = findChild<QComboBox*>(QStringLiteral("cboSalida"));
    cboCierre = findChild<QComboBox*>(QStringLiteral("cboCierre"));
    cboVista = findChild<QComboBox*>(QStringLiteral("cboVista"));
    txtPuntos = findChild<QLineEdit*>(QStringLiteral("txtPuntos"));
    txtTiempo1 = findChild<QLineEdit*>(QStringLiteral("txtTiempo1"));
    txtTiempo2 = findChild<QLineEdit*>(QStringLiteral("txtTiempo2"));

    SoloLectura(formulario, this);

    auto* aviso = new QLabel(QStringLiteral("El dueño de la Mesa de Juego puede modificar estas opciones"), this);
    aviso->setObjectName(QStringLiteral("Label9"));
    aviso->setWordWrap(true);

    auto* bOK = new QPushButton(QStringLiteral("Aceptar"), this);
    bOK->setObjectName(QStringLiteral("bOK"));
    bOK->setDefault(true);
    auto* bCancel = new QPushButton(QStringLiteral("Cancelar"), this);
    bCancel->setObjectName(QStringLiteral("bCancel"));
    connect(bOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(bCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(bOK);
    botones->addWidget(bCancel);

    auto* caja = new QVBoxLayout(this);
    caja->addLayout(formulario);
    caja->addWidget(aviso);
    caja->addLayout(botones);
}
