#include "ai/Analisis.h"

Busqueda BuscarRapido(const Estado& e, Anfitrion& a)
{
    return BuscarReferencia(e, a);
}
