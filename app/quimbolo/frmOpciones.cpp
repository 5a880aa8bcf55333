#include "app/quimbolo/frmOpciones.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

// A list whose entry i stands for codigos[i]; a code outside the list leaves
// the list without a selection.
QComboBox* Lista(QWidget* padre, const char* nombre, const QStringList& textos, const QStringList& codigos,
                 const QString& actual)
{
    auto* c = new QComboBox(padre);
    c->setObjectName(QLatin1String(nombre));
    c->addItems(textos);
    c->setCurrentIndex(static_cast<int>(codigos.indexOf(actual)));
    return c;
}

QLineEdit* Numero(QWidget* padre, const char* nombre, int valor)
{
    auto* t = new QLineEdit(QString::number(valor), padre);
    t->setObjectName(QLatin1String(nombre));
    return t;
}

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

    cboAoC = Lista(this, "cboAoC", {"Cerradas", "Abiertas!"}, {"C", "A"}, QString(QChar::fromLatin1(o.AoC)));
    cboNivel = Lista(this, "cboNivel", {"Principiante", "Intermedio", "Avanzado", "Ultra!"}, {"P", "I", "A", "U"},
                     QString(QChar::fromLatin1(o.Nivel)));
    txtPuntos = Numero(this, "txtPuntos", o.Puntos);
    cboPuntos = Lista(this, "cboPuntos", {"La pareja perdedora", "Ambas parejas!"}, {"0", "1"},
                      QString::number(o.AcuPtos));
    cboSalida = Lista(this, "cboSalida", {"Pareja ganadora", "Jugador ganador", "Jugador a la derecha!"},
                      {"PG", "JG", "JD"}, o.Salida);
    cboCierre = Lista(this, "cboCierre",
                      {"Gana la salida", "Gana quien cierra", "Gana quien no cierra", "Se anula la mano!"},
                      {"GS", "GC", "GN", "AN"}, o.Cierre);
    txtTiempo1 = Numero(this, "txtTiempo1", o.Tiempo1);
    txtTiempo2 = Numero(this, "txtTiempo2", o.Tiempo2);
    cboVista = Lista(this, "cboVista", {"Todas las fichas", "Solo lo que sabe cada silla"}, {"T", "S"},
                     QString(QChar::fromLatin1(o.Vista)));

    auto* formulario = new QFormLayout;
    formulario->addRow(QStringLiteral("Jugar con Fichas"), cboAoC);
    formulario->addRow(QStringLiteral("Nivel de Juego"), cboNivel);
    formulario->addRow(QStringLiteral("Puntos por Partida (1-300)"), txtPuntos);
    formulario->addRow(QStringLiteral("Se acumulan los puntos de"), cboPuntos);
    formulario->addRow(QStringLiteral("Orden de Salida"), cboSalida);
    formulario->addRow(QStringLiteral("Al empatar el cierre"), cboCierre);
    formulario->addRow(QStringLiteral("Alarma de tiempo sin opción"), txtTiempo1);
    formulario->addRow(QStringLiteral("Alarma de tiempo con opción"), txtTiempo2);
    formulario->addRow(QStringLiteral("La computadora ve"), cboVista);

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
