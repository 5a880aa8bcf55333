#include "server/Mesa.h"

namespace {

int Digito(QChar c) { return (c >= '1' && c <= '4') ? c.unicode() - '0' : 0; }

bool Cifra(QChar c) { return c >= '0' && c <= '9'; }

QChar At(const QString& s, int posicion) {   // positions count from 1
    return posicion >= 1 && posicion <= s.size() ? s[posicion - 1] : QChar();
}

QString Recorte(const QString& linea) {
    return linea.size() > 80 ? linea.left(80) + QStringLiteral("…") : linea;
}

}  // namespace

Mesa::Mesa(const OpcionesMesa& opciones) : opciones_(opciones) {}

QString Mesa::Clave(const QString& linea) { return linea.left(5).trimmed(); }

int Mesa::Titular(int silla) const { return silla >= 1 && silla <= 4 ? sillas_[silla].Titular : 0; }

QString Mesa::NombreSilla(int silla) const { return silla >= 1 && silla <= 4 ? NombreDe(silla) : QString(); }

QString Mesa::TipoSilla(int silla) const {
    return silla >= 1 && silla <= 4 ? sillas_[silla].LineaTipo.mid(7, 1) : QString();
}

QString Mesa::NombreDe(int silla) const { return sillas_[silla].LineaNombre.mid(8); }

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
    if (iniciada_) Enviar(Envio::Uno, id, QStringLiteral("Inici"));
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
        Enviar(Envio::Todos, 0,
               QStringLiteral("Chat Brintal: ") + nombre + QStringLiteral(" dejó la Silla ") +
                   QString::number(s) + '.');
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
    Enviar(Envio::Todos, 0, QStringLiteral("Inici"));
}

void Mesa::Linea(int id, const QString& linea) {
    const QString clave = Clave(linea);
    if (clave.isEmpty()) return;
    if (clave == QLatin1String("Silla")) {
        PedirSilla(id, linea);
    } else if (clave == QLatin1String("Nombr")) {
        if (!linea.startsWith(QLatin1String("Nombre")) || !TieneSilla(id, At(linea, 7)))
            return Descartar(id, linea, QStringLiteral("nombre para una silla que no tiene"));
        sillas_[Digito(At(linea, 7))].LineaNombre = linea;
        Evento(QStringLiteral("Silla %1: %2").arg(At(linea, 7)).arg(linea.mid(8)));
        Enviar(Envio::Todos, 0, linea);
    } else if (clave == QLatin1String("HoC")) {
        if (!TieneSilla(id, At(linea, 6)))
            return Descartar(id, linea, QStringLiteral("tipo para una silla que no tiene"));
        sillas_[Digito(At(linea, 6))].LineaTipo = linea;
        Enviar(Envio::Todos, 0, linea);
    } else if (clave == QLatin1String("FIN")) {
        if (!TieneSilla(id, At(linea, 6)))
            return Descartar(id, linea, QStringLiteral("fin de mano para una silla que no tiene"));
        Enviar(Envio::Todos, 0, linea);
    } else if (clave == QLatin1String("Atras")) {
        if (!linea.startsWith(QLatin1String("Atras ")) || !TieneSilla(id, At(linea, 7)))
            return Descartar(id, linea, QStringLiteral("paso atrás para una silla que no tiene"));
        Enviar(Envio::TodosMenos, id, linea);
    } else if (clave == QLatin1String("Tiro")) {
        if (!TiroValido(id, linea))
            return Descartar(id, linea, QStringLiteral("jugada mal formada o de una silla que no tiene"));
        Enviar(Envio::Todos, 0, linea);
    } else if (clave == QLatin1String("Ficha") || clave == QLatin1String("Repet") ||
               clave == QLatin1String("Memo")) {
        if (clave == QLatin1String("Ficha") && !linea.startsWith(QLatin1String("Fichas")))
            return Descartar(id, linea, QStringLiteral("clave desconocida"));
        if (!Sentado(id)) return Descartar(id, linea, QStringLiteral("no ocupa ninguna silla"));
        Enviar(Envio::Todos, 0, linea);
    } else if (clave == QLatin1String("Chat")) {
        if (!Sentado(id)) return Descartar(id, linea, QStringLiteral("no ocupa ninguna silla"));
        const QString texto = linea.mid(5);
        const int dos = texto.indexOf(QLatin1String(": "));
        const QString nombre = dos < 0 ? texto : texto.left(dos);
        // Only the table signs as Brintal; a look-alike with blanks or other
        // capitals would read the same to the people at the table.
        if (nombre.trimmed().compare(QLatin1String("Brintal"), Qt::CaseInsensitive) == 0)
            return Descartar(id, linea, QStringLiteral("firma como Brintal"));
        Enviar(Envio::Todos, 0, linea);
    } else if (clave == QLatin1String("Local") || clave == QLatin1String("Mesa") ||
               clave == QLatin1String("Inici")) {
        Descartar(id, linea, QStringLiteral("solo Brintal habla por la mesa"));
    } else {
        Descartar(id, linea, QStringLiteral("clave desconocida"));
    }
}

void Mesa::PedirSilla(int id, const QString& linea) {
    const int s = Digito(At(linea, 6));
    if (!s) return Descartar(id, linea, QStringLiteral("silla fuera de 1 a 4"));
    if (sillas_[s].Titular && sillas_[s].Titular != id) {
        Evento(QStringLiteral("Silla %1 negada a la conexión %2: es de la conexión %3")
                   .arg(s).arg(id).arg(sillas_[s].Titular));
        return;
    }
    if (!sillas_[s].Titular) Evento(QStringLiteral("Silla %1 para la conexión %2").arg(s).arg(id));
    sillas_[s].Titular = id;
    Enviar(Envio::Uno, id, QStringLiteral("Local ") + QString::number(s));
}

bool Mesa::Sentado(int id) const {
    for (int s = 1; s <= 4; ++s)
        if (sillas_[s].Titular == id) return true;
    return false;
}

bool Mesa::TieneSilla(int id, QChar digito) const {
    const int s = Digito(digito);
    return s && sillas_[s].Titular == id;
}

bool Mesa::TiroValido(int id, const QString& linea) const {
    // A play: seat at 9, tile 00..27 at 11-12, end at 14-16; the merit may follow.
    if (linea.size() >= 16 && Cifra(At(linea, 11)) && Cifra(At(linea, 12))) {
        const int ficha = linea.mid(10, 2).toInt();
        const QString punta = linea.mid(13, 3);
        return ficha <= 27 && (punta == QLatin1String("IZQ") || punta == QLatin1String("DER")) &&
               (linea.size() == 16 || At(linea, 17) == ' ') && TieneSilla(id, At(linea, 9));
    }
    // A declined lead acts for the seat that passed, named after the "-".
    const int pasa = Digito(At(linea, 12));
    if (!pasa) return false;
    const int companero = (pasa + 1) % 4 + 1;
    const QString esperada = QStringLiteral("Tiro 01 %1 -%2 NUL").arg(companero).arg(pasa);
    return linea == esperada && sillas_[pasa].Titular == id;
}

bool Mesa::CambiarOpcion(const QString& clave, const QString& valor) {
    QString motivo;
    const QString codigo = OpcionesMesa::Validar(clave, valor, &motivo);
    if (codigo.isEmpty()) {
        Evento(QStringLiteral("Opción no cambiada: %1").arg(motivo));
        return false;
    }
    opciones_.Poner(clave, codigo);
    Evento(QStringLiteral("Opción %1 = %2").arg(clave, codigo));
    Enviar(Envio::Todos, 0, OpcionesMesa::Linea(clave, codigo));
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
