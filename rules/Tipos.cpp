#include "rules/Tipos.h"

QString TextoFase(Fase f)
{
    switch (f) {
    case Fase::Repartiendo: return QStringLiteral("REPARTIENDO");
    case Fase::Saliendo: return QStringLiteral("SALIENDO");
    case Fase::Tirando: return QStringLiteral("TIRANDO");
    }
    return {};
}

std::optional<Fase> LeerFase(QStringView texto)
{
    for (Fase f : {Fase::Repartiendo, Fase::Saliendo, Fase::Tirando})
        if (texto == TextoFase(f))
            return f;
    return std::nullopt;
}

QString TextoModo(ModoJuego m)
{
    return m == ModoJuego::Lectura ? QStringLiteral("LECTURA") : QStringLiteral("ESCOGER");
}

std::optional<ModoJuego> LeerModo(QStringView texto)
{
    if (texto == u"ESCOGER")
        return ModoJuego::Escoger;
    if (texto == u"LECTURA")
        return ModoJuego::Lectura;
    return std::nullopt;
}

QString TextoExtremo(Extremo x)
{
    switch (x) {
    case Extremo::Ninguno: return {};
    case Extremo::Izq: return QStringLiteral("IZQ");
    case Extremo::Der: return QStringLiteral("DER");
    case Extremo::Nula: return QStringLiteral("NUL");
    }
    return {};
}

std::optional<Extremo> LeerExtremo(QStringView texto)
{
    for (Extremo x : {Extremo::Izq, Extremo::Der, Extremo::Nula})
        if (texto == TextoExtremo(x))
            return x;
    return std::nullopt;
}

char LetraQuien(Quien q) { return q == Quien::Persona ? 'H' : 'C'; }

std::optional<Quien> LeerQuien(char letra)
{
    if (letra == 'H')
        return Quien::Persona;
    if (letra == 'C')
        return Quien::Computadora;
    return std::nullopt;
}

char LetraDonde(Donde d) { return d == Donde::Local ? 'L' : 'R'; }

std::optional<Donde> LeerDonde(char letra)
{
    if (letra == 'L')
        return Donde::Local;
    if (letra == 'R')
        return Donde::Remota;
    return std::nullopt;
}
