#pragma once
// One stored hand shared by the window tools' tests.

#include <QString>

#include "records/RegistroMano.h"

// A hand of 19 plays among four computer seats, as the game writes it.
inline const char* kRegistro =
    "\"Compu 1\"\r\n1-3, 0-2, 2-6, 4-5, 0-4, 5-5, 1-1\r\n"
    "\"Compu 2\"\r\n0-1, 0-5, 1-6, 3-6, 1-5, 0-6, 6-6\r\n"
    "\"Compu 3\"\r\n5-6, 2-3, 0-0, 3-5, 1-4, 2-5, 3-4\r\n"
    "\"Compu 4\"\r\n3-3, 4-6, 4-4, 0-3, 1-2, 2-4, 2-2\r\n"
    " 19 \r\n"
    "1-3, DER\r\n0-1, IZQ\r\n2-3, DER\r\n0-3, IZQ\r\n0-2, DER\r\n0-5, DER\r\n5-6, DER\r\n"
    "3-3, IZQ\r\n2-6, DER\r\n3-6, IZQ\r\n2-5, DER\r\n4-6, IZQ\r\n4-5, DER\r\n1-4, DER\r\n"
    "4-4, IZQ\r\n0-4, IZQ\r\n1-6, DER\r\n0-0, IZQ\r\n0-6, DER\r\n";

inline RegistroMano Registro()
{
    const LecturaRegistro l = LeerRegistro(QString::fromUtf8(kRegistro));
    if (!l.Ok)
        qFatal("%s", qPrintable(l.Mensaje()));
    return l.Registro;
}

