#include "protocolo/Troceador.h"

#include <QStringDecoder>

namespace protocolo {

void Troceador::Agregar(const QByteArray& datos)
{
    if (inicio_ > 0) {
        buffer_.remove(0, inicio_);
        inicio_ = 0;
    }
    if (!descartando_) {
        buffer_.append(datos);
        return;
    }
    // Still inside a line too long: only what follows its LF is kept.
    const qsizetype lf = datos.indexOf('\n');
    if (lf < 0)
        return;
    descartando_ = false;
    buffer_ = datos.mid(lf + 1);
}

Troceador::Paso Troceador::Tomar(QString* linea)
{
    for (;;) {
        const qsizetype lf = buffer_.indexOf('\n', inicio_);
        if (lf < 0) {
            buffer_.remove(0, inicio_);
            inicio_ = 0;
            if (buffer_.size() - buffer_.count('\r') > maximo_) {
                buffer_.clear();
                descartando_ = true;
                return Paso::Larga;
            }
            return Paso::Falta;
        }
        QByteArray bytes = buffer_.mid(inicio_, lf - inicio_);
        inicio_ = lf + 1;
        bytes.replace("\r", "");
        if (bytes.size() > maximo_)
            return Paso::Larga;
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        QString texto = utf8.decode(bytes);
        if (utf8.hasError()) {
            ++invalidas_;
            return Paso::Invalida;
        }
        texto.removeIf([](QChar c) { return c.unicode() < 32; });
        if (texto.isEmpty())
            continue;
        *linea = texto;
        return Paso::Linea;
    }
}

bool Troceador::Agregar(const QByteArray& datos, QStringList* lineas)
{
    Agregar(datos);
    QString linea;
    for (;;) {
        switch (Tomar(&linea)) {
        case Paso::Falta: return true;
        case Paso::Larga: return false;
        case Paso::Linea: lineas->append(linea); break;
        case Paso::Invalida: break;
        }
    }
}

}  // namespace protocolo
