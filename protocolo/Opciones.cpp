#include "protocolo/Opciones.h"

namespace protocolo {

namespace {

QList<DefinicionOpcion> Construir()
{
    QList<DefinicionOpcion> d;
    d.append({"AoC", "Jugar con Fichas", "cboAoC", {"C", "A"}, {"Cerradas", "Abiertas!"}, 0, 0, "C"});
    d.append({"Nivel", "Nivel de Juego", "cboNivel", {"P", "I", "A", "U"},
              {"Principiante", "Intermedio", "Avanzado", "Ultra!"}, 0, 0, "I"});
    d.append({"Puntos", "Puntos por Partida (1-300)", "txtPuntos", {}, {}, 1, 300, "100"});
    d.append({"AcuPtos", "Se acumulan los puntos de", "cboPuntos", {"0", "1"},
              {"La pareja perdedora", "Ambas parejas!"}, 0, 0, "0"});
    d.append({"Salida", "Orden de Salida", "cboSalida", {"PG", "JG", "JD"},
              {"Pareja ganadora", "Jugador ganador", "Jugador a la derecha!"}, 0, 0, "PG"});
    d.append({"Cierre", "Al empatar el cierre", "cboCierre", {"GS", "GC", "GN", "AN"},
              {"Gana la salida", "Gana quien cierra", "Gana quien no cierra", "Se anula la mano!"}, 0, 0, "GS"});
    // The alarm interval is the value times 1000 ms in 16 bits: above 32 it wraps.
    d.append({"Tiempo1", "Alarma de tiempo sin opción", "txtTiempo1", {}, {}, 0, 32, "10"});
    d.append({"Tiempo2", "Alarma de tiempo con opción", "txtTiempo2", {}, {}, 0, 32, "20"});
    d.append({"Vista", "La computadora ve", "cboVista", {"T", "S"}, {"Todas las fichas", "Solo lo que sabe cada silla"},
              0, 0, "T"});
    return d;
}

}  // namespace

const QList<DefinicionOpcion>& Opciones()
{
    static const QList<DefinicionOpcion> d = Construir();
    return d;
}

const DefinicionOpcion* BuscarOpcion(const QString& clave)
{
    for (const DefinicionOpcion& d : Opciones())
        if (d.Clave == clave)
            return &d;
    return nullptr;
}

QString ValidarOpcion(const QString& clave, const QString& valor, QString* motivo)
{
    const DefinicionOpcion* d = BuscarOpcion(clave);
    QString razon;
    QString codigo;
    if (!d) {
        QStringList claves;
        for (const auto& x : Opciones())
            claves << x.Clave;
        razon = QStringLiteral("la opción «%1» no existe; las opciones son %2").arg(clave, claves.join(", "));
    } else if (d->EsNumerica()) {
        bool soloDigitos = !valor.isEmpty() && valor.size() <= 6;
        for (QChar c : valor)
            soloDigitos = soloDigitos && c >= '0' && c <= '9';
        const int n = soloDigitos ? valor.toInt() : -1;
        if (soloDigitos && n >= d->Minimo && n <= d->Maximo)
            codigo = QString::number(n);
        else
            razon = QStringLiteral("«%1» no vale para %2: debe ser un número de %3 a %4")
                        .arg(valor, clave, QString::number(d->Minimo), QString::number(d->Maximo));
    } else if (d->Codigos.contains(valor)) {
        codigo = valor;
    } else {
        razon = QStringLiteral("«%1» no vale para %2: los códigos son %3").arg(valor, clave, d->Codigos.join(", "));
    }
    if (motivo)
        *motivo = razon;
    return codigo;
}

}  // namespace protocolo
