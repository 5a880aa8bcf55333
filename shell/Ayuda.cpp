#include "shell/Ayuda.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QPointer>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "shell/CarpetaApp.h"

VentanaAyuda::VentanaAyuda(const QString& archivo, QWidget* padre) : QWidget(padre, Qt::Window)
{
    setObjectName(QStringLiteral("Ayuda"));
    setWindowTitle(QStringLiteral("Ayuda de Quimbolo"));
    resize(760, 640);
    texto_ = new QTextBrowser(this);
    texto_->setOpenExternalLinks(true);
    auto* caja = new QVBoxLayout(this);
    caja->setContentsMargins(0, 0, 0, 0);
    caja->addWidget(texto_);
    auto* cerrar = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(cerrar, &QShortcut::activated, this, &QWidget::close);
    if (QFile::exists(archivo))
        texto_->setSource(QUrl::fromLocalFile(archivo));
    else
        texto_->setPlainText(QStringLiteral("No se encontró el archivo de ayuda:\n") + archivo);
}

VentanaAyuda* AbrirAyuda()
{
    static QPointer<VentanaAyuda> ventana;
    // A modal window open now would block a window of its own: the help
    // becomes that window's child, so it can be read and scrolled.
    QWidget* modal = QApplication::activeModalWidget();
    if (!ventana) {
        ventana = new VentanaAyuda(CarpetaApp() + kArchivoAyuda, modal);
        ventana->setAttribute(Qt::WA_DeleteOnClose);
    } else if (ventana->parentWidget() != modal) {
        ventana->setParent(modal, Qt::Window);
    }
    ventana->show();
    ventana->raise();
    ventana->activateWindow();
    return ventana;
}

namespace {
class FiltroF1 : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* o, QEvent* e) override
    {
        if (e->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(e)->key() == Qt::Key_F1
            && !static_cast<QKeyEvent*>(e)->isAutoRepeat() && o->isWidgetType()) {
            AbrirAyuda();
            return true;
        }
        return false;
    }
};
}  // namespace

void InstalarAyudaF1()
{
    static FiltroF1* filtro = nullptr;
    if (!filtro) {
        filtro = new FiltroF1(qApp);
        qApp->installEventFilter(filtro);
    }
}
