// A loopback proxy that makes a table's traffic awkward without ever losing
// or reordering a byte: every connection it accepts is joined to brintal,
// and what each side sends is cut at random byte boundaries (inside lines,
// inside UTF-8 characters) and each piece is held back a random time before
// it is passed on. The cuts and delays come from a seed, printed at start.
//
//   proxy_caos --destino PUERTO [--semilla N] [--retraso-max MS] [--trozo-max BYTES]
//
// It listens on a loopback port of the system's choosing and prints that
// port as its first line on standard output, as brintal does. A side that
// closes is closed on the other side once what it sent has been passed on.

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <memory>
#include <random>

namespace {

struct Ajustes {
    quint16 destino = 0;
    quint64 semilla = 1;
    int retrasoMax = 200;  // ms
    int trozoMax = 64;     // bytes
};

QElapsedTimer reloj;

void Decir(const QString& t)
{
    const QByteArray b = (QStringLiteral("proxy_caos: ") + t + '\n').toUtf8();
    std::fwrite(b.constData(), 1, size_t(b.size()), stderr);
    std::fflush(stderr);
}

// One direction of one connection: pieces waiting for their time, in order.
class Sentido : public QObject {
public:
    Sentido(QTcpSocket* de, QTcpSocket* a, quint64 semilla, const Ajustes& aj)
        : de_(de), a_(a), azar_(semilla), aj_(aj)
    {
        temporizador_.setSingleShot(true);
        connect(&temporizador_, &QTimer::timeout, this, &Sentido::Entregar);
        connect(de_, &QTcpSocket::readyRead, this, &Sentido::Llegan);
        connect(a_, &QTcpSocket::connected, this, &Sentido::Programar);
    }

    // The sending side closed: pass on what is left, then close the other.
    void Cerrar()
    {
        Llegan();
        cerrar_ = true;
        Programar();
    }
    bool Terminado() const { return hecho_; }

private:
    struct Trozo {
        QByteArray datos;
        qint64 vence;
    };

    void Llegan()
    {
        QByteArray datos = de_->readAll();
        std::uniform_int_distribution<int> largo(1, std::max(1, aj_.trozoMax));
        // Most pieces wait little and a few wait long: the cube of a uniform
        // draw, so the mean wait is a quarter of the longest.
        std::uniform_real_distribution<double> u(0.0, 1.0);
        while (!datos.isEmpty()) {
            const int n = std::min<qsizetype>(largo(azar_), datos.size());
            const double x = u(azar_);
            const qint64 vence = std::max(ultimo_, reloj.elapsed() + qint64(aj_.retrasoMax * x * x * x));
            cola_.push_back({datos.left(n), vence});
            datos.remove(0, n);
            ultimo_ = vence;
        }
        Programar();
    }

    void Programar()
    {
        if (cerrar_ && a_->state() == QAbstractSocket::UnconnectedState)
            cola_.clear();  // nobody left to pass it to
        if (cola_.empty()) {
            if (cerrar_ && !hecho_) {
                hecho_ = true;
                a_->disconnectFromHost();
            }
            return;
        }
        if (a_->state() != QAbstractSocket::ConnectedState)
            return;  // its connected signal brings us back
        temporizador_.start(int(std::max<qint64>(0, cola_.front().vence - reloj.elapsed())));
    }

    void Entregar()
    {
        while (!cola_.empty() && cola_.front().vence <= reloj.elapsed() &&
               a_->state() == QAbstractSocket::ConnectedState) {
            a_->write(cola_.front().datos);
            a_->flush();
            cola_.pop_front();
        }
        Programar();
    }

