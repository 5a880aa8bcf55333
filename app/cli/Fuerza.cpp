// quimbolo-cli fuerza: playing strength of two computer configurations,
// measured in duplicate. Each seeded deal is played twice from the same
// leader seat, the two configurations swapping pairs, so the luck of the
// deal cancels out and what is left is how each plays it.

#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextStream>
#include <cmath>
#include <cstdio>

#include "ai/Elegir.h"
#include "app/cli/Comandos.h"
#include "app/cli/Comun.h"
#include "flujo/Entradas.h"
#include "flujo/Posicion.h"
#include "flujo/AnfitrionMudo.h"
#include "rules/Azar.h"
#include "rules/Jugadas.h"
#include "flujo/Juego.h"

namespace {

// One side: the level and what the computer sees, as "U:S" or "U:T", then
// optionally "literal" (the tie-break before it was mended) and, under S,
// "rN" (consider at most N deals instead of what the time allows), e.g.
// "I:S:r256" or "U:T:literal".
struct Config {
    QString Texto;
    char Nivel = 'U';
    Criterio Como;
};

bool LeerConfig(const QString& v, Config* c)
{
    const QStringList p = v.split(':');
    if (p.size() < 2 || p.size() > 4 || p[0].size() != 1 || !QStringLiteral("PIAU").contains(p[0])
        || (p[1] != QLatin1String("T") && p[1] != QLatin1String("S")))
        return false;
    Config n;
    n.Texto = v;
    n.Nivel = p[0][0].toLatin1();
    n.Como.Vista = p[1][0].toLatin1();
    bool literal = false;
    for (int i = 2; i < p.size(); ++i) {
        if (p[i] == QLatin1String("literal") && !literal) {
            literal = true;
            n.Como.Regla = Desempate::Literal;
            continue;
        }
        bool ok = p[i].size() >= 2 && p[i].size() <= 6 && p[i][0] == 'r' && n.Como.Vista == 'S' && n.Como.Repartos == 0;
        for (int k = 1; ok && k < p[i].size(); ++k)
            ok = p[i][k] >= '0' && p[i][k] <= '9';
        n.Como.Repartos = ok ? p[i].mid(1).toInt() : 0;
        if (n.Como.Repartos <= 0)
            return false;
    }
    *c = n;
    return true;
}

// A number from 0 to `maximo`, plain digits.
bool LeerEntero(const QString& v, long long maximo, long long* n)
{
    bool ok = !v.isEmpty() && v.size() <= 10;
    for (const QChar c : v)
        ok = ok && c >= '0' && c <= '9';
    *n = ok ? v.toLongLong() : -1;
    return ok && *n <= maximo;
}

struct Reparto {
    RegistroMano Registro;  // names and hands; no plays
    int Salidor = 1;
};

Reparto Repartir(std::int64_t semilla, int indice)
{
    Azar azar;
    azar.Sembrar(semilla * 1000003 + indice);
    std::array<int, kNumFichas> fichas{};
    for (int t = 0; t < kNumFichas; ++t)
        fichas[t] = t;
    for (int i = kNumFichas - 1; i > 0; --i)
        std::swap(fichas[i], fichas[static_cast<int>(azar.Siguiente() * (i + 1))]);
    Reparto r;
    for (int s = 1; s <= 4; ++s) {
        r.Registro.Nombres[s] = QStringLiteral("Compu %1").arg(s);
        for (int k = 1; k <= 7; ++k)
            r.Registro.Manos[s][k] = fichas[static_cast<std::size_t>((s - 1) * 7 + k - 1)];
    }
    r.Salidor = 1 + static_cast<int>(azar.Siguiente() * 4);
    return r;
}

struct Lado {
    double Segundos = 0;
    int Jugadas = 0;
};

struct Mano {
    int Puntos13 = 0, Puntos24 = 0;
};

// The deal as a later hand of a partida among four computer seats, the
// configuration of pair 1-3 on seats 1 and 3. Plays go through the game's
// own chooser and play engine; false when a choice could not be played.
bool Jugar(const Reparto& r, const OpcionesJuego& opciones, const QString& carpeta, std::int64_t semilla,
           bool analizar, const Config& par13, const Config& par24, Lado* l13, Lado* l24, Mano* mano)
{
    Estado e;
    entrada::PrepararAnalisis(e, opciones, carpeta);
    // Every seat a computer played elsewhere: the turn stops after each play
    // and this loop asks for the next.
    PrepararMano(r.Registro, r.Salidor, e);
    entrada::SembrarSillas(e, static_cast<int>(semilla));

    AnfitrionMudo host;
    host.RespuestaAnalisis = analizar;
    Juego juego(e, host);
    juego.IniciarLinea();
    while (!e.ManoTerminada) {
        const bool es13 = ParejaDe(e.Turno) == 1;
        const Config& c = es13 ? par13 : par24;
        entrada::PonerNivel(e, c.Nivel);
        // The lead is asked as the hand procedure asks it: seven options.
        const int opciones = e.NumTiro == 0 ? 7 : ContarOpciones(e, e.Turno);
        QElapsedTimer reloj;
        reloj.start();
        const Eleccion el = ElegirJugada(e, host, opciones, c.Como);
        Lado* l = es13 ? l13 : l24;
        l->Segundos += reloj.nsecsElapsed() / 1e9;
        l->Jugadas += 1;
        const int antes = e.NumTiro;
        juego.JugarTirando(el.Ficha, antes == 0 || el.Lado == Extremo::Ninguno ? Extremo::Der : el.Lado);
        if (e.NumTiro != antes + 1)
            return false;
    }
    mano->Puntos13 = e.PuntosPar13[e.NumMano];
    mano->Puntos24 = e.PuntosPar24[e.NumMano];
    return true;
}

struct Serie {
    double Suma = 0, Cuadrados = 0;
    int N = 0;
    void Agregar(double x)
    {
        Suma += x;
        Cuadrados += x * x;
        ++N;
    }
    double Media() const { return N ? Suma / N : 0; }
    // Half the width of the 95% confidence interval of the mean.
    double Margen() const
    {
        if (N < 2)
            return 0;
        const double var = (Cuadrados - Suma * Suma / N) / (N - 1);
        return 1.96 * std::sqrt(std::max(var, 0.0) / N);
    }
};

}  // namespace

