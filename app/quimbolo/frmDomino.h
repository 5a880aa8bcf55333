#pragma once
// The game window: the board, the four seat panels, the advice, undo and
// memory buttons, the chat, the analysis progress and the menu. Its first
// activation starts the partida; closing it ends the program even while a
// hand procedure waits.

#include <QMainWindow>
#include <array>
#include <functional>

#include "flujo/Anfitrion.h"
#include "net/Despachador.h"
#include "view/AccionesJuego.h"
#include "view/Paneles.h"
#include "view/Tablero.h"

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;
class Sesion;

class frmDomino : public QMainWindow, public OyenteMesa {
    Q_OBJECT
public:
    explicit frmDomino(Sesion& sesion, QWidget* padre = nullptr);
    ~frmDomino() override;

    Tablero* Tablero1() const { return p1; }
    PanelSilla* Panel(int silla) const { return paneles_->Panel(silla); }

    // Per seat, 1..4.
    std::array<QPushButton*, 5> bAzar{};
    std::array<QPushButton*, 5> bRepetir{};
    std::array<QPushButton*, 5> bNoSalir{};

    Tablero* p1;
    QPushButton* bConsejo;
    QPushButton* bAtras;
    QPushButton* bMemoria;
    QLineEdit* txtChat;
    QListWidget* lstChat;
    QLabel* picThink;
    QLineEdit* Text2;
    QAction* MNueva;
    QAction* MRapida;
    QAction* MSalir;
    QAction* MVer2D;
    QAction* MVer3D;
    QAction* MVerColor;
    QAction* MVerMiSilla;
    QAction* MMarcador;
    QAction* MAyuda;
    QTimer* Timer1;  // the time alarm
    // The status line: what is going on, who passed, the last play; and the
    // score of each pair against the target, always in view.
    QLabel* lblEstado;
    QLabel* lblMarcador;

    // What the flow drives.
    void PonerSemaforo(int luz, int silla);
    void AccionBoton(Control c, int silla, Accion a, const QString& texto);
    void Nombres();
    void ArmarAlarma(int segundos);
    void DetenerAlarma();
    void TurnoHumano(int silla);
    void MostrarPicThink(bool visible);
    void MostrarAvance(double fraccion, bool final);
    // The status line from the state and the title now shown.
    void RefrescarEstado();
    // "Computadora rápida": the computer's pauses at a quarter of their length.
    void PonerRapida(bool rapida);
    static constexpr double kEscalaRapida = 0.25;
    // The window's first size on a screen with this much room.
    static QSize TamanoInicial(const QSize& disponible);
    static constexpr int kAnchoColumna = 210;
    // The seat of this copy's only person (0 with none or several).
    int MiSilla() const;
    void VerDesdeMiSilla(bool activa);

    // Lines received while the game runs.
    void ChatRecibido(const QString& texto) override;
    void SillaDejada(int silla) override;

    // Run when the window closes, after every wait has been told to end. The
    // program leaves all its event loops; tests put their own step here.
    std::function<void()> AlCerrar;
    // Filled in by the features that come with the scoreboard, the advice and
    // the replay; until then the controls do nothing.
    std::function<void()> AlMarcador;
    std::function<void()> AlConsejo;
    std::function<void(int)> AlRepetir;
    std::function<void()> AlMemoria;
    // Undo and the local person's turn (the advice is worked out there).
    std::function<void()> AlAtras;
    std::function<void(int)> AlTurnoHumano;

    // Alarm interval actually used for a number of seconds (0: none).
    static int IntervaloAlarma(int segundos);

protected:
    void changeEvent(QEvent* e) override;
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;

private:
    void ConstruirMenu();
    void NuevaPartida();
    // Each panel beside its hand, with `abajo` the seat at the bottom.
    void ColocarPaneles(int abajo);
    void PrimeraActivacion();
    void EnviarChat();
    QPushButton* BotonDe(Control c, int silla) const;

    Sesion& S;
    Paneles* paneles_;
    // Places for the panels: bottom, right, top, left.
    std::array<QWidget*, 4> lugares_{};
    AccionesJuego acciones_;
    double avance_ = 0;
    bool activada_ = false;
    bool cerrada_ = false;
};
