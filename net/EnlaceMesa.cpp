#include "net/EnlaceMesa.h"

namespace {

QString SinBlancosFinales(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == QLatin1Char(' '))
        --n;
    return s.left(n);
}

}  // namespace

EnlaceMesa::EnlaceMesa(Despachador& despachador, Anfitrion& anfitrion, QObject* padre)
    : QObject(padre), D(despachador), A(anfitrion)
{
    // The arrival slot only appends and schedules: handlers may wait, and they
    // must never run inside the socket's own signal.
    connect(&socket, &QTcpSocket::readyRead, this, [this] {
        ultimaLlegada.start();
        D.Llegada(socket.readAll());
    });
    connect(&socket, &QTcpSocket::connected, this, [this] {
        avisado = false;
        perdida = false;
        conectada = true;
        ecos.clear();
        ultimaLlegada.start();
        vigia.start();
    });
    connect(&socket, &QTcpSocket::disconnected, this, [this] {
        emit Desconectado();
        if (conectada)
            Perder();
    });
    D.AlLeer = [this](const QString& linea) { Leida(linea); };
    vigia.setInterval(250);
    connect(&vigia, &QTimer::timeout, this, &EnlaceMesa::Vigilar);
}

EnlaceMesa::~EnlaceMesa()
{
    // A socket still connected says so as it is destroyed, after the members
    // its handlers use are gone.
    QObject::disconnect(&socket, nullptr, this, nullptr);
    D.AlLeer = nullptr;
}

QString EnlaceMesa::TextoDesconectado() { return QStringLiteral("¡Estás desconectado de la mesa de juego!"); }

void EnlaceMesa::EnviarMensaje(const QString& mensaje)
{
    if (!Conectado() || perdida) {
        if (avisado)
            return;
        avisado = true;
        A.Aviso(TextoDesconectado(), 48, 2);
        return;
    }
    for (const QString& linea : protocolo::Separar(mensaje)) {
        if (protocolo::VuelveAlRemitente(linea)) {
            ecos.push_back({SinBlancosFinales(linea), {}});
            ecos.back().desde.start();
        }
    }
    socket.write(protocolo::Enmarcar(mensaje));
}

void EnlaceMesa::Leida(const QString& linea)
{
    // The server keeps each connection's lines in order, so our own come back
    // in the order they were sent.
    if (!ecos.empty() && ecos.front().linea == SinBlancosFinales(linea))
        ecos.pop_front();
}

void EnlaceMesa::Vigilar()
{
    if (perdida || !Conectado())
        return;
    const bool sinEco = LimiteEco > 0 && !ecos.empty() && ecos.front().desde.elapsed() > LimiteEco;
    const bool callada = LimiteSilencio > 0 && ultimaLlegada.isValid() && ultimaLlegada.elapsed() > LimiteSilencio;
    if (sinEco || callada) {
        // Nothing more is sent to a table that does not answer.
        socket.abort();
        Perder();
    }
}

void EnlaceMesa::Perder()
{
    if (perdida)
        return;
    perdida = true;
    conectada = false;
    vigia.stop();
    // Told from the event loop, never inside the socket's signal.
    QTimer::singleShot(0, this, [this] {
        if (!avisado) {
            avisado = true;
            A.Aviso(TextoDesconectado(), 48, 2);
        }
        emit MesaPerdida();
    });
}
