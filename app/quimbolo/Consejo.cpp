#include "app/quimbolo/Consejo.h"

#include "ai/Analisis.h"
#include "ai/Elegir.h"
#include "app/quimbolo/Arbol.h"
#include "rules/Jugadas.h"
#include "view/Colores.h"

Consejo::Consejo(Estado& estado, Anfitrion& anfitrion) : E(estado), A(anfitrion)
{
    ColorSilla = [](int silla) { return vista::ColoresSillas(false)[static_cast<size_t>(silla)]; };
}

void Consejo::Calcular()
{
    const int turno = E.Turno;
    if (turno < 1 || turno > 4)
        return;
    const int opciones = ContarOpciones(E, turno);
    if (opciones < 1) {
        Invalidar();
        return;
    }
    const Eleccion r = ElegirJugada(E, A, opciones);
    ConsejoFicha = r.Ficha;
    ConsejoPunta = r.Lado;
    ConsejoTexto = r.Msg;
    ConsejoArbol = r.HuboTree;
    mano_ = E.NumMano;
    tiro_ = E.NumTiro;
    turno_ = turno;

    // The colours are seen only in this one drawing of the hand; the next
    // drawing shows the seat's own colour again.
    vista::ColorearPronostico(E);
    A.DibujarMano(turno, E.Jugadores[turno].Vista);
    vista::PonerColoresMano(E, turno, ColorSilla ? ColorSilla(turno) : vista::kColorNeutro);
}

bool Consejo::HayQueCalcular() const
{
    if (ConsejoFicha == kSinConsejo)
        return true;
    if (E.NumTiro == 0 && E.Pronosticos[1].isEmpty())
        return true;
    return mano_ != E.NumMano || tiro_ != E.NumTiro || turno_ != E.Turno;
}

Mensaje Consejo::MensajeConsejo() const
{
    Mensaje m;
    if (ConsejoFicha >= 0 && ConsejoFicha < kNumFichas) {
        const Pips& p = kTablaFichas[static_cast<size_t>(ConsejoFicha)];
        m.Mensaje = QStringLiteral("Consejo: %1-%2").arg(p.Punto1).arg(p.Punto2);
    }
    if (ConsejoPunta != Extremo::Ninguno)
        m.Mensaje += QStringLiteral(" Punta ") + TextoExtremo(ConsejoPunta);
    if (!ConsejoTexto.isEmpty())
        m.Mensaje += QStringLiteral("\n\n") + ConsejoTexto;
    m.LabelFont = QStringLiteral("Tahoma");
    m.Icono = 64;
    m.Botones = ConsejoArbol ? 99 : 0;
    m.Duracion = ConsejoTexto.isEmpty() ? 3.0 : 30.0;
    m.Default = 0;
    return m;
}

void Consejo::bConsejo_Click()
{
    if (Permitido && !Permitido())
        return;
    if (HayQueCalcular())
        Calcular();
    if (ConsejoFicha < 0 || ConsejoFicha >= kNumFichas)
        return;
    const int respuesta = A.MensaBox(MensajeConsejo());
    if (respuesta != 99 || !ConsejoArbol || A.Cerrando())
        return;
    const QString ruta = arbol::Ruta(E.BaseJgo());
    if (ArbolMostrable(ruta) && VerArbol)
        VerArbol(ruta);
}
