#pragma once
// The folders of the program. What ships (executables, MMEDIA, the help) is
// read from the program folder; what the game writes (JGO: hand records,
// Tree.Dom, Server.Dom) goes under the user's data folder, so an install that
// no user may write to still keeps every hand. A program folder that already
// holds a writable JGO keeps it (portable use, a copy on a stick).

#include <QString>

// Trims blanks and appends one separator unless the path already ends in a
// separator or names a drive root such as "C:".
QString NormalizarCarpeta(const QString& carpeta);

// The folder holding MMEDIA and the help, given the executable's folder: the
// executable's own folder when MMEDIA lies beside it (the build tree, a
// portable copy), else <exe>/../share/quimbolo when MMEDIA lies there (an
// installed system), else the executable's folder. Normalised.
QString CarpetaProgramaDe(const QString& carpetaEjecutable);

// The running program's folder for what ships, normalised.
QString CarpetaApp();
// The folder the executables live in (brintal is started from there).
QString CarpetaEjecutables();

// Whether `carpeta`/JGO exists and a file can really be created in it.
bool JgoEscribible(const QString& carpeta);

// The rule, without the disk: the program folder when its JGO is writable,
// the user's data folder otherwise.
QString ElegirCarpetaDatos(const QString& carpetaApp, bool jgoEscribible, const QString& datosUsuario);

// The folder under which JGO lives for this run, normalised; chosen once, and
// its JGO created on first use. Empty when even the user's folder cannot be
// made (the writers then report their own failure).
QString CarpetaDatos();
