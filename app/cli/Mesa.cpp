// quimbolo-cli mesa: a copy of the game without a window at a real table.
//
// The copy connects, takes its seats as the lobby does, starts the partida or
// waits for the server's start, and then runs the game's own hand flow and
// table link. Its persons are played by a fixed robot (random pick, never
// passes the lead, first fitting tile in slot order), every question takes its
// default at once and every pause is scaled by --ritmo. Waits still serve the
// event loop, so the table's lines keep arriving while the flow waits.

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTextStream>
#include <QTime>
#include <QTimer>
#include <cmath>
#include <deque>
#include <set>

#include "app/cli/Comandos.h"
#include "flujo/Entradas.h"
#include "net/AnfitrionMesa.h"
#include "net/ConectorMesa.h"
#include "net/Despachador.h"
#include "net/Direccion.h"
#include "net/EnlaceMesa.h"
#include "net/SalonMesa.h"
#include "flujo/Juego.h"

namespace {

constexpr int kSalidaMesa = 3;

class AnfitrionRobot : public AnfitrionMesa {
public:
    explicit AnfitrionRobot(Estado& e) : E(e)
    {
        programados.setSingleShot(true);
        QObject::connect(&programados, &QTimer::timeout, [this] { CorrerProgramados(); });
    }

    Estado& E;
    Juego* J = nullptr;
    Despachador* Mesa = nullptr;
    bool cerrando = false;
    QString Marcador;

    double Reloj() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
    void Ceder() override { Esperar(0); }
    void Pausa(double segundos) override { Esperar(segundos * Ritmo); }
    bool Cerrando() const override { return cerrando; }

    // Scheduled work (the next hand) runs only from the outermost event loop,
    // never inside a wait: hands follow one another instead of nesting.
    void Programar(std::function<void()> tarea) override
    {
        cola.push_back(std::move(tarea));
        if (!programados.isActive())
            programados.start(0);
    }

    void Anotar(const QString& texto) override
    {
        if (Mesa)
            Mesa->Rechazar(texto);
    }

    int MensaBox(const Mensaje& m) override
    {
        if (m.Mensaje.startsWith(QStringLiteral("Marcador\n\n")))
            Marcador = m.Mensaje;
        if (m.Mensaje == EnlaceMesa::TextoDesconectado())
            QTextStream(stderr) << m.Mensaje << "\n";
        return m.Default;
    }
    // The partida goes on (the other copies wait for this one), but the
    // run ends with status 2: a file it should have left is missing.
    void AvisoArchivo(const QString& texto) override
    {
        QTextStream(stderr) << QString(texto).replace(QLatin1Char('\n'), QLatin1Char(' ')) << "\n";
        ArchivoFallido = true;
    }
    bool ArchivoFallido = false;
    bool PreguntaSiNo(const QString&) override { return false; }
    QString InputBox(const QString&, const QString&, const QString&) override { return {}; }

    // The robot persons. Each act is posted to the event loop, as a click
    // would be, and checks on arrival that it is still wanted.
    void RepartoHumano(int silla) override
    {
        Robot([this, silla] {
            if (E.FaseMano == Fase::Repartiendo && EsPersonaLocal(silla) && E.Jugadores[silla].NumFichas < 7)
                J->CompletarAlAzar(silla);
        });
    }

    void SalidaHumana(int silla) override
    {
        Robot([this, silla] {
            if (E.FaseMano != Fase::Saliendo || E.Turno != silla || E.NumTiro != 0 || E.TiroListo ||
                !EsPersonaLocal(silla))
                return;
            const Jugador& j = E.Jugadores[silla];
            for (int k = 1; k <= 7; ++k) {
                const int t = j.Mano[k];
                if (t >= 0 && t < kNumFichas && E.Fichas[t].Lugar == 'D' && E.Fichas[t].Dueno == silla) {
                    entrada::SalidaElegida(E, t, Extremo::Der);
                    return;
                }
            }
        });
    }

