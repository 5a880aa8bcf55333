// Synthesises the game's wave files: a tile click, the tiles being turned,
// the shuffle, applause, a snore and one "pass" voice per seat. Everything is
// made from oscillators, resonators and seeded noise, so the same build
// always produces the same bytes.
//
//   generar_sonidos <folder>     writes the nine files into <folder>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

constexpr int kFrecuencia = 22050;
constexpr double kPi = 3.14159265358979323846;

using Muestras = std::vector<double>;

// Deterministic noise: the same sequence on every machine.
class Ruido {
public:
    explicit Ruido(std::uint32_t semilla) : estado_(semilla ? semilla : 1u) {}
    double Blanco()  // -1..1
    {
        estado_ ^= estado_ << 13;
        estado_ ^= estado_ >> 17;
        estado_ ^= estado_ << 5;
        return static_cast<double>(estado_) / 2147483648.0 - 1.0;
    }
    double Uniforme() { return (Blanco() + 1.0) / 2.0; }  // 0..1

private:
    std::uint32_t estado_;
};

// Two-pole resonator: a band around `centro` Hz, `ancho` Hz wide.
class Resonador {
public:
    Resonador(double centro, double ancho)
    {
        const double r = std::exp(-kPi * ancho / kFrecuencia);
        b1_ = 2.0 * r * std::cos(2.0 * kPi * centro / kFrecuencia);
        b2_ = -r * r;
        g_ = 1.0 - r;
    }
    double operator()(double x)
    {
        const double y = g_ * x + b1_ * y1_ + b2_ * y2_;
        y2_ = y1_;
        y1_ = y;
        return y;
    }

private:
    double b1_ = 0, b2_ = 0, g_ = 0, y1_ = 0, y2_ = 0;
};

int Cuantas(double segundos)
{
    return static_cast<int>(segundos * kFrecuencia);
}

// Adds `s` into `destino` from sample `desde`, growing it when needed.
void Mezclar(Muestras& destino, const Muestras& s, int desde, double ganancia = 1.0)
{
    if (desde < 0)
        return;
    if (destino.size() < static_cast<size_t>(desde) + s.size())
        destino.resize(static_cast<size_t>(desde) + s.size(), 0.0);
    for (size_t i = 0; i < s.size(); ++i)
        destino[static_cast<size_t>(desde) + i] += ganancia * s[i];
}

// Scales to a peak of `pico` (of full scale).
void Normalizar(Muestras& s, double pico)
{
    double maximo = 0;
    for (double v : s)
        maximo = std::max(maximo, std::abs(v));
    if (maximo <= 0)
        return;
    for (double& v : s)
        v *= pico / maximo;
}

// Short fade at both ends so no sound starts or stops with a click of its own.
void Suavizar(Muestras& s, double segundos = 0.004)
{
    const size_t n = std::min(s.size() / 2, static_cast<size_t>(Cuantas(segundos)));
    for (size_t i = 0; i < n; ++i) {
        const double g = static_cast<double>(i) / static_cast<double>(n);
        s[i] *= g;
        s[s.size() - 1 - i] *= g;
    }
}

// A hard object hitting wood: a noise burst through a resonance, decaying fast.
Muestras Golpe(Ruido& ruido, double tono, double decaimiento, double segundos)
{
    Muestras s(static_cast<size_t>(Cuantas(segundos)));
    Resonador cuerpo(tono, tono * 0.08);
    Resonador brillo(tono * 2.7, tono * 0.3);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kFrecuencia;
        const double excitacion = t < 0.002 ? ruido.Blanco() : ruido.Blanco() * 0.05;
        const double env = std::exp(-t * decaimiento);
        s[i] = env * (cuerpo(excitacion) * 3.0 + brillo(excitacion) * 1.5);
    }
    return s;
}

Muestras Ficha()
{
    Ruido ruido(11);
    Muestras s = Golpe(ruido, 2100, 90, 0.09);
    Mezclar(s, Golpe(ruido, 1300, 70, 0.07), Cuantas(0.012), 0.5);
    Normalizar(s, 0.8);
    Suavizar(s, 0.001);
    return s;
}

// Tiles turned one after another: a train of clicks of slightly varied pitch.
Muestras Voltea()
{
    Ruido ruido(23);
    Muestras s;
    double t = 0;
    for (int k = 0; k < 14; ++k) {
        const double tono = 1700 + 700 * ruido.Uniforme();
        Mezclar(s, Golpe(ruido, tono, 110, 0.06), Cuantas(t), 0.6 + 0.4 * ruido.Uniforme());
        t += 0.055 + 0.02 * ruido.Uniforme();
    }
    Normalizar(s, 0.7);
    Suavizar(s);
    return s;
}