    QTcpSocket* de_;
    QTcpSocket* a_;
    std::mt19937_64 azar_;
    const Ajustes& aj_;
    std::deque<Trozo> cola_;
    qint64 ultimo_ = 0;
    QTimer temporizador_;
    bool cerrar_ = false;
    bool hecho_ = false;
};

// A client of the proxy and its own connection to brintal.
class Pareja : public QObject {
public:
    Pareja(QTcpSocket* cliente, int numero, const Ajustes& aj, QObject* padre) : QObject(padre), numero_(numero)
    {
        cliente_.reset(cliente);
        cliente_->setParent(nullptr);
        servidor_ = std::make_unique<QTcpSocket>();
        // Each connection and direction has a stream of its own, so adding a
        // connection never changes the cuts of another.
        const quint64 base = aj.semilla * 1000003u + quint64(numero) * 7919u;
        subida_ = std::make_unique<Sentido>(cliente_.get(), servidor_.get(), base * 2 + 1, aj);
        bajada_ = std::make_unique<Sentido>(servidor_.get(), cliente_.get(), base * 2 + 2, aj);
        connect(cliente_.get(), &QTcpSocket::disconnected, this, [this] { Cierre(subida_.get(), "el cliente"); });
        connect(servidor_.get(), &QTcpSocket::disconnected, this, [this] { Cierre(bajada_.get(), "brintal"); });
        connect(servidor_.get(), &QTcpSocket::errorOccurred, this, [this](QAbstractSocket::SocketError e) {
            if (e != QAbstractSocket::RemoteHostClosedError && servidor_->state() != QAbstractSocket::ConnectedState) {
                Decir(QStringLiteral("conexión %1: brintal no responde (%2)").arg(numero_).arg(servidor_->errorString()));
                cliente_->abort();
                deleteLater();
            }
        });
        servidor_->connectToHost(QStringLiteral("127.0.0.1"), aj.destino);
        Decir(QStringLiteral("conexión %1 abierta").arg(numero_));
    }

private:
    void Cierre(Sentido* s, const char* quien)
    {
        Decir(QStringLiteral("conexión %1: cierra %2").arg(numero_).arg(QLatin1String(quien)));
        s->Cerrar();
        if (subida_->Terminado() && bajada_->Terminado())
            deleteLater();
    }

    int numero_;
    std::unique_ptr<QTcpSocket> cliente_;
    std::unique_ptr<QTcpSocket> servidor_;
    std::unique_ptr<Sentido> subida_;
    std::unique_ptr<Sentido> bajada_;
};

bool Leer(const QStringList& a, Ajustes& aj)
{
    for (int i = 1; i < a.size(); i += 2) {
        if (i + 1 >= a.size())
            return false;
        bool bien = false;
        const qulonglong v = a[i + 1].toULongLong(&bien);
        if (!bien)
            return false;
        if (a[i] == u"--destino" && v >= 1 && v <= 65535)
            aj.destino = quint16(v);
        else if (a[i] == u"--semilla")
            aj.semilla = v;
        else if (a[i] == u"--retraso-max" && v <= 10000)
            aj.retrasoMax = int(v);
        else if (a[i] == u"--trozo-max" && v >= 1 && v <= 65536)
            aj.trozoMax = int(v);
        else
            return false;
    }
    return aj.destino != 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    Ajustes aj;
    if (!Leer(app.arguments(), aj)) {
        Decir(QStringLiteral("uso: proxy_caos --destino PUERTO [--semilla N] [--retraso-max MS] [--trozo-max BYTES]"));
        return 2;
    }
    reloj.start();
    QTcpServer escucha;
    if (!escucha.listen(QHostAddress::LocalHost, 0)) {
        Decir(QStringLiteral("no se pudo escuchar: ") + escucha.errorString());
        return 1;
    }
    int numero = 0;
    QObject::connect(&escucha, &QTcpServer::newConnection, [&] {
        while (QTcpSocket* s = escucha.nextPendingConnection())
            new Pareja(s, ++numero, aj, &escucha);
    });
    std::printf("%u\n", unsigned(escucha.serverPort()));
    std::fflush(stdout);
    Decir(QStringLiteral("semilla %1, retraso hasta %2 ms, trozos de hasta %3 bytes, hacia el puerto %4")
              .arg(aj.semilla)
              .arg(aj.retrasoMax)
              .arg(aj.trozoMax)
              .arg(aj.destino));
    return app.exec();
}
