#include "server/AlmacenOpciones.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace {

// The file is a handful of short lines; anything much larger is not ours.
constexpr qint64 kMaxArchivo = 64 * 1024;

QList<QPair<QString, QString>> Leer(const QString& archivo, QStringList* problemas) {
    QList<QPair<QString, QString>> pares;
    QFile f(archivo);
    if (!f.exists()) return pares;
    if (f.size() > kMaxArchivo || !f.open(QIODevice::ReadOnly)) {
        if (problemas) *problemas << QStringLiteral("No se pudo leer %1").arg(archivo);
        return pares;
    }
    const QStringList lineas = QString::fromUtf8(f.readAll()).split('\n');
    for (int i = 0; i < lineas.size(); ++i) {
        const QString l = lineas[i].trimmed();
        if (l.isEmpty()) continue;
        const int igual = l.indexOf('=');
        QString motivo;
        if (igual > 0) {
            const QString clave = l.left(igual).trimmed();
            const QString codigo = OpcionesMesa::Validar(clave, l.mid(igual + 1).trimmed(), &motivo);
            if (!codigo.isEmpty()) {
                pares.append({clave, codigo});
                continue;
            }
        } else {
            motivo = QStringLiteral("falta «=»");
        }
        if (problemas)
            *problemas << QStringLiteral("%1, línea %2 ignorada: %3").arg(archivo, QString::number(i + 1), motivo);
    }
    return pares;
}

}  // namespace

AlmacenOpciones::AlmacenOpciones() {
    archivo_ = qEnvironmentVariable("BRINTAL_OPCIONES");
    if (archivo_.isEmpty())
        archivo_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/Quimbolo/brintal-opciones.txt");
}

QStringList AlmacenOpciones::Cargar(OpcionesMesa* opciones) const {
    QStringList problemas;
    for (const auto& [clave, codigo] : Leer(archivo_, &problemas)) opciones->Poner(clave, codigo);
    return problemas;
}

bool AlmacenOpciones::Guardar(const QString& clave, const QString& valor, QString* error) const {
    OpcionesMesa guardadas;
    QStringList claves;   // only what the owner has set is written
    for (const auto& [c, v] : Leer(archivo_, nullptr)) {
        guardadas.Poner(c, v);
        if (!claves.contains(c)) claves << c;
    }
    if (!guardadas.Poner(clave, valor)) {
        if (error) *error = QStringLiteral("«%1» no vale para %2").arg(valor, clave);
        return false;
    }
    if (!claves.contains(clave)) claves << clave;

    QDir().mkpath(QFileInfo(archivo_).absolutePath());
    QSaveFile f(archivo_);
    if (!f.open(QIODevice::WriteOnly)) {
        if (error) *error = f.errorString();
        return false;
    }
    for (const auto& d : OpcionesMesa::Definiciones())
        if (claves.contains(d.Clave)) f.write((d.Clave + '=' + guardadas.Valor(d.Clave) + '\n').toUtf8());
    if (!f.commit()) {
        if (error) *error = f.errorString();
        return false;
    }
    return true;
}
