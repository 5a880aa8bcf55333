#include "tests/support/Posiciones.h"

#include <QString>

#include "flujo/Posicion.h"
#include "rules/Jugadas.h"

int F(const char* texto)
{
    const QString t = QString::fromLatin1(texto);
    return BuscarFicha(t.at(0).digitValue(), t.at(2).digitValue());
}

Estado Posicion(const std::array<const char*, 4>& manos, int turno, int izq, int der, int numTiro, int salidor)
{
    Estado e;
    std::array<bool, kNumFichas> usada{};
    std::array<int, 5> n{};
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].Nombre = QStringLiteral("Jugador %1").arg(s);
        for (const QString& texto : QString::fromLatin1(manos[s - 1]).split(' ', Qt::SkipEmptyParts)) {
            const int t = F(texto.toLatin1().constData());
            usada[t] = true;
            e.Fichas[t].Lugar = 'D';
            e.Fichas[t].Dueno = s;
            e.Jugadores[s].Mano[++n[s]] = t;
        }
        e.Jugadores[s].NumFichas = n[s];
    }
    int s = 1;
    for (int t = 0; t < kNumFichas; ++t) {
        if (usada[t])
            continue;
        while (n[s] == 7)
            s = s % 4 + 1;
        e.Fichas[t].Lugar = 'J';
        e.Fichas[t].Dueno = s;
        e.Jugadores[s].Mano[++n[s]] = t;
    }
    e.Turno = turno;
    e.Salidor = salidor;
    e.ValorIzq = izq;
    e.ValorDer = der;
    e.NumTiro = numTiro;
    e.FaseMano = Fase::Tirando;
    e.NumMano = 2;
    return e;
}

bool Jugar(Estado& e, const std::array<int, 28>& reparto, int salidor, const std::vector<std::pair<int, char>>& tiros)
{
    RegistroMano r;
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].Nombre = QStringLiteral("Compu %1").arg(s);
        for (int k = 1; k <= 7; ++k)
            r.Manos[s][k] = reparto[static_cast<std::size_t>((s - 1) * 7 + k - 1)];
    }
    PonerReparto(r, e);
    e.Salidor = e.Turno = salidor;
    e.NumTiro = 0;
    e.ValorIzq = e.ValorDer = 0;
    e.NumMano = 2;
    e.FaseMano = Fase::Tirando;
    for (const auto& [t, lado] : tiros) {
        if (e.Fichas[t].Lugar != 'D' || e.Fichas[t].Dueno != e.Turno)
            return false;
        const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
        if (e.NumTiro == 0) {
            e.ValorIzq = p1;
            e.ValorDer = p2;
        } else if (lado == 'D' && (e.ValorDer == p1 || e.ValorDer == p2)) {
            e.ValorDer = e.ValorDer == p1 ? p2 : p1;
        } else if (lado == 'I' && (e.ValorIzq == p1 || e.ValorIzq == p2)) {
            e.ValorIzq = e.ValorIzq == p1 ? p2 : p1;
        } else {
            return false;
        }
        e.Fichas[t].Lugar = 'J';
        e.Jugadores[e.Turno].NumFichas -= 1;
        e.NumTiro += 1;
        e.HistFicha[e.NumTiro] = t;
        e.HistJugador[e.NumTiro] = e.Turno;
        if (e.Jugadores[e.Turno].NumFichas == 0)
            return false;
        int pases = 0;
        do {
            e.Turno = Siguiente(e.Turno);
        } while (ContarOpciones(e, e.Turno) == 0 && ++pases < 4);
        if (pases == 4)
            return false;
    }
    return true;
}

bool PosicionAlAzar(std::mt19937& azar, int k, Estado& e, RegistroMano* registro)
{
    std::array<int, kNumFichas> reparto{};
    for (int t = 0; t < kNumFichas; ++t)
        reparto[t] = t;
    std::shuffle(reparto.begin(), reparto.end(), azar);
    RegistroMano r;
    for (int s = 1; s <= 4; ++s) {
        r.Nombres[s] = QStringLiteral("Compu %1").arg(s);
        for (int i = 1; i <= 7; ++i)
            r.Manos[s][i] = reparto[static_cast<std::size_t>((s - 1) * 7 + i - 1)];
    }
    const int salidor = static_cast<int>(azar() % 4) + 1;
    r.Tiros.push_back({r.Manos[salidor][1 + static_cast<int>(azar() % 7)], Extremo::Der});
    for (int i = 1;; ++i) {
        if (!PosicionTrasJugadas(r, std::min(i, k), e).Ok)
            return false;
        if (i >= k) {
            if (registro)
                *registro = r;
            return true;
        }
        const std::vector<Colocacion> legales = ColocacionesLegales(e);
        const Colocacion& c = legales[azar() % legales.size()];
        r.Tiros.push_back({c.Ficha, c.Punta});
    }
}
