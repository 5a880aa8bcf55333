#include "server/OpcionesMesa.h"

namespace {

QList<DefinicionOpcion> Construir() {
    QList<DefinicionOpcion> d;
    d.append({"AoC", "Jugar con Fichas", {"C", "A"}, {"Cerradas", "Abiertas!"}, 0, 0, "C"});
    d.append({"Nivel", "Nivel de Juego", {"P", "I", "A", "U"},
              {"Principiante", "Intermedio", "Avanzado", "Ultra!"}, 0, 0, "I"});
    d.append({"Puntos", "Puntos por Partida (1-300)", {}, {}, 1, 300, "100"});
    d.append({"AcuPtos", "Se acumulan los puntos de", {"0", "1"},
              {"La pareja perdedora", "Ambas parejas!"}, 0, 0, "0"});
    d.append({"Salida", "Orden de Salida", {"PG", "JG", "JD"},
              {"Pareja ganadora", "Jugador ganador", "Jugador a la derecha!"}, 0, 0, "PG"});
    d.append({"Cierre", "Al empatar el cierre", {"GS", "GC", "GN", "AN"},
              {"Gana la salida", "Gana quien cierra", "Gana quien no cierra", "Se anula la mano!"},
              0, 0, "GS"});
    // The alarm interval is the value times 1000 ms in 16 bits: above 32 it wraps.
    d.append({"Tiempo1", "Alarma de tiempo sin opción", {}, {}, 0, 32, "10"});
    d.append({"Tiempo2", "Alarma de tiempo con opción", {}, {}, 0, 32, "20"});
    d.append({"Vista", "La computadora ve", {"T", "S"}, {"Todas las fichas", "Solo lo que sabe cada silla"}, 0, 0,
              "T"});
    return d;
}

int Indice(const QString& clave) {
    const auto& d = OpcionesMesa::Definiciones();
    for (int i = 0; i < d.size(); ++i)
        if (d[i].Clave == clave) return i;
    return -1;
}

}  // namespace

const QList<DefinicionOpcion>& OpcionesMesa::Definiciones() {
    static const QList<DefinicionOpcion> d = Construir();
    return d;
}

const DefinicionOpcion* OpcionesMesa::Buscar(const QString& clave) {
    const int i = Indice(clave);
    return i < 0 ? nullptr : &Definiciones()[i];
}

QString OpcionesMesa::Validar(const QString& clave, const QString& valor, QString* motivo) {
    const DefinicionOpcion* d = Buscar(clave);
    QString razon;
    QString codigo;
    if (!d) {
        QStringList claves;
        for (const auto& x : Definiciones()) claves << x.Clave;
        razon = QStringLiteral("la opción «%1» no existe; las opciones son %2")
                    .arg(clave, claves.join(", "));
    } else if (d->EsNumerica()) {
        // Plain decimal digits only: a sign, blanks or a fraction would be read
        // differently by the game than by the owner who typed them.
        bool soloDigitos = !valor.isEmpty() && valor.size() <= 6;
        for (QChar c : valor) soloDigitos = soloDigitos && c >= '0' && c <= '9';
        const int n = soloDigitos ? valor.toInt() : -1;
        if (soloDigitos && n >= d->Minimo && n <= d->Maximo)
            codigo = QString::number(n);
        else
            razon = QStringLiteral("«%1» no vale para %2: debe ser un número de %3 a %4")
                        .arg(valor, clave, QString::number(d->Minimo), QString::number(d->Maximo));
    } else if (d->Codigos.contains(valor)) {
        codigo = valor;
    } else {
        razon = QStringLiteral("«%1» no vale para %2: los códigos son %3")
                    .arg(valor, clave, d->Codigos.join(", "));
    }
    if (motivo) *motivo = razon;
    return codigo;
}

QString OpcionesMesa::Linea(const QString& clave, const QString& valor) {
    return QStringLiteral("Mesa ") + clave.leftJustified(7, ' ', true) + '=' + valor;
}

OpcionesMesa::OpcionesMesa() {
    for (const auto& d : Definiciones()) valores_ << d.PorOmision;
}

QString OpcionesMesa::Valor(const QString& clave) const {
    const int i = Indice(clave);
    return i < 0 ? QString() : valores_[i];
}

bool OpcionesMesa::Poner(const QString& clave, const QString& valor) {
    const QString codigo = Validar(clave, valor, nullptr);
    if (codigo.isEmpty()) return false;
    valores_[Indice(clave)] = codigo;
    return true;
}

QStringList OpcionesMesa::Lineas() const {
    QStringList l;
    const auto& d = Definiciones();
    for (int i = 0; i < d.size(); ++i) l << Linea(d[i].Clave, valores_[i]);
    return l;
}
