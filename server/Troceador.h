#pragma once
// Cuts a connection's byte stream into lines. A line ends at LF; CR is never
// kept; the other characters below 32 are removed after the line is decoded.
// A line that is not valid UTF-8 is dropped whole. A line longer than
// kMaxLinea bytes (CR and LF not counted) stops the stream: the connection
// that sent it is closed, so the buffer never holds more than one line.

#include <QByteArray>
#include <QStringList>

class Troceador {
public:
    static constexpr qsizetype kMaxLinea = 4096;

    // Adds received bytes; the complete, non-empty lines go to *lineas. False
    // at the first line that is too long: the lines before it are in *lineas
    // and nothing after it is read.
    bool Agregar(const QByteArray& datos, QStringList* lineas);

    // Lines dropped so far for not being valid UTF-8.
    int Invalidas() const { return invalidas_; }

private:
    void Terminar(QStringList* lineas);

    QByteArray actual_;   // the unfinished line, without CR
    int invalidas_ = 0;
};
