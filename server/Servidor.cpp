#include "server/Servidor.h"

#include "protocolo/Protocolo.h"
#include "server/Conexion.h"

Servidor::Servidor(const OpcionesMesa& opciones, QObject* padre)
    : QObject(padre), mesa_(opciones) {
    connect(&escucha_, &QTcpServer::newConnection, this, &Servidor::Aceptar);
}

bool Servidor::Escuchar(quint16 puerto, QAbstractSocket::SocketError* error, QString* texto) {
    if (escucha_.listen(QHostAddress::Any, puerto)) return true;
    if (error) *error = escucha_.serverError();
    if (texto) *texto = escucha_.errorString();
    return false;
}

bool Servidor::CambiarOpcion(const QString& clave, const QString& valor) {
    const bool bien = mesa_.CambiarOpcion(clave, valor);
    Entregar();
    return bien;
}

void Servidor::Aceptar() {
    while (QTcpSocket* s = escucha_.nextPendingConnection()) {
        const int id = siguiente_++;
        auto* c = new Conexion(id, s, this);
        if (!mesa_.Entrar(id, c->Origen())) {
            c->Cerrar();
            c->deleteLater();
            continue;
        }
        conexiones_.insert(id, c);
        connect(c, &Conexion::Lineas, this, &Servidor::Llegan);
        connect(c, &Conexion::Perdida, this, &Servidor::Perdida);
        connect(c, &Conexion::Aviso, this, [this](int id, const QString& t) {
            emit Evento(QStringLiteral("Conexión %1: %2").arg(id).arg(t));
        });
    }
    Entregar();
}

void Servidor::Llegan(int id, const QStringList& lineas) {
    if (!conexiones_.contains(id)) return;
    mesa_.Recibir(id, lineas);
    Entregar();
}

void Servidor::Perdida(int id, const QString& motivo) {
    Quitar(id, motivo);
    Entregar();
}

void Servidor::Quitar(int id, const QString& motivo) {
    Conexion* c = conexiones_.take(id);
    if (!c) return;
    for (const QString& t : mesa_.TomarEventos()) emit Evento(t);
    if (!motivo.isEmpty()) emit Evento(QStringLiteral("Conexión %1 cerrada: %2").arg(id).arg(motivo));
    c->Cerrar();
    c->deleteLater();   // its own signal may be what brought us here
    mesa_.Salir(id);
}

void Servidor::Entregar() {
    for (;;) {
        const QList<Envio> envios = mesa_.TomarEnvios();
        if (envios.isEmpty() && porCerrar_.isEmpty()) break;
        for (const Envio& e : envios) {
            const QByteArray datos = protocolo::Enmarcar(e.Linea);
            auto enviar = [&](Conexion* c) {
                if (!porCerrar_.contains(c->Id()) && !c->Enviar(datos)) porCerrar_.insert(c->Id());
            };
            if (e.A == Envio::Uno) {
                if (Conexion* c = conexiones_.value(e.Conexion)) enviar(c);
            } else {
                for (Conexion* c : std::as_const(conexiones_))
                    if (e.A == Envio::Todos || c->Id() != e.Conexion) enviar(c);
            }
        }
        const QSet<int> cerrar = std::exchange(porCerrar_, {});
        for (int id : cerrar)
            Quitar(id, QStringLiteral("más de %1 bytes esperando a ser enviados")
                           .arg(Conexion::kMaxPendiente));
    }
    Avisar();
}

void Servidor::Avisar() {
    const QStringList eventos = mesa_.TomarEventos();
    for (const QString& t : eventos) emit Evento(t);
    emit Cambio();
}
