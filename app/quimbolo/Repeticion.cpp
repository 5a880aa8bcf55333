#include "app/quimbolo/Repeticion.h"

#include <QDir>

#include "app/quimbolo/Consejo.h"
#include "flujo/Entradas.h"
#include "flujo/Posicion.h"

Repeticion::Repeticion(Juego& juego, Consejo* consejo)
    : J(juego), E(juego.E), A(juego.A), consejo_(consejo)
{
}

void Repeticion::Avisar(const QString& texto)
{
    A.Aviso(texto, 48, 10);
}

void Repeticion::AplicarRegistro(Estado& e, const RegistroMano& r)
{
    entrada::PonerRegistro(e, r);
}

void Repeticion::bRepetir_Click(int silla)
{
    // 1.
    if (ElegirRegistro)
        ElegirRegistro();
    if (RutaJuego.isEmpty() || A.Cerrando())
        return;
    // The deal can only be replaced while the tiles are being picked.
    if (E.FaseMano != Fase::Repartiendo || E.Modo == ModoJuego::Lectura)
        return;
    // 3. Read and checked whole before anything changes: a record that
    // cannot be a hand of this game is refused, never laid out in part.
    const LecturaRegistro lectura = LeerRegistroArchivo(RutaJuego);
    if (!lectura.Ok) {
        Avisar(QStringLiteral("No se puede repetir la mano de\n") + QDir::toNativeSeparators(RutaJuego) + '\n'
               + lectura.Mensaje());
        return;
    }
    const ResultadoPosicion jugadas = ComprobarJugadas(lectura.Registro);
    if (!jugadas.Ok) {
        Avisar(QStringLiteral("No se puede repetir la mano de\n") + QDir::toNativeSeparators(RutaJuego) + '\n'
               + jugadas.Mensaje());
        return;
    }
    // 2.
    A.Boton(Control::bAzar, silla, Accion::Ocultar);
    A.Boton(Control::bRepetir, silla, Accion::Ocultar);
    AplicarRegistro(E, lectura.Registro);
    // 4. The pool is gone: every tile now lies in a hand.
    entrada::LecturaIniciada(E);
    for (int s = 1; s <= 4; ++s)
        A.DibujarMano(s, E.Jugadores[s].Vista);
    A.DibujarMesa();
    // 5 and 6. The other copies get every hand before the replay is announced.
    for (int s : {2, 4, 1, 3})
        A.FichasTomadas(s, std::span<const int, 7>(E.Jugadores[s].Mano.data() + 1, 7));
    entrada::RepeticionAnunciada(E);
    A.ManoRepetida();
    const auto n = lectura.Registro.Tiros.size();
    A.JugadasRepetidas(E.Salidor, std::span<const int>(E.HistFicha.data() + 1, n),
                       std::span<const Extremo>(E.HistPunta.data() + 1, n));
}

void Repeticion::bAtras_Click()
{
    // Only a step this copy takes at once is announced, so every copy takes
    // back the same play.
    if (!J.PuedeRegresar())
        return;
    A.TurnoRegresado(E.Turno);
    if (consejo_)
        consejo_->Invalidar();
    J.RegresarTurno();
}

void Repeticion::bMemoria_Click()
{
    // 1.
    A.Boton(Control::bMemoria, 0, Accion::Deshabilitar);
    const int n = E.NumTiro + 1;
    if (n < 1 || n > kMaxTiros || E.HistFicha[n] < 0 || E.HistFicha[n] >= kNumFichas)
        return;
    if (E.FaseMano != Fase::Saliendo) {
        // 2.
        J.Tirar(E.HistFicha[n], E.HistPunta[n]);
    } else {
        // 3.
        entrada::SalidaElegida(E, E.HistFicha[n], E.HistPunta[n]);
    }
    // 4.
    const int t = E.Turno;
    if (t >= 1 && t <= 4 && E.Jugadores[t].LoR == Donde::Local && E.Jugadores[t].HoC == Quien::Persona)
        A.Boton(Control::bMemoria, 0, Accion::Habilitar);
}
