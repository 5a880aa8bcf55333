#include "rules/ArchivoEntero.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

QString RazonDelSistema(int numero, bool escribiendo, const QString& sistema)
{
    switch (numero) {
    case ENOSPC:
        return QStringLiteral("el disco está lleno");
    case EDQUOT:
        return QStringLiteral("se agotó la cuota de disco");
    case EFBIG:
        return QStringLiteral("el archivo excede el tamaño que el sistema permite");
    case EROFS:
        return QStringLiteral("el disco es de solo lectura");
    case EACCES:
    case EPERM:
        return escribiendo ? QStringLiteral("no hay permiso para escribir en la carpeta")
                           : QStringLiteral("no hay permiso para leerlo");
    case ENOENT:
        return QStringLiteral("no existe");
    case EIO:
        return QStringLiteral("falló el disco");
    default:
        break;
    }
    if (sistema.isEmpty())
        return QStringLiteral("error desconocido");
    return QStringLiteral("error del sistema (%1)").arg(sistema);
}

namespace {

bool Fallo(QString* error, const QString& plantilla, const QString& ruta, const QString& razon)
{
    if (error)
        *error = plantilla.arg(QDir::toNativeSeparators(ruta), razon);
    return false;
}

const QString kNoEscribe = QStringLiteral("No se puede escribir «%1»: %2.");
const QString kNoLee = QStringLiteral("No se puede leer «%1»: %2.");

// Empty when writing `ruta` lands in the folder it names; otherwise why not.
// QSaveFile follows a link and replaces its target, wherever that is.
QString EnlaceFuera(const QString& ruta)
{
    QFileInfo i(ruta);
    if (!i.isSymLink())
        return {};
    const QString carpeta = QFileInfo(i.absolutePath()).canonicalFilePath();
    for (int saltos = 0; i.isSymLink(); ++saltos) {
        if (saltos == 32)
            return QStringLiteral("es una cadena de enlaces simbólicos sin fin");
        i.setFile(i.symLinkTarget());
        if (QFileInfo(i.absolutePath()).canonicalFilePath() != carpeta)
            return QStringLiteral("es un enlace simbólico que lleva fuera de la carpeta «%1»")
                .arg(QDir::toNativeSeparators(carpeta));
    }
    return {};
}

}  // namespace

bool EscribirEntero(const QString& ruta, const QByteArray& contenido, QString* error)
{
    const QFileInfo info(ruta);
    errno = 0;
    if (!QDir().mkpath(info.absolutePath()))
        return Fallo(error, QStringLiteral("No se puede crear la carpeta «%1»: %2."), info.absolutePath(),
                     RazonDelSistema(errno, true));
    if (const QString fuera = EnlaceFuera(ruta); !fuera.isEmpty())
        return Fallo(error, kNoEscribe, ruta, fuera);
    if (info.exists() && !info.isWritable())
        return Fallo(error, kNoEscribe, ruta, QStringLiteral("el archivo está protegido contra escritura"));

    QSaveFile f(ruta);
    errno = 0;
    if (!f.open(QIODevice::WriteOnly))
        return Fallo(error, kNoEscribe, ruta, RazonDelSistema(errno, true, f.errorString()));
    // The flush and the sync make a failure show here, before the rename
    // could put a short file in place of the good one.
    errno = 0;
    if (f.write(contenido) != contenido.size() || !f.flush() || ::fsync(f.handle()) != 0) {
        const int numero = errno;
        const QString sistema = f.errorString();
        f.cancelWriting();
        return Fallo(error, kNoEscribe, ruta, RazonDelSistema(numero, true, sistema));
    }
    errno = 0;
    if (!f.commit())
        return Fallo(error, kNoEscribe, ruta, RazonDelSistema(errno, true, f.errorString()));
    return true;
}

bool LeerEntero(const QString& ruta, qint64 maximo, QByteArray* datos, QString* error)
{
    // Opened without waiting, then judged by what was opened: a FIFO put in
    // place of a record must not hang the program, and a check by name
    // before opening could be raced.
    const int fd = ::open(QFile::encodeName(ruta).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return Fallo(error, kNoLee, ruta, RazonDelSistema(errno, false));
    struct stat st {};
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(fd);
        return Fallo(error, kNoLee, ruta, QStringLiteral("no es un archivo normal"));
    }
    if (st.st_size > maximo) {
        ::close(fd);
        return Fallo(error, kNoLee, ruta, QStringLiteral("es demasiado grande"));
    }
    QFile f;
    if (!f.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return Fallo(error, kNoLee, ruta, RazonDelSistema(0, false, f.errorString()));
    }
    errno = 0;
    QByteArray leido = f.read(maximo + 1);  // one more byte tells a file that grew meanwhile
    if (f.error() != QFileDevice::NoError)
        return Fallo(error, kNoLee, ruta, RazonDelSistema(errno, false, f.errorString()));
    if (leido.size() > maximo)
        return Fallo(error, kNoLee, ruta, QStringLiteral("es demasiado grande"));
    *datos = std::move(leido);
    return true;
}
