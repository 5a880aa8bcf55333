#pragma once
// The connect dialog: how the person wants to play, then the connection to
// the table. It stays open for the whole run, under the lobby and the game
// window, and shows the receive log once connected.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class ConectorMesa;
class Despachador;

class frmConnect : public QDialog {
    Q_OBJECT
public:
    frmConnect(ConectorMesa& conector, Despachador& despachador, QWidget* padre = nullptr);
    ~frmConnect() override;

    QLabel* Label1;
    QRadioButton* opLocal;
    QRadioButton* opMesaPropia;
    QRadioButton* opRed;
    QLineEdit* txtIPMesa;
    QLabel* lblIPMesa;  // how to write the address, next to it
    QPushButton* cmdConectar;
    QListWidget* lstDataIn;

    // Runs once the connection is made, from the event loop (not inside the
    // socket's signal): the lobby and then the game window, shown modally.
    std::function<void()> AlConectar;

    // The "Continuar" action.
    void Conectar();

    // Once connected the dialog stays for the whole run: only the game
    // window's closing ends it.
    void reject() override;

protected:
    void closeEvent(QCloseEvent* e) override;

private:
    void ElegirOpcion();
    void Conectado();

    ConectorMesa& C;
    Despachador& D;
    bool conectado_ = false;
};
