#pragma once
// The table's nine options as brintal keeps and sends them: each is held as
// the code that travels on the wire, so what the owner chose, what is stored
// and what the game receives are one text. The options themselves (keys,
// codes, defaults) are the table of protocolo/Opciones.h.

#include <QString>
#include <QStringList>

class OpcionesMesa {
public:
    OpcionesMesa();   // every option at its default

    QString Valor(const QString& clave) const;
    // Sets a value; false (and nothing changed) when it is not valid.
    bool Poner(const QString& clave, const QString& valor);
    QStringList Lineas() const;   // the nine option lines in order

private:
    QStringList valores_;   // same order as protocolo::Opciones()
};
