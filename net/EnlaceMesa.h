#pragma once
// The connection to the table server: the socket, the send operation and the
// data-arrival step that feeds the dispatcher.
//
// The table is lost when the connection closes, or when it goes silent: the
// server returns every play, hand and "FIN" line to its sender as well, so a
// line of ours that has not come back within LimiteEco means that nothing
// reaches the table any more. A copy that only waits for others can also ask
// for silence itself to count (LimiteSilencio, for robot copies that have no
// person to decide). Either way the loss is told once, and MesaPerdida lets
// the owner end the partida.

#include <QElapsedTimer>
#include <QObject>
#include <QTcpSocket>
#include <QTimer>
#include <deque>

#include "net/Despachador.h"
#include "flujo/Anfitrion.h"

class EnlaceMesa : public QObject {
    Q_OBJECT
public:
    EnlaceMesa(Despachador& despachador, Anfitrion& anfitrion, QObject* padre = nullptr);
    ~EnlaceMesa() override;

    QTcpSocket& Socket() { return socket; }
    bool Conectado() const { return socket.state() == QAbstractSocket::ConnectedState; }

    // Connected: writes the message and CR LF (one call may carry several
    // lines joined by CR LF). Not connected: nothing is sent, and the person is
    // told once for each lost connection, not once for every message that
    // follows it.
    void EnviarMensaje(const QString& mensaje);

    static QString TextoDesconectado();

    // Milliseconds; 0 turns the check off.
    int LimiteEco = 30000;
    int LimiteSilencio = 0;
    // Lines of ours the table has not returned yet.
    int EcosPendientes() const { return static_cast<int>(ecos.size()); }
    bool Perdida() const { return perdida; }

signals:
    void Desconectado();
    // Once per connection, after the person was told.
    void MesaPerdida();

private:
    void Leida(const QString& linea);
    void Vigilar();
    void Perder();

    Despachador& D;
    Anfitrion& A;
    QTcpSocket socket;
    QTimer vigia;
    QElapsedTimer ultimaLlegada;
    struct Eco {
        QString linea;
        QElapsedTimer desde;
    };
    std::deque<Eco> ecos;
    bool avisado = false;
    bool perdida = false;
    bool conectada = false;
};
