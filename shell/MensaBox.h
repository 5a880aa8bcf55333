#pragma once
// The program's own modal message box: icon, one of three button sets, a
// chosen font, a beep and an optional time-out that answers with Default.
// Sizes follow the box's historical layout in twips (15 per pixel): the box is
// 1500 twips wider and 1710 taller than its text, and the buttons sit 960
// twips above the bottom edge. A text wider than kAnchoMaximo pixels is
// wrapped at that width (paths break after their separators), so a long
// file error never makes a box as wide as the screen.

#include <QDialog>

#include "flujo/Anfitrion.h"

class QLabel;
class QPushButton;
class QTimer;

class MensaBox : public QDialog {
    Q_OBJECT
public:
    static constexpr int kTwipsPorPixel = 15;
    static constexpr int kAnchoMaximo = 560;

    explicit MensaBox(const Mensaje& m, QWidget* padre = nullptr);

    // Shows the box modally and returns Respuesta: 1 "Aceptar", 2 "Cancelar",
    // 99 "Detalles", Default on time-out or when the program closes.
    int Mostrar();
    int Respuesta() const { return respuesta_; }

    // Exposed for the layout checks.
    QLabel* Label1() const { return label1_; }
    QPushButton* cmdOK() const { return cmdOK_; }
    QPushButton* cmdCancel() const { return cmdCancel_; }
    QPushButton* cmdMore() const { return cmdMore_; }
    QLabel* Icono() const { return icono_; }
    QLabel* Titular() const { return titular_; }

    // Shows a message with a parent window (or none) and returns the answer.
    static int Preguntar(const Mensaje& m, QWidget* padre = nullptr);

private:
    void Responder(int r);

    Mensaje m_;
    int respuesta_ = 0;
    QLabel* label1_;
    QLabel* titular_ = nullptr;
    QLabel* icono_;
    QPushButton* cmdOK_;
    QPushButton* cmdCancel_;
    QPushButton* cmdMore_;
    QTimer* timer1_;
};

// Fills a Mensaje in one line, as most callers need.
Mensaje Mensa(const QString& texto, int icono, int botones, double duracion,
              int porDefecto = 1, const QString& fuente = QStringLiteral("Tahoma"));
