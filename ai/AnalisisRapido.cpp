// The fast engine: the same search as the reference, on a compact position.
//
//  - A position is four 28-bit hand masks, the two open numbers, the seat to
//    move and the run of passes; moves are made and unmade in place, with the
//    seats' pip sums kept up to date. Nothing is allocated per node.
//  - Less than 12 nodes deep the search walks the moves in slot order and
//    writes the tree lines exactly as the reference does.
//  - From 12 nodes deep on no line is written, so only a subtree's aggregate
//    matters: dominoes and blocked lines per pair, the smallest and largest
//    points each pair wins, and the result letter. None of these depends on
//    the order of the moves, and the same position is reached by many move
//    orders, so the aggregate of every position with a choice and at least
//    7 tiles in hands is kept in a table keyed by the position (the played
//    tiles fix the hands; the two open numbers are stored unordered, since
//    swapping the ends swaps the moves and nothing else; the passes before a
//    seat with a choice change nothing below it).
//  - The table is far larger than the processor's caches, so a probe waits
//    for memory unless it was asked for early. A position is therefore
//    explored in two steps: first each of its moves is followed through
//    passes and forced moves to the next position with a choice (lines that
//    end on the way are scored at once), and the probes of all those
//    positions are started; then they are read, and before the first missing
//    one is explored the moves of every missing one are followed in the same
//    way, so that their probes are under way while the work goes on.
//  - Positions with fewer tiles are reached most often and cost least: a
//    pared-down walk plays them out without the table.
//  - The one thing that depends on how deep a position lies is the guard that
//    ends a line unscored when a seat without a placement is 61 or more
//    nodes deep. Each aggregate therefore also records how far below its
//    position the deepest seat without a placement lies. An aggregate is kept
//    only when the guard did not act inside it, and reused only where that
//    deepest seat stays above the guard too, so reuse never changes a result.
//  - The table is shared by both workers and kept after the analysis: the
//    key names the tiles left, not the tiles played, so the later plays of
//    the same hand find what the earlier analyses stored.
//  - Two workers share a large analysis. The top of the tree is first walked
//    without exploring, to list the positions a few nodes deep (enough of
//    them to keep both workers busy to the end); the workers explore those
//    in order, each writing the tree lines of its own into its own text; a
//    last walk of the top then writes the lines above them and splices their
//    texts and aggregates in, in the reference's order.

#include <algorithm>
#include <atomic>
#include <bit>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

#include "ai/Analisis.h"
#include "ai/TablaPosiciones.h"

namespace {

using rapida::Entrada;
using rapida::TablaPosiciones;

constexpr int kProfundidadArbol = 12;  // nodes this deep write no tree lines
constexpr int kGuarda = 61;            // a seat without a placement this deep ends its line unscored
constexpr int kMinimoTabla = 7;        // tiles in hands from which a position is kept in the table
constexpr int kMinimoDos = 22;         // tiles in hands from which a second worker repays its start
constexpr int kTareasDos = 64;         // positions to share between the workers, at least

// More than one bit set.
constexpr bool Varios(std::uint32_t m) { return (m & (m - 1)) != 0; }

struct Acumulado {
    std::uint64_t Idas[3] = {0, 0, 0};     // pairs 1..2
    std::uint64_t Cierres[3] = {0, 0, 0};
    int Max[3] = {0, 0, 0};
    int Min[3] = {0, 999, 999};

    void Unir(const Acumulado& o)
    {
        for (int p = 1; p <= 2; ++p) {
            Idas[p] += o.Idas[p];
            Cierres[p] += o.Cierres[p];
            if (o.Max[p] > Max[p])
                Max[p] = o.Max[p];
            if (o.Min[p] < Min[p])
                Min[p] = o.Min[p];
        }
    }
};

// A root move, found in slot order.
struct JugadaRaiz {
    int Silla, Ficha;
    char Lado;            // 'D' or 'I'
    int NuevaA, NuevaB;   // the ends after it
    int Opciones;         // root moves in all
    const char* Etiqueta;
};

struct MovimientoRaiz {
    Acumulado Acc;
    char Letra = '?';
};

// What a move changes: the hands, their pip sums, the tiles out of the hands
// (with the hands fixed, the position) and how many are left.
struct Posicion {
    std::uint32_t Mano[5]{};
    int Puntos[5]{};
    std::uint32_t Jugadas = 0;
    int EnMano = 0;
};

// A node of the top of the tree handed to a worker, and what it found.
struct Tarea {
    Posicion P;
    int S, A, B, Pases, Prof;
    int Raiz;  // the root move it lies under
};
struct HechoTarea {
    std::string Lineas;
    Acumulado Acc;
    char Letra = '?';
};

class Rapida {
public:
    Rapida(const Estado& e, TablaPosiciones& tabla) : tabla_(tabla)
    {
        for (int t = 0; t < kNumFichas; ++t) {
            p1_[t] = kTablaFichas[t].Punto1;
            p2_[t] = kTablaFichas[t].Punto2;
            conNumero_[p1_[t]] |= 1u << t;
            conNumero_[p2_[t]] |= 1u << t;
        }
        for (int s = 1; s <= 4; ++s) {
            for (int k = 1; k <= 7; ++k) {
                const int t = e.Jugadores[s].Mano[k];
                if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D' || (p_.Mano[s] >> t & 1u))
                    continue;
                p_.Mano[s] |= 1u << t;
                p_.Puntos[s] += p1_[t] + p2_[t];
                orden_[s][nOrden_[s]++] = static_cast<std::int8_t>(t);
            }
            p_.EnMano += nOrden_[s];
        }
        p_.Jugadas = ~(p_.Mano[1] | p_.Mano[2] | p_.Mano[3] | p_.Mano[4]) & ((1u << kNumFichas) - 1);
        miPareja_ = ParejaDe(e.Turno);
        parejaSalida_ = ParejaDe(e.Salidor);
        acuPtos_ = e.Opciones.AcuPtos == 1;
        for (int silla = 1; silla <= 4; ++silla)
            gana_[silla] = ParejaDe(silla) == miPareja_ ? kGana : kPierde;
    }

