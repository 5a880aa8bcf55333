#pragma once
// The lobby: a name, four seats to click, the table's options and the start.
// The seat logic is SalonMesa's; this window shows its labels and pictures and
// updates them from the lines that arrive.

#include <QDialog>
#include <array>

#include "net/Despachador.h"

class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class SalonMesa;

class frmMesa : public QDialog, public OyenteMesa {
    Q_OBJECT
public:
    frmMesa(SalonMesa& salon, Despachador& despachador, QWidget* padre = nullptr);
    ~frmMesa() override;

    // How the lobby ended.
    enum class Final { Abierta, Jugar, Salir };
    Final Resultado() const { return final_; }

    QLabel* Label1;
    QLineEdit* txtNombre;
    std::array<QToolButton*, 5> Image1{};  // 1..4
    std::array<QLabel*, 5> lblNombre{};    // 1..4
    QPushButton* bIniciar;
    QPushButton* bOpciones;

    void TomarSilla(int silla);
    void Iniciar();
    void MostrarOpciones();

    // Received lines.
    void NombreRecibido(int silla) override;
    void SillaConcedida(int silla) override;
    void InicioRecibido() override;
    void OpcionRecibida(const QString& clave) override;

    // The close check, whichever way the lobby is closing.
    void done(int r) override;

protected:
    void showEvent(QShowEvent* e) override;
    void closeEvent(QCloseEvent* e) override;

private:
    void MostrarSilla(int silla);

    SalonMesa& S;
    Despachador& D;
    Final final_ = Final::Abierta;
    bool verificando_ = false;
};