// Tiles sliding on the cloth: band-passed noise swelling in waves, with the
// odd tile knocking another.
Muestras Sopa()
{
    Ruido ruido(37);
    const double largo = 2.6;
    Muestras s(static_cast<size_t>(Cuantas(largo)));
    Resonador roce(3200, 2500);
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kFrecuencia;
        const double ola = 0.55 + 0.45 * std::sin(2 * kPi * 1.9 * t) * std::sin(2 * kPi * 0.37 * t + 0.5);
        const double env = std::min(1.0, t / 0.15) * std::min(1.0, (largo - t) / 0.4);
        s[i] = roce(ruido.Blanco()) * ola * env * 4.0;
    }
    for (int k = 0; k < 24; ++k) {
        const double t = 0.1 + (largo - 0.5) * ruido.Uniforme();
        Mezclar(s, Golpe(ruido, 1500 + 900 * ruido.Uniforme(), 140, 0.04), Cuantas(t), 0.35);
    }
    Normalizar(s, 0.6);
    Suavizar(s);
    return s;
}

// Many hands: hundreds of short claps whose density rises and then dies away.
Muestras Aplauso()
{
    Ruido ruido(41);
    const double largo = 3.2;
    Muestras s(static_cast<size_t>(Cuantas(largo)), 0.0);
    for (int k = 0; k < 520; ++k) {
        // Denser at the start, thinning out towards the end.
        const double u = ruido.Uniforme();
        const double t = largo * (1.0 - std::sqrt(1.0 - u)) * 0.95;
        const double tono = 900 + 1400 * ruido.Uniforme();
        Muestras palmada(static_cast<size_t>(Cuantas(0.03)));
        Resonador mano(tono, 900);
        for (size_t i = 0; i < palmada.size(); ++i) {
            const double tt = static_cast<double>(i) / kFrecuencia;
            palmada[i] = mano(ruido.Blanco()) * std::exp(-tt * 160);
        }
        Mezclar(s, palmada, Cuantas(t), 0.4 + 0.6 * ruido.Uniforme());
    }
    Normalizar(s, 0.7);
    Suavizar(s, 0.05);
    return s;
}

// A snore: a slow breath in, rattling at a low pitch, then a breath out.
Muestras Ronca()
{
    Ruido ruido(53);
    const double largo = 2.2;
    Muestras s(static_cast<size_t>(Cuantas(largo)));
    Resonador garganta(420, 180);
    Resonador nariz(900, 300);
    Resonador aire(1800, 1500);
    double fase = 0;
    for (size_t i = 0; i < s.size(); ++i) {
        const double t = static_cast<double>(i) / kFrecuencia;
        double voz = 0, soplo = 0;
        if (t < 1.2) {
            // Breath in: the soft palate flutters about 35 times a second.
            const double f0 = 32 + 6 * std::sin(2 * kPi * 0.8 * t);
            fase += f0 / kFrecuencia;
            const double pulso = std::pow(std::max(0.0, std::sin(2 * kPi * fase)), 6.0);
            const double env = std::sin(kPi * t / 1.2);
            voz = (pulso + 0.15 * ruido.Blanco()) * env;
        } else if (t > 1.35) {
            const double env = std::sin(kPi * (t - 1.35) / (largo - 1.35));
            soplo = ruido.Blanco() * env * 0.5;
        }
        s[i] = garganta(voz) * 3.0 + nariz(voz) * 1.5 + aire(soplo) * 2.0;
    }
    Normalizar(s, 0.75);
    Suavizar(s, 0.02);
    return s;
}

// A voiced syllable: a glottal pulse train at `f0` through three formants,
// gliding from one vowel to another.
struct Vocal {
    double F1, F2, F3;
};

Muestras Silaba(Ruido& ruido, double f0, Vocal desde, Vocal hasta, double segundos)
{
    Muestras s(static_cast<size_t>(Cuantas(segundos)));
    double fase = 0;
    const size_t pasos = 64;
    const size_t tramo = s.size() / pasos + 1;
    for (size_t p = 0; p < pasos; ++p) {
        const double a = static_cast<double>(p) / (pasos - 1);
        Resonador r1(desde.F1 + (hasta.F1 - desde.F1) * a, 90);
        Resonador r2(desde.F2 + (hasta.F2 - desde.F2) * a, 120);
        Resonador r3(desde.F3 + (hasta.F3 - desde.F3) * a, 160);
        // Let each set of filters settle on the pulses just before its stretch.
        const size_t inicio = p * tramo;
        const size_t fin = std::min(s.size(), inicio + tramo);
        const size_t previo = inicio > 200 ? inicio - 200 : 0;
        double faseLocal = fase;
        for (size_t i = previo; i < fin; ++i) {
            const double t = static_cast<double>(i) / kFrecuencia;
            const double tono = f0 * (1.08 - 0.16 * t / segundos);  // falling pitch
            faseLocal += tono / kFrecuencia;
            faseLocal -= std::floor(faseLocal);
            const double fuente = (faseLocal < 0.4 ? std::sin(kPi * faseLocal / 0.4) : 0.0) - 0.25 + 0.02 * ruido.Blanco();
            const double y = r1(fuente) * 1.0 + r2(fuente) * 0.6 + r3(fuente) * 0.25;
            if (i >= inicio) {
                const double env = std::min(1.0, t / 0.02) * std::min(1.0, (segundos - t) / 0.06);
                s[i] = y * std::max(0.0, env);
                fase = faseLocal;
            }
        }
    }
    return s;
}

