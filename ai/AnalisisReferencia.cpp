// The reference engine: the search said plainly, on a 28-character table of
// tile states copied at every move. It is slow on purpose; the tests hold the
// fast engine to its every byte.

#include "ai/Analisis.h"

namespace {

using Estados = std::array<char, kNumFichas>;  // character t: 'D' in a hand, 'J' played

class Referencia {
public:
    Referencia(const Estado& e, Avance& a) : E(e), A(a)
    {
        MiPareja = ParejaDe(e.Turno);
        for (int t = 0; t < kNumFichas; ++t)
            EstadoFichas[t] = e.Fichas[t].Lugar;
    }

    Busqueda Correr()
    {
        char r = '?';
        Explorar(E.Turno, E.ValorIzq, E.ValorDer, EstadoFichas, r);
        return std::move(B);
    }

private:
    const Estado& E;
    Avance& A;
    Busqueda B;
    Estados EstadoFichas;
    int MiPareja = 1;

    int Profundidad = 0;
    int PasesSeguidos = 0;
    std::array<std::int64_t, 5> IdasSilla{};
    std::array<std::int64_t, 3> CierresPareja{};
    int MaxGana13 = 0, MinGana13 = 999, MaxGana24 = 0, MinGana24 = 999;

    int Ficha(int silla, int k) const { return E.Jugadores[silla].Mano[k]; }

    int PuntosEnMano(int silla, const Estados& s) const
    {
        int suma = 0;
        for (int k = 1; k <= 7; ++k) {
            const int t = Ficha(silla, k);
            if (t >= 0 && t < kNumFichas && s[t] == 'D')
                suma += kTablaFichas[t].Punto1 + kTablaFichas[t].Punto2;
        }
        return suma;
    }

    bool TieneFichas(int silla, const Estados& s) const
    {
        for (int k = 1; k <= 7; ++k) {
            const int t = Ficha(silla, k);
            if (t >= 0 && t < kNumFichas && s[t] == 'D')
                return true;
        }
        return false;
    }

    void Anotar(int pareja, int puntos)
    {
        int& mx = pareja == 1 ? MaxGana13 : MaxGana24;
        int& mn = pareja == 1 ? MinGana13 : MinGana24;
        if (puntos > mx)
            mx = puntos;
        if (puntos < mn)
            mn = puntos;
    }

    char Ida(int silla, const Estados& s)
    {
        const int pareja = ParejaDe(silla);
        const int companero = Siguiente(Siguiente(silla));
        int puntos = PuntosEnMano(Siguiente(silla), s) + PuntosEnMano(Siguiente(companero), s);
        if (E.Opciones.AcuPtos == 1)
            puntos += PuntosEnMano(companero, s);
        IdasSilla[silla] += 1;
        Anotar(pareja, puntos);
        return pareja == MiPareja ? 'G' : 'P';
    }

    char Cierre(const Estados& s)
    {
        const int t13 = PuntosEnMano(1, s) + PuntosEnMano(3, s);
        const int t24 = PuntosEnMano(2, s) + PuntosEnMano(4, s);
        int gana;
        if (t13 < t24)
            gana = 1;
        else if (t13 > t24)
            gana = 2;
        else
            gana = ParejaDe(E.Salidor);
        int puntos = gana == 1 ? t24 : t13;
        if (E.Opciones.AcuPtos == 1)
            puntos += gana == 1 ? t13 : t24;
        CierresPareja[gana] += 1;
        Anotar(gana, puntos);
        return gana == MiPareja ? 'G' : 'P';
    }

    void LineaJugada(int silla, int t, const char* etiqueta, char r)
    {
        B.Arbol += arbol::Sangria(Profundidad) + "J=" + std::to_string(silla) + " "
                   + std::to_string(kTablaFichas[t].Punto1) + "-" + std::to_string(kTablaFichas[t].Punto2)
                   + etiqueta + r + "\r\n";
    }