    // Explores one root move and writes its tree lines, its own move line
    // included, to `lineas`.
    MovimientoRaiz ExplorarRaiz(const JugadaRaiz& j, std::string& lineas)
    {
        arbol_ = &lineas;
        MovimientoRaiz m;
        const int s = j.Silla, t = j.Ficha;
        Quitar(s, t);
        if (p_.Mano[s] != 0) {
            m.Letra = Nodo(Sig(s), j.NuevaA, j.NuevaB, 0, 2, m.Acc);
            if (j.Opciones > 1)
                LineaJugada(1, s, t, j.Etiqueta, m.Letra);
        } else {
            m.Letra = kLetras[Ida(s, m.Acc)];
        }
        Devolver(s, t);
        arbol_ = nullptr;
        return m;
    }

    // Lists the nodes `prof` deep under the root move, without exploring.
    void Planear(const JugadaRaiz& j, int raiz, int prof, std::vector<Tarea>& tareas)
    {
        std::string lineas;
        modo_ = Modo::Planear;
        profTarea_ = prof;
        raiz_ = raiz;
        tareas_ = &tareas;
        ExplorarRaiz(j, lineas);
        modo_ = Modo::Entero;
    }

    HechoTarea Resolver(const Tarea& t)
    {
        HechoTarea h;
        p_ = t.P;
        arbol_ = &h.Lineas;
        h.Letra = Nodo(t.S, t.A, t.B, t.Pases, t.Prof, h.Acc);
        arbol_ = nullptr;
        return h;
    }

    // The root move again, with the listed nodes taken from `hechos` in
    // order, starting at `*siguiente`.
    MovimientoRaiz Montar(const JugadaRaiz& j, int prof, std::vector<HechoTarea>& hechos, int* siguiente,
                          std::string& lineas)
    {
        modo_ = Modo::Montar;
        profTarea_ = prof;
        hechos_ = &hechos;
        siguiente_ = siguiente;
        const MovimientoRaiz m = ExplorarRaiz(j, lineas);
        modo_ = Modo::Entero;
        return m;
    }

private:
    // Letters as bits: 1 the analysing pair wins, 2 it loses, 0 unscored.
    static constexpr int kGana = 1, kPierde = 2;
    static constexpr char kLetras[4] = {'?', 'G', 'P', '?'};

    // A position with a choice reached from a move, kept on the stack while
    // its siblings are followed, so that all their table probes are under
    // way together.
    struct Hijo {
        Posicion P;
        int S, A, B, Prof;
        std::uint64_t Clave;
        bool Hecho;
        // Filled when its own moves are followed, before it is explored.
        int Desde, Cuantos;  // its moves' positions on the stack
        int Vistas;          // letters of its moves whose lines ended on the way
        int Hondo;
        Acumulado Sub;
    };

    // How the nodes profTarea_ deep are treated: explored, listed for the
    // workers, or taken from what the workers found.
    enum class Modo { Entero, Planear, Montar };

    TablaPosiciones& tabla_;
    std::string* arbol_ = nullptr;
    Modo modo_ = Modo::Entero;
    int profTarea_ = 0;
    int raiz_ = 0;
    std::vector<Tarea>* tareas_ = nullptr;
    std::vector<HechoTarea>* hechos_ = nullptr;
    int* siguiente_ = nullptr;

