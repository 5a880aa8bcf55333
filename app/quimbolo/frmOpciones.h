#pragma once
// The table's options, shown read-only: the table's owner sets them at the
// table server, and nothing chosen here reaches the record or the table.

#include <QDialog>

#include "rules/Opciones.h"

class QComboBox;
class QLineEdit;

class frmOpciones : public QDialog {
    Q_OBJECT
public:
    explicit frmOpciones(const OpcionesJuego& opciones, QWidget* padre = nullptr);

    QComboBox* cboAoC;
    QComboBox* cboNivel;
    QComboBox* cboPuntos;
    QComboBox* cboSalida;
    QComboBox* cboCierre;
    QLineEdit* txtPuntos;
    QLineEdit* txtTiempo1;
    QLineEdit* txtTiempo2;
    QComboBox* cboVista;
};
