// Load run of brintal: starts it on a port of its choosing, fills the table
// with rounds of 4, 16, 32 and 64 connections, has the four seated ones send
// numbered chat lines, and checks that every connection receives every line,
// in order, exactly once. Reports the lines per second each round held.
//
//   carga_brintal [--lineas N] [--ventana W] [--brintal RUTA]
//
// N lines per seated connection (default 20000), at most W of them in flight
// per sender (default 50). Every wait is bounded; loopback only.

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpSocket>

#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

#include "protocolo/Opciones.h"
#include "protocolo/Protocolo.h"
#include "protocolo/Troceador.h"

namespace {

struct Cliente {
    std::unique_ptr<QTcpSocket> s;
    protocolo::Troceador troceador{2 * protocolo::Troceador::kMaxLinea};
    int opciones = 0;
    int local = 0;
    int inici = 0;
    int chats = 0;
    int ultimo[5] = {0, 0, 0, 0, 0};   // last number seen from each seat
    int enviadas = 0;
    bool desorden = false;
    bool cerrado = false;
};

bool Esperar(const std::function<bool()>& listo, int ms) {
    QDeadlineTimer fin(ms);
    while (!listo()) {
        if (fin.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    }
    return true;
}

void Leer(Cliente& c) {
    c.troceador.Agregar(c.s->readAll());
    QString linea;
    for (;;) {
        const auto paso = c.troceador.Tomar(&linea);
        if (paso == protocolo::Troceador::Paso::Falta) return;
        if (paso != protocolo::Troceador::Paso::Linea) continue;
        const protocolo::Lectura l = protocolo::Leer(linea);
        if (!l.mensaje) continue;
        if (std::holds_alternative<protocolo::Opcion>(*l.mensaje)) ++c.opciones;
        else if (std::holds_alternative<protocolo::Local>(*l.mensaje)) ++c.local;
        else if (std::holds_alternative<protocolo::Inici>(*l.mensaje)) ++c.inici;
        else if (const auto* chat = std::get_if<protocolo::Chat>(&*l.mensaje)) {
            // "P<seat>: <n>"
            const QString& t = chat->texto;
            if (!t.startsWith('P')) continue;
            const int silla = t.size() > 1 ? t.at(1).digitValue() : -1;
            const int n = t.mid(4).toInt();
            if (silla < 1 || silla > 4 || n != c.ultimo[silla] + 1) c.desorden = true;
            else c.ultimo[silla] = n;
            ++c.chats;
        }
    }
}

struct Resultado {
    bool bien = false;
    double segundos = 0;
    long long entregadas = 0;
};

Resultado Ronda(quint16 puerto, int conexiones, int lineas, int ventana) {
    Resultado r;
    std::vector<Cliente> cs(conexiones);
    for (Cliente& c : cs) {
        c.s = std::make_unique<QTcpSocket>();
        c.s->setSocketOption(QAbstractSocket::LowDelayOption, 1);
        Cliente* p = &c;
        QObject::connect(c.s.get(), &QTcpSocket::readyRead, [p] { Leer(*p); });
        QObject::connect(c.s.get(), &QTcpSocket::disconnected, [p] { p->cerrado = true; });
        c.s->connectToHost(QHostAddress::LocalHost, puerto);
    }
    auto todos = [&](auto cond) {
        return [&cs, cond] {
            for (const Cliente& c : cs)
                if (!cond(c)) return false;
            return true;
        };
    };
    const auto opciones = protocolo::Opciones().size();
    if (!Esperar(todos([opciones](const Cliente& c) { return c.opciones == opciones; }), 10000)) {
        std::printf("  no todas las conexiones recibieron las opciones\n");
        return r;
    }
    for (int s = 1; s <= 4; ++s)
        cs[s - 1].s->write(protocolo::Enmarcar(
            protocolo::Juntar({protocolo::LineaSilla(s), protocolo::LineaNombre(s, QStringLiteral("P%1").arg(s))})));
    if (!Esperar(todos([](const Cliente& c) { return c.inici == 1; }), 10000)) {
        std::printf("  la partida no empezó\n");
        return r;
    }

    const int esperadas = 4 * lineas;
    QElapsedTimer reloj;
    reloj.start();
    // Each sender keeps at most `ventana` of its lines in flight, judged by its own echo.
    auto empujar = [&] {
        for (int s = 1; s <= 4; ++s) {
            Cliente& c = cs[s - 1];
            if (c.enviadas >= lineas || c.enviadas - c.ultimo[s] >= ventana) continue;
            QByteArray bloque;
            const int hasta = std::min(lineas, c.ultimo[s] + ventana);
            for (; c.enviadas < hasta;)
                bloque += protocolo::Enmarcar(protocolo::LineaChat(QStringLiteral("P%1").arg(s), QString::number(++c.enviadas)));
            c.s->write(bloque);
        }
    };
    const bool completo = Esperar([&] {
        empujar();
        for (const Cliente& c : cs)
            if (c.chats < esperadas && !c.desorden && !c.cerrado) return false;
        return true;
    }, 60000);
    r.segundos = reloj.nsecsElapsed() / 1e9;

    bool bien = completo;
    for (const Cliente& c : cs) {
        r.entregadas += c.chats;
        bien = bien && !c.desorden && !c.cerrado && c.chats == esperadas;
    }
    r.bien = bien;
    if (conexiones == 64) {
        // One more than the table holds: closed at once, with nothing sent.
        Cliente extra;
        extra.s = std::make_unique<QTcpSocket>();
        extra.s->connectToHost(QHostAddress::LocalHost, puerto);
        Esperar([&] { return extra.s->state() == QAbstractSocket::UnconnectedState; }, 5000);
        const bool cerrada = extra.s->state() == QAbstractSocket::UnconnectedState && extra.s->readAll().isEmpty();
        std::printf("  conexión 65: %s\n", cerrada ? "cerrada al instante" : "NO se cerró");
        r.bien = r.bien && cerrada;
    }
    for (Cliente& c : cs) c.s->abort();
    return r;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    int lineas = 20000;
    int ventana = 50;
    QString programa = qEnvironmentVariable("QUIMBOLO_CARPETA", QStringLiteral(QUIMBOLO_CARPETA_COMPILADA)) +
                       QStringLiteral("/brintal");
    const QStringList a = app.arguments();
    for (int i = 1; i + 1 < a.size(); i += 2) {
        if (a[i] == "--lineas") lineas = std::clamp(a[i + 1].toInt(), 1, 100000);
        else if (a[i] == "--ventana") ventana = std::clamp(a[i + 1].toInt(), 1, 10000);
        else if (a[i] == "--brintal") programa = a[i + 1];
    }

    // brintal picks its own port and says which on its first line.
    QProcess brintal;
    brintal.setStandardErrorFile(QProcess::nullDevice());
    brintal.start(programa, {"--sin-ventana", "--puerto", "0"});
    if (!brintal.waitForStarted(5000)) {
        std::printf("no se pudo iniciar %s\n", qPrintable(programa));
        return 1;
    }
    for (int i = 0; i < 100 && !brintal.canReadLine() && brintal.state() == QProcess::Running; ++i)
        brintal.waitForReadyRead(100);
    const quint16 puerto = brintal.canReadLine() ? quint16(brintal.readLine().trimmed().toUInt()) : 0;
    if (puerto == 0) {
        std::printf("brintal no dijo en qué puerto escucha\n");
        return 1;
    }

    std::printf("brintal en el puerto %u; %d líneas por silla, hasta %d en vuelo por emisor\n", puerto,
                lineas, ventana);
    int mayor = 0;
    double mejor = 0;
    bool todoBien = true;
    for (int n : {4, 16, 32, 64}) {
        const Resultado r = Ronda(puerto, n, lineas, ventana);
        const double entrantes = 4.0 * lineas / r.segundos;
        const double salientes = r.entregadas / r.segundos;
        std::printf("%2d conexiones: %s; %lld líneas entregadas en %.2f s: %.0f líneas/s recibidas, "
                    "%.0f líneas/s entregadas\n",
                    n, r.bien ? "nada perdido" : "FALTAN O DESORDENADAS", r.entregadas, r.segundos,
                    entrantes, salientes);
        std::fflush(stdout);
        todoBien = todoBien && r.bien;
        if (!r.bien) break;
        mayor = n;
        if (n == 64) mejor = salientes;
        Esperar([] { return false; }, 500);   // let the table see everyone leave
    }
    brintal.kill();
    brintal.waitForFinished(5000);
    std::printf("mayor número de conexiones sin pérdida: %d; a 64 conexiones, %.0f líneas entregadas/s\n",
                mayor, mejor);
    return todoBien ? 0 : 1;
}
