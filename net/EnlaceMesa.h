#pragma once
// The connection to the table server: the socket, the send operation and the
// data-arrival step that feeds the dispatcher.

#include <QObject>
#include <QTcpSocket>

#include "net/Despachador.h"
#include "rules/Anfitrion.h"

class EnlaceMesa : public QObject {
    Q_OBJECT
public:
    EnlaceMesa(Despachador& despachador, Anfitrion& anfitrion, QObject* padre = nullptr);

    QTcpSocket& Socket() { return socket; }
    bool Conectado() const { return socket.state() == QAbstractSocket::ConnectedState; }

    // Connected: writes the message and CR LF (one call may carry several
    // lines joined by CR LF). Not connected: nothing is sent, and the person is
    // told once for each lost connection, not once for every message that
    // follows it.
    void EnviarMensaje(const QString& mensaje);

    static QString TextoDesconectado();

signals:
    void Desconectado();

private:
    Despachador& D;
    Anfitrion& A;
    QTcpSocket socket;
    bool avisado = false;
};
