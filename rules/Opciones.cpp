#include "rules/Opciones.h"

int ParamNivelDe(char nivel)
{
    switch (nivel) {
    case 'P': return 20;
    case 'I': return 24;
    case 'A': return 26;
    case 'U': return 28;
    default: return 0;
    }
}
