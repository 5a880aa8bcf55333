#pragma once
// Answers the program's message boxes as a person would, and remembers what
// they said. Polls from the event loop, so it works inside nested waits.

#include <QAbstractButton>
#include <QApplication>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "shell/MensaBox.h"

class Contestador : public QObject {
public:
    Contestador()
    {
        reloj_.setInterval(40);
        connect(&reloj_, &QTimer::timeout, this, &Contestador::Revisar);
        reloj_.start();
    }

    // Which button answers a box with this text: "cmdOK", "cmdCancel",
    // "cmdMore", or empty to leave the box to its time-out.
    std::function<QString(const QString&)> Elegir = [](const QString&) { return QStringLiteral("cmdOK"); };
    QStringList Textos;

private:
    void Revisar()
    {
        const auto ventanas = QApplication::topLevelWidgets();
        for (QWidget* w : ventanas) {
            // Marked on the widget itself: a new box may reuse an old one's address.
            if (!w->isVisible() || w->property("contestada").toBool())
                continue;
            w->setProperty("contestada", true);
            if (auto* caja = qobject_cast<MensaBox*>(w)) {
                const QString texto = caja->Label1()->text();
                Textos << texto;
                const QString boton = Elegir(texto);
                if (!boton.isEmpty())
                    if (auto* b = caja->findChild<QPushButton*>(boton); b && b->isVisible())
                        QTimer::singleShot(0, b, &QPushButton::click);
            } else if (auto* entrada = qobject_cast<QInputDialog*>(w)) {
                // Asked for a name: cancelled, as most people do.
                Textos << entrada->labelText();
                QTimer::singleShot(0, entrada, &QInputDialog::reject);
            } else if (auto* pregunta = qobject_cast<QMessageBox*>(w)) {
                Textos << pregunta->text();
                QTimer::singleShot(0, pregunta, [pregunta] {
                    if (auto* b = pregunta->defaultButton())
                        b->click();
                    else
                        pregunta->reject();
                });
            }
        }
    }

    QTimer reloj_;
};
