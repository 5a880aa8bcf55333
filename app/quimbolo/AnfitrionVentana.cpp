#include "app/quimbolo/AnfitrionVentana.h"

#include <algorithm>

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QMessageBox>
#include <QTime>
#include <QTimer>

#include "app/quimbolo/frmDomino.h"
#include "shell/MensaBox.h"
#include "shell/Pausa.h"

double AnfitrionVentana::Reloj()
{
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

void AnfitrionVentana::Ceder()
{
    ::Ceder();
}

void AnfitrionVentana::Pausa(double segundos)
{
    // Scaled down to nothing, a wait still serves events for a moment
    // instead of spinning.
    if (segundos > 0)
        ::Pausa(std::max(segundos * Ritmo * Rapidez, 0.001));
}

bool AnfitrionVentana::Cerrando() const
{
    return ::Cerrando();
}

void AnfitrionVentana::Programar(std::function<void()> tarea)
{
    // Queued on the application object, so the task runs from the event loop
    // on an empty stack even if the window that asked is gone.
    QTimer::singleShot(0, qApp, [t = std::move(tarea)] {
        if (!::Cerrando())
            t();
    });
}

void AnfitrionVentana::Titulo(const QString& texto)
{
    if (ventana_) {
        ventana_->setWindowTitle(texto);
        ventana_->RefrescarEstado();
    }
}

void AnfitrionVentana::Semaforo(int silla, int luz)
{
    if (ventana_) {
        ventana_->PonerSemaforo(luz, silla);
        ventana_->RefrescarEstado();
    }
}

void AnfitrionVentana::Boton(Control c, int silla, Accion a, const QString& texto)
{
    if (ventana_) {
        ventana_->AccionBoton(c, silla, a, texto);
        ventana_->RefrescarEstado();
    }
}

void AnfitrionVentana::DibujarMano(int silla, char modo)
{
    if (ventana_)
        ventana_->Tablero1()->DibujarMano(silla, modo);
}

void AnfitrionVentana::DibujarMesa()
{
    if (ventana_) {
        ventana_->Tablero1()->DibujarMesa();
        ventana_->RefrescarEstado();
    }
}

void AnfitrionVentana::DibujarFichaSola(int ficha)
{
    if (ventana_)
        ventana_->Tablero1()->DibujarFichaSola(ficha);
}

void AnfitrionVentana::CursorOcupado(bool ocupado)
{
    // Balanced: every busy pointer set is restored exactly once.
    if (ocupado) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        ++ocupado_;
    } else if (ocupado_ > 0) {
        QApplication::restoreOverrideCursor();
        --ocupado_;
    }
}

void AnfitrionVentana::RefrescarNombres()
{
    if (ventana_)
        ventana_->Nombres();
}

void AnfitrionVentana::TocarSonido(const QString& archivo)
{
    reproductor_->TocarSonido(carpeta_, archivo);
}

void AnfitrionVentana::ArmarAlarma(int segundos)
{
    if (ventana_)
        ventana_->ArmarAlarma(segundos);
}

void AnfitrionVentana::DetenerAlarma()
{
    if (ventana_)
        ventana_->DetenerAlarma();
}

void AnfitrionVentana::TurnoHumano(int silla)
{
    if (ventana_)
        ventana_->TurnoHumano(silla);
}

int AnfitrionVentana::MensaBox(const Mensaje& m)
{
    return MensaBox::Preguntar(m, QApplication::activeWindow());
}

bool AnfitrionVentana::PreguntaSiNo(const QString& texto)
{
    if (::Cerrando())
        return false;
    QMessageBox caja(QMessageBox::Question, QStringLiteral("Quimbolo"), texto, QMessageBox::Yes | QMessageBox::No,
                     QApplication::activeWindow());
    caja.setDefaultButton(QMessageBox::No);
    caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
    return caja.exec() == QMessageBox::Yes;
}

QString AnfitrionVentana::InputBox(const QString& prompt, const QString& titulo, const QString& propuesta)
{
    if (::Cerrando())
        return {};
    QInputDialog caja(QApplication::activeWindow());
    caja.setWindowTitle(titulo);
    caja.setLabelText(prompt);
    caja.setTextValue(propuesta);
    caja.setOkButtonText(QStringLiteral("Aceptar"));
    caja.setCancelButtonText(QStringLiteral("Cancelar"));
    return caja.exec() == QDialog::Accepted ? caja.textValue() : QString();
}

void AnfitrionVentana::MostrarPicThink(bool visible)
{
    if (ventana_)
        ventana_->MostrarPicThink(visible);
}

void AnfitrionVentana::MostrarAvance(double fraccion, bool final)
{
    if (ventana_)
        ventana_->MostrarAvance(fraccion, final);
}

void AnfitrionVentana::PonerVentana(frmDomino* ventana)
{
    ventana_ = ventana;
}
