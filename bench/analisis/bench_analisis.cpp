// Benchmark of the exhaustive analysis over the fixed records of bench/data:
// for each position (record, K) the median seconds of several runs, the peak
// memory, the number of lines (dominoes and blocked lines over every root
// move) and a hash of the tree file, for the fast engine and, where it is
// affordable, the reference one, with how many times faster the fast one was
// in the same run, by the clock and by processor seconds (the second does
// not depend on whether a second core was free). Then whole hands of
// `quimbolo-cli simular` at level U with the early analysis accepted. The
// load average is printed before and after: the figures mean little without
// it on a shared machine.
//
//   bench_analisis [--repeticiones N] [--repeticiones-referencia N]
//                  [--referencia no|parcial|toda] [--sin-simular] [--firma]
//                  [RECORD:K ...]
//
// --firma prints only "record K lines hash play" per position of the fast
// engine (play: the chosen tile's number and end letter, e.g. "13I"): the
// signature that tests/ai pins (bench/data/firma.txt).

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTextStream>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include "ai/Analisis.h"
#include "flujo/Posicion.h"
#include "flujo/AnfitrionMudo.h"

namespace {

QTextStream out(stdout);

template <typename Bytes>
std::uint64_t Fnv(const Bytes& b)
{
    std::uint64_t h = 1469598103934665603ULL;
    for (char c : b) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

// Resets the peak resident size of this process (Linux), so that each
// position gets its own peak.
void ReiniciarPico()
{
    if (FILE* f = std::fopen("/proc/self/clear_refs", "w")) {
        std::fputs("5", f);
        std::fclose(f);
    }
}

double PicoMiB()
{
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& l : f.readAll().split('\n'))
        if (l.startsWith("VmHWM:"))
            return l.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

double Mediana(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

struct Medida {
    double Segundos = 0;
    double Cpu = 0;  // processor seconds of the process, both workers
    double MiB = 0;
    std::int64_t Lineas = 0;
    std::uint64_t Hash = 0;
    QString Jugada;  // "13I": the chosen tile and end
};

bool Posicionar(const QString& ruta, int k, const QString& carpeta, Estado& e)
{
    const LecturaRegistro l = LeerRegistroArchivo(ruta);
    if (!l.Ok) {
        QTextStream(stderr) << ruta << ": " << l.Mensaje() << "\n";
        return false;
    }
    e = Estado();
    e.CarpetaApp = carpeta + '/';
    const ResultadoPosicion v = PosicionTrasJugadas(l.Registro, k, e);
    if (!v.Ok) {
        QTextStream(stderr) << ruta << " K=" << k << ": " << v.Mensaje() << "\n";
        return false;
    }
    return true;
}

Medida Medir(const QString& ruta, int k, const QString& carpeta, bool referencia, int repeticiones)
{
    Medida m;
    std::vector<double> tiempos, cpu;
    ReiniciarPico();
    for (int i = 0; i < repeticiones; ++i) {
        Estado e;
        if (!Posicionar(ruta, k, carpeta, e))
            return m;
        AnfitrionMudo host;
        OlvidarAnalisis();  // every run starts cold, as the first play of a hand does
        QElapsedTimer reloj;
        timespec c0{}, c1{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c0);
        reloj.start();
        const ResultadoAnalisis r = referencia ? AnalizarPosicionReferencia(e, host) : AnalizarPosicion(e, host);
        tiempos.push_back(reloj.nsecsElapsed() / 1e9);
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &c1);
        cpu.push_back(static_cast<double>(c1.tv_sec - c0.tv_sec) + static_cast<double>(c1.tv_nsec - c0.tv_nsec) / 1e9);
        m.Lineas = r.Lineas;
        m.Hash = Fnv(r.Arbol);
        m.Jugada = QStringLiteral("%1%2").arg(r.Ficha, 2, 10, QChar('0')).arg(TextoExtremo(r.Punta).left(1));
    }
    m.Segundos = Mediana(tiempos);
    m.Cpu = Mediana(cpu);
    m.MiB = PicoMiB();
    return m;
}

// One whole hand of quimbolo-cli simular; peak memory of the child.
bool Simular(const QString& cli, const QString& ruta, const QString& carpeta, double* segundos, double* mib)
{
    const QByteArray c = cli.toLocal8Bit(), r = ruta.toLocal8Bit(), d = carpeta.toLocal8Bit();
    QElapsedTimer reloj;
    reloj.start();
    const pid_t pid = fork();
    if (pid == 0) {
        if (std::freopen("/dev/null", "w", stdout) == nullptr)
            _exit(127);
        execl(c.constData(), c.constData(), "simular", r.constData(), "--nivel", "U", "--analizar", "si", "--carpeta",
              d.constData(), static_cast<char*>(nullptr));
        _exit(127);
    }
    int estado = 0;
    struct rusage uso {};
    if (pid < 0 || wait4(pid, &estado, 0, &uso) < 0)
        return false;
    *segundos = reloj.nsecsElapsed() / 1e9;
    *mib = uso.ru_maxrss / 1024.0;
    return WIFEXITED(estado) && WEXITSTATUS(estado) == 0;
}

QString Carga()
{
    QFile f(QStringLiteral("/proc/loadavg"));
    if (!f.open(QIODevice::ReadOnly))
        return QStringLiteral("?");
    return QString::fromUtf8(f.readAll()).section(' ', 0, 2);
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    int repeticiones = 5, repeticionesReferencia = 1;
    QString referencia = QStringLiteral("parcial");
    bool simular = true, firma = false;
    QStringList posiciones;
    while (!args.isEmpty()) {
        const QString a = args.takeFirst();
        if (a == "--repeticiones" && !args.isEmpty())
            repeticiones = std::max(1, args.takeFirst().toInt());
        else if (a == "--repeticiones-referencia" && !args.isEmpty())
            repeticionesReferencia = std::max(1, args.takeFirst().toInt());
        else if (a == "--referencia" && !args.isEmpty())
            referencia = args.takeFirst();
        else if (a == "--sin-simular")
            simular = false;
        else if (a == "--firma")
            firma = true;
        else
            posiciones << a;
    }

    const QDir datos(QStringLiteral(QUIMBOLO_BENCH_DATOS));
    const QStringList registros = datos.entryList({QStringLiteral("*.jgo")}, QDir::Files, QDir::Name);
    if (posiciones.isEmpty())
        for (const QString& r : registros)
            for (int k : {0, 1, 2, 3, 4, 8})
                posiciones << r + ':' + QString::number(k);

    QTemporaryDir carpeta;
    if (!firma) {
        out << "carga antes: " << Carga() << "\n";
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11\n")
                   .arg("posición", -14)
                   .arg("rápido s", 10)
                   .arg("CPU s", 7)
                   .arg("MiB", 7)
                   .arg("ref. s", 9)
                   .arg("MiB", 7)
                   .arg("veces", 6)
                   .arg("v. CPU", 6)
                   .arg("líneas", 12)
                   .arg("hash árbol", 17)
                   .arg("igual");
        out.flush();
    }
    for (const QString& p : posiciones) {
        const QString nombre = p.section(':', 0, 0);
        const int k = p.section(':', 1, 1).toInt();
        const QString ruta = QFileInfo(nombre).isAbsolute() ? nombre : datos.filePath(nombre);
        const Medida rap = Medir(ruta, k, carpeta.path(), false, firma ? 1 : repeticiones);
        if (firma) {
            out << nombre << ' ' << k << ' ' << rap.Lineas << ' ' << QString::number(rap.Hash, 16) << ' ' << rap.Jugada
                << "\n";
            continue;
        }
        const bool conRef = referencia == "toda" || (referencia == "parcial" && k >= 1);
        const Medida ref = conRef ? Medir(ruta, k, carpeta.path(), true, repeticionesReferencia) : Medida{};
        const bool veces = conRef && rap.Segundos > 0;
        out << QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9 %10 %11\n")
                   .arg(nombre + " K=" + QString::number(k), -14)
                   .arg(rap.Segundos, 10, 'f', 4)
                   .arg(rap.Cpu, 7, 'f', 4)
                   .arg(rap.MiB, 7, 'f', 1)
                   .arg(conRef ? QString::number(ref.Segundos, 'f', 3) : QStringLiteral("-"), 9)
                   .arg(conRef ? QString::number(ref.MiB, 'f', 1) : QStringLiteral("-"), 7)
                   .arg(veces ? QString::number(ref.Segundos / rap.Segundos, 'f', 1) : QStringLiteral("-"), 6)
                   .arg(conRef && rap.Cpu > 0 ? QString::number(ref.Cpu / rap.Cpu, 'f', 1) : QStringLiteral("-"), 6)
                   .arg(rap.Lineas, 12)
                   .arg(QString::number(rap.Hash, 16), 17)
                   .arg(!conRef ? QStringLiteral("-")
                        : (ref.Lineas == rap.Lineas && ref.Hash == rap.Hash) ? QStringLiteral("sí")
                                                                              : QStringLiteral("NO"));
        out.flush();
    }

    if (!firma) {
        out << "carga después: " << Carga() << "\n";
        out.flush();
    }

    const QString cli = QCoreApplication::applicationDirPath() + "/quimbolo-cli";
    if (simular && !firma && QFile::exists(cli)) {
        out << "\nsimular --nivel U --analizar si (mano entera, mediana de " << repeticiones << ")\n";
        for (const QString& r : registros) {
            std::vector<double> tiempos;
            double mib = 0;
            bool ok = true;
            for (int i = 0; i < repeticiones && ok; ++i) {
                double s = 0, m = 0;
                ok = Simular(cli, datos.filePath(r), carpeta.path(), &s, &m);
                tiempos.push_back(s);
                mib = std::max(mib, m);
            }
            QFile f(carpeta.path() + "/JGO/Anterior.Jgo");
            const QByteArray registro = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
            out << QStringLiteral("%1 %2 %3 %4\n")
                       .arg(r, -14)
                       .arg(ok ? QString::number(Mediana(tiempos), 'f', 3) : QStringLiteral("falla"), 10)
                       .arg(mib, 7, 'f', 1)
                       .arg(QString::number(Fnv(registro), 16), 17);
            out.flush();
        }
    }
    return 0;
}
