#pragma once
// The seat panels beside the hands: the player's name, a three-colour light
// (green: a seat of this machine is to act; amber: another machine's seat is
// to act, or a seat is passing; red: idle) and the pip sum of the hand, shown
// when the hands are laid open. The green light of a person playing closed
// tiles is also the switch that shows and hides that person's hand.

#include <QFrame>
#include <QLabel>
#include <QObject>
#include <array>

class QBoxLayout;
class Tablero;
struct Estado;

// A light that can be clicked.
class LuzSemaforo : public QLabel {
    Q_OBJECT
public:
    LuzSemaforo(int luz, QWidget* parent = nullptr);
    const int Luz;

signals:
    void Pulsada();

protected:
    void mouseReleaseEvent(QMouseEvent* ev) override;
};

class PanelSilla : public QFrame {
    Q_OBJECT
public:
    PanelSilla(int silla, QWidget* parent = nullptr);

    const int Silla;
    QLabel* lblNombre;
    LuzSemaforo* SemaVerde;
    LuzSemaforo* SemaAmbar;
    LuzSemaforo* SemaRojo;
    QLabel* SumPuntos;

    // Exactly the light of that state is shown; any other state hides all three.
    void PonerSemaforo(int luz);
    // An empty row for the seat's buttons (the game window adds them).
    QBoxLayout* Botones() const { return botones_; }

private:
    QBoxLayout* botones_;
};

class Paneles : public QObject {
    Q_OBJECT
public:
    // The four panels are made as children of `padre`; the window places them.
    Paneles(Estado& estado, Tablero& tablero, QWidget* padre);

    Estado& E;
    Tablero& T;

    PanelSilla* Panel(int silla) const;

    void PonerSemaforo(int luz, int silla);
    // Captions from the players' names ("Jugador n" while a name is empty).
    void PonerNombres();
    // The seat's pip sum as a plain number.
    void PonerPuntos(int silla);
    void MostrarPuntos(int silla, bool visible);

    // Green light of a seat clicked.
    void ClicVerde(int silla);

private:
    std::array<PanelSilla*, 5> paneles_{};
};
