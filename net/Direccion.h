#pragma once
// The address of a table as a person types it: "host", "host:PUERTO",
// "[IPv6]:PUERTO", "[IPv6]" or a bare IPv6 address (whose colons name no
// port). Without a port the table's two ports are tried in turn, as brintal
// falls back from the first to the second where it may not open it.
//
// Read before anything is looked up: a text with a bad port is refused here,
// never taken for a host name.

#include <QList>
#include <QString>

struct DireccionMesa {
    QString Host;        // without brackets
    quint16 Puerto = 0;  // 0: none given
};

// False, with a Spanish sentence in `error`, when the text names no table.
bool LeerDireccion(const QString& texto, DireccionMesa& d, QString& error);

// The ports to try, in order: the one given, or `principal` then `alterno`.
QList<quint16> PuertosAProbar(const DireccionMesa& d, quint16 principal, quint16 alterno);

// " (puerto 2000)" or " (puertos 1009 y 11009)", for the messages.
QString TextoPuertos(const QList<quint16>& puertos);