    int p1_[kNumFichas]{}, p2_[kNumFichas]{};
    std::uint32_t conNumero_[7]{};
    Posicion p_;
    std::int8_t orden_[5][7]{};
    int nOrden_[5]{};
    int miPareja_ = 1, parejaSalida_ = 1;
    bool acuPtos_ = false;
    int gana_[5]{};  // the letter of a win of each seat's pair
    // Depth of the deepest seat without a placement met since the innermost
    // kept position began; -1 none.
    int hondo_ = -1;
    // Grows on demand; starting small, every analysis takes the path that
    // grows it (and the sanitizer runs check it).
    std::vector<Hijo> pila_ = std::vector<Hijo>(16);
    int tope_ = 0;

    static int Sig(int s) { return (s & 3) + 1; }

    void Quitar(int s, int t)
    {
        p_.Mano[s] &= ~(1u << t);
        p_.Puntos[s] -= p1_[t] + p2_[t];
        p_.Jugadas |= 1u << t;
        --p_.EnMano;
    }
    void Devolver(int s, int t)
    {
        p_.Mano[s] |= 1u << t;
        p_.Puntos[s] += p1_[t] + p2_[t];
        p_.Jugadas &= ~(1u << t);
        ++p_.EnMano;
    }

    static void Anotar(Acumulado& acc, int pareja, int puntos)
    {
        if (puntos > acc.Max[pareja])
            acc.Max[pareja] = puntos;
        if (puntos < acc.Min[pareja])
            acc.Min[pareja] = puntos;
    }

    // Seat s has just laid its last tile. Its hand is not read, so a seat
    // going out is scored without taking the tile out.
    int Ida(const Posicion& x, int s, Acumulado& acc) const
    {
        const int pareja = ParejaDe(s);
        const int companero = Sig(Sig(s));
        int puntos = x.Puntos[Sig(s)] + x.Puntos[Sig(companero)];
        if (acuPtos_)
            puntos += x.Puntos[companero];
        acc.Idas[pareja] += 1;
        Anotar(acc, pareja, puntos);
        return gana_[s];
    }
    int Ida(int s, Acumulado& acc) const { return Ida(p_, s, acc); }

    int Cierre(const Posicion& x, Acumulado& acc) const
    {
        const int t13 = x.Puntos[1] + x.Puntos[3];
        const int t24 = x.Puntos[2] + x.Puntos[4];
        const int gana = t13 < t24 ? 1 : t13 > t24 ? 2 : parejaSalida_;
        int puntos = gana == 1 ? t24 : t13;
        if (acuPtos_)
            puntos += gana == 1 ? t13 : t24;
        acc.Cierres[gana] += 1;
        Anotar(acc, gana, puntos);
        return gana == miPareja_ ? kGana : kPierde;
    }
    int Cierre(Acumulado& acc) const { return Cierre(p_, acc); }

    // The mover's preference among the letters of its moves: a win of its
    // pair when it has one; with no loss among them, a win of the analysing
    // pair (also when every letter was unscored).
    int Preferida(int silla, int vistas) const
    {
        return vistas == (kGana | kPierde) ? gana_[silla] : (vistas & kPierde) ? kPierde : kGana;
    }

    // 0, 1, or 2 for more than one.
    int Opciones(int s, int a, int b) const
    {
        const std::uint32_t der = p_.Mano[s] & conNumero_[b];
        const std::uint32_t izq = a != b ? p_.Mano[s] & conNumero_[a] : 0u;
        if ((der | izq) == 0)
            return 0;
        return (Varios(der) || Varios(izq) || (der != 0 && izq != 0)) ? 2 : 1;
    }

    void LineaJugada(int profundidad, int silla, int t, const char* etiqueta, char r)
    {
        static const char kPatron[] = ".   .   .   .   .   .   .   .   .   .   ";
        std::string& s = *arbol_;
        s.append(kPatron, static_cast<std::size_t>((profundidad - 1) * 4));
        const char cuerpo[] = {'J', '=', static_cast<char>('0' + silla), ' ', static_cast<char>('0' + p1_[t]), '-',
                               static_cast<char>('0' + p2_[t])};
        s.append(cuerpo, sizeof cuerpo);
        s.append(etiqueta);
        s.push_back(r);
        s.append("\r\n", 2);
    }

    // Any node below the root.
    char Nodo(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        if (prof == profTarea_ && modo_ != Modo::Entero) {
            if (modo_ == Modo::Planear) {
                tareas_->push_back({p_, s, a, b, pases, prof, raiz_});
                return '?';
            }
            HechoTarea& h = (*hechos_)[static_cast<std::size_t>((*siguiente_)++)];
            arbol_->append(h.Lineas);
            std::string().swap(h.Lineas);
            acc.Unir(h.Acc);
            return h.Letra;
        }
        if (prof >= kProfundidadArbol)
            return kLetras[Abajo(s, a, b, pases, prof, acc)];
        return Arriba(s, a, b, pases, prof, acc);
    }

