#include "net/Despachador.h"

#include <QMetaObject>
#include <QTime>


Despachador::Despachador(Estado& estado, QObject* padre) : QObject(padre), E(estado) {}

void Despachador::Llegada(const QByteArray& bloque)
{
    buffer.append(bloque);
    if (programado)
        return;
    programado = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            programado = false;
            Despachar();
        },
        Qt::QueuedConnection);
}

void Despachador::Despachar()
{
    QString linea;
    // The buffer is re-read on every pass: a nested run may have taken lines
    // from it while the previous handler waited.
    while (protocolo::TomarLinea(buffer, linea)) {
        if (descartando || linea.size() > kMaxLinea) {
            descartando = false;
            ++Ignoradas;
            Anotar(QStringLiteral("(línea ignorada: demasiado larga)"));
            continue;
        }
        if (linea.isEmpty())
            continue;
        Anotar(linea);
        Atender(linea);
    }
    if (buffer.size() > kMaxLinea) {
        buffer.clear();
        descartando = true;
    }
}

void Despachador::Anotar(const QString& entrada)
{
    const QString e = QTime::currentTime().toString(QStringLiteral("HH:mm:ss.zzz")) + QLatin1Char(' ') + entrada;
    Registro.append(e);
    if (Registro.size() > kMaxRegistro)
        Registro.removeFirst();
    if (AlRegistrar)
        AlRegistrar(e);
}

namespace {
template <class... F>
struct Casos : F... {
    using F::operator()...;
};
template <class... F>
Casos(F...) -> Casos<F...>;
}  // namespace

void Despachador::Atender(const QString& linea)
{
    const protocolo::Lectura l = protocolo::Leer(linea);
    if (!l.mensaje) {
        if (!l.motivo.isEmpty()) {
            ++Ignoradas;
            Anotar(QStringLiteral("(línea ignorada: %1)").arg(l.motivo));
        }
        return;
    }
    using namespace protocolo;
    std::visit(
        Casos{
            [](const Silla&) {},
            [this](const Nombre& m) {
                E.Jugadores[m.silla].Nombre = m.nombre;
                if (Oyente)
                    Oyente->NombreRecibido(m.silla);
            },
            [this](const HoC& m) { E.Jugadores[m.silla].HoC = m.tipo; },
            [this](const Local& m) {
                E.Jugadores[m.silla].LoR = 'L';
                if (Oyente)
                    Oyente->SillaConcedida(m.silla);
            },
            [this](const Inici&) {
                if (Oyente)
                    Oyente->InicioRecibido();
            },
            [this](const Opcion& m) {
                Aplicar(E.Opciones, m);
                if (Oyente)
                    Oyente->OpcionRecibida(m.clave);
            },
            [this](const Fichas& m) {
                E.Sillas[m.silla].DigitosMano = m.digitos;
                // Outside the pick the line is only kept: the server returns a
                // copy's own hands after its lead may already be on the line,
                // and the next hand's first hands can arrive while this copy
                // still closes the last one. Rebuilding then would take played
                // tiles back into a hand; the pick rebuilds from DigitosMano.
                if (E.FaseMano == u"REPARTIENDO")
                    ReconstruirMano(E, m.silla);
            },
            [this](const Tiro& m) {
                E.TiroRecibido[m.numero] = m.ficha;
                E.PuntaRecibida[m.numero] = m.punta;
                // Only the next play of a hand under way, for the seat to move,
                // played elsewhere, is made here; the lead and plays that come
                // early are left for the turn cycle to take.
                const bool esperado = m.silla == E.Turno && E.Jugadores[m.silla].LoR == 'R' && m.ficha >= 0 &&
                                      m.numero == E.NumTiro + 1 && E.FaseMano == u"TIRANDO" && !E.ManoTerminada;
                if (!esperado || !Juego)
                    return;
                E.MeritoTurno[m.numero] = m.merito;
                Juego->JugarTiro(m.ficha, m.punta);
                if (E.ManoTerminada)
                    Juego->TerminarMano();
            },
            [this](const Atras&) {
                if (Juego)
                    Juego->RegresarTurno();
            },
            [this](const Fin& m) { E.Sillas[m.silla].MarcaFin = QStringLiteral("FIN"); },
            [this](const Repet&) {
                E.OrigenReparto = 'R';
                E.Modo = QStringLiteral("LECTURA");
            },
            [this](const Memo& m) {
                E.Salidor = m.salidor;
                for (int i = 1; i <= m.cuenta; ++i) {
                    E.HistFicha[i] = m.fichas[i];
                    E.HistPunta[i] = m.puntas[i];
                }
            },
            [this](const Chat& m) {
                if (Oyente)
                    Oyente->ChatRecibido(m.texto);
            },
        },
        *l.mensaje);
}
