#pragma once
// "Arbol de Posibilidades": the analysis tree file shown in a fixed-width
// font. The analysis writes every move after its continuation and the legend
// last, so the file is turned around before it is shown, and kept that way
// (later openings find it already turned and leave it alone).

#include <QDialog>
#include <QFont>
#include <QString>

class QPlainTextEdit;

// Largest tree file the advice still opens.
constexpr qint64 kMaxArbol = 3145728;

// The legend line that ends the file as written and heads it once turned.
QString CabeceraArbol();

// Whether the tree file exists and is small enough to be shown.
bool ArbolMostrable(const QString& ruta);

// Turns the file's lines around in place, written whole or not at all. A file
// that already starts with the legend is left as it is. The text in reading
// order goes to *texto whenever the file could be read. False when it cannot
// be read, or (with the reason in *error, the file untouched) rewritten.
bool VoltearArbol(const QString& ruta, QString* texto = nullptr, QString* error = nullptr);

// The first fixed-width family of a known list that is installed ("Courier
// New" first), or empty; FuenteFija falls back to the system's fixed font.
QString FamiliaFija(const QStringList& instaladas);
QFont FuenteFija();

class Arbol : public QDialog {
    Q_OBJECT
public:
    explicit Arbol(const QString& ruta, QWidget* padre = nullptr);

    // Loads the tree (turning the file first) with the busy pointer shown.
    void VerArbol();
    // Why the turned file could not be kept (the window shows it anyway).
    QString ErrorArchivo() const { return error_; }

    QPlainTextEdit* Texto1;

protected:
    void resizeEvent(QResizeEvent* ev) override;

private:
    QString ruta_;
    QString error_;
};
