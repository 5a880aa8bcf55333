#pragma once
// Accepts clients and carries out what the table decides: each connection
// gets a number, its lines go to the Mesa, and the Mesa's lines go out to
// the connections it names. A connection that breaks a limit is closed and
// the table is told, as if it had left.

#include "server/Mesa.h"

#include <QMap>
#include <QObject>
#include <QSet>
#include <QTcpServer>

class Conexion;

class Servidor : public QObject {
    Q_OBJECT
public:
    explicit Servidor(const OpcionesMesa& opciones, QObject* padre = nullptr);

    // Listens on every address; false with the socket error when it cannot.
    bool Escuchar(quint16 puerto, QAbstractSocket::SocketError* error, QString* texto);
    quint16 Puerto() const { return escucha_.serverPort(); }

    const Mesa& LaMesa() const { return mesa_; }
    bool CambiarOpcion(const QString& clave, const QString& valor);

signals:
    void Evento(const QString& texto);
    void Cambio();   // connections, seats or options changed

private slots:
    void Aceptar();
    void Llegan(int id, const QStringList& lineas);
    void Perdida(int id, const QString& motivo);

private:
    void Entregar();
    void Quitar(int id, const QString& motivo);
    void Avisar();

    QTcpServer escucha_;
    Mesa mesa_;
    QMap<int, Conexion*> conexiones_;
    QSet<int> porCerrar_;
    int siguiente_ = 1;
};
