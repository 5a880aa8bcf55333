// libFuzzer target: arbitrary bytes through the framing, both readings of a
// line, and the receive buffer with the dispatcher. Crashes, out-of-range
// writes (the build checks std::array bounds), broken invariants, and a line
// taken by the game that does not read back the same once written again are
// findings.

#include <QCoreApplication>
#include <cstdlib>

#include "protocolo/Protocolo.h"
#include "protocolo/Troceador.h"
#include "tests/net/Invariantes.h"

namespace {

// What the game took from a line, written back and read again, is what it took.
bool VuelveIgual(const protocolo::Mensaje& m)
{
    using namespace protocolo;
    auto releido = [](const QString& linea) { return Leer(linea).mensaje; };
    if (const auto* t = std::get_if<Tiro>(&m)) {
        const QString linea = t->ficha < 0 ? LineaNoSalir(t->silla, -t->ficha)
                                           : LineaTiro(t->numero, t->silla, t->ficha, t->punta, t->merito);
        const auto r = releido(linea);
        const auto* u = r ? std::get_if<Tiro>(&*r) : nullptr;
        return u && u->numero == t->numero && u->silla == t->silla && u->ficha == t->ficha && u->punta == t->punta
               && (t->ficha < 0 || u->merito == t->merito);
    }
    if (const auto* o = std::get_if<Opcion>(&m)) {
        const auto r = releido(LineaOpcion(o->clave, o->codigo));
        const auto* p = r ? std::get_if<Opcion>(&*r) : nullptr;
        return p && p->clave == o->clave && p->codigo == o->codigo;
    }
    if (const auto* x = std::get_if<Memo>(&m)) {
        const auto r = releido(LineaMemo(x->salidor, std::span<const int>(x->fichas.data(), size_t(x->fichas.size())),
                                         std::span<const QString>(x->puntas.data(), size_t(x->puntas.size()))));
        const auto* y = r ? std::get_if<Memo>(&*r) : nullptr;
        return y && y->salidor == x->salidor && y->fichas == x->fichas && y->puntas == x->puntas;
    }
    if (const auto* n = std::get_if<Nombre>(&m)) {
        const auto r = releido(LineaNombre(n->silla, n->nombre));
        const auto* o = r ? std::get_if<Nombre>(&*r) : nullptr;
        return o && o->silla == n->silla && o->nombre == n->nombre;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QByteArray bytes(reinterpret_cast<const char*>(datos), qsizetype(largo));

    protocolo::Troceador troceador;
    troceador.Agregar(bytes);
    QString linea;
    for (;;) {
        const auto paso = troceador.Tomar(&linea);
        if (paso == protocolo::Troceador::Paso::Falta)
            break;
        if (paso != protocolo::Troceador::Paso::Linea)
            continue;
        const protocolo::LineaCliente c = protocolo::LeerDeCliente(linea);
        if (c.silla < 0 || c.silla > 4)
            std::abort();
        const protocolo::Lectura l = protocolo::Leer(linea);
        if (l.mensaje && !VuelveIgual(*l.mensaje))
            std::abort();
    }

    Estado e;
    e.FaseMano = Fase::Tirando;
    Despachador d(e);
    JuegoVigilante juego;
    d.Juego = &juego;
    // The first byte chooses the seat to move and the play under way, so
    // that received plays reach the play engine too.
    if (largo > 0) {
        e.Turno = 1 + datos[0] % 4;
        e.NumTiro = datos[0] % 26;
    }
    d.Llegada(bytes);
    d.Despachar();
    if (!FaltaInvariante(e).isEmpty() || juego.malas)
        std::abort();
    return 0;
}
