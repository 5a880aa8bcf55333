#pragma once
// The table's nine options as brintal keeps and sends them: each is held as
// the code that travels on the wire, so what the owner chose, what is stored
// and what the game receives are one text and never drift apart.

#include <QList>
#include <QString>
#include <QStringList>

// One option: its key, the label and list of the options form, and the codes
// it accepts. A numeric option has no list; its codes are minimo..maximo.
struct DefinicionOpcion {
    QString Clave;
    QString Etiqueta;
    QStringList Codigos;    // list options: codes in list order
    QStringList Entradas;   // list options: the texts shown, same order
    int Minimo = 0;         // numeric options
    int Maximo = 0;
    QString PorOmision;

    bool EsNumerica() const { return Codigos.isEmpty(); }
};

class OpcionesMesa {
public:
    // Keys in the order they are sent: AoC Nivel Puntos AcuPtos Salida Cierre Tiempo1 Tiempo2 Vista.
    static const QList<DefinicionOpcion>& Definiciones();
    static const DefinicionOpcion* Buscar(const QString& clave);

    // Checks a key and code; on success returns the code in the form it will
    // travel (numbers without leading zeros), otherwise an empty string and a
    // Spanish reason in *motivo.
    static QString Validar(const QString& clave, const QString& valor, QString* motivo);

    // "Mesa", a blank, the key in positions 6-12 padded with blanks, "=" at 13
    // and the code from 14 on.
    static QString Linea(const QString& clave, const QString& valor);

    OpcionesMesa();   // every option at its default

    QString Valor(const QString& clave) const;
    // Sets a value already validated; false (and nothing changed) when it is not valid.
    bool Poner(const QString& clave, const QString& valor);
    QStringList Lineas() const;   // the nine option lines in order

private:
    QStringList valores_;   // same order as Definiciones()
};
