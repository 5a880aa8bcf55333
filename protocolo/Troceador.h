#pragma once
// Cuts a connection's byte stream into lines, the same way at both ends.
//
// A line ends at LF. Its CRs are never kept nor counted; a line of more than
// `maximo` bytes without them is too long, and so is an unfinished one that
// already holds more: it is reported once and the rest of it, up to its LF,
// is thrown away as it arrives, so the buffer never grows past one line. A
// line that is not valid UTF-8 is dropped whole; the characters below 32 are
// removed from the decoded text, and a line left empty is skipped.
//
// Lines are taken one at a time from the front: a caller whose handler waits
// (and lets a nested run take the lines that arrive meanwhile) finds, when it
// goes on, only what the nested runs left.

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace protocolo {

class Troceador {
public:
    // What the table accepts from a client; a longer line closes the connection.
    static constexpr qsizetype kMaxLinea = 4096;

    explicit Troceador(qsizetype maximo = kMaxLinea) : maximo_(maximo) {}

    enum class Paso {
        Falta,     // no complete line: more bytes are needed
        Linea,     // *linea holds the next line
        Larga,     // a line too long, dropped
        Invalida,  // a line that is not UTF-8, dropped
    };

    void Agregar(const QByteArray& datos);
    Paso Tomar(QString* linea);

    // Adds the bytes and takes every complete line into *lineas. False at the
    // first line too long: the lines before it are in *lineas, nothing after
    // it is read.
    bool Agregar(const QByteArray& datos, QStringList* lineas);

    // The bytes of the unfinished line, as received.
    QByteArray Pendiente() const { return buffer_.mid(inicio_); }
    // Lines dropped so far for not being valid UTF-8.
    int Invalidas() const { return invalidas_; }

private:
    QByteArray buffer_;
    qsizetype inicio_ = 0;     // lines before it are taken
    bool descartando_ = false; // the rest of a line too long is still to come
    int invalidas_ = 0;
    qsizetype maximo_;
};

}  // namespace protocolo
