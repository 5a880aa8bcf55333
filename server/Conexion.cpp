#include "server/Conexion.h"

Conexion::Conexion(int id, QTcpSocket* socket, QObject* padre)
    : QObject(padre), id_(id), socket_(socket) {
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    const QHostAddress direccion = socket->peerAddress();
    bool v4 = false;
    const quint32 ip4 = direccion.toIPv4Address(&v4);
    origen_ = v4 ? QHostAddress(ip4).toString() : direccion.toString();
    connect(socket, &QTcpSocket::readyRead, this, &Conexion::Leer);
    connect(socket, &QTcpSocket::disconnected, this, &Conexion::Desconectada);
    connect(socket, &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
        if (e != QAbstractSocket::RemoteHostClosedError) Desconectada();
    });
}

Conexion::~Conexion() { Cerrar(); }

bool Conexion::Enviar(const QByteArray& datos) {
    if (!socket_ || perdida_) return true;
    socket_->write(datos);
    return socket_->bytesToWrite() <= kMaxPendiente;
}

void Conexion::Cerrar() {
    perdida_ = true;
    if (!socket_) return;
    socket_->disconnect(this);
    socket_->abort();
}

void Conexion::Leer() {
    if (perdida_) return;
    const QByteArray datos = socket_->readAll();
    QStringList lineas;
    const int antes = troceador_.Invalidas();
    const bool bien = troceador_.Agregar(datos, &lineas);
    if (troceador_.Invalidas() != antes)
        emit Aviso(id_, QStringLiteral("%1 línea(s) que no son UTF-8 descartadas")
                            .arg(troceador_.Invalidas() - antes));
    if (!lineas.isEmpty()) emit Lineas(id_, lineas);
    if (!bien && !perdida_) {
        perdida_ = true;
        emit Perdida(id_, QStringLiteral("línea de más de %1 bytes").arg(protocolo::Troceador::kMaxLinea));
    }
}

void Conexion::Desconectada() {
    if (perdida_) return;
    perdida_ = true;
    emit Perdida(id_, QString());
}
