#include "flujo/Entradas.h"

#include <algorithm>

namespace entrada {

namespace {
// The line readers already refuse a seat or play number out of range; these
// entry points keep an out-of-range write impossible whoever calls them.
bool EsSilla(int silla) { return silla >= 1 && silla <= 4; }
}  // namespace

void NombreRecibido(Estado& e, int silla, const QString& nombre)
{
    if (!EsSilla(silla))
        return;
    e.Jugadores[silla].Nombre = nombre;
    e.Sillas[silla].Dejada = false;
}

void TipoRecibido(Estado& e, int silla, Quien tipo)
{
    if (EsSilla(silla))
        e.Jugadores[silla].HoC = tipo;
}

void SillaConcedida(Estado& e, int silla)
{
    if (EsSilla(silla))
        e.Jugadores[silla].LoR = Donde::Local;
}

void OpcionRecibida(Estado& e, const QString& clave, const QString& codigo) { e.Opciones.Poner(clave, codigo); }

void ManoRecibida(Estado& e, int silla, const QString& digitos)
{
    if (EsSilla(silla))
        e.Sillas[silla].DigitosMano = digitos;
}

void TiroRecibido(Estado& e, int numero, int ficha, Extremo punta, const QString& merito)
{
    if (numero < 0 || numero >= kHist)
        return;
    e.TiroRecibido[numero] = ficha;
    e.PuntaRecibida[numero] = punta;
    e.MeritoRecibido[numero] = merito;
}

void FinRecibido(Estado& e, int silla)
{
    if (EsSilla(silla))
        e.Sillas[silla].MarcaFin = QStringLiteral("FIN");
}

void RepeticionRecibida(Estado& e)
{
    RepeticionAnunciada(e);
    LecturaIniciada(e);
}

void MemoriaRecibida(Estado& e, int salidor, const QList<int>& fichas, const QList<Extremo>& puntas)
{
    e.Salidor = salidor;
    const int n = static_cast<int>(std::min({fichas.size(), puntas.size(), qsizetype(kMaxTiros)}));
    for (int i = 0; i < n; ++i) {
        e.HistFicha[i + 1] = fichas[i];
        e.HistPunta[i + 1] = puntas[i];
    }
}

void SillaDejada(Estado& e, int silla)
{
    if (EsSilla(silla))
        e.Sillas[silla].Dejada = true;
}

void AbrirSillas(Estado& e)
{
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].HoC = Quien::Persona;
        e.Jugadores[s].LoR = Donde::Remota;
    }
}

void CopiarSillas(Estado& e, bool manos)
{
    for (int s = 1; s <= 4; ++s) {
        e.Sillas[s].NombreSilla = e.Jugadores[s].Nombre.left(18);
        if (manos)
            e.Sillas[s].DigitosMano = QString(14, QLatin1Char('9'));
    }
}

void ComputadoraOcupa(Estado& e, int silla, const QString& nombre)
{
    if (!EsSilla(silla))
        return;
    Jugador& j = e.Jugadores[silla];
    j.Nombre = nombre;
    j.HoC = Quien::Computadora;
    j.LoR = Donde::Local;
}

void SembrarSilla(Estado& e, int silla, int semilla)
{
    if (EsSilla(silla))
        e.Jugadores[silla].Semilla = semilla;
}

void FijarVistas(Estado& e, int personasLocales)
{
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = e.Jugadores[s];
        j.Vista = (personasLocales < 2 && j.LoR == Donde::Local && j.HoC == Quien::Persona) ? 'A' : e.Opciones.AoC;
    }
}

void PonerCarpetas(Estado& e, const QString& carpetaApp, const QString& carpetaDatos)
{
    e.CarpetaApp = carpetaApp;
    e.CarpetaDatos = carpetaDatos;
}

void PrepararAnalisis(Estado& e, const OpcionesJuego& opciones, const QString& carpetaApp)
{
    e.Opciones = opciones;
    e.CarpetaApp = carpetaApp;
}

void SembrarSillas(Estado& e, int semilla)
{
    for (int s = 1; s <= 4; ++s)
        e.Jugadores[s].Semilla = semilla;
}

void TodasComputadoras(Estado& e)
{
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].HoC = Quien::Computadora;
        e.Jugadores[s].LoR = Donde::Local;
    }
}

void PonerNivel(Estado& e, char nivel) { e.ParamNivel = ParamNivelDe(nivel); }

QString TituloDeMesa(const Estado& e, const QString& version)
{
    QString titulo = QStringLiteral("Quimbolo v.") + version + QStringLiteral(". Mesa 1. ");
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = e.Jugadores[s];
        if (j.HoC == Quien::Persona && j.LoR == Donde::Local)
            titulo += j.Nombre + QStringLiteral(". ");
    }
    return titulo;
}

QString NombreLocalDe(const Estado& e)
{
    QString nombre = e.NombreLocal;
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = e.Jugadores[s];
        if (j.HoC == Quien::Persona && j.LoR == Donde::Local)
            nombre = j.Nombre;
    }
    return nombre;
}

void AbrirMesa(Estado& e, const QString& titulo, const QString& nombreLocal)
{
    e.NombreLocal = nombreLocal;
    e.TituloMesa = titulo;
    PonerNivel(e, e.Opciones.Nivel);
}

void PonerRegistro(Estado& e, const RegistroMano& r)
{
    PonerReparto(r, e);
    const int n = std::min(static_cast<int>(r.Tiros.size()), kMaxTiros);
    for (int i = 1; i <= n; ++i) {
        e.HistFicha[i] = r.Tiros[static_cast<size_t>(i - 1)].Ficha;
        e.HistPunta[i] = r.Tiros[static_cast<size_t>(i - 1)].Punta;
    }
    if (n >= 1)
        e.Salidor = e.Fichas[e.HistFicha[1]].Dueno;
    for (int i = n + 1; i <= kMaxTiros; ++i)
        e.HistFicha[i] = -1;
}

void LecturaIniciada(Estado& e) { e.Modo = ModoJuego::Lectura; }

void RepeticionAnunciada(Estado& e) { e.OrigenReparto = 'R'; }

void SalidaElegida(Estado& e, int ficha, Extremo punta)
{
    e.TiroListo = true;
    e.FichaElegida = ficha;
    e.PuntaElegida = punta;
}

void OlvidarMemoria(Estado& e)
{
    for (int n = std::max(e.NumTiro + 1, 1); n <= kMaxTiros; ++n)
        e.HistFicha[n] = -1;
}

void BorrarPronostico(Estado& e)
{
    if (e.NumTiro + 1 >= 0 && e.NumTiro + 1 < kHist)
        e.Pronosticos[e.NumTiro + 1].clear();
}

}  // namespace entrada
