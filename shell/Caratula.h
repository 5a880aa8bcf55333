#pragma once
// The splash: a picture the program paints itself (a few tiles and the name),
// shown for four seconds or until a click or a key.

#include <QDialog>

class QTimer;

class Caratula : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMilisegundos = 4000;

    explicit Caratula(QWidget* padre = nullptr);
    // Shows the splash modally; returns when it has closed.
    void Mostrar();
    QTimer* Timer1() const { return timer1_; }

protected:
    void paintEvent(QPaintEvent*) override;
    void mousePressEvent(QMouseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;

private:
    QTimer* timer1_;
};
