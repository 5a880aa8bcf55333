#include "net/ConectorMesa.h"

#include "net/Direccion.h"

#include <QDir>
#include <QProcess>

#include "rules/ArchivoEntero.h"

ConectorMesa::ConectorMesa(EnlaceMesa& enlace, Anfitrion& anfitrion, const QString& carpetaApp, QObject* padre)
    : QObject(padre), L(enlace), A(anfitrion), carpeta(carpetaApp)
{
    espera.setSingleShot(true);
    connect(&espera, &QTimer::timeout, this, &ConectorMesa::Intentar);
    connect(&L.Socket(), &QTcpSocket::connected, this, &ConectorMesa::AlConectar);
    connect(&L.Socket(), &QTcpSocket::errorOccurred, this, &ConectorMesa::AlFallar);
}

QString ConectorMesa::TextoSinMesa()
{
    return QStringLiteral("No se pudo encontrar la mesa de juego.\n\nPor favor ejecuta el programa Brintal.");
}

QString ConectorMesa::TextoSinMesaEn(const QString& direccion, const QList<quint16>& puertos)
{
    return QStringLiteral("No se pudo encontrar la mesa de juego en la dirección ") + direccion +
           TextoPuertos(puertos) +
           QStringLiteral("\n\nVerifica que el programa Brintal esté ejecutándose en ese servidor.");
}

void ConectorMesa::Conectar(Modo m, const QString& direccion)
{
    if (enCurso || L.Socket().state() != QAbstractSocket::UnconnectedState)
        return;
    modo = m;
    intentos = 0;
    probados.clear();
    if (modo == Modo::Red) {
        DireccionMesa d;
        QString error;
        if (!LeerDireccion(direccion, d, error)) {
            Fallar(error, 48, 8);
            return;
        }
        host = d.Host;
        puertos = PuertosAProbar(d, PuertoMesa, PuertoAlterno);
        puerto = puertos.takeFirst();
    } else {
        host = QStringLiteral("127.0.0.1");
        puerto = PuertoMesa;
    }
    enCurso = true;
    Intentar();
}

void ConectorMesa::Intentar()
{
    if (A.Cerrando()) {
        enCurso = false;
        return;
    }
    ++intentos;
    probados << puerto;
    L.Socket().connectToHost(host, puerto);
}

void ConectorMesa::AlConectar()
{
    if (!enCurso)
        return;
    enCurso = false;
    espera.stop();
    // Nothing reads the file back, so the table goes on without it; the
    // person is told all the same that the folder takes no files.
    QString error;
    if (!EscribirEntero(QDir(carpeta).filePath(QStringLiteral("JGO/Server.Dom")), "\r\n", &error))
        A.AvisoArchivo(error);
    emit Conectado();
}

void ConectorMesa::AlFallar(QAbstractSocket::SocketError error)
{
    if (!enCurso)
        return;
    QTcpSocket& s = L.Socket();
    const QString descripcion = s.errorString();
    s.abort();
    if (error != QAbstractSocket::ConnectionRefusedError) {
        const QString texto = QStringLiteral("frmConnect. Winsock1_Error\n\n") + QStringLiteral("QTcpSocket") +
                              QLatin1Char('\n') + QString::number(int(error)) + QStringLiteral(".- ") + descripcion +
                              QLatin1Char('\n') + QString::number(int(error));
        Fallar(texto, 48, 5);
        return;
    }
    if (modo == Modo::Red) {
        if (!puertos.isEmpty()) {
            puerto = puertos.takeFirst();
            espera.start(0);
            return;
        }
        Fallar(TextoSinMesaEn(host, probados), 48, 8);
        return;
    }
    // Local table: the fallback port before anything is started.
    if (puerto == PuertoMesa && PuertoAlterno != PuertoMesa) {
        puerto = PuertoAlterno;
        espera.start(0);
        return;
    }
    puerto = PuertoMesa;
    if (!brintalIniciado && IniciarBrintal) {
        brintalIniciado = true;
        const QString programa =
            ProgramaBrintal.isEmpty() ? QDir(carpeta).filePath(QStringLiteral("brintal")) : ProgramaBrintal;
        const bool arrancado = ArrancarBrintal ? ArrancarBrintal(&PidBrintal)
                                               : QProcess::startDetached(programa, ArgumentosBrintal, carpeta, &PidBrintal);
        if (!arrancado) {
            Fallar(TextoSinMesa(), 16, 0);
            return;
        }
    }
    if (intentos >= MaxIntentos) {
        Fallar(TextoSinMesa(), 16, 0);
        return;
    }
    espera.start(PausaMs);
}

void ConectorMesa::Fallar(const QString& texto, int icono, double segundos)
{
    enCurso = false;
    espera.stop();
    emit Fallido(texto);
    A.Aviso(texto, icono, segundos);
}
