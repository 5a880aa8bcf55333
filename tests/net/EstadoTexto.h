#pragma once
// Everything a received line may write, as one text: two states that print
// the same were left alike by the lines between them.

#include <QTextStream>

#include "rules/Estado.h"

inline QString EstadoTexto(const Estado& e)
{
    QString t;
    QTextStream o(&t);
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = e.Jugadores[s];
        o << LetraQuien(j.HoC) << LetraDonde(j.LoR) << j.Vista << j.Nombre << '/' << j.NumFichas << '/' << j.Semilla;
        for (int k = 1; k <= 7; ++k)
            o << ',' << j.Mano[k];
        o << e.Sillas[s].DigitosMano << e.Sillas[s].MarcaFin << e.Sillas[s].NombreSilla << '\n';
    }
    for (const Ficha& f : e.Fichas)
        o << f.Lugar << f.Libre << f.Dueno << ' ';
    for (int i = 0; i < kHist; ++i)
        o << e.HistFicha[i] << TextoExtremo(e.HistPunta[i]) << e.MeritoTurno[i] << e.TiroRecibido[i] << TextoExtremo(e.PuntaRecibida[i]) << '|';
    const OpcionesJuego& p = e.Opciones;
    o << p.AoC << p.Nivel << p.Puntos << p.AcuPtos << p.Salida << p.Cierre << p.Tiempo1 << '/' << p.Tiempo2 << p.Vista << '\n'
      << e.Turno << e.NumTiro << e.Salidor << TextoFase(e.FaseMano) << TextoModo(e.Modo) << e.OrigenReparto << e.ManoTerminada;
    return t;
}
