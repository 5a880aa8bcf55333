// brintal: the table server. Parses the command line, builds the options,
// opens the port and either shows the owner's window or logs to stderr.

#include "protocolo/Opciones.h"
#include "server/AlmacenOpciones.h"
#include "server/Servidor.h"
#include "server/VentanaMesa.h"

#include <QApplication>
#include <QCoreApplication>
#include <QMessageBox>
#include <QTime>

#include <cstdio>
#include <memory>

namespace {

constexpr quint16 kPuertoJuego = 1009;
constexpr quint16 kPuertoSinPrivilegio = 11009;

struct Argumentos {
    quint16 Puerto = kPuertoJuego;
    bool SinVentana = false;
    bool Ayuda = false;
    QList<QPair<QString, QString>> Opciones;   // in the order given
};

void Decir(const QString& texto) {
    const QByteArray b = (texto + '\n').toUtf8();
    std::fwrite(b.constData(), 1, b.size(), stderr);
    std::fflush(stderr);
}

const char kUso[] =
    "Uso: brintal [--puerto N] [--sin-ventana] [--opcion Clave=Valor ...]\n"
    "  --puerto N            puerto TCP de la mesa (1009 si no se indica; 0: uno libre cualquiera)\n"
    "  --sin-ventana         sin ventana: registra cada suceso en la salida de errores\n"
    "  --opcion Clave=Valor  fija una opción al empezar, p. ej. --opcion Nivel=U\n"
    "Opciones: AoC (C A), Nivel (P I A U), Puntos (1-300), AcuPtos (0 1),\n"
    "          Salida (PG JG JD), Cierre (GS GC GN AN), Tiempo1 (0-32), Tiempo2 (0-32),\n"
    "          Vista (T S)";

// False with a Spanish reason in *error for anything it cannot take.
bool Leer(const QStringList& args, Argumentos* a, QString* error) {
    for (int i = 1; i < args.size(); ++i) {
        QString nombre = args[i];
        QString valor;
        bool conValor = false;
        const int igual = nombre.indexOf('=');
        if (nombre.startsWith(QLatin1String("--")) && igual > 0) {
            valor = nombre.mid(igual + 1);
            nombre = nombre.left(igual);
            conValor = true;
        }
        auto tomar = [&]() -> bool {
            if (conValor) return true;
            if (i + 1 >= args.size()) {
                *error = QStringLiteral("a %1 le falta su valor").arg(nombre);
                return false;
            }
            valor = args[++i];
            return true;
        };
        if (nombre == QLatin1String("--sin-ventana") && !conValor) {
            a->SinVentana = true;
        } else if ((nombre == QLatin1String("--ayuda") || nombre == QLatin1String("--help") ||
                    nombre == QLatin1String("-h")) && !conValor) {
            a->Ayuda = true;
        } else if (nombre == QLatin1String("--puerto")) {
            if (!tomar()) return false;
            bool bien = false;
            const uint n = valor.toUInt(&bien);
            if (!bien || n > 65535) {
                *error = QStringLiteral("el puerto «%1» no vale: debe ser un número de 0 a 65535").arg(valor);
                return false;
            }
            a->Puerto = quint16(n);
        } else if (nombre == QLatin1String("--opcion")) {
            if (!tomar()) return false;
            const int separa = valor.indexOf('=');
            if (separa <= 0) {
                *error = QStringLiteral("«%1» no es Clave=Valor").arg(valor);
                return false;
            }
            QString motivo;
            const QString clave = valor.left(separa);
            const QString codigo = protocolo::ValidarOpcion(clave, valor.mid(separa + 1), &motivo);
            if (codigo.isEmpty()) {
                *error = QStringLiteral("opción rechazada: ") + motivo;
                return false;
            }
            a->Opciones.append({clave, codigo});
        } else {
            *error = QStringLiteral("no conozco el argumento «%1»").arg(args[i]);
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QStringList args;
    for (int i = 0; i < argc; ++i) args << QString::fromLocal8Bit(argv[i]);
    Argumentos a;
    QString error;
    if (!Leer(args, &a, &error)) {
        Decir(QStringLiteral("brintal: ") + error);
        Decir(QString::fromUtf8(kUso));
        return 2;
    }
    if (a.Ayuda) {
        Decir(QString::fromUtf8(kUso));
        return 0;
    }

    std::unique_ptr<QCoreApplication> app(a.SinVentana ? new QCoreApplication(argc, argv)
                                                       : new QApplication(argc, argv));
    QCoreApplication::setOrganizationName(QStringLiteral("Quimbolo"));
    QCoreApplication::setApplicationName(QStringLiteral("brintal"));

    // Stored choices belong to the owner's window; a server without one is
    // set wholly by its command line, so it starts the same every time.
    OpcionesMesa opciones;
    AlmacenOpciones almacen;
    const QStringList problemas = a.SinVentana ? QStringList() : almacen.Cargar(&opciones);
    for (const auto& [clave, codigo] : a.Opciones) opciones.Poner(clave, codigo);   // the last one given wins

    Servidor servidor(opciones);
    std::unique_ptr<VentanaMesa> ventana;
    if (a.SinVentana) {
        QObject::connect(&servidor, &Servidor::Evento, [](const QString& t) {
            Decir(QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz ")) + t);
        });
    }

    QAbstractSocket::SocketError fallo = QAbstractSocket::UnknownSocketError;
    QString textoFallo;
    quint16 puerto = a.Puerto;
    bool abierto = servidor.Escuchar(puerto, &fallo, &textoFallo);
    QString aviso;
    if (!abierto && puerto == kPuertoJuego && fallo == QAbstractSocket::SocketAccessError) {
        aviso = QStringLiteral("brintal: el sistema no permite abrir el puerto %1 sin privilegios; "
                               "escucho en el %2.")
                    .arg(kPuertoJuego)
                    .arg(kPuertoSinPrivilegio);
        Decir(aviso);
        puerto = kPuertoSinPrivilegio;
        abierto = servidor.Escuchar(puerto, &fallo, &textoFallo);
    }
    if (!abierto) {
        if (fallo == QAbstractSocket::AddressInUseError)
            textoFallo = QStringLiteral("ya lo usa otro programa (¿otra mesa abierta?)");
        else if (fallo == QAbstractSocket::SocketAccessError)
            textoFallo = QStringLiteral("el sistema no lo permite sin privilegios");
        const QString texto =
            QStringLiteral("brintal: no se pudo abrir el puerto %1: %2").arg(puerto).arg(textoFallo);
        Decir(texto);
        if (!a.SinVentana)
            QMessageBox::critical(nullptr, QStringLiteral("La Mesa de Juego"), texto.mid(9));
        return 1;
    }

    // Whoever started us learns the port from the first line of standard
    // output, so nobody has to pick a free port before we bind it.
    std::printf("%u\n", unsigned(servidor.Puerto()));
    std::fflush(stdout);

    if (a.SinVentana) {
        Decir(QStringLiteral("brintal: escuchando en el puerto %1").arg(servidor.Puerto()));
    } else {
        ventana = std::make_unique<VentanaMesa>(&servidor, &almacen);
        if (!aviso.isEmpty()) ventana->Registrar(aviso.mid(9));
        for (const QString& p : problemas) ventana->Registrar(p);
        ventana->Registrar(QStringLiteral("Escuchando en el puerto %1").arg(servidor.Puerto()));
        ventana->show();
    }
    return app->exec();
}
