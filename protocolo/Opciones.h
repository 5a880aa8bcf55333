#pragma once
// The table's nine options, once for every program: their keys as they
// travel, the labels and lists of the options forms, the codes each accepts
// and the defaults a table starts with. The server's window, the game's form,
// both readings of an option line and the game's options record read them
// from here, so what the owner chose, what travels and what the game shows
// are one text and never drift apart.

#include <QList>
#include <QString>
#include <QStringList>

namespace protocolo {

// One option. A list option has its codes (list order) and the texts shown
// for them; a numeric option has no list, and its codes are minimo..maximo.
struct DefinicionOpcion {
    QString Clave;
    QString Etiqueta;
    QString Control;        // the object name of its control in both forms
    QStringList Codigos;
    QStringList Entradas;
    int Minimo = 0;
    int Maximo = 0;
    QString PorOmision;

    bool EsNumerica() const { return Codigos.isEmpty(); }
};

// In the order they are sent: AoC Nivel Puntos AcuPtos Salida Cierre Tiempo1 Tiempo2 Vista.
const QList<DefinicionOpcion>& Opciones();
const DefinicionOpcion* BuscarOpcion(const QString& clave);

// A key and code as a person typed them (the owner, a command line): on
// success the code in the form it travels (numbers without leading zeros),
// otherwise an empty string and a Spanish reason in *motivo. Stricter than
// the reading of an option line: a sign, blanks or a fraction would be read
// differently by the game than by the person who typed them.
QString ValidarOpcion(const QString& clave, const QString& valor, QString* motivo);

}  // namespace protocolo