    // Less than 12 deep: moves in slot order, tree lines written.
    char Arriba(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        const int opciones = Opciones(s, a, b);
        if (opciones == 0) {
            // A seat without a placement: pass, block, or stop at the guard.
            if (prof >= kGuarda)
                return '?';
            if (pases + 1 >= 4)
                return kLetras[Cierre(acc)];
            return Nodo(Sig(s), a, b, pases + 1, prof + 1, acc);
        }

        char r = '?';
        bool recogido = false, hayG = false, hayP = false;
        for (int i = 0; i < nOrden_[s]; ++i) {
            const int t = orden_[s][i];
            if (!(p_.Mano[s] >> t & 1u))
                continue;
            for (int lado = 0; lado < 2; ++lado) {
                int na = a, nb = b;
                if (lado == 0) {
                    if (b != p1_[t] && b != p2_[t])
                        continue;
                    nb = b == p1_[t] ? p2_[t] : p1_[t];
                } else {
                    if ((a != p1_[t] && a != p2_[t]) || a == b)
                        continue;
                    na = a == p1_[t] ? p2_[t] : p1_[t];
                }
                Quitar(s, t);
                if (p_.Mano[s] != 0) {
                    r = Nodo(Sig(s), na, nb, 0, prof + 1, acc);
                    if (opciones > 1) {
                        LineaJugada(prof, s, t, lado == 1 ? " I r=" : a == b ? " D ó I r=" : " D r=", r);
                        recogido = true;
                        hayG |= r == 'G';
                        hayP |= r == 'P';
                    }
                } else {
                    r = kLetras[Ida(s, acc)];
                }
                Devolver(s, t);
            }
        }
        if (recogido)
            r = kLetras[Preferida(s, (hayG ? kGana : 0) | (hayP ? kPierde : 0))];
        return r;
    }

    static std::uint64_t Clave(int s, int a, int b, std::uint32_t jugadas)
    {
        return (std::uint64_t{1} << 40) | (std::uint64_t(s - 1) << 34) | (std::uint64_t(std::max(a, b)) << 31)
               | (std::uint64_t(std::min(a, b)) << 28) | jugadas;
    }

    // 12 or more deep: no lines, so any move order, and the table. The
    // position is handled as a value from here on.
    int Abajo(int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        Posicion x = p_;
        if (x.EnMano < kMinimoTabla)
            return Final(x, s, a, b, pases, prof, acc);
        const int r = Avanzar(x, s, a, b, pases, prof, acc);
        if (r >= 0)
            return r;
        if (x.EnMano < kMinimoTabla)
            return Final(x, s, a, b, 0, prof, acc);
        const std::uint64_t clave = Clave(s, a, b, x.Jugadas);
        if (Entrada e; tabla_.Buscar(clave, x.EnMano, e) && prof + e.Hondo < kGuarda) {
            Sumar(e, prof, acc);
            return LetraDe(e.Letra);
        }
        const int antes = hondo_;
        hondo_ = -1;
        Acumulado sub;
        const int desde = tope_;
        const int vistas = Seguir(x, s, a, b, prof, sub);
        const int r2 = Explorar(s, desde, tope_ - desde, vistas, sub);
        tope_ = desde;
        acc.Unir(sub);
        const int hondo = hondo_;
        hondo_ = std::max(antes, hondo);
        Guardar(clave, sub, r2, hondo, prof, x.EnMano);
        return r2;
    }

    // Follows passes and forced moves from seat s until a seat has a choice
    // (-1, with x, s, a, b and prof moved there) or the line ends (its
    // letter, scored).
    int Avanzar(Posicion& x, int& s, int& a, int& b, int pases, int& prof, Acumulado& acc)
    {
        for (;;) {
            const std::uint32_t mano = x.Mano[s];
            const std::uint32_t der = mano & conNumero_[b];
            const std::uint32_t izq = a != b ? mano & conNumero_[a] : 0u;
            if ((der | izq) == 0) {
                if (prof > hondo_)
                    hondo_ = prof;
                if (prof >= kGuarda)
                    return 0;
                if (++pases >= 4)
                    return Cierre(x, acc);
                s = Sig(s);
                ++prof;
                continue;
            }
            if (!Varios(mano)) {
                // The last tile goes out at each end it fits.
                const int r = Ida(x, s, acc);
                if (der != 0 && izq != 0)
                    Ida(x, s, acc);
                return r;
            }
            if (Varios(der) || Varios(izq) || (der != 0 && izq != 0))
                return -1;
            const int t = std::countr_zero(der | izq);
            const int suma = p1_[t] + p2_[t];
            if (der != 0)
                b = suma - b;
            else
                a = suma - a;
            x.Mano[s] = mano & ~(1u << t);
            x.Puntos[s] -= suma;
            x.Jugadas |= 1u << t;
            --x.EnMano;
            s = Sig(s);
            ++prof;
            pases = 0;
        }
    }

