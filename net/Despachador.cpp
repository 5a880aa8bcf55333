#include "net/Despachador.h"
#include "flujo/Entradas.h"

#include <QMetaObject>
#include <QTime>


Despachador::Despachador(Estado& estado, QObject* padre) : QObject(padre), E(estado) {}

void Despachador::Llegada(const QByteArray& bloque)
{
    troceador.Agregar(bloque);
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
    using Paso = protocolo::Troceador::Paso;
    QString linea;
    // Lines are taken one at a time: a nested run may have taken some while
    // the previous handler waited.
    for (;;) {
        switch (troceador.Tomar(&linea)) {
        case Paso::Falta:
            return;
        case Paso::Larga:
            ++Ignoradas;
            Anotar(QStringLiteral("(línea ignorada: demasiado larga)"));
            break;
        case Paso::Invalida:
            ++Ignoradas;
            Anotar(QStringLiteral("(línea ignorada: no es UTF-8)"));
            break;
        case Paso::Linea:
            Anotar(linea);
            if (AlLeer)
                AlLeer(linea);
            Atender(linea);
            break;
        }
    }
}

void Despachador::Rechazar(const QString& motivo)
{
    ++Ignoradas;
    Anotar(QStringLiteral("(línea ignorada: %1)").arg(motivo));
}

void Despachador::PedirSilla(int silla)
{
    if (silla >= 1 && silla <= 4)
        pedidas_[static_cast<size_t>(silla)] = true;
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
        if (!l.motivo.isEmpty())
            Rechazar(l.motivo);
        return;
    }
    using namespace protocolo;
    std::visit(
        Casos{
            [](const Silla&) {},
            [this](const Nombre& m) {
                entrada::NombreRecibido(E, m.silla, m.nombre);
                if (Oyente)
                    Oyente->NombreRecibido(m.silla);
            },
            [this](const HoC& m) { entrada::TipoRecibido(E, m.silla, *LeerQuien(m.tipo)); },
            [this](const Local& m) {
                const size_t s = static_cast<size_t>(m.silla);
                if (PartidaIniciada && !pedidas_[s]) {
                    Rechazar(QStringLiteral("silla %1 concedida sin haberla pedido").arg(m.silla));
                    return;
                }
                pedidas_[s] = false;
                entrada::SillaConcedida(E, m.silla);
                if (Oyente)
                    Oyente->SillaConcedida(m.silla);
                if (PartidaIniciada && Juego)
                    Juego->SillaRecuperada(m.silla);
            },
            [this](const Inici&) {
                PartidaIniciada = true;
                if (Oyente)
                    Oyente->InicioRecibido();
            },
            [this](const Opcion& m) {
                entrada::OpcionRecibida(E, m.clave, m.codigo);
                if (Oyente)
                    Oyente->OpcionRecibida(m.clave);
            },
            [this](const Fichas& m) {
                entrada::ManoRecibida(E, m.silla, m.digitos);
                // Outside the pick the line is only kept: the server returns a
                // copy's own hands after its lead may already be on the line,
                // and the next hand's first hands can arrive while this copy
                // still closes the last one. Rebuilding then would take played
                // tiles back into a hand; the pick rebuilds from DigitosMano.
                if (E.FaseMano == Fase::Repartiendo && Juego)
                    Juego->ManoRecibida(m.silla);
            },
            [this](const Tiro& m) {
                entrada::TiroRecibido(E, m.numero, m.ficha, LeerExtremo(m.punta).value_or(Extremo::Ninguno), m.merito);
                // Only the next play of a hand under way, for the seat to move,
                // played elsewhere, is made here; the lead and plays that come
                // early are left for the turn cycle to take.
                const bool esperado = m.silla == E.Turno && E.Jugadores[m.silla].LoR == Donde::Remota && m.ficha >= 0 &&
                                      m.numero == E.NumTiro + 1 && E.FaseMano == Fase::Tirando && !E.ManoTerminada;
                if (!esperado || !Juego)
                    return;
                const int antes = E.NumTiro;
                Juego->TiroRecibido(m.ficha, E.PuntaRecibida[m.numero]);
                if (E.NumTiro == antes && !E.ManoTerminada)
                    Rechazar(QStringLiteral("la silla %1 no puede jugar la ficha %2 en %3")
                                 .arg(m.silla)
                                 .arg(m.ficha)
                                 .arg(m.punta));
            },
            [this](const Atras& m) {
                if (Juego)
                    Juego->AtrasRecibido(m.silla);
            },
            [this](const Fin& m) { entrada::FinRecibido(E, m.silla); },
            [this](const Repet&) { entrada::RepeticionRecibida(E); },
            [this](const Memo& m) {
                QList<Extremo> puntas;
                for (const QString& p : m.puntas)
                    puntas << LeerExtremo(p).value_or(Extremo::Ninguno);
                entrada::MemoriaRecibida(E, m.salidor, m.fichas, puntas);
            },
            [this](const Chat& m) {
                if (Oyente)
                    Oyente->ChatRecibido(m.texto);
                if (const int s = SillaDejadaEn(m.texto);
                    s > 0 && PartidaIniciada && E.Jugadores[s].LoR != Donde::Local) {
                    entrada::SillaDejada(E, s);
                    if (Juego)
                        Juego->SillaDejada(s);
                    if (Oyente)
                        Oyente->SillaDejada(s);
                }
            },
        },
        *l.mensaje);
}
