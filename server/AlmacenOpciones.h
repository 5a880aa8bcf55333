#pragma once
// The options the table's owner chose in the window, kept for the next run
// in a small text file of "Clave=Valor" lines. The file is read as untrusted:
// a line that is not a known key with a valid code is skipped and reported.
// BRINTAL_OPCIONES names another file, so that tests never touch the owner's.

#include "server/OpcionesMesa.h"

#include <QString>
#include <QStringList>

class AlmacenOpciones {
public:
    AlmacenOpciones();   // the file named by BRINTAL_OPCIONES, else the user's config folder
    explicit AlmacenOpciones(const QString& archivo) : archivo_(archivo) {}

    QString Archivo() const { return archivo_; }

    // Applies the stored values over *opciones; returns the problems found.
    QStringList Cargar(OpcionesMesa* opciones) const;
    // Stores one value, keeping the others; the file is replaced whole.
    bool Guardar(const QString& clave, const QString& valor, QString* error) const;

private:
    QString archivo_;
};
