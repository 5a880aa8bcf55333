#pragma once
// The options the table's owner chose in the window, kept for the next run
// through QSettings, in an INI file of "Clave=Valor" lines under [General]:
// the user's settings of organisation Quimbolo and application brintal, or
// the file that BRINTAL_OPCIONES names (so that tests never touch the
// owner's). Whatever the option table holds is stored, so a new option needs
// nothing here.
//
// The file is untrusted: an unknown key or a code the option does not take
// is skipped and reported, and anything but an ordinary file is not read.
// A write is whole or not at all: QSettings replaces the file through
// QSaveFile, whose commit would put a short file in place when the disk
// fills, so the format's writer flushes and fails there, and the file keeps
// the values it had.

#include "server/OpcionesMesa.h"

#include <QSettings>
#include <QString>
#include <QStringList>

#include <memory>

class AlmacenOpciones {
public:
    AlmacenOpciones();   // the file named by BRINTAL_OPCIONES, else the user's settings
    explicit AlmacenOpciones(const QString& archivo) : archivo_(archivo) {}

    QString Archivo() const { return archivo_; }

    // Applies the stored values over *opciones; returns the problems found.
    QStringList Cargar(OpcionesMesa* opciones) const;
    // Stores one value, keeping the others. False with a Spanish reason when
    // the value is not valid or the file cannot be written; the file then
    // holds what it held.
    bool Guardar(const QString& clave, const QString& valor, QString* error) const;

    // The format's reader and writer, as QSettings calls them.
    static bool LeerTexto(QIODevice& origen, QSettings::SettingsMap& mapa);
    static bool EscribirTexto(QIODevice& destino, const QSettings::SettingsMap& mapa);

private:
    // The settings over the file, or null (with the reason) when the path is
    // not an ordinary file.
    std::unique_ptr<QSettings> Abrir(QString* problema) const;

    QString archivo_;
};