    void Sumar(const Entrada& e, int prof, Acumulado& acc)
    {
        acc.Idas[1] += e.Idas13;
        acc.Idas[2] += e.Idas24;
        acc.Cierres[1] += e.Cierres13;
        acc.Cierres[2] += e.Cierres24;
        if (e.Max13 > acc.Max[1])
            acc.Max[1] = e.Max13;
        if (e.Max24 > acc.Max[2])
            acc.Max[2] = e.Max24;
        const int min13 = e.Min13 == 255 ? 999 : e.Min13;
        const int min24 = e.Min24 == 255 ? 999 : e.Min24;
        if (min13 < acc.Min[1])
            acc.Min[1] = min13;
        if (min24 < acc.Min[2])
            acc.Min[2] = min24;
        if (e.Hondo >= 0 && prof + e.Hondo > hondo_)
            hondo_ = prof + e.Hondo;
    }

    // The table keeps letters as pair 1-3 sees them, so that they do not
    // depend on who analyses.
    int LetraDe(char absoluta) const { return (absoluta == 'G') == (miPareja_ == 1) ? kGana : kPierde; }
    char Absoluta(int letra) const { return (letra == kGana) == (miPareja_ == 1) ? 'G' : 'P'; }

    // Keeps the aggregate of an explored position, unless the guard acted
    // inside it or a count outgrows its field.
    void Guardar(std::uint64_t clave, const Acumulado& sub, int r, int hondo, int prof, int enMano)
    {
        constexpr std::uint64_t kTope = 0xffffffffULL;
        if (hondo >= kGuarda || sub.Idas[1] > kTope || sub.Idas[2] > kTope || sub.Cierres[1] > kTope
            || sub.Cierres[2] > kTope)
            return;
        Entrada e{};
        e.Clave = clave;
        e.Idas13 = static_cast<std::uint32_t>(sub.Idas[1]);
        e.Idas24 = static_cast<std::uint32_t>(sub.Idas[2]);
        e.Cierres13 = static_cast<std::uint32_t>(sub.Cierres[1]);
        e.Cierres24 = static_cast<std::uint32_t>(sub.Cierres[2]);
        e.Max13 = static_cast<std::uint8_t>(sub.Max[1]);
        e.Max24 = static_cast<std::uint8_t>(sub.Max[2]);
        e.Min13 = static_cast<std::uint8_t>(sub.Min[1] == 999 ? 255 : sub.Min[1]);
        e.Min24 = static_cast<std::uint8_t>(sub.Min[2] == 999 ? 255 : sub.Min[2]);
        e.Letra = Absoluta(r);
        e.Hondo = static_cast<std::int8_t>(hondo < 0 ? -1 : hondo - prof);
        e.Fichas = static_cast<std::uint8_t>(enMano);
        tabla_.Guardar(e);
    }

    // Follows each move of seat s, which has a choice in position x, to the
    // next choice: lines that end on the way are scored into `acc` and their
    // letters returned; the positions reached are pushed on the stack and,
    // when the table keeps them, their probes started.
    int Seguir(const Posicion x, int s, int a, int b, int prof, Acumulado& acc)
    {
        const std::uint32_t mano = x.Mano[s];
        const std::uint32_t der = mano & conNumero_[b];
        const std::uint32_t izq = a != b ? mano & conNumero_[a] : 0u;
        // At most 14 moves: room for all of them before any is pushed.
        if (static_cast<std::size_t>(tope_) + 2 * 7 > pila_.size())
            pila_.resize(pila_.size() * 2);
        int vistas = 0;
        for (int lado = 0; lado < 2; ++lado) {
            for (std::uint32_t m = lado == 0 ? der : izq; m != 0; m &= m - 1) {
                const int t = std::countr_zero(m);
                const int suma = p1_[t] + p2_[t];
                Hijo& h = pila_[static_cast<std::size_t>(tope_)];
                h.P = x;
                h.P.Mano[s] = mano & ~(1u << t);
                h.P.Puntos[s] -= suma;
                h.P.Jugadas |= 1u << t;
                --h.P.EnMano;
                int q = Sig(s), pr = prof + 1;
                int na = lado == 0 ? a : suma - a;
                int nb = lado == 0 ? suma - b : b;
                const int r = Avanzar(h.P, q, na, nb, 0, pr, acc);
                if (r >= 0) {
                    vistas |= r;
                    continue;
                }
                ++tope_;
                h.S = q;
                h.A = na;
                h.B = nb;
                h.Prof = pr;
                h.Hecho = false;
                h.Clave = Clave(q, na, nb, h.P.Jugadas);
                if (h.P.EnMano >= kMinimoTabla)
                    tabla_.Anticipar(h.Clave);
            }
        }
        return vistas;
    }