    void TurnoHumano(int silla) override
    {
        const int tiro = E.NumTiro;
        Robot([this, silla, tiro] {
            if (E.FaseMano != Fase::Tirando || E.Turno != silla || E.NumTiro != tiro || E.ManoTerminada ||
                !EsPersonaLocal(silla))
                return;
            const Jugador& j = E.Jugadores[silla];
            for (int k = 1; k <= 7; ++k) {
                const int t = j.Mano[k];
                if (t < 0 || t >= kNumFichas || E.Fichas[t].Lugar != 'D' || E.Fichas[t].Dueno != silla)
                    continue;
                const Ficha& f = E.Fichas[t];
                const bool der = E.NumTiro == 0 || f.Punto1 == E.ValorDer || f.Punto2 == E.ValorDer;
                const bool izq = E.NumTiro > 0 && (f.Punto1 == E.ValorIzq || f.Punto2 == E.ValorIzq);
                if (!der && !izq)
                    continue;
                J->Tirar(t, ExtremoDe(der));
                return;
            }
        });
    }

    void Esperar(double segundos)
    {
        const qint64 ms = segundos > 0 ? qint64(std::llround(segundos * 1000)) : 0;
        QElapsedTimer reloj;
        reloj.start();
        ++esperas;
        do {
            // Wakes at the latest after a millisecond, so a wait of zero still
            // serves whatever is pending without spinning.
            QTimer despertar;
            despertar.setSingleShot(true);
            despertar.start(int(std::clamp<qint64>(ms - reloj.elapsed(), 1, 50)));
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        } while (!cerrando && reloj.elapsed() < ms);
        --esperas;
    }

private:
    bool EsPersonaLocal(int s) const
    {
        return E.Jugadores[s].LoR == Donde::Local && E.Jugadores[s].HoC == Quien::Persona;
    }

    void Robot(std::function<void()> acto)
    {
        QTimer::singleShot(0, qApp, [this, acto = std::move(acto)] {
            if (!cerrando && J)
                acto();
        });
    }

    void CorrerProgramados()
    {
        if (esperas > 0) {
            programados.start(1);
            return;
        }
        while (!cola.empty() && !cerrando) {
            auto tarea = std::move(cola.front());
            cola.pop_front();
            tarea();
        }
    }

    std::deque<std::function<void()>> cola;
    QTimer programados;
    int esperas = 0;
};

struct OyenteCli : OyenteMesa {
    bool inicio = false;
    SalonMesa* salon = nullptr;
    void InicioRecibido() override { inicio = true; }
    // The copy that started gives a left seat to its computer (the robot
    // takes the question's default), as the game window offers to.
    void SillaDejada(int silla) override
    {
        if (salon)
            QTimer::singleShot(0, qApp, [this, silla] { salon->OfrecerSilla(silla); });
    }
};

struct Argumentos {
    QString nombre;
    std::set<int> sillas;
    QString direccion;  // empty: this computer, at 1009 or the server's fallback 11009
    bool iniciar = false;
    double ritmo = 0;
    // Seconds without a line from the table, or with a seat left and taken
    // by nobody, after which the table counts as lost.
    double silencio = 60;
    QString carpeta = QDir::currentPath();
};

bool LeerArgumentos(const QStringList& args, Argumentos& a, QString& error)
{
    for (int i = 0; i < args.size(); ++i) {
        const QString& o = args[i];
        if (o == u"--iniciar") {
            a.iniciar = true;
            continue;
        }
        if (i + 1 >= args.size()) {
            error = QStringLiteral("Falta el valor de la opción %1.").arg(o);
            return false;
        }
        const QString v = args[++i];
        if (o == u"--nombre") {
            a.nombre = v.trimmed();
        } else if (o == u"--sillas") {
            for (const QString& s : v.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
                bool ok = false;
                const int n = s.trimmed().toInt(&ok);
                if (!ok || n < 1 || n > 4) {
                    error = QStringLiteral("Silla inválida: %1 (deben ser números del 1 al 4).").arg(s);
                    return false;
                }
                a.sillas.insert(n);
            }
        } else if (o == u"--direccion") {
            // Read here as the connector will read it, so that a bad address
            // is an error of the command line and nothing is tried.
            DireccionMesa d;
            if (!LeerDireccion(v, d, error))
                return false;
            a.direccion = v;
        } else if (o == u"--ritmo") {
            bool ok = false;
            a.ritmo = v.toDouble(&ok);
            if (!ok || !(a.ritmo >= 0) || a.ritmo > 100) {
                error = QStringLiteral("Ritmo inválido: %1.").arg(v);
                return false;
            }
        } else if (o == u"--silencio") {
            bool ok = false;
            a.silencio = v.toDouble(&ok);
            if (!ok || !(a.silencio > 0) || a.silencio > 86400) {
                error = QStringLiteral("Silencio inválido: %1 (segundos, más de 0).").arg(v);
                return false;
            }
        } else if (o == u"--carpeta") {
            a.carpeta = v;
        } else {
            error = QStringLiteral("Opción desconocida: %1.").arg(o);
            return false;
        }
    }
    if (a.nombre.isEmpty()) {
        error = QStringLiteral("Falta --nombre.");
        return false;
    }
    if (a.sillas.empty()) {
        error = QStringLiteral("Falta --sillas.");
        return false;
    }
    return true;
}

// Serves events until `listo` holds, the host closes, or the time runs out.
bool EsperarHasta(AnfitrionRobot& h, const std::function<bool()>& listo, int msMax)
{
    QElapsedTimer t;
    t.start();
    while (!listo()) {
        if (h.cerrando || t.elapsed() > msMax)
            return false;
        h.Esperar(0.01);
    }
    return true;
}

}  // namespace