// "Paso": a lip burst, "a", a hiss, "o" — each seat with its own voice.
Muestras Paso(int silla)
{
    Ruido ruido(static_cast<std::uint32_t>(100 + silla));
    // Pitch and vocal-tract length per seat, so each voice is told apart.
    const double f0[] = {0, 115, 210, 150, 260};
    const double tracto[] = {0, 1.0, 1.17, 1.06, 1.24};
    const double k = tracto[silla];
    const Vocal a{760 * k, 1250 * k, 2600 * k};
    const Vocal o{520 * k, 900 * k, 2500 * k};
    const Vocal u{400 * k, 800 * k, 2400 * k};
    Muestras s;
    // "p": a short burst of air.
    Muestras p(static_cast<size_t>(Cuantas(0.02)));
    Resonador labio(900 * k, 700);
    for (size_t i = 0; i < p.size(); ++i)
        p[i] = labio(ruido.Blanco()) * std::exp(-static_cast<double>(i) / kFrecuencia * 200) * 2.0;
    Mezclar(s, p, 0);
    Mezclar(s, Silaba(ruido, f0[silla], a, a, 0.17), Cuantas(0.018), 1.0);
    // "s": high hiss.
    Muestras hs(static_cast<size_t>(Cuantas(0.11)));
    Resonador silbido(5200, 1800);
    for (size_t i = 0; i < hs.size(); ++i) {
        const double t = static_cast<double>(i) / kFrecuencia;
        hs[i] = silbido(ruido.Blanco()) * std::sin(kPi * t / 0.11) * 0.9;
    }
    Mezclar(s, hs, Cuantas(0.18));
    Mezclar(s, Silaba(ruido, f0[silla] * 0.95, o, u, 0.22), Cuantas(0.28), 1.0);
    Normalizar(s, 0.8);
    Suavizar(s);
    return s;
}

void Poner16(std::ofstream& f, std::uint16_t v)
{
    const char b[2] = {static_cast<char>(v & 0xFF), static_cast<char>(v >> 8)};
    f.write(b, 2);
}

void Poner32(std::ofstream& f, std::uint32_t v)
{
    for (int i = 0; i < 4; ++i) {
        const char c = static_cast<char>((v >> (8 * i)) & 0xFF);
        f.write(&c, 1);
    }
}

// 16-bit mono PCM, written to a temporary name and renamed when whole.
bool Escribir(const std::filesystem::path& ruta, const Muestras& s)
{
    const std::filesystem::path temporal = ruta.string() + ".tmp";
    {
        std::ofstream f(temporal, std::ios::binary | std::ios::trunc);
        if (!f)
            return false;
        const std::uint32_t datos = static_cast<std::uint32_t>(s.size() * 2);
        f.write("RIFF", 4);
        Poner32(f, 36 + datos);
        f.write("WAVEfmt ", 8);
        Poner32(f, 16);
        Poner16(f, 1);  // PCM
        Poner16(f, 1);  // mono
        Poner32(f, kFrecuencia);
        Poner32(f, kFrecuencia * 2);
        Poner16(f, 2);
        Poner16(f, 16);
        f.write("data", 4);
        Poner32(f, datos);
        for (double v : s) {
            const double c = std::clamp(v, -1.0, 1.0);
            Poner16(f, static_cast<std::uint16_t>(static_cast<std::int16_t>(std::lround(c * 32767.0))));
        }
        // The stream buffers: a full disk may show only when it is closed.
        f.close();
        if (!f) {
            std::error_code ignorado;
            std::filesystem::remove(temporal, ignorado);
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporal, ruta, ec);
    return !ec;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "uso: generar_sonidos <carpeta>\n");
        return 2;
    }
    const std::filesystem::path carpeta(argv[1]);
    std::error_code ec;
    std::filesystem::create_directories(carpeta, ec);
    struct Sonido {
        const char* nombre;
        Muestras muestras;
    };
    const Sonido sonidos[] = {
        {"Ficha.wav", Ficha()},     {"Voltea.wav", Voltea()}, {"Sopa.wav", Sopa()},
        {"Aplauso.wav", Aplauso()}, {"Ronca.wav", Ronca()},   {"paso1.wav", Paso(1)},
        {"paso2.wav", Paso(2)},     {"paso3.wav", Paso(3)},   {"paso4.wav", Paso(4)},
    };
    for (const Sonido& s : sonidos) {
        if (!Escribir(carpeta / s.nombre, s.muestras)) {
            std::fprintf(stderr, "generar_sonidos: no se pudo escribir %s\n", (carpeta / s.nombre).string().c_str());
            return 1;
        }
    }
    return 0;
}
