#pragma once
// Finding the table: the attempts of the connect dialog's "Continuar".
//
// For play on this computer the table is tried on 127.0.0.1 at 1009 and then
// 11009 (the server's fallback where low ports are reserved). When both are
// refused, brintal is started from the program folder once, and the attempts
// go on with a short pause between them up to a limit: a server that never
// comes up ends in a message instead of an endless loop. For an address typed
// by the person, nothing is started: it is tried at the port it names, or at
// 1009 and then 11009, and a refusal names the address and the ports tried.
// An address that cannot name a table (a bad port) is refused before any
// attempt, never looked up as a host name.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <functional>

#include "net/EnlaceMesa.h"
#include "flujo/Anfitrion.h"

class ConectorMesa : public QObject {
    Q_OBJECT
public:
    enum class Modo { Local, MesaPropia, Red };

    ConectorMesa(EnlaceMesa& enlace, Anfitrion& anfitrion, const QString& carpetaApp, QObject* padre = nullptr);

    // The "Continuar" action. Does nothing while an attempt is in progress or
    // once connected. For Red, `direccion` is read by LeerDireccion.
    void Conectar(Modo modo, const QString& direccion = {});
    bool EnCurso() const { return enCurso; }

    // Tuning, mostly for tests.
    int MaxIntentos = 40;
    int PausaMs = 250;
    bool IniciarBrintal = true;
    QString ProgramaBrintal;  // default: brintal in the program folder
    QStringList ArgumentosBrintal;
    // How brintal is started; empty: ProgramaBrintal with ArgumentosBrintal,
    // detached, so that the table outlives this copy. False when it cannot be.
    std::function<bool(qint64* pid)> ArrancarBrintal;
    qint64 PidBrintal = 0;    // of the copy started here, 0 when none
    quint16 PuertoMesa = 1009;
    quint16 PuertoAlterno = 11009;

    static QString TextoSinMesa();
    static QString TextoSinMesaEn(const QString& direccion, const QList<quint16>& puertos);

signals:
    void Conectado();
    // The attempt ended without a connection; the message (already shown
    // through the message box) is given for hosts without a window.
    void Fallido(const QString& mensaje);

private:
    void Intentar();
    void AlConectar();
    void AlFallar(QAbstractSocket::SocketError error);
    void Fallar(const QString& texto, int icono, double segundos);

    EnlaceMesa& L;
    Anfitrion& A;
    QString carpeta;
    Modo modo = Modo::Local;
    QString host;
    QList<quint16> puertos;  // for Red: those still to try after this one
    QList<quint16> probados;
    quint16 puerto = 1009;
    bool enCurso = false;
    bool brintalIniciado = false;
    int intentos = 0;
    QTimer espera;
};
