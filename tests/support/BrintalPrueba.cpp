#include "tests/support/BrintalPrueba.h"

#include <QDir>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

QString BrintalPrueba::Programa()
{
    return QDir(qEnvironmentVariable("QUIMBOLO_CARPETA")).absoluteFilePath(QStringLiteral("brintal"));
}

bool BrintalPrueba::Arrancar(const QStringList& extra, const QString& carpeta)
{
    Detener();
    error_.clear();
    proceso_.setProgram(Programa());
    proceso_.setArguments(QStringList{"--sin-ventana", "--puerto", "0"} + extra);
    proceso_.setWorkingDirectory(carpeta);
    proceso_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    proceso_.setReadChannel(QProcess::StandardOutput);
    proceso_.start();
    if (!proceso_.waitForStarted(10000)) {
        error_ = QStringLiteral("brintal no arrancó: ") + proceso_.errorString();
        return false;
    }
    // A bound on the waits, not on time: a brintal that never prints ends
    // the loop when it exits or after a generous number of empty waits.
    for (int espera = 0; !proceso_.canReadLine() && proceso_.state() == QProcess::Running && espera < 60; ++espera)
        proceso_.waitForReadyRead(1000);
    if (!proceso_.canReadLine()) {
        error_ = QStringLiteral("brintal no dijo su puerto (estado %1, salida %2)")
                     .arg(int(proceso_.state()))
                     .arg(proceso_.exitCode());
        return false;
    }
    const QByteArray linea = proceso_.readLine().trimmed();
    bool bien = false;
    const uint p = linea.toUInt(&bien);
    if (!bien || p == 0 || p > 65535) {
        error_ = QStringLiteral("la primera línea de brintal no es un puerto: «%1»").arg(QString::fromUtf8(linea));
        return false;
    }
    puerto_ = quint16(p);
    return true;
}

void BrintalPrueba::Detener()
{
    if (proceso_.state() != QProcess::NotRunning) {
        proceso_.kill();
        proceso_.waitForFinished(10000);
    }
    puerto_ = 0;
}

PuertoCerrado::PuertoCerrado()
{
    fd_ = ::socket(AF_INET, SOCK_STREAM, 0);
    if (fd_ < 0)
        return;
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = 0;
    socklen_t largo = sizeof a;
    if (::bind(fd_, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0 &&
        ::getsockname(fd_, reinterpret_cast<sockaddr*>(&a), &largo) == 0)
        puerto_ = ntohs(a.sin_port);
}

PuertoCerrado::~PuertoCerrado()
{
    if (fd_ >= 0)
        ::close(fd_);
}
