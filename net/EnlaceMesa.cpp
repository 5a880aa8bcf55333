#include "net/EnlaceMesa.h"

EnlaceMesa::EnlaceMesa(Despachador& despachador, Anfitrion& anfitrion, QObject* padre)
    : QObject(padre), D(despachador), A(anfitrion)
{
    // The arrival slot only appends and schedules: handlers may wait, and they
    // must never run inside the socket's own signal.
    connect(&socket, &QTcpSocket::readyRead, this, [this] { D.Llegada(socket.readAll()); });
    connect(&socket, &QTcpSocket::connected, this, [this] { avisado = false; });
    connect(&socket, &QTcpSocket::disconnected, this, &EnlaceMesa::Desconectado);
}

QString EnlaceMesa::TextoDesconectado() { return QStringLiteral("¡Estás desconectado de la mesa de juego!"); }

void EnlaceMesa::EnviarMensaje(const QString& mensaje)
{
    if (!Conectado()) {
        if (avisado)
            return;
        avisado = true;
        A.Aviso(TextoDesconectado(), 48, 2);
        return;
    }
    socket.write((mensaje + QStringLiteral("\r\n")).toUtf8());
}
