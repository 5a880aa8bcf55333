#include "view/Colores.h"

namespace vista {

std::array<unsigned, 5> ColoresSillas(bool color)
{
    if (!color)
        return {kColorNeutro, kColorNeutro, kColorNeutro, kColorNeutro, kColorNeutro};
    return {kColorNeutro, 0xE3DAC9, 0xFCC0CE, 0xFCFC80, 0xC0FCFC};
}

void PonerColoresFichas(Estado& e, const std::array<unsigned, 5>& colorSilla)
{
    for (Ficha& f : e.Fichas) {
        const int dueno = (f.Dueno >= 0 && f.Dueno <= 4) ? f.Dueno : 0;
        f.Color1 = f.Color2 = colorSilla[dueno];
    }
}

void PonerColoresMano(Estado& e, int silla, unsigned color)
{
    if (silla < 1 || silla > 4)
        return;
    for (int k = 1; k <= 7; ++k) {
        const int t = e.Jugadores[silla].Mano[k];
        if (t >= 0 && t < kNumFichas)
            e.Fichas[t].Color1 = e.Fichas[t].Color2 = color;
    }
}

long ColorPronostico(int categoria)
{
    switch (categoria) {
    case 1: return 0x32CD32;
    case 2: return 0xADFF2F;
    case 3: return 0xFFA500;
    case 4: return 0xFF0000;
    default: return -1;
    }
}

void ColorearPronostico(Estado& e)
{
    const int n = e.NumTiro + 1;
    if (n < 1 || n >= kHist)
        return;
    // Entries of six characters: category, ':', two-digit tile, side, blank.
    const QString& texto = e.Pronosticos[n];
    for (qsizetype i = 0; i + 5 <= texto.size(); i += 6) {
        const long color = ColorPronostico(texto.at(i).digitValue());
        bool ok = false;
        const int t = texto.mid(i + 2, 2).toInt(&ok);
        if (color < 0 || !ok || t < 0 || t >= kNumFichas)
            continue;
        Ficha& f = e.Fichas[t];
        const QChar lado = texto.at(i + 4);
        if (EsDoble(t)) {
            f.Color1 = f.Color2 = static_cast<unsigned>(color);
        } else if (lado == QLatin1Char('D') || lado == QLatin1Char('I')) {
            const int valor = lado == QLatin1Char('D') ? e.ValorDer : e.ValorIzq;
            // The half that stays open after the play is the one coloured.
            if (valor == f.Punto1)
                f.Color2 = static_cast<unsigned>(color);
            else
                f.Color1 = static_cast<unsigned>(color);
        }
    }
}

}  // namespace vista
