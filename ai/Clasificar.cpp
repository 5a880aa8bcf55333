// Sorting the root moves into the four forecast categories and choosing the
// play: a sure win before a probable win, a probable loss before a sure loss;
// among wins the move whose worst line gains most (then whose best line gains
// most), among losses the move whose worst line loses least (then whose
// mildest line loses least).
//
// The second comparison looks only at the sides tied on the first one. The
// old rule looked at every side of a tied tile, so a side of a worse category
// could win the tie: the computer then played a move its own forecast called
// a probable loss while it held a probable win. That rule is kept, behind
// Desempate::Literal, only to measure what the mending is worth.

#include "ai/Analisis.h"
#include "rules/Formato.h"

namespace {

const char* const kEtiquetas[5] = {"", "Ganador Seguro", "Ganador Potencial", "Perdedor Potencial",
                                   "Perdedor Seguro"};

struct Lado {
    char letra;  // 'D' or 'I'
    const MitadAnalisis* mitad;
};

struct Empatado {
    int slot;
    Lado lado;
};

}  // namespace

Clasificacion ClasificarJugadas(const Estado& e, const TablaAnalisis& analisis, Desempate desempate)
{
    Clasificacion res;
    const int mi = ParejaDe(e.Turno);
    const int otra = 3 - mi;
    const auto& mano = e.Jugadores[e.Turno].Mano;
    // Local copies: before the first play the end values mean nothing, and
    // the classification pretends both ends show the examined tile's number.
    int valorIzq = e.ValorIzq;
    int valorDer = e.ValorDer;
    bool iguales = valorIzq == valorDer;
    bool elegida = false;

    auto ladosDe = [&](int t, bool salida) {
        std::array<Lado, 2> lados{};
        int n = 0;
        const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
        if (salida || valorDer == p1 || valorDer == p2)
            lados[n++] = {'D', &analisis[t].D};
        if (!salida && (valorIzq == p1 || valorIzq == p2) && !iguales)
            lados[n++] = {'I', &analisis[t].I};
        return std::pair(lados, n);
    };

    QString textos[5];
    for (int cat = 1; cat <= 4; ++cat) {
        QString texto;
        const bool gana = cat <= 2;
        int mejor = gana ? 0 : 999;
        int mejorSlot = 0;
        char mejorLado = 'D';
        // The sides whose key equals the best, in the order examined (at most
        // two per slot).
        std::array<Empatado, 14> empatados{};
        int nEmpatados = 0;

        for (int k = 1; k <= 7; ++k) {
            const int t = mano[k];
            if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D')
                continue;
            if (e.NumTiro == 0) {
                valorDer = valorIzq = kTablaFichas[t].Punto1;
                iguales = true;
            }
            const auto [lados, n] = ladosDe(t, false);
            for (int i = 0; i < n; ++i) {
                const MitadAnalisis& h = *lados[i].mitad;
                const std::int64_t w = h.Idas[mi] + h.Cierres[mi];
                const std::int64_t l = h.Idas[otra] + h.Cierres[otra];
                const std::int64_t total = w + l;
                bool pasa = false;
                switch (cat) {
                case 1: pasa = h.Idas[otra] == 0 && h.Cierres[otra] == 0; break;
                case 2: pasa = h.Resultado == 'G' && w > 0 && w < total; break;
                case 3: pasa = h.Resultado == 'P' && w > 0; break;
                case 4: pasa = h.Idas[mi] == 0 && h.Cierres[mi] == 0; break;
                }
                if (!pasa)
                    continue;

                const int p = gana ? mi : otra;
                // Only unscored lines would leave a move without a line; its
                // ratio is then shown as nothing won.
                const QString ratio = total > 0 ? FormatoPorciento(w, total) : QStringLiteral("0.0%");
                const QString etiqueta = cat == 1   ? QStringLiteral("Ganancia Mín: ")
                                         : cat == 2 ? QStringLiteral("Ganancia Min: ")
                                                    : QStringLiteral("Pérdida Min: ");
                texto += QStringLiteral("\n     ") + QString::number(kTablaFichas[t].Punto1) + '-'
                         + QString::number(kTablaFichas[t].Punto2) + ' ' + QChar(lados[i].letra) + "  " + ratio
                         + " de " + FormatoMiles(total) + "\n     " + etiqueta + QString::number(h.MinPuntos[p])
                         + QStringLiteral(" Máx: ") + QString::number(h.MaxPuntos[p]) + '\n';
                res.Pronosticos += QStringLiteral("%1:%2%3 ")
                                       .arg(cat)
                                       .arg(t, 2, 10, QChar('0'))
                                       .arg(QChar(lados[i].letra));

                const int clave = gana ? h.MinPuntos[mi] : h.MaxPuntos[otra];
                if (gana ? clave > mejor : clave < mejor) {
                    mejor = clave;
                    mejorSlot = k;
                    mejorLado = lados[i].letra;
                    nEmpatados = 0;
                }
                if (clave == mejor && nEmpatados < static_cast<int>(empatados.size()))
                    empatados[nEmpatados++] = {k, lados[i]};
            }
        }

        if (mejorSlot != 0) {
            if (!elegida) {
                if (nEmpatados > 1) {
                    int valor = gana ? 0 : 999;
                    auto probar = [&](int k, const Lado& l) {
                        const int v = gana ? l.mitad->MaxPuntos[mi] : l.mitad->MinPuntos[otra];
                        if (gana ? v > valor : v < valor) {
                            valor = v;
                            mejorSlot = k;
                            mejorLado = l.letra;
                        }
                    };
                    for (int i = 0; i < nEmpatados; ++i) {
                        const int k = empatados[i].slot;
                        if (desempate == Desempate::Corregido) {
                            probar(k, empatados[i].lado);
                            continue;
                        }
                        const auto [lados, n] = ladosDe(mano[k], e.NumTiro == 0);
                        for (int j = 0; j < n; ++j)
                            probar(k, lados[j]);
                    }
                }
                res.Ficha = mano[mejorSlot];
                res.Punta = ExtremoDe(mejorLado == 'D');
                elegida = true;
            }
            texto = QString::fromUtf8(kEtiquetas[cat]) + '\n' + texto + '\n';
        }
        textos[cat] = texto;
    }
    res.Texto = textos[1] + textos[2] + textos[3] + textos[4];
    return res;
}