    void ReiniciarRaiz()
    {
        IdasSilla = {};
        CierresPareja = {};
        MaxGana13 = MaxGana24 = 0;
        MinGana13 = MinGana24 = 999;
    }

    void Resumir(int t, char lado, char r)
    {
        MitadAnalisis& m = lado == 'D' ? B.Analisis[t].D : B.Analisis[t].I;
        arbol::ResumirJugada(B.Arbol, m, t, lado, r, IdasSilla[1] + IdasSilla[3], IdasSilla[2] + IdasSilla[4],
                             CierresPareja[1], CierresPareja[2], MaxGana13, MinGana13, MaxGana24, MinGana24);
    }

    void Explorar(int silla, int a, int b, const Estados& estados, char& r)
    {
        Profundidad += 1;
        int opciones = 0;
        int indice = 0;
        std::string recogidos;
        const bool salida = Profundidad == 1 && E.NumTiro == 0;

        for (int k = 1; k <= 7; ++k) {
            const int t = Ficha(silla, k);
            if (t < 0 || t >= kNumFichas || estados[t] != 'D')
                continue;
            const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
            if (salida)
                a = b = p1;
            if (b == p1 || b == p2)
                opciones += 1;
            if ((a == p1 || a == p2) && a != b)
                opciones += 1;
        }

        for (int k = 1; k <= 7; ++k) {
            const int t = Ficha(silla, k);
            if (t < 0 || t >= kNumFichas || estados[t] != 'D')
                continue;
            const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
            if (salida)
                a = b = p1;
            if (b == p1 || b == p2) {
                indice += 1;
                if (Profundidad == 1)
                    ReiniciarRaiz();
                PasesSeguidos = 0;
                Estados nuevos = estados;
                nuevos[t] = 'J';
                if (TieneFichas(silla, nuevos)) {
                    r = '?';
                    Explorar(Siguiente(silla), a, b == p1 ? p2 : p1, nuevos, r);
                    if (opciones > 1) {
                        if (Profundidad < 12)
                            LineaJugada(silla, t, a == b ? " D ó I r=" : " D r=", r);
                        recogidos += r;
                    }
                } else {
                    r = Ida(silla, nuevos);
                }
                if (Profundidad == 1) {
                    Resumir(t, 'D', r);
                    A.MostrarAvance(static_cast<double>(indice) / opciones, false);
                }
            }
            if ((a == p1 || a == p2) && a != b) {
                indice += 1;
                if (Profundidad == 1)
                    ReiniciarRaiz();
                PasesSeguidos = 0;
                Estados nuevos = estados;
                nuevos[t] = 'J';
                if (TieneFichas(silla, nuevos)) {
                    r = '?';
                    Explorar(Siguiente(silla), a == p1 ? p2 : p1, b, nuevos, r);
                    if (opciones > 1) {
                        if (Profundidad < 12)
                            LineaJugada(silla, t, " I r=", r);
                        recogidos += r;
                    }
                } else {
                    r = Ida(silla, nuevos);
                }
                if (Profundidad == 1) {
                    Resumir(t, 'I', r);
                    A.MostrarAvance(static_cast<double>(indice) / opciones, false);
                }
            }
        }

        if (opciones == 0 && Profundidad < 61) {
            PasesSeguidos += 1;
            if (PasesSeguidos >= 4)
                r = Cierre(estados);
            else
                Explorar(Siguiente(silla), a, b, estados, r);
        }

        Profundidad -= 1;

        if (!recogidos.empty()) {
            const bool hayP = recogidos.find('P') != std::string::npos;
            const bool hayG = recogidos.find('G') != std::string::npos;
            if (hayP && hayG)
                r = ParejaDe(silla) == MiPareja ? 'G' : 'P';
            else if (hayP)
                r = 'P';
            else
                r = 'G';
        }
    }
};

}  // namespace

Busqueda BuscarReferencia(const Estado& e, Avance& a)
{
    return Referencia(e, a).Correr();
}
