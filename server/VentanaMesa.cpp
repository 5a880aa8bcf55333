#include "server/VentanaMesa.h"

#include "protocolo/Opciones.h"
#include "server/AlmacenOpciones.h"
#include "server/Servidor.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QSpinBox>
#include <QStatusBar>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>

namespace {

const char* const kRumbo[] = {"", "Sur", "Este", "Norte", "Oeste"};

}  // namespace

VentanaMesa::VentanaMesa(Servidor* servidor, const AlmacenOpciones* almacen, QWidget* padre)
    : QMainWindow(padre), servidor_(servidor), almacen_(almacen) {
    setWindowTitle(QStringLiteral("La Mesa de Juego"));

    auto* sillas = new QGroupBox(QStringLiteral("Sillas"));
    auto* formaSillas = new QFormLayout(sillas);
    for (int s = 1; s <= 4; ++s) {
        sillas_[s] = new QLabel;
        formaSillas->addRow(QStringLiteral("Silla %1 (%2):").arg(s).arg(kRumbo[s]), sillas_[s]);
    }
    auto* grupoConexiones = new QGroupBox(QStringLiteral("Conexiones"));
    conexiones_ = new QListWidget;
    (new QVBoxLayout(grupoConexiones))->addWidget(conexiones_);

    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(sillas);
    izquierda->addWidget(grupoConexiones, 1);
    auto* arriba = new QHBoxLayout;
    arriba->addLayout(izquierda, 1);
    arriba->addWidget(CrearOpciones());

    auto* grupoRegistro = new QGroupBox(QStringLiteral("Registro"));
    registro_ = new QPlainTextEdit;
    registro_->setReadOnly(true);
    registro_->setMaximumBlockCount(5000);
    // Long lines (a port fallback, a file path) wrap inside the window.
    registro_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    registro_->setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    (new QVBoxLayout(grupoRegistro))->addWidget(registro_);

    // Where the players' copies find this table, always in view.
    puerto_ = new QLabel;
    puerto_->setObjectName(QStringLiteral("lblPuerto"));
    QFont grande = puerto_->font();
    grande.setBold(true);
    grande.setPointSize(grande.pointSize() + 2);
    puerto_->setFont(grande);
    puerto_->setWordWrap(true);

    auto* centro = new QWidget;
    auto* todo = new QVBoxLayout(centro);
    todo->addWidget(puerto_);
    todo->addLayout(arriba);
    todo->addWidget(grupoRegistro, 1);
    setCentralWidget(centro);
    resize(760, 520);

    // A busy table changes many times a second; the lists need not.
    refresco_ = new QTimer(this);
    refresco_->setSingleShot(true);
    refresco_->setInterval(100);
    connect(refresco_, &QTimer::timeout, this, &VentanaMesa::Refrescar);
    connect(servidor_, &Servidor::Cambio, refresco_, [this] {
        if (!refresco_->isActive()) refresco_->start();
    });
    connect(servidor_, &Servidor::Evento, this, &VentanaMesa::Registrar);
    Refrescar();
}

QWidget* VentanaMesa::CrearOpciones() {
    auto* grupo = new QGroupBox(QStringLiteral("Opciones de Juego"));
    auto* forma = new QFormLayout(grupo);
    forma->addRow(new QLabel(QStringLiteral("El dueño de la Mesa de Juego puede modificar estas opciones")));
    const auto& defs = protocolo::Opciones();
    const OpcionesMesa& actuales = servidor_->LaMesa().Opciones();
    for (int i = 0; i < defs.size(); ++i) {
        const protocolo::DefinicionOpcion& d = defs[i];
        const QString valor = actuales.Valor(d.Clave);
        QWidget* control;
        if (d.EsNumerica()) {
            auto* numero = new QSpinBox;
            numero->setRange(d.Minimo, d.Maximo);
            numero->setValue(valor.toInt());
            numero->setKeyboardTracking(false);   // one change per number, not per keystroke
            connect(numero, &QSpinBox::valueChanged, this,
                    [this, clave = d.Clave](int n) { Cambiar(clave, QString::number(n)); });
            control = numero;
        } else {
            auto* lista = new QComboBox;
            lista->addItems(d.Entradas);
            lista->setCurrentIndex(d.Codigos.indexOf(valor));
            connect(lista, &QComboBox::currentIndexChanged, this, [this, d](int k) {
                if (k >= 0 && k < d.Codigos.size()) Cambiar(d.Clave, d.Codigos[k]);
            });
            control = lista;
        }
        control->setObjectName(d.Control);
        forma->addRow(d.Etiqueta, control);
    }
    return grupo;
}

void VentanaMesa::Cambiar(const QString& clave, const QString& valor) {
    if (servidor_->LaMesa().Opciones().Valor(clave) == valor) return;
    if (!servidor_->CambiarOpcion(clave, valor)) return;
    QString error;
    if (!almacen_->Guardar(clave, valor, &error))
        Registrar(QStringLiteral("No se pudo guardar la opción %1 en %2: %3")
                      .arg(clave, almacen_->Archivo(), error));
}

void VentanaMesa::Registrar(const QString& texto) {
    registro_->appendPlainText(QTime::currentTime().toString(QStringLiteral("HH:mm:ss ")) + texto);
}

void VentanaMesa::Refrescar() {
    const Mesa& mesa = servidor_->LaMesa();
    for (int s = 1; s <= 4; ++s) {
        const int titular = mesa.Titular(s);
        if (!titular) {
            sillas_[s]->setText(QStringLiteral("libre"));
            continue;
        }
        QString texto = mesa.NombreSilla(s);
        if (mesa.TipoSilla(s) == QLatin1String("C")) texto += QStringLiteral(" (computadora)");
        sillas_[s]->setText(QStringLiteral("%1 — conexión %2").arg(texto, QString::number(titular)));
    }
    conexiones_->clear();
    for (int id : mesa.Conexiones()) {
        QStringList suyas;
        for (int s = 1; s <= 4; ++s)
            if (mesa.Titular(s) == id) suyas << QString::number(s);
        QString texto = QStringLiteral("%1: %2").arg(id).arg(mesa.Origen(id));
        if (!suyas.isEmpty()) texto += QStringLiteral(" — Silla(s) ") + suyas.join(", ");
        conexiones_->addItem(texto);
    }
    puerto_->setText(QStringLiteral("Mesa abierta en el puerto %1").arg(servidor_->Puerto()));
    statusBar()->showMessage(QStringLiteral("Escuchando en el puerto %1 — %2")
                                 .arg(servidor_->Puerto())
                                 .arg(mesa.Iniciada() ? QStringLiteral("partida iniciada")
                                                      : QStringLiteral("esperando jugadores")));
}
