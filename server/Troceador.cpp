#include "server/Troceador.h"

#include <QStringDecoder>

bool Troceador::Agregar(const QByteArray& datos, QStringList* lineas) {
    const char* p = datos.constData();
    const char* fin = p + datos.size();
    while (p < fin) {
        const char* lf = static_cast<const char*>(memchr(p, '\n', fin - p));
        const char* tope = lf ? lf : fin;
        for (; p < tope; ++p) {
            if (*p == '\r') continue;
            if (actual_.size() >= kMaxLinea) return false;
            actual_.append(*p);
        }
        if (lf) {
            Terminar(lineas);
            p = lf + 1;
        }
    }
    return true;
}

void Troceador::Terminar(QStringList* lineas) {
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString texto = utf8.decode(actual_);
    actual_.clear();
    if (utf8.hasError()) {
        ++invalidas_;
        return;
    }
    texto.removeIf([](QChar c) { return c.unicode() < 32; });
    if (!texto.isEmpty()) lineas->append(texto);
}
