#include "protocolo/Opciones.h"
#include "server/AlmacenOpciones.h"

#include "rules/ArchivoEntero.h"

#include <QBuffer>
#include <QFileDevice>
#include <QFileInfo>
#include <QStandardPaths>

#include <cerrno>
#include <unistd.h>

namespace {

// The file is a handful of short lines; anything much larger is not ours.
constexpr qint64 kMaxArchivo = 64 * 1024;

// Why the last write of the format failed (0: it did not, or the failure
// came before it, in QSettings' own lock file).
int errnoEscritura = 0;

QSettings::Format Formato() {
    static const QSettings::Format f = QSettings::registerFormat(
        QStringLiteral("ini"), &AlmacenOpciones::LeerTexto, &AlmacenOpciones::EscribirTexto);
    return f;
}

}  // namespace

AlmacenOpciones::AlmacenOpciones() {
    archivo_ = qEnvironmentVariable("BRINTAL_OPCIONES");
    // Where QSettings keeps the user scope of organisation Quimbolo and
    // application brintal; named here so that it can be checked before
    // QSettings opens it.
    if (archivo_.isEmpty())
        archivo_ = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                   QStringLiteral("/Quimbolo/brintal.ini");
}

bool AlmacenOpciones::LeerTexto(QIODevice& origen, QSettings::SettingsMap& mapa) {
    const QByteArray datos = origen.read(kMaxArchivo + 1);
    if (datos.size() > kMaxArchivo) return false;
    for (const QString& linea : QString::fromUtf8(datos).split('\n')) {
        const QString l = linea.trimmed();
        if (l.isEmpty() || l.startsWith(';') || l.startsWith('#') || l == QLatin1String("[General]")) continue;
        const int igual = l.indexOf('=');
        // Any other line means the file is not ours: it is neither read nor
        // ever written over.
        if (igual <= 0 || l.startsWith('[')) return false;
        mapa.insert(l.left(igual).trimmed(), l.mid(igual + 1).trimmed());
    }
    return true;
}

bool AlmacenOpciones::EscribirTexto(QIODevice& destino, const QSettings::SettingsMap& mapa) {
    QByteArray texto = "[General]\n";
    auto poner = [&](const QString& clave, const QVariant& valor) {
        texto += (clave + '=' + valor.toString() + '\n').toUtf8();
    };
    // The table's order first; keys a newer brintal wrote are kept after them.
    for (const auto& d : protocolo::Opciones())
        if (mapa.contains(d.Clave)) poner(d.Clave, mapa.value(d.Clave));
    for (auto i = mapa.cbegin(); i != mapa.cend(); ++i)
        if (!protocolo::BuscarOpcion(i.key()) && !i.key().contains('/')) poner(i.key(), i.value());

    // QSaveFile buffers so small a text: only the flush meets a full disk,
    // and its commit would rename the short file into place regardless.
    errno = 0;
    auto* archivo = qobject_cast<QFileDevice*>(&destino);
    const bool escrito = destino.write(texto) == texto.size() &&
                         (!archivo || (archivo->flush() && ::fsync(archivo->handle()) == 0));
    errnoEscritura = escrito ? 0 : (errno ? errno : EIO);
    return escrito;
}

std::unique_ptr<QSettings> AlmacenOpciones::Abrir(QString* problema) const {
    // Judged here before QSettings opens it: a FIFO would hang the owner's
    // window, and QSettings keeps what it parsed of a file between
    // instances, so its status alone does not tell a foreign file every time.
    if (QFileInfo::exists(archivo_)) {
        QByteArray datos;
        if (!LeerEntero(archivo_, kMaxArchivo, &datos, problema)) return nullptr;
        QBuffer texto(&datos);
        QSettings::SettingsMap mapa;
        if (!texto.open(QIODevice::ReadOnly) || !LeerTexto(texto, mapa)) {
            *problema = QStringLiteral("%1 no es un archivo de opciones de la mesa; no se usa ni se reemplaza")
                            .arg(archivo_);
            return nullptr;
        }
    }
    auto s = std::make_unique<QSettings>(archivo_, Formato());
    if (s->status() != QSettings::NoError) {
        *problema = QStringLiteral("No se pudo leer %1").arg(archivo_);
        return nullptr;
    }
    return s;
}

QStringList AlmacenOpciones::Cargar(OpcionesMesa* opciones) const {
    QString problema;
    const auto s = Abrir(&problema);
    if (!s) return {problema};
    QStringList problemas;
    for (const QString& clave : s->allKeys()) {
        const QString valor = s->value(clave).toString();
        QString motivo;
        const QString codigo = protocolo::ValidarOpcion(clave, valor, &motivo);
        if (codigo.isEmpty())
            problemas << QStringLiteral("%1: «%2=%3» ignorada: %4").arg(archivo_, clave, valor, motivo);
        else
            opciones->Poner(clave, codigo);
    }
    return problemas;
}

bool AlmacenOpciones::Guardar(const QString& clave, const QString& valor, QString* error) const {
    QString motivo;
    const QString codigo = protocolo::ValidarOpcion(clave, valor, &motivo);
    const auto s = codigo.isEmpty() ? nullptr : Abrir(&motivo);
    if (!s) {
        if (error) *error = motivo;
        return false;
    }
    const QVariant antes = s->value(clave);
    s->setValue(clave, codigo);
    errnoEscritura = 0;
    s->sync();
    if (s->status() == QSettings::NoError) return true;

    // The file still holds the old value: put it back in the settings too,
    // so that their destructor's own sync can only write what the file holds.
    if (antes.isValid())
        s->setValue(clave, antes);
    else
        s->remove(clave);
    if (error)
        *error = errnoEscritura ? RazonDelSistema(errnoEscritura, true)
                                : QStringLiteral("no se pudo escribir (¿carpeta sin permiso o disco lleno?)");
    return false;
}
