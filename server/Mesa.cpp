#include "server/Mesa.h"

#include "protocolo/Opciones.h"
#include "protocolo/Protocolo.h"

using protocolo::Clase;

namespace {

QString Recorte(const QString& linea) {
    return linea.size() > 80 ? linea.left(80) + QStringLiteral("…") : linea;
}

}  // namespace

Mesa::Mesa(const OpcionesMesa& opciones) : opciones_(opciones) {}

int Mesa::Titular(int silla) const { return silla >= 1 && silla <= 4 ? sillas_[silla].Titular : 0; }

QString Mesa::NombreSilla(int silla) const { return silla >= 1 && silla <= 4 ? NombreDe(silla) : QString(); }

QString Mesa::TipoSilla(int silla) const {
    return silla >= 1 && silla <= 4 ? sillas_[silla].Tipo : QString();
}

QString Mesa::NombreDe(int silla) const { return sillas_[silla].Nombre; }

bool Mesa::Entrar(int id, const QString& origen) {
    if (origen_.size() >= kMaxConexiones) {
        Evento(QStringLiteral("Conexión %1 (%2) rechazada: la mesa ya tiene %3 conexiones")
                   .arg(id).arg(origen).arg(kMaxConexiones));
        return false;
    }
    origen_.insert(id, origen);
    Evento(QStringLiteral("Conexión %1 (%2) entra").arg(id).arg(origen));
    for (const QString& l : opciones_.Lineas()) Enviar(Envio::Uno, id, l);
    for (int s = 1; s <= 4; ++s) {
        if (!sillas_[s].Titular) continue;
        if (!sillas_[s].LineaNombre.isEmpty()) Enviar(Envio::Uno, id, sillas_[s].LineaNombre);
        if (!sillas_[s].LineaTipo.isEmpty()) Enviar(Envio::Uno, id, sillas_[s].LineaTipo);
    }
    if (iniciada_) Enviar(Envio::Uno, id, protocolo::LineaInici());
    return true;
}

void Mesa::Salir(int id) {
    if (!origen_.remove(id)) return;
    const int descartadas = descartes_.take(id);
    Evento(descartadas ? QStringLiteral("Conexión %1 sale; %2 línea(s) suyas descartadas").arg(id).arg(descartadas)
                       : QStringLiteral("Conexión %1 sale").arg(id));
    for (int s = 1; s <= 4; ++s) {
        if (sillas_[s].Titular != id) continue;
        const QString nombre = NombreDe(s);
        sillas_[s] = Silla();
        Evento(QStringLiteral("Silla %1 libre").arg(s));
        Enviar(Envio::Todos, 0, protocolo::LineaSillaDejada(nombre, s));
    }
    // With every seat empty the partida is over: the next people start a new one.
    if (iniciada_ && !sillas_[1].Titular && !sillas_[2].Titular && !sillas_[3].Titular &&
        !sillas_[4].Titular) {
        iniciada_ = false;
        Evento(QStringLiteral("Mesa vacía: la próxima partida empieza de nuevo"));
    }
}

void Mesa::Recibir(int id, const QStringList& lineas) {
    if (!origen_.contains(id)) return;
    for (const QString& l : lineas) Linea(id, l);
    // After the whole read, so that a seat kind sent with the last name
    // reaches everyone before the start.
    if (iniciada_) return;
    for (int s = 1; s <= 4; ++s)
        if (!sillas_[s].Titular || NombreDe(s).trimmed().isEmpty()) return;
    iniciada_ = true;
    Evento(QStringLiteral("Las cuatro sillas tienen nombre: comienza la partida"));
    Enviar(Envio::Todos, 0, protocolo::LineaInici());
}

