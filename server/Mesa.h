#pragma once
// The rules of one table, with no sockets: which connection holds which seat,
// which lines a connection may send and to whom they go, the options and the
// start. The server feeds it connection numbers and decoded lines and carries
// out what it asks for; the tests feed it strings.
//
// A connection speaks only for the seats it holds. Lines that act for a seat
// ("Nombre", "HoC", "FIN", "Atras", "Tiro") come only from that seat's holder;
// hands, replays and chat come from any seated connection; "Local", "Mesa" and
// "Inici" are the table's own words and are never taken from a client.

#include "server/OpcionesMesa.h"

#include <QList>
#include <QMap>
#include <QString>
#include <QStringList>

struct Envio {
    enum Alcance { Uno, Todos, TodosMenos };
    Alcance A = Todos;
    int Conexion = 0;   // Uno: the receiver; TodosMenos: the one left out
    QString Linea;      // without the CR LF
};

class Mesa {
public:
    static constexpr int kMaxConexiones = 64;
    // Dropped lines logged one by one per connection; past that only counted,
    // so a client sending rubbish cannot slow the table down with the log.
    static constexpr int kMaxAvisos = 20;

    explicit Mesa(const OpcionesMesa& opciones = OpcionesMesa());

    // A new connection. False when the table already has its 64: the caller
    // closes it at once and nothing is kept. Otherwise the newcomer is sent
    // the options and the table as it stands.
    bool Entrar(int id, const QString& origen = QString());
    // A connection that left or was closed; its seats are freed.
    void Salir(int id);
    // The lines of one read from one connection, CR and other control
    // characters already removed.
    void Recibir(int id, const QStringList& lineas);
    // The owner changes an option; false when the key or code is not valid.
    bool CambiarOpcion(const QString& clave, const QString& valor);

    QList<Envio> TomarEnvios();
    QStringList TomarEventos();

    const OpcionesMesa& Opciones() const { return opciones_; }
    QList<int> Conexiones() const { return origen_.keys(); }
    QString Origen(int id) const { return origen_.value(id); }
    int Titular(int silla) const;        // 0 when free
    QString NombreSilla(int silla) const;
    QString TipoSilla(int silla) const;  // the kind letter last relayed, or empty
    bool Iniciada() const { return iniciada_; }

private:
    struct Silla {
        int Titular = 0;
        QString LineaNombre;   // last relayed, resent to late arrivals
        QString LineaTipo;
        QString Nombre;        // as read from those lines
        QString Tipo;
    };

    void Linea(int id, const QString& linea);
    void PedirSilla(int id, int silla, const QString& linea);
    bool Sentado(int id) const;
    bool TieneSilla(int id, int silla) const;
    QString NombreDe(int silla) const;
    void Enviar(Envio::Alcance a, int conexion, const QString& linea);
    void Descartar(int id, const QString& linea, const QString& motivo);
    void Evento(const QString& texto);

    OpcionesMesa opciones_;
    QMap<int, QString> origen_;   // connected, by number
    QMap<int, int> descartes_;    // lines dropped, by connection
    Silla sillas_[5];             // 1..4
    bool iniciada_ = false;
    QList<Envio> envios_;
    QStringList eventos_;
};
