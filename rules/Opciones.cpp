#include "rules/Opciones.h"

#include "protocolo/Opciones.h"

namespace {

char Letra(const QString& codigo) { return codigo.isEmpty() ? '\0' : codigo.at(0).toLatin1(); }

}  // namespace

OpcionesJuego::OpcionesJuego()
{
    for (const protocolo::DefinicionOpcion& d : protocolo::Opciones())
        Poner(d.Clave, d.PorOmision);
}

QString OpcionesJuego::Codigo(const QString& clave) const
{
    if (clave == u"AoC")
        return QString(QChar::fromLatin1(AoC));
    if (clave == u"Nivel")
        return QString(QChar::fromLatin1(Nivel));
    if (clave == u"Puntos")
        return QString::number(Puntos);
    if (clave == u"AcuPtos")
        return QString::number(AcuPtos);
    if (clave == u"Salida")
        return Salida;
    if (clave == u"Cierre")
        return Cierre;
    if (clave == u"Tiempo1")
        return QString::number(Tiempo1);
    if (clave == u"Tiempo2")
        return QString::number(Tiempo2);
    if (clave == u"Vista")
        return QString(QChar::fromLatin1(Vista));
    return {};
}

void OpcionesJuego::Poner(const QString& clave, const QString& codigo)
{
    if (clave == u"AoC")
        AoC = Letra(codigo);
    else if (clave == u"Nivel")
        Nivel = Letra(codigo);
    else if (clave == u"Puntos")
        Puntos = codigo.toInt();
    else if (clave == u"AcuPtos")
        AcuPtos = codigo.toInt();
    else if (clave == u"Salida")
        Salida = codigo;
    else if (clave == u"Cierre")
        Cierre = codigo;
    else if (clave == u"Tiempo1")
        Tiempo1 = codigo.toInt();
    else if (clave == u"Tiempo2")
        Tiempo2 = codigo.toInt();
    else if (clave == u"Vista")
        Vista = Letra(codigo);
}

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
