// The end of a hand at this machine: tell the table, show the summary, keep
// the record, show the scoreboard, wait for every machine's "FIN", and only
// then schedule the next hand from the event loop.

#include "flujo/Resultados.h"
#include "records/Resumen.h"
#include "flujo/Juego.h"

void Juego::Tirar(int ficha, Extremo lado)
{
    JugarTiro(ficha, lado);
    if (E.ManoTerminada)
        TerminarMano();
}

void Juego::TerminarMano()
{
    // The pointer, the table and the hand procedure may each see the end: one runs it.
    if (!E.ManoTerminada || manoCerrada_)
        return;
    manoCerrada_ = true;

    // 1.
    for (int s = 1; s <= 4; ++s) {
        E.Sillas[s].DigitosMano = QString(14, '9');
        if (EsLocal(s)) {
            E.Sillas[s].MarcaFin = QStringLiteral("FIN");
            A.FinDeMano(s);
        }
    }
    // 2.
    Mensaje m;
    m.Mensaje = E.ResumenMano;
    // The summary speaks as the winner ("¡Ganamos!"); above it, plainly, who won.
    m.Titular = TextoGanadores(E);
    m.LabelFont = QStringLiteral("Courier New");
    m.Icono = 64;
    m.Botones = 0;
    A.MensaBox(m);
    // 3.
    GuardarMano(E, A);
    // 4.
    MostrarMarcador(E, A);
    // 5.
    for (;;) {
        int falta = 0;
        for (int s = 1; s <= 4 && falta == 0; ++s)
            if (E.Sillas[s].MarcaFin != QLatin1String("FIN"))
                falta = s;
        if (falta == 0)
            break;
        if (Cortar())
            return;
        A.Titulo(E.TituloMesa + QStringLiteral("Esperando que termine ") + EsperaDe(falta) + QStringLiteral(" ..."));
        A.Ceder();
        A.Pausa(1);
    }
    A.Titulo(E.TituloMesa);
    // 6.
    if (!E.FinPartida && !Cortar())
        A.Programar([this] { JugarMano(); });
}