void Mesa::Linea(int id, const QString& linea) {
    const protocolo::LineaCliente l = protocolo::LeerDeCliente(linea);
    switch (l.clase) {
    case Clase::Ninguna:
        return;
    case Clase::PideSilla:
        return PedirSilla(id, l.silla, linea);
    case Clase::Nombre:
        if (!TieneSilla(id, l.silla))
            return Descartar(id, linea, QStringLiteral("nombre para una silla que no tiene"));
        sillas_[l.silla].LineaNombre = linea;
        sillas_[l.silla].Nombre = l.texto;
        Evento(QStringLiteral("Silla %1: %2").arg(l.silla).arg(l.texto));
        return Enviar(Envio::Todos, 0, linea);
    case Clase::HoC:
        if (!TieneSilla(id, l.silla))
            return Descartar(id, linea, QStringLiteral("tipo para una silla que no tiene"));
        sillas_[l.silla].LineaTipo = linea;
        sillas_[l.silla].Tipo = l.texto;
        return Enviar(Envio::Todos, 0, linea);
    case Clase::Fin:
        if (!TieneSilla(id, l.silla))
            return Descartar(id, linea, QStringLiteral("fin de mano para una silla que no tiene"));
        return Enviar(Envio::Todos, 0, linea);
    case Clase::Atras:
        if (!TieneSilla(id, l.silla))
            return Descartar(id, linea, QStringLiteral("paso atrás para una silla que no tiene"));
        return Enviar(Envio::TodosMenos, id, linea);
    case Clase::Tiro:
        if (!TieneSilla(id, l.silla))
            return Descartar(id, linea, QStringLiteral("jugada mal formada o de una silla que no tiene"));
        return Enviar(Envio::Todos, 0, linea);
    case Clase::Fichas:
    case Clase::Repet:
    case Clase::Memo:
        if (!Sentado(id)) return Descartar(id, linea, QStringLiteral("no ocupa ninguna silla"));
        return Enviar(Envio::Todos, 0, linea);
    case Clase::Chat:
        if (!Sentado(id)) return Descartar(id, linea, QStringLiteral("no ocupa ninguna silla"));
        // Only the table signs as Brintal; a look-alike with blanks or other
        // capitals would read the same to the people at the table.
        if (l.texto.trimmed().compare(QLatin1String("Brintal"), Qt::CaseInsensitive) == 0)
            return Descartar(id, linea, QStringLiteral("firma como Brintal"));
        return Enviar(Envio::Todos, 0, linea);
    case Clase::DeLaMesa:
        return Descartar(id, linea, QStringLiteral("solo Brintal habla por la mesa"));
    case Clase::Desconocida:
        return Descartar(id, linea, QStringLiteral("clave desconocida"));
    }
}

void Mesa::PedirSilla(int id, int s, const QString& linea) {
    if (!s) return Descartar(id, linea, QStringLiteral("silla fuera de 1 a 4"));
    if (sillas_[s].Titular && sillas_[s].Titular != id) {
        Evento(QStringLiteral("Silla %1 negada a la conexión %2: es de la conexión %3")
                   .arg(s).arg(id).arg(sillas_[s].Titular));
        return;
    }
    if (!sillas_[s].Titular) Evento(QStringLiteral("Silla %1 para la conexión %2").arg(s).arg(id));
    sillas_[s].Titular = id;
    Enviar(Envio::Uno, id, protocolo::LineaLocal(s));
}

bool Mesa::Sentado(int id) const {
    for (int s = 1; s <= 4; ++s)
        if (sillas_[s].Titular == id) return true;
    return false;
}

bool Mesa::TieneSilla(int id, int silla) const {
    return silla >= 1 && silla <= 4 && sillas_[silla].Titular == id;
}

bool Mesa::CambiarOpcion(const QString& clave, const QString& valor) {
    QString motivo;
    const QString codigo = protocolo::ValidarOpcion(clave, valor, &motivo);
    if (codigo.isEmpty()) {
        Evento(QStringLiteral("Opción no cambiada: %1").arg(motivo));
        return false;
    }
    opciones_.Poner(clave, codigo);
    Evento(QStringLiteral("Opción %1 = %2").arg(clave, codigo));
    Enviar(Envio::Todos, 0, protocolo::LineaOpcion(clave, codigo));
    return true;
}

QList<Envio> Mesa::TomarEnvios() {
    QList<Envio> e;
    e.swap(envios_);
    return e;
}

QStringList Mesa::TomarEventos() {
    QStringList e;
    e.swap(eventos_);
    return e;
}

void Mesa::Enviar(Envio::Alcance a, int conexion, const QString& linea) {
    envios_.append(Envio{a, conexion, linea});
}

void Mesa::Descartar(int id, const QString& linea, const QString& motivo) {
    const int n = ++descartes_[id];
    if (n > kMaxAvisos) return;
    Evento(QStringLiteral("Línea de la conexión %1 descartada (%2): %3").arg(id).arg(motivo, Recorte(linea)));
    if (n == kMaxAvisos)
        Evento(QStringLiteral("Las demás líneas descartadas de la conexión %1 solo se cuentan").arg(id));
}

void Mesa::Evento(const QString& texto) { eventos_.append(texto); }
