#pragma once
// The program folder: every file the program reads or writes (MMEDIA, JGO,
// the help) is found from it, so it is worked out once from where the
// executable lives and always ends in the platform's folder separator.

#include <QString>

// Trims blanks and appends one separator unless the path already ends in a
// separator or names a drive root such as "C:".
QString NormalizarCarpeta(const QString& carpeta);

// The running executable's folder, normalised.
QString CarpetaApp();
