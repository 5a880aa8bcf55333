// The tree file: move lines are written by the engines themselves; the summary
// block of each root move, the header and the saving are shared here so that
// both engines produce the same bytes.

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "ai/Analisis.h"
#include "rules/ArchivoEntero.h"
#include "rules/Formato.h"

namespace arbol {

namespace {

const char kPatron[] = ".   .   .   .   .   .   .   .   .   .   ";

void Linea(std::string& salida, const std::string& texto)
{
    salida += texto;
    salida += "\r\n";
}

// Puts the written temporary file at the tree's name. Over an existing tree
// the two names are swapped in one step and the old tree removed after:
// replacing a file by rename makes ext4 push the new file's blocks to the
// disk there and then, which cost an analysis late in a hand a millisecond
// of its ten. A reader still finds the old tree or the new one at the name.
// Only a regular file or a link is swapped, so whatever else lies at the
// name still makes the rename fail as before. False with errno set.
bool PonerEnSuLugar(const char* temporal, const char* destino)
{
#if defined(__linux__) && defined(RENAME_EXCHANGE)
    struct stat st {};
    if (::lstat(destino, &st) == 0 && (S_ISREG(st.st_mode) || S_ISLNK(st.st_mode))
        && ::renameat2(AT_FDCWD, temporal, AT_FDCWD, destino, RENAME_EXCHANGE) == 0) {
        // The old tree now lies at the temporary name; a failure to remove
        // it leaves a stray file, never a wrong tree.
        ::unlink(temporal);
        return true;
    }
#endif
    return ::rename(temporal, destino) == 0;
}

std::string Pips(int ficha)
{
    return std::to_string(kTablaFichas[ficha].Punto1) + "-" + std::to_string(kTablaFichas[ficha].Punto2);
}

}  // namespace

std::string Sangria(int profundidad)
{
    const int n = (profundidad - 1) * 4;
    return std::string(kPatron, static_cast<size_t>(std::clamp(n, 0, 40)));
}

std::string Miles(std::int64_t n)
{
    return FormatoMiles(n).toStdString();
}

void ResumirJugada(std::string& salida, MitadAnalisis& mitad, int ficha, char lado, char resultado,
                   std::int64_t idas13, std::int64_t idas24, std::int64_t cierres13, std::int64_t cierres24,
                   int maxGana13, int minGana13, int maxGana24, int minGana24)
{
    if (minGana13 == 999)
        minGana13 = 0;
    if (minGana24 == 999)
        minGana24 = 0;
    const std::string g13 = std::to_string(minGana13) + " y " + std::to_string(maxGana13);
    const std::string g24 = std::to_string(minGana24) + " y " + std::to_string(maxGana24);
    Linea(salida, "");
    Linea(salida, "J2-J4  Idas: " + Miles(idas24) + "  Cierres: " + Miles(cierres24)
                      + "  Puntos:  Ganan entre " + g24 + "  Pierden entre " + g13);
    Linea(salida, "J1-J3  Idas: " + Miles(idas13) + "  Cierres: " + Miles(cierres13)
                      + "  Puntos:  Ganan entre " + g13 + "  Pierden entre " + g24);
    Linea(salida, std::string("Pronóstico ") + (resultado == 'G' ? "Ganador" : "Perdedor"));
    Linea(salida, "Resumen " + Pips(ficha) + " " + lado);
    Linea(salida, "");

    mitad.Llena = true;
    mitad.Resultado = resultado;
    mitad.Idas = {0, idas13, idas24};
    mitad.Cierres = {0, cierres13, cierres24};
    mitad.MaxPuntos = {0, maxGana13, maxGana24};
    mitad.MinPuntos = {0, minGana13, minGana24};
}

std::string Cabecera(int turno, const QString& nombre)
{
    std::string s;
    Linea(s, "Los pronósticos Ganador o Perdedor siempre se refieren al jugador " + std::to_string(turno) + " ("
                 + nombre.toStdString() + ")");
    Linea(s, "J = Jugador, I = Izquierda, D = Derecha, r = Resultado, P = Perdedor, G = Ganador");
    Linea(s, "Las jugadas sin opción no se muestran.");
    Linea(s, "A continuación las posibles decisiones futuras de cada jugador y sus resultados:");
    return s;
}

QString Ruta(const QString& carpetaApp)
{
    const QString base = carpetaApp.isEmpty() ? QStringLiteral(".") : carpetaApp;
    return QDir(base).filePath(QStringLiteral("JGO/Tree.Dom"));
}

bool Guardar(const QString& carpetaApp, const QByteArray& contenido, QString* error)
{
    // Written whole or not at all: the text goes to a temporary file in the
    // same folder, which is renamed over the old tree only once every byte
    // was written and the file closed without error. A reader therefore
    // sees the old tree or the new one, never part of one, also when the
    // program dies half-way.
    //
    // Unlike the hand records, the tree is not synced to the disk before the
    // rename. It is recreated by every analysis (several a second for the
    // honest computer), and the sync was most of the cost of an analysis
    // late in a hand. What it would buy is the tree surviving a power cut
    // of the whole machine just after an analysis; a lost tree only means
    // the next analysis writes it again. A full disk still shows here: the
    // space is taken when the bytes are written, and a deferred failure at
    // the close is checked too.
    //
    // The rename replaces a symbolic link planted at the name instead of
    // following it, so nothing is ever written outside the folder.
    const QString ruta = Ruta(carpetaApp);
    const QFileInfo info(ruta);
    auto falla = [&](const QString& plantilla, const QString& donde, const QString& razon) {
        if (error)
            *error = plantilla.arg(QDir::toNativeSeparators(donde), razon);
        return false;
    };
    const QString noEscribe = QStringLiteral("No se puede escribir «%1»: %2.");
    errno = 0;
    if (!QDir().mkpath(info.absolutePath()))
        return falla(QStringLiteral("No se puede crear la carpeta «%1»: %2."), info.absolutePath(),
                     RazonDelSistema(errno, true));
    if (info.exists() && !info.isSymLink() && !info.isWritable())
        return falla(noEscribe, ruta, QStringLiteral("el archivo está protegido contra escritura"));

    QByteArray temporal = QFile::encodeName(ruta) + ".XXXXXX";
    const int fd = ::mkostemp(temporal.data(), O_CLOEXEC);
    if (fd < 0)
        return falla(noEscribe, ruta, RazonDelSistema(errno, true));
    const mode_t mascara = ::umask(0);
    ::umask(mascara);
    ::fchmod(fd, 0666 & ~mascara);
    auto abandonar = [&](int numero) {
        ::unlink(temporal.constData());
        return falla(noEscribe, ruta, RazonDelSistema(numero, true, QString::fromLocal8Bit(std::strerror(numero))));
    };
    const char* p = contenido.constData();
    for (qsizetype falta = contenido.size(); falta > 0;) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(falta));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            const int numero = n < 0 ? errno : ENOSPC;
            ::close(fd);
            return abandonar(numero);
        }
        p += n;
        falta -= n;
    }
    if (::close(fd) != 0)
        return abandonar(errno);
    if (!PonerEnSuLugar(temporal.constData(), QFile::encodeName(ruta).constData()))
        return abandonar(errno);
    return true;
}

}  // namespace arbol