    // The positions that seat s's moves reached (on the stack from `desde`):
    // the small ones first, while the probes are under way, then the probes;
    // the moves of every position the table lacks are followed (starting
    // their own probes) before the first of them is explored.
    int Explorar(int s, int desde, int cuantos, int vistas, Acumulado& acc)
    {
        const int base = tope_;
        const int hasta = desde + cuantos;
        int faltan = 0;
        for (int i = desde; i < hasta; ++i) {
            Hijo& h = pila_[static_cast<std::size_t>(i)];
            if (h.P.EnMano >= kMinimoTabla) {
                ++faltan;
                continue;
            }
            vistas |= Final(h.P, h.S, h.A, h.B, 0, h.Prof, acc);
            h.Hecho = true;
        }
        if (faltan == 0)
            return Preferida(s, vistas);
        for (int i = desde; i < hasta; ++i) {
            Hijo& h = pila_[static_cast<std::size_t>(i)];
            if (h.Hecho)
                continue;
            if (Entrada e; tabla_.Buscar(h.Clave, h.P.EnMano, e) && h.Prof + e.Hondo < kGuarda) {
                Sumar(e, h.Prof, acc);
                vistas |= LetraDe(e.Letra);
                h.Hecho = true;
            }
        }
        // The stack may grow while moves are followed: its entries are
        // fetched again after every call that pushes.
        for (int i = desde; i < hasta; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (pila_[k].Hecho)
                continue;
            const int antes = hondo_;
            hondo_ = -1;
            Acumulado sub;
            const int principio = tope_;
            const int letras = Seguir(pila_[k].P, pila_[k].S, pila_[k].A, pila_[k].B, pila_[k].Prof, sub);
            Hijo& h = pila_[k];
            h.Sub = sub;
            h.Desde = principio;
            h.Cuantos = tope_ - principio;
            h.Vistas = letras;
            h.Hondo = hondo_;
            hondo_ = antes;
        }
        for (int i = desde; i < hasta; ++i) {
            const auto k = static_cast<std::size_t>(i);
            if (pila_[k].Hecho)
                continue;
            const int antes = hondo_;
            hondo_ = pila_[k].Hondo;
            Acumulado sub = pila_[k].Sub;
            const int r = Explorar(pila_[k].S, pila_[k].Desde, pila_[k].Cuantos, pila_[k].Vistas, sub);
            const int hondo = hondo_;
            hondo_ = std::max(antes, hondo);
            const Hijo& h = pila_[k];
            Guardar(h.Clave, sub, r, hondo, h.Prof, h.P.EnMano);
            acc.Unir(sub);
            vistas |= r;
        }
        tope_ = base;
        return Preferida(s, vistas);
    }

    // The end of the hand: positions with few tiles, most of the nodes of an
    // analysis. The same walk pared down: passes in a loop, only the hands
    // and pip sums of x changed (and put back), no table.
    int Final(Posicion& x, int s, int a, int b, int pases, int prof, Acumulado& acc)
    {
        std::uint32_t mano, der, izq;
        for (;;) {
            mano = x.Mano[s];
            der = mano & conNumero_[b];
            izq = a != b ? mano & conNumero_[a] : 0u;
            if ((der | izq) != 0)
                break;
            if (prof > hondo_)
                hondo_ = prof;
            if (prof >= kGuarda)
                return 0;
            if (++pases >= 4)
                return Cierre(x, acc);
            s = Sig(s);
            ++prof;
        }
        if (!Varios(mano)) {
            // The last tile goes out at each end it fits.
            const int r = Ida(x, s, acc);
            if (der != 0 && izq != 0)
                Ida(x, s, acc);
            return r;
        }
        const int sig = Sig(s);
        const std::uint32_t siguiente = x.Mano[sig];
        int vistas = 0, r = 0;
        for (std::uint32_t todas = der | izq; todas != 0; todas &= todas - 1) {
            const int t = std::countr_zero(todas);
            const std::uint32_t bit = 1u << t;
            const int suma = p1_[t] + p2_[t];
            x.Mano[s] = mano & ~bit;
            x.Puntos[s] -= suma;
            for (int lado = 0; lado < 2; ++lado) {
                if (!((lado == 0 ? der : izq) & bit))
                    continue;
                const int na = lado == 0 ? a : suma - a;
                const int nb = lado == 0 ? suma - b : b;
                const bool porDer = (siguiente & conNumero_[nb]) != 0;
                const bool porIzq = na != nb && (siguiente & conNumero_[na]) != 0;
                if (!Varios(siguiente) && (porDer || porIzq)) {
                    // The next seat goes out with its last tile, once per end.
                    r = Ida(x, sig, acc);
                    if (porDer && porIzq)
                        Ida(x, sig, acc);
                } else {
                    r = Final(x, sig, na, nb, 0, prof + 1, acc);
                }
                vistas |= r;
            }
            x.Puntos[s] += suma;
        }
        x.Mano[s] = mano;
        const bool varias = Varios(der) || Varios(izq) || (der != 0 && izq != 0);
        return varias ? Preferida(s, vistas) : r;
    }
};

// Buckets of the table for an analysis from a position with this many tiles
// in hands: about one per two positions it keeps (a first play keeps some
// three million; each play fewer keeps a third to a half as many).
int BitsTabla(int enMano)
{
    return std::clamp(enMano - 7, 12, 21);
}

// What the fast engine keeps between analyses: one table, shared by both
// workers, and the context it was filled in. A kept aggregate depends on the
// hands (through the tiles left, the key), on the pair that led the hand (the
// tie of a blocked line) and on AcuPtos; the analysing pair only flips the
// letters, which are kept as pair 1-3 sees them. So the table stays valid for
// the later plays of a hand, and a new context just changes the stamp.
struct Memoria {
    std::mutex Uso;
    std::unique_ptr<TablaPosiciones> Tabla;
    std::uint32_t Duenos[5]{};  // tiles each seat held when the context began
    int ParejaSalida = 0;
    int AcuPtos = -1;

