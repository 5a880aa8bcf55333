#pragma once
// The help: an HTML file in the program folder shown in the program's own
// help window. F1 opens it from any window once InstalarAyudaF1 has run.

#include <QString>
#include <QWidget>

class QTextBrowser;

// Name of the help file, relative to the program folder.
inline const QString kArchivoAyuda = QStringLiteral("Quimbolo.html");

class VentanaAyuda : public QWidget {
    Q_OBJECT
public:
    explicit VentanaAyuda(const QString& archivo, QWidget* padre = nullptr);
    QTextBrowser* Texto() const { return texto_; }

private:
    QTextBrowser* texto_;
};

// Opens (or raises) the one help window on CarpetaApp + kArchivoAyuda.
VentanaAyuda* AbrirAyuda();

// F1 anywhere in the program opens the help.
void InstalarAyudaF1();
