#pragma once
// The files the programs keep under JGO (hand records, the tree file,
// Server.Dom) are written whole or not at all, and read only when they are
// ordinary files.
//
// Writing goes through a temporary file in the same folder and a rename, with
// every write, the flush and the rename checked: a full disk or a read-only
// folder leaves the old file as it was and says why. QSaveFile alone is not
// enough, because it buffers small writes and its commit renames a temporary
// file that the final flush could not fill.
//
// A name that is a symbolic link is followed only while every link of the
// chain stays in the folder the name sits in; a link out of it is refused,
// so nothing is ever written outside that folder through a planted link.

#include <QByteArray>
#include <QString>

// Writes `contenido` to `ruta`, creating its folder when missing. False with
// a Spanish message naming the file and the reason; the old file is intact.
bool EscribirEntero(const QString& ruta, const QByteArray& contenido, QString* error = nullptr);

// The reason of a failed system call (an errno value) in Spanish, for a
// message such as "No se puede escribir «...»: el disco está lleno.".
// `sistema` is the system's own text, kept for the causes without a name here.
QString RazonDelSistema(int numero, bool escribiendo, const QString& sistema = {});

// Reads the whole of `ruta` when it is an ordinary file (links to one are
// fine) of at most `maximo` bytes. It never waits on a FIFO or a device.
// False with a Spanish message naming the file and the reason.
bool LeerEntero(const QString& ruta, qint64 maximo, QByteArray* datos, QString* error = nullptr);