    static constexpr int kBits = 21;  // 2^21 buckets of two entries: 128 MiB

    void Preparar(const Estado& e)
    {
        if (!Tabla)
            Tabla = std::make_unique<TablaPosiciones>(kBits);
        std::uint32_t manos[5]{};
        for (int s = 1; s <= 4; ++s)
            for (int k = 1; k <= 7; ++k)
                if (const int t = e.Jugadores[s].Mano[k]; t >= 0 && t < kNumFichas && e.Fichas[t].Lugar == 'D')
                    manos[s] |= 1u << t;
        // Every tile still in a hand must lie where it lay: then every
        // position below this one was also a position of that context.
        // A tile in two hands (a damaged state) would make that test
        // meaningless, so such a context is never kept for the next one.
        bool vale = ParejaSalida == ParejaDe(e.Salidor) && AcuPtos == e.Opciones.AcuPtos;
        std::uint32_t vistas = 0;
        bool disjuntas = true;
        for (int s = 1; s <= 4; ++s) {
            vale = vale && (manos[s] & ~Duenos[s]) == 0;
            disjuntas = disjuntas && (manos[s] & vistas) == 0;
            vistas |= manos[s];
        }
        if (vale && disjuntas)
            return;
        Tabla->NuevoContexto(BitsTabla(e.ContarEnMano()));
        for (int s = 1; s <= 4; ++s)
            Duenos[s] = disjuntas ? manos[s] : 0u;
        ParejaSalida = ParejaDe(e.Salidor);
        AcuPtos = e.Opciones.AcuPtos;
    }

