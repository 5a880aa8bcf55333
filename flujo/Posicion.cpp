#include "flujo/Posicion.h"

#include "flujo/AnfitrionMudo.h"
#include "flujo/Juego.h"

namespace {

ResultadoPosicion Falla(int linea, const QString& razon)
{
    ResultadoPosicion r;
    r.Linea = linea;
    r.Razon = razon;
    return r;
}

}  // namespace

void PrepararMano(const RegistroMano& r, int salidor, Estado& e)
{
    const OpcionesJuego opciones = e.Opciones;
    const QString carpeta = e.CarpetaApp;
    const QString datos = e.CarpetaDatos;
    const QString titulo = e.TituloMesa;
    e = Estado();
    e.Opciones = opciones;
    e.CarpetaApp = carpeta;
    e.CarpetaDatos = datos;
    e.TituloMesa = titulo;
    e.ParamNivel = ParamNivelDe(opciones.Nivel);
    PonerReparto(r, e);
    for (int s = 1; s <= 4; ++s) {
        Jugador& j = e.Jugadores[s];
        j.Nombre = r.Nombres[s];
        j.HoC = Quien::Computadora;
        j.LoR = Donde::Remota;
        j.Vista = 'A';
        j.OrdenReparto = s;
        e.Sillas[s].NombreSilla = r.Nombres[s].left(18);
    }
    e.NumMano = 2;
    e.PuntosPar13.assign(3, 0);
    e.PuntosPar24.assign(3, 0);
    e.Salidor = salidor;
    e.Turno = salidor;
    e.Ganador = 0;
    e.Modo = ModoJuego::Escoger;
    e.FaseMano = Fase::Saliendo;
    e.ValorIzq = 0;
    e.ValorDer = 0;
    for (int i = 1; i <= kMaxTiros; ++i)
        e.HistFicha[i] = -1;
}

namespace {

// The deal with the record's leader, the holder of the tile of play 1.
void Repartir(const RegistroMano& r, Estado& e)
{
    int lider = 1;
    for (int s = 1; s <= 4 && !r.Tiros.empty(); ++s)
        for (int k = 1; k <= 7; ++k)
            if (r.Manos[s][k] == r.Tiros.front().Ficha)
                lider = s;
    PrepararMano(r, lider, e);
}

// Plays 1..k of the record on e; checks each before it is made.
ResultadoPosicion Jugar(const RegistroMano& r, int k, Estado& e)
{
    AnfitrionMudo mudo;
    Juego juego(e, mudo);
    juego.IniciarLinea();
    for (int i = 0; i < k; ++i) {
        const int linea = 10 + i;
        const TiroRegistro& tiro = r.Tiros[i];
        const QString ficha = TextoDeFicha(tiro.Ficha);
        if (e.ManoTerminada)
            return Falla(linea, QStringLiteral("la jugada %1 (%2) llega cuando la mano ya había terminado.").arg(i + 1).arg(ficha));
        if (i == 0 && tiro.Punta != Extremo::Der)
            return Falla(linea, QStringLiteral("la primera jugada debe ir en la punta DER."));
        const Ficha& f = e.Fichas[tiro.Ficha];
        if (f.Lugar != 'D' || f.Dueno != e.Turno)
            return Falla(linea, QStringLiteral("la ficha %1 no está en la mano de %2 (jugador %3), que tiene el turno.")
                                    .arg(ficha, e.Jugadores[e.Turno].Nombre.trimmed())
                                    .arg(e.Turno));
        if (i > 0) {
            const int valor = tiro.Punta == Extremo::Der ? e.ValorDer : e.ValorIzq;
            if (f.Punto1 != valor && f.Punto2 != valor)
                return Falla(linea, QStringLiteral("la ficha %1 no entra por la punta %2, abierta al %3.")
                                        .arg(ficha, TextoExtremo(tiro.Punta))
                                        .arg(valor));
        }
        juego.JugarTiro(tiro.Ficha, tiro.Punta);
        if (e.NumTiro != i + 1)
            return Falla(linea, QStringLiteral("la jugada %1 (%2) no se pudo hacer.").arg(i + 1).arg(ficha));
    }
    ResultadoPosicion ok;
    ok.Ok = true;
    return ok;
}

}  // namespace

QString ResultadoPosicion::Mensaje() const
{
    if (Ok)
        return {};
    if (Linea > 0)
        return QStringLiteral("Línea %1: %2").arg(Linea).arg(Razon);
    return Razon;
}

ResultadoPosicion ComprobarJugadas(const RegistroMano& r)
{
    if (r.Tiros.empty())
        return Falla(9, QStringLiteral("la mano no tiene ninguna jugada."));
    if (static_cast<int>(r.Tiros.size()) > kMaxTiros)
        return Falla(9, QStringLiteral("una mano no puede tener más de %1 jugadas.").arg(kMaxTiros));
    Estado e;
    Repartir(r, e);
    return Jugar(r, static_cast<int>(r.Tiros.size()), e);
}

ResultadoPosicion PosicionTrasJugadas(const RegistroMano& r, int k, Estado& e)
{
    ResultadoPosicion v = ComprobarJugadas(r);
    if (!v.Ok)
        return v;
    const int n = static_cast<int>(r.Tiros.size());
    if (k < 0 || k > n)
        return Falla(0, QStringLiteral("K debe estar entre 0 y %1, el número de jugadas del registro.").arg(n));
    Repartir(r, e);
    v = Jugar(r, k, e);
    if (!v.Ok)
        return v;
    if (e.ManoTerminada)
        return Falla(0, QStringLiteral("la mano ya está terminada tras %1 jugadas.").arg(k));
    for (int s = 1; s <= 4; ++s)
        e.Jugadores[s].Meritos = 0;
    return v;
}
