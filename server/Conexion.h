#pragma once
// One client of the table: frames its lines and keeps the limits that
// protect the others. It knows nothing of seats or keys.

#include "protocolo/Troceador.h"

#include <QObject>
#include <QPointer>
#include <QTcpSocket>

class Conexion : public QObject {
    Q_OBJECT
public:
    // More than this waiting to be sent means the client has stopped
    // reading; it is closed rather than let memory grow.
    static constexpr qint64 kMaxPendiente = 8 * 1024 * 1024;

    Conexion(int id, QTcpSocket* socket, QObject* padre = nullptr);
    ~Conexion() override;

    int Id() const { return id_; }
    QString Origen() const { return origen_; }

    // Queues bytes for the client; false when that leaves more than
    // kMaxPendiente waiting, and the caller must close this connection.
    bool Enviar(const QByteArray& datos);
    // Drops the connection at once, with whatever is waiting. Emits nothing.
    void Cerrar();

signals:
    void Lineas(int id, const QStringList& lineas);
    // The client left (empty reason), or sent a line the table will not read.
    void Perdida(int id, const QString& motivo);
    void Aviso(int id, const QString& texto);

private slots:
    void Leer();
    void Desconectada();

private:
    int id_;
    QPointer<QTcpSocket> socket_;
    QString origen_;
    protocolo::Troceador troceador_;
    bool perdida_ = false;
};
