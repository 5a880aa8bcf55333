#pragma once
// The open form of a stored hand: a path (first the last hand played), a
// browse button for the JGO folder and "Abrir". It only chooses: RutaJuego
// gets the path of an existing file, or empty when there is none there.
// Closed without "Abrir", RutaJuego keeps the choice made the time before.

#include <QDialog>
#include <QString>
#include <functional>

#include "flujo/Anfitrion.h"

class QFileDialog;
class QLabel;
class QLineEdit;
class QPushButton;

class FrmPassW : public QDialog {
    Q_OBJECT
public:
    // `carpeta`: the program folder, ending in its separator.
    FrmPassW(const QString& carpeta, QString& rutaJuego, Anfitrion& anfitrion, QWidget* padre = nullptr);

    QLabel* Label1;
    QLineEdit* txtRuta;
    QPushButton* CmdRuta;
    QPushButton* bEntrar;

    // The file-open dialog: (starting folder, filter) -> chosen path or empty.
    std::function<QString(const QString& carpeta, const QString& filtro)> ElegirArchivo;

    // Detail columns as wide as their contents, so none is cut.
    static void AjustarColumnas(QFileDialog& dialogo);

    void CmdRuta_Click();
    void bEntrar_Click();

private:
    QString carpeta_;
    QString& rutaJuego_;
    Anfitrion& A;
};
