#pragma once
// Keeping the hand just played: always as JGO/Anterior.Jgo under the program
// folder, and, when the person gives a name, as a copy JGO/<name>.jgo.

#include <QString>

#include "rules/Estado.h"

// Path of a file in the JGO folder under the program folder.
QString RutaJgo(const QString& carpetaApp, const QString& archivo);

// Whether a (trimmed) name can be a saved hand's file name inside JGO: not
// empty, no folder separator, no "..", no character the file systems refuse
// (\ / : * ? " < > |), no invisible character (controls, format and bidi
// characters, line separators), no device name (CON, COM1, COM¹, CONIN$...,
// with any extension). False with a Spanish reason.
bool NombreCopiaValido(const QString& nombre, QString* razon = nullptr);
