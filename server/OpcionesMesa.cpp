#include "server/OpcionesMesa.h"

#include "protocolo/Opciones.h"
#include "protocolo/Protocolo.h"

namespace {

int Indice(const QString& clave) {
    const auto& d = protocolo::Opciones();
    for (int i = 0; i < d.size(); ++i)
        if (d[i].Clave == clave) return i;
    return -1;
}

}  // namespace

OpcionesMesa::OpcionesMesa() {
    for (const auto& d : protocolo::Opciones()) valores_ << d.PorOmision;
}

QString OpcionesMesa::Valor(const QString& clave) const {
    const int i = Indice(clave);
    return i < 0 ? QString() : valores_[i];
}

bool OpcionesMesa::Poner(const QString& clave, const QString& valor) {
    const QString codigo = protocolo::ValidarOpcion(clave, valor, nullptr);
    if (codigo.isEmpty()) return false;
    valores_[Indice(clave)] = codigo;
    return true;
}

QStringList OpcionesMesa::Lineas() const {
    QStringList l;
    const auto& d = protocolo::Opciones();
    for (int i = 0; i < d.size(); ++i) l << protocolo::LineaOpcion(d[i].Clave, valores_[i]);
    return l;
}