int ComandoFuerza(const QStringList& args)
{
    long long repartos = 100, primero = 0, semilla = 1;
    bool analizar = false, detalle = false;
    OpcionesJuego opciones;
    opciones.AcuPtos = 0;
    opciones.Cierre = QStringLiteral("GS");
    Config a, b;
    LeerConfig(QStringLiteral("U:S"), &a);
    LeerConfig(QStringLiteral("U:T"), &b);
    for (int i = 0; i < args.size(); ++i) {
        const QString& o = args[i];
        if (o == QLatin1String("--detalle")) {
            detalle = true;
            continue;
        }
        static const QStringList conValor{"--repartos", "--primero", "--semilla", "--a", "--b",
                                          "--analizar", "--acuptos", "--cierre"};
        if (!conValor.contains(o))
            return Rechazar(QStringLiteral("opción desconocida «%1».").arg(o));
        if (i + 1 >= args.size())
            return Rechazar(QStringLiteral("falta el valor de la opción %1.").arg(o));
        const QString v = args[++i];
        bool ok = true;
        if (o == QLatin1String("--repartos"))
            ok = LeerEntero(v, 1000000, &repartos) && repartos > 0;
        else if (o == QLatin1String("--primero"))
            ok = LeerEntero(v, 1000000000, &primero);
        else if (o == QLatin1String("--semilla"))
            ok = LeerEntero(v, 2147483647, &semilla);
        else if (o == QLatin1String("--a"))
            ok = LeerConfig(v, &a);
        else if (o == QLatin1String("--b"))
            ok = LeerConfig(v, &b);
        else if (o == QLatin1String("--analizar"))
            ok = (v == QLatin1String("si") || v == QLatin1String("no")) && ((analizar = v == QLatin1String("si")), true);
        else if (o == QLatin1String("--acuptos"))
            ok = (v == QLatin1String("0") || v == QLatin1String("1")) && ((opciones.AcuPtos = v.toInt()), true);
        else
            ok = QStringList{"GS", "GC", "GN", "AN"}.contains(v) && ((opciones.Cierre = v), true);
        if (!ok)
            return Rechazar(QStringLiteral("valor «%1» no válido para la opción %2.").arg(v, o));
    }

    QTemporaryDir carpeta;  // the classic analysis writes its tree file here
    if (!carpeta.isValid())
        return Rechazar(QStringLiteral("no se pudo crear una carpeta temporal."));
    const QString ruta = carpeta.path() + '/';

    Serie puntosA, puntosB, diferencia;
    int ganadasA = 0, ganadasB = 0;
    Lado ladoA, ladoB;
    QElapsedTimer total;
    total.start();
    QTextStream err(stderr);
    for (long long i = primero; i < primero + repartos; ++i) {
        const Reparto r = Repartir(semilla, static_cast<int>(i));
        Mano m1, m2;
        if (!Jugar(r, opciones, ruta, semilla, analizar, a, b, &ladoA, &ladoB, &m1)
            || !Jugar(r, opciones, ruta, semilla, analizar, b, a, &ladoB, &ladoA, &m2))
            return Rechazar(QStringLiteral("el reparto %1 dio una jugada que no se pudo hacer.").arg(i));
        // A's points are those of pair 1-3 in the first hand and of pair 2-4 in the second.
        const double pa = (m1.Puntos13 + m2.Puntos24) / 2.0;
        const double pb = (m1.Puntos24 + m2.Puntos13) / 2.0;
        puntosA.Agregar(pa);
        puntosB.Agregar(pb);
        diferencia.Agregar(pa - pb);
        ganadasA += (m1.Puntos13 > m1.Puntos24) + (m2.Puntos24 > m2.Puntos13);
        ganadasB += (m1.Puntos24 > m1.Puntos13) + (m2.Puntos13 > m2.Puntos24);
        if (detalle) {
            // The running seconds and moves of each side too, so that a run cut
            // short still tells its time per move.
            err << "reparto " << i << ' ' << m1.Puntos13 << ' ' << m1.Puntos24 << ' ' << m2.Puntos13 << ' '
                << m2.Puntos24 << ' ' << QString::number(ladoA.Segundos, 'f', 3) << ' ' << ladoA.Jugadas << ' '
                << QString::number(ladoB.Segundos, 'f', 3) << ' ' << ladoB.Jugadas << '\n';
            err.flush();
        }
    }

    auto intervalo = [](const Serie& s) { return std::vector<double>{s.Media() - s.Margen(), s.Media() + s.Margen()}; };
    Json j;
    j.Entero(QStringLiteral("repartos"), repartos);
    j.Entero(QStringLiteral("manos"), 2 * repartos);
    j.Texto(QStringLiteral("a"), a.Texto);
    j.Texto(QStringLiteral("b"), b.Texto);
    j.Texto(QStringLiteral("analizar"), analizar ? QStringLiteral("si") : QStringLiteral("no"));
    j.Entero(QStringLiteral("ganadas_a"), ganadasA);
    j.Entero(QStringLiteral("ganadas_b"), ganadasB);
    j.Real(QStringLiteral("puntos_a"), puntosA.Media(), 2);
    j.Reales(QStringLiteral("puntos_a_ic95"), intervalo(puntosA), 2);
    j.Real(QStringLiteral("puntos_b"), puntosB.Media(), 2);
    j.Reales(QStringLiteral("puntos_b_ic95"), intervalo(puntosB), 2);
    j.Real(QStringLiteral("diferencia"), diferencia.Media(), 2);
    j.Reales(QStringLiteral("diferencia_ic95"), intervalo(diferencia), 2);
    j.Real(QStringLiteral("segundos_jugada_a"), ladoA.Jugadas ? ladoA.Segundos / ladoA.Jugadas : 0, 4);
    j.Real(QStringLiteral("segundos_jugada_b"), ladoB.Jugadas ? ladoB.Segundos / ladoB.Jugadas : 0, 4);
    j.Real(QStringLiteral("segundos"), total.nsecsElapsed() / 1e9, 1);
    Emitir(j);
    return 0;
}
