// AnalizarPosicion: progress, search, tree file, classification. The search
// engine is the only part that differs between the fast and the reference
// analysis.

#include "ai/Analisis.h"

namespace {

ResultadoAnalisis Analizar(Estado& e, Avance& a, Busqueda (*buscar)(const Estado&, Avance&),
                           Desempate desempate = Desempate::Corregido)
{
    a.MostrarPicThink(true);
    a.MostrarAvance(0.0, true);
    a.CursorOcupado(true);

    Busqueda b = buscar(e, a);
    b.Arbol += arbol::Cabecera(e.Turno, e.Jugadores[e.Turno].Nombre);

    // The text is handed on and written where it lies: a copy of a large
    // tree costs as much as a tenth of a whole analysis.
    ResultadoAnalisis res;
    res.Arbol = std::move(b.Arbol);
    res.ArbolEscrito = arbol::Guardar(
        e.BaseJgo(), QByteArray::fromRawData(res.Arbol.data(), static_cast<qsizetype>(res.Arbol.size())),
        &res.ErrorArbol);

    a.MostrarAvance(1.0, true);
    a.MostrarPicThink(false);
    a.CursorOcupado(false);
    if (!res.ArbolEscrito)
        a.AvisoArchivo(QStringLiteral("No se pudo guardar el árbol de posibilidades.\n") + res.ErrorArbol);

    Clasificacion c = ClasificarJugadas(e, b.Analisis, desempate);
    res.Ficha = c.Ficha;
    res.Punta = c.Punta;
    res.Texto = c.Texto;
    res.Pronosticos = c.Pronosticos;
    res.Analisis = b.Analisis;
    for (const AnalisisFicha& f : b.Analisis)
        for (const MitadAnalisis* m : {&f.D, &f.I})
            if (m->Llena)
                res.Lineas += m->Idas[1] + m->Idas[2] + m->Cierres[1] + m->Cierres[2];
    if (e.NumTiro + 1 < kHist)
        e.Pronosticos[e.NumTiro + 1] += c.Pronosticos;
    return res;
}

}  // namespace

ResultadoAnalisis AnalizarPosicion(Estado& e, Avance& a, Desempate desempate)
{
    return Analizar(e, a, &BuscarRapido, desempate);
}

ResultadoAnalisis AnalizarPosicionReferencia(Estado& e, Avance& a)
{
    return Analizar(e, a, &BuscarReferencia);
}