    void Olvidar()
    {
        if (Tabla)
            Tabla->NuevoContexto(kBits);
        AcuPtos = -1;
    }
};

Memoria& LaMemoria()
{
    static Memoria m;
    return m;
}

// The root moves in the order the search takes them; before the first play
// both ends count as the examined tile's first number.
std::vector<JugadaRaiz> JugadasRaiz(const Estado& e)
{
    std::vector<JugadaRaiz> jugadas;
    const int s = e.Turno;
    int va = e.ValorIzq, vb = e.ValorDer;
    std::array<bool, kNumFichas> vista{};
    for (int k = 1; k <= 7; ++k) {
        const int t = e.Jugadores[s].Mano[k];
        if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D' || vista[t])
            continue;
        vista[t] = true;
        const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
        if (e.NumTiro == 0)
            va = vb = p1;
        if (vb == p1 || vb == p2)
            jugadas.push_back({s, t, 'D', va, vb == p1 ? p2 : p1, 0, va == vb ? " D ó I r=" : " D r="});
        if ((va == p1 || va == p2) && va != vb)
            jugadas.push_back({s, t, 'I', va == p1 ? p2 : p1, vb, 0, " I r="});
    }
    for (JugadaRaiz& j : jugadas)
        j.Opciones = static_cast<int>(jugadas.size());
    return jugadas;
}

// Appends the summary block of a root move, explored and with its lines
// already in `b`, and fills its record half.
void Resumir(Busqueda& b, const JugadaRaiz& j, const MovimientoRaiz& m)
{
    const Acumulado& acc = m.Acc;
    MitadAnalisis& mitad = j.Lado == 'D' ? b.Analisis[j.Ficha].D : b.Analisis[j.Ficha].I;
    arbol::ResumirJugada(b.Arbol, mitad, j.Ficha, j.Lado, m.Letra, static_cast<std::int64_t>(acc.Idas[1]),
                         static_cast<std::int64_t>(acc.Idas[2]), static_cast<std::int64_t>(acc.Cierres[1]),
                         static_cast<std::int64_t>(acc.Cierres[2]), acc.Max[1], acc.Min[1], acc.Max[2], acc.Min[2]);
}

// The root moves explored by this thread alone, in order, each written
// straight into the tree.
void ExplorarSolo(const Estado& e, TablaPosiciones& tabla, Avance& a, const std::vector<JugadaRaiz>& jugadas,
                  Busqueda& b)
{
    Rapida r(e, tabla);
    const int n = static_cast<int>(jugadas.size());
    for (int i = 0; i < n; ++i) {
        Resumir(b, jugadas[i], r.ExplorarRaiz(jugadas[i], b.Arbol));
        a.MostrarAvance(static_cast<double>(i + 1) / n, false);
    }
}

// The root moves shared by two workers through the nodes a few levels down.
// Each node's result lands in its own slot, so the output never depends on
// which worker explored what. False when no second thread could be started.
bool ExplorarEntreDos(const Estado& e, TablaPosiciones& tabla, Avance& a, const std::vector<JugadaRaiz>& jugadas,
                      Busqueda& b)
{
    const int n = static_cast<int>(jugadas.size());
    Rapida arriba(e, tabla);
    std::vector<Tarea> tareas;
    int prof = 2;
    for (;; ++prof) {
        tareas.clear();
        for (int i = 0; i < n; ++i)
            arriba.Planear(jugadas[i], i, prof, tareas);
        if (static_cast<int>(tareas.size()) >= kTareasDos || prof + 1 >= kProfundidadArbol)
            break;
    }
    const int cuantas = static_cast<int>(tareas.size());
    std::vector<HechoTarea> hechos(static_cast<std::size_t>(cuantas));
    // Nodes still to explore under each root move, for the progress.
    std::unique_ptr<std::atomic<int>[]> faltan(new std::atomic<int>[static_cast<std::size_t>(n)]);
    for (int i = 0; i < n; ++i)
        faltan[i] = 0;
    for (const Tarea& t : tareas)
        faltan[t.Raiz].fetch_add(1, std::memory_order_relaxed);
    std::atomic<int> siguiente{0};
    int informados = 0;
    auto informar = [&] {
        // Progress is drawn from this thread only, in root-move order.
        while (informados < n && faltan[informados].load(std::memory_order_acquire) == 0) {
            ++informados;
            a.MostrarAvance(static_cast<double>(informados) / n, false);
        }
    };
    auto trabajar = [&](bool informa) {
        Rapida r(e, tabla);
        for (int i; (i = siguiente.fetch_add(1)) < cuantas;) {
            hechos[static_cast<std::size_t>(i)] = r.Resolver(tareas[static_cast<std::size_t>(i)]);
            faltan[tareas[static_cast<std::size_t>(i)].Raiz].fetch_sub(1, std::memory_order_release);
            if (informa)
                informar();
        }
    };
    std::thread ayudante;
    try {
        ayudante = std::thread(trabajar, false);
    } catch (const std::system_error&) {
        return false;
    }
    trabajar(true);
    ayudante.join();

    // The workers' texts go straight into the tree, which takes them at
    // once: a large tree written through copies spends much of its time
    // taking fresh pages from the system.
    std::size_t total = 0;
    for (const HechoTarea& h : hechos)
        total += h.Lineas.size();
    b.Arbol.reserve(b.Arbol.size() + total + total / 8 + 4096 * static_cast<std::size_t>(n));
    int usadas = 0;
    for (int i = 0; i < n; ++i)
        Resumir(b, jugadas[i], arriba.Montar(jugadas[i], prof, hechos, &usadas, b.Arbol));
    informar();
    return true;
}

}  // namespace

void OlvidarAnalisis()
{
    Memoria& m = LaMemoria();
    const std::lock_guard<std::mutex> uso(m.Uso);
    m.Olvidar();
}

Busqueda BuscarRapido(const Estado& e, Avance& a)
{
    const std::vector<JugadaRaiz> jugadas = JugadasRaiz(e);
    const int n = static_cast<int>(jugadas.size());
    const int enMano = e.ContarEnMano();

    // The kept table, unless another analysis holds it: then one of its own.
    Memoria& memoria = LaMemoria();
    std::unique_lock<std::mutex> uso(memoria.Uso, std::try_to_lock);
    std::unique_ptr<TablaPosiciones> propia;
    TablaPosiciones* tabla = nullptr;
    if (uso.owns_lock()) {
        memoria.Preparar(e);
        tabla = memoria.Tabla.get();
    } else {
        propia = std::make_unique<TablaPosiciones>(BitsTabla(enMano));
        tabla = propia.get();
    }

    // A failed start of the second worker leaves the tree untouched.
    Busqueda b;
    const bool dos = enMano >= kMinimoDos && n > 0 && std::thread::hardware_concurrency() > 1;
    if (!dos || !ExplorarEntreDos(e, *tabla, a, jugadas, b))
        ExplorarSolo(e, *tabla, a, jugadas, b);
    return b;
}
