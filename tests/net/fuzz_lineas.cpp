// libFuzzer target: arbitrary bytes through the receive buffer and the
// dispatcher. Crashes, out-of-range writes (the build checks std::array
// bounds) and broken invariants are findings.

#include <QCoreApplication>
#include <cstdlib>

#include "tests/net/Invariantes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    Estado e;
    e.FaseMano = QStringLiteral("TIRANDO");
    Despachador d(e);
    JuegoVigilante juego;
    d.Juego = &juego;
    // The first byte chooses the seat to move and the play under way, so
    // that received plays reach the play engine too.
    if (largo > 0) {
        e.Turno = 1 + datos[0] % 4;
        e.NumTiro = datos[0] % 26;
    }
    d.Llegada(QByteArray(reinterpret_cast<const char*>(datos), qsizetype(largo)));
    d.Despachar();
    if (!FaltaInvariante(e).isEmpty() || juego.malas)
        std::abort();
    return 0;
}