int ComandoMesa(const QStringList& args)
{
    QTextStream err(stderr);
    Argumentos a;
    QString error;
    if (!LeerArgumentos(args, a, error)) {
        err << error << "\n";
        return 2;
    }
    if (!QDir().mkpath(QDir(a.carpeta).filePath(QStringLiteral("JGO")))) {
        err << "No se pudo crear la carpeta " << QDir(a.carpeta).filePath(QStringLiteral("JGO")) << ".\n";
        return 2;
    }

    Estado E;
    entrada::PonerCarpetas(E, QDir::toNativeSeparators(QDir(a.carpeta).absolutePath() + QLatin1Char('/')), {});
    AnfitrionRobot host(E);
    host.Ritmo = a.ritmo;
    Despachador despachador(E);
    OyenteCli oyente;
    despachador.Oyente = &oyente;
    EnlaceMesa enlace(despachador, host);
    host.PonerEnlace(&enlace);
    host.Mesa = &despachador;
    enlace.LimiteEco = int(a.silencio * 1000);
    enlace.LimiteSilencio = int(a.silencio * 1000);

    // 1. The table.
    ConectorMesa conector(enlace, host, E.CarpetaApp);
    conector.IniciarBrintal = false;
    bool conectado = false;
    QString fallo;
    QObject::connect(&conector, &ConectorMesa::Conectado, [&] { conectado = true; });
    QObject::connect(&conector, &ConectorMesa::Fallido, [&](const QString& m) { fallo = m; });
    conector.MaxIntentos = 2;
    conector.Conectar(a.direccion.isEmpty() ? ConectorMesa::Modo::Local : ConectorMesa::Modo::Red, a.direccion);
    EsperarHasta(host, [&] { return conectado || !fallo.isEmpty(); }, 15000);
    if (!conectado) {
        err << (fallo.isEmpty() ? ConectorMesa::TextoSinMesa() : fallo) << "\n";
        return kSalidaMesa;
    }
    bool perdida = false;
    QObject::connect(&enlace, &EnlaceMesa::Desconectado, [&] { perdida = true; });
    QObject::connect(&enlace, &EnlaceMesa::MesaPerdida, [&] { perdida = true; });

    // 2. The seats, as the lobby takes them.
    SalonMesa salon(E, host);
    salon.Mesa = &despachador;
    salon.Activar();
    for (int s : a.sillas)
        salon.TomarSilla(s, a.nombre);
    auto nuestras = [&] {
        for (int s : a.sillas)
            if (E.Jugadores[s].LoR != Donde::Local || E.Jugadores[s].Nombre != a.nombre)
                return false;
        return true;
    };
    if (!EsperarHasta(host, [&] { return nuestras() || perdida; }, 15000) || perdida) {
        err << (perdida ? QStringLiteral("Se perdió la conexión con la mesa de juego.")
                        : QStringLiteral("La mesa de juego no concedió las sillas pedidas."))
            << "\n";
        return kSalidaMesa;
    }

    // 3. The start: given here, or awaited from the table.
    if (a.iniciar) {
        if (!salon.Iniciar()) {
            err << "No se pudo iniciar la partida.\n";
            return kSalidaMesa;
        }
    } else if (!EsperarHasta(host, [&] { return oyente.inicio || perdida; }, 24 * 3600 * 1000) || perdida) {
        err << "Se perdió la conexión con la mesa de juego antes de iniciar la partida.\n";
        return kSalidaMesa;
    }
    if (salon.VerificarCierre() != SalonMesa::Cierre::Seguir) {
        err << "La partida no puede empezar: hay sillas desocupadas.\n";
        return kSalidaMesa;
    }

    // 4. The game, as the game window loads it.
    entrada::AbrirMesa(E, entrada::TituloDeMesa(E, QStringLiteral("1.0.0")), a.nombre);
    Juego juego(E, host);
    JuegoEnMesa remoto(juego);
    host.J = &juego;
    despachador.Juego = &remoto;

    int salida = -1;
    QString motivo;
    QElapsedTimer dejadaDesde;
    oyente.salon = &salon;
    QTimer vigia;
    QObject::connect(&vigia, &QTimer::timeout, [&] {
        if (salida >= 0)
            return;
        bool todos = E.FinPartida;
        for (int s = 1; s <= 4 && todos; ++s)
            todos = E.Sillas[s].MarcaFin == u"FIN";
        bool dejada = false;
        for (int s = 1; s <= 4; ++s)
            dejada = dejada || (E.Sillas[s].Dejada && E.Jugadores[s].LoR != Donde::Local);
        if (dejada && !dejadaDesde.isValid())
            dejadaDesde.start();
        else if (!dejada)
            dejadaDesde.invalidate();
        // Done only once the table has had every line of ours: a last "FIN"
        // that never reached it leaves the others waiting.
        if (todos && enlace.EcosPendientes() == 0 && !enlace.Perdida()) {
            salida = 0;
        } else if (perdida) {
            salida = kSalidaMesa;
            motivo = QStringLiteral("Se perdió la conexión con la mesa de juego.");
        } else if (dejadaDesde.isValid() && dejadaDesde.elapsed() > qint64(a.silencio * 1000)) {
            salida = kSalidaMesa;
            motivo = QStringLiteral("Otro jugador dejó la mesa y nadie ocupó su silla: la partida no puede seguir.");
        }
        if (salida >= 0) {
            host.cerrando = true;
            QCoreApplication::exit(salida);
        }
    });
    vigia.start(20);
    host.Programar([&] { juego.IniciarPartida(); });
    QCoreApplication::exec();
    if (salida != 0) {
        err << (motivo.isEmpty() ? QStringLiteral("La partida terminó sin concluir.") : motivo) << "\n";
        return kSalidaMesa;
    }
    enlace.Socket().disconnectFromHost();

    QJsonArray p13, p24;
    int t13 = 0, t24 = 0;
    for (int h = 1; h <= E.NumMano && h < int(E.PuntosPar13.size()) && h < int(E.PuntosPar24.size()); ++h) {
        p13.append(E.PuntosPar13[h]);
        p24.append(E.PuntosPar24[h]);
        t13 += E.PuntosPar13[h];
        t24 += E.PuntosPar24[h];
    }
    QJsonObject o;
    o.insert(QStringLiteral("manos"), E.NumMano);
    o.insert(QStringLiteral("puntos13"), p13);
    o.insert(QStringLiteral("puntos24"), p24);
    o.insert(QStringLiteral("total13"), t13);
    o.insert(QStringLiteral("total24"), t24);
    o.insert(QStringLiteral("marcador"), host.Marcador);
    QTextStream(stdout) << QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) << "\n";
    return host.ArchivoFallido ? 2 : 0;
}
