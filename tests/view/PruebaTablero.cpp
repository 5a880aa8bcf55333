// The board: what a press picks and what a release asks of the flow, in both
// views, through real pointer events on a drawn board; and what the drawing
// leaves on the surface.

#include <QtTest>

#include "bench/tablero/Escena.h"
#include "view/Colores.h"
#include "view/Tablero.h"

using namespace vista;

namespace {

// Records what the board asks of the flow.
class AccionesAnotadas : public AccionesTablero {
public:
    QStringList pedidos;
    float x = 0, y = 0;
    void TomarFicha(int ficha, float px, float py) override
    {
        pedidos << QStringLiteral("Tomar %1").arg(ficha);
        x = px;
        y = py;
    }
    void JugarTiro(int ficha, Extremo lado) override
    {
        pedidos << QStringLiteral("Jugar %1 %2").arg(ficha).arg(TextoExtremo(lado));
    }
    void Boton(Control c, int silla, Accion a) override
    {
        if (a == Accion::Ocultar)
            pedidos << (c == Control::bMemoria ? QStringLiteral("Ocultar bMemoria")
                                               : QStringLiteral("Ocultar bNoSalir %1").arg(silla));
    }
    QStringList Juegos() const { return pedidos.filter(QRegularExpression("^(Jugar|Tomar)")); }
};

int Contar(const QImage& img, const QRect& r, QRgb color)
{
    int n = 0;
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += (img.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
    return n;
}

// Mean step between neighbouring pixels (green channel): how much fine
// detail a picture holds.
double Detalle(const QImage& img, const QRect& r)
{
    double suma = 0;
    int n = 0;
    for (int y = r.top(); y < r.bottom(); ++y)
        for (int x = r.left(); x < r.right(); ++x) {
            const int g = qGreen(img.pixel(x, y));
            suma += std::abs(g - qGreen(img.pixel(x + 1, y))) + std::abs(g - qGreen(img.pixel(x, y + 1)));
            n += 2;
        }
    return n ? suma / n : 0;
}

}  // namespace

class PruebaTablero : public QObject {
    Q_OBJECT

    Estado e;
    Tablero* t = nullptr;
    AccionesAnotadas acciones;

    void Arrastrar(double x1, double y1, double x2, double y2)
    {
        QTest::mousePress(t, Qt::LeftButton, {}, t->PuntoEnWidget(x1, y1));
        QTest::mouseRelease(t, Qt::LeftButton, {}, t->PuntoEnWidget(x2, y2));
    }
    void Presionar(double x, double y) { QTest::mousePress(t, Qt::LeftButton, {}, t->PuntoEnWidget(x, y)); }
    // The view named by the row of a test run in both.
    void VistaDeLaFila() { QFETCH(QString, modo); modo == QLatin1String("3D") ? t->VerEn3D() : t->VerEn2D(); }
    // The full set in the pool, sorted in its triangle.
    void Monton()
    {
        e.FaseMano = Fase::Repartiendo;
        for (int s = 1; s <= 4; ++s)
            e.Jugadores[s].NumFichas = 0;
        for (Ficha& f : e.Fichas) {
            f.Lugar = 'R';
            f.Dueno = 0;
            f.Rumbo = 'S';
            f.X = (f.Punto2 - f.Punto1) * 0.05f - 0.15f;
            f.Y = f.Punto1 * 0.1f + 0.2f;
        }
    }

private slots:
    void init()
    {
        e = Estado();
        e.CarpetaApp = qEnvironmentVariable("QUIMBOLO_CARPETA") + QLatin1Char('/');
        PrepararEscena(e);
        t = new Tablero(e);
        t->resize(kAnchoTablero, kAltoTablero);
        t->PonerAcciones(&acciones);
        t->DibujarMesa();
        t->show();
        QVERIFY(QTest::qWaitForWindowExposed(t));
        acciones.pedidos.clear();
    }
    void cleanup()
    {
        delete t;
        t = nullptr;
    }

    void ambasVistas_data()
    {
        QTest::addColumn<QString>("modo");
        QTest::newRow("2D") << "2D";
        QTest::newRow("3D") << "3D";
    }

    void presionEnLaFila_data() { ambasVistas_data(); }
    void presionEnLaFila()
    {
        // Seat 1 with seven tiles: centres at -0.15 .. 0.15.
        Jugador& j = e.Jugadores[1];
        const int fichas[8] = {0, 1, 6, 8, 9, 10, 13, 14};
        for (int k = 1; k <= 7; ++k) {
            j.Mano[k] = fichas[k];
            e.Fichas[fichas[k]].Lugar = 'D';
            e.Fichas[fichas[k]].Dueno = 1;
        }
        VistaDeLaFila();
        QVERIFY(std::abs(e.Fichas[14].X - 0.15f) < 1e-6);
        Presionar(0, 0.09);
        QCOMPARE(t->FichaTomada(), j.Mano[4]);
        Presionar(0.176, 0.09);
        QCOMPARE(t->FichaTomada(), j.Mano[7]);
        Presionar(0.18, 0.09);
        QCOMPARE(t->FichaTomada(), -1);
        // In the gap between two tiles the one on the left is taken.
        Presionar(0.075, 0.12);
        QCOMPARE(t->FichaTomada(), j.Mano[5]);
        // Another seat's hand is not the hand to move.
        Presionar(0, 0.91);
        QCOMPARE(t->FichaTomada(), -1);
    }

    void presionEnLaColumna_data() { ambasVistas_data(); }
    void presionEnLaColumna()
    {
        VistaDeLaFila();
        t->resize(600, 600);  // another shape: the board keeps its own, centred
        e.Turno = 2;
        // Seat 2's four tiles lie at y = 0.595, 0.545, 0.495, 0.445.
        Presionar(0.61, 0.56);
        QCOMPARE(t->FichaTomada(), e.Jugadores[2].Mano[2]);
        Presionar(0.61, 0.60);
        QCOMPARE(t->FichaTomada(), e.Jugadores[2].Mano[1]);
        Presionar(0.70, 0.56);
        QCOMPARE(t->FichaTomada(), -1);
    }

    void jugadaPorLaPuntaQueCabe_data() { ambasVistas_data(); }
    void jugadaPorLaPuntaQueCabe()
    {
        VistaDeLaFila();
        // Seat 1 holds 5-5, 0-0, 4-6, 3-6, 4-5; the ends are 0 (left) and 4 (right).
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, -0.3, 0.3);   // 4-6 only fits right
        Arrastrar(e.Fichas[6].X, e.Fichas[6].Y, 0.3, 0.3);    // 0-0 only fits left
        Arrastrar(e.Fichas[9].X, e.Fichas[9].Y, 0.0, 0.6);    // 3-6 fits nowhere
        QCOMPARE(acciones.Juegos(),
                 QStringList({"Jugar 8 DER", "Jugar 6 IZQ", "Jugar 9 IZQ"}));
        // Both ends open on 4: the nearer end decides.
        e.ValorIzq = 4;
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, -0.2, 0.45);
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, 0.3, 0.6);
        QCOMPARE(acciones.Juegos().mid(3), QStringList({"Jugar 8 IZQ", "Jugar 8 DER"}));
    }

    void soltarFueraOAjenoNoJuega_data() { ambasVistas_data(); }
    void soltarFueraOAjenoNoJuega()
    {
        VistaDeLaFila();
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, 0.0, 0.84);   // above the play area
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, 0.62, 0.5);   // beside it
        Arrastrar(0.3, 0.3, 0.0, 0.5);                        // nothing picked
        // Seat 2 plays at another machine; seat 3 is this machine's computer.
        e.Turno = 2;
        Arrastrar(0.61, 0.56, 0.0, 0.5);
        e.Turno = 3;
        Arrastrar(e.Fichas[17].X, e.Fichas[17].Y, 0.0, 0.5);
        QVERIFY(acciones.pedidos.isEmpty());
    }

    void empateYPrimeraFicha()
    {
        e.ValorIzq = e.ValorDer = 4;
        e.PuntaIzqX = -0.2f;
        e.PuntaDerX = 0.2f;
        QCOMPARE(ElegirPunta(e, 8, -0.1, 0.5), Extremo::Izq);
        QCOMPARE(ElegirPunta(e, 8, 0.0, 0.3), Extremo::Der);
        e.NumTiro = 0;
        e.ValorIzq = 6;
        QCOMPARE(ElegirPunta(e, 8, -0.19, 0.5), Extremo::Der);
        QCOMPARE(ElegirPunta(e, 9, -0.19, 0.5), Extremo::Der);
    }

    void posicionDelPuntero()
    {
        QSignalSpy posiciones(t, &Tablero::Posicion);
        Arrastrar(0.3, 0.3, 0.3, 0.6);
        QVERIFY(QRegularExpression(QStringLiteral("^1 0\\.(29|30|31) 0\\.(59|60|61)$"))
                    .match(posiciones.at(0).at(0).toString()).hasMatch());
        QCOMPARE(TextoPosicion(4, -0.001, 0.5), QStringLiteral("4 0.00 0.50"));
    }

    void repartoTomaLaDeArriba_data() { ambasVistas_data(); }
    void repartoTomaLaDeArriba()
    {
        Monton();
        e.Fichas[5].X = 0.10f;
        e.Fichas[5].Y = 0.50f;
        e.Fichas[20].X = 0.12f;
        e.Fichas[20].Y = 0.52f;
        VistaDeLaFila();
        // Where 1-1 and 1-4 overlap, the higher number lies on top.
        Arrastrar(0.11, 0.51, 0.0, 0.05);
        QCOMPARE(acciones.Juegos(), QStringList({"Tomar 20"}));
        QVERIFY(std::abs(acciones.y - 0.05f) < 0.005f);
        // A tile that left the pool between press and release stays where it went.
        Presionar(0.07, 0.47);
        QCOMPARE(t->FichaTomada(), 5);
        e.Fichas[5].Lugar = 'D';
        QTest::mouseRelease(t, Qt::LeftButton, {}, t->PuntoEnWidget(0.0, 0.95));
        QCOMPARE(acciones.Juegos().size(), 1);
    }

    void salidaElegida()
    {
        e.FaseMano = Fase::Saliendo;
        e.NumTiro = 0;
        e.HistFicha[1] = 8;
        // The remembered lead is the tile dropped: the memory stays.
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, 0.5, 0.95);
        QVERIFY(e.TiroListo);
        QCOMPARE(e.FichaElegida, 8);
        QCOMPARE(e.PuntaElegida, Extremo::Der);
        QCOMPARE(e.HistFicha[1], 8);
        QCOMPARE(acciones.pedidos, QStringList({"Ocultar bNoSalir 1", "Ocultar bNoSalir 2",
                                                "Ocultar bNoSalir 3", "Ocultar bNoSalir 4"}));
        // Another lead: the memory is forgotten from this play on.
        acciones.pedidos.clear();
        e.HistFicha[2] = 13;
        Arrastrar(e.Fichas[10].X, e.Fichas[10].Y, 0.0, 0.5);
        QCOMPARE(e.FichaElegida, 10);
        QCOMPARE(acciones.pedidos.first(), QStringLiteral("Ocultar bMemoria"));
        QCOMPARE(e.HistFicha[1], -1);
        QCOMPARE(e.HistFicha[2], -1);
    }

    void memoriaDeLaJugada()
    {
        e.ValorIzq = 4;
        e.HistFicha[12] = 8;
        e.HistPunta[12] = Extremo::Der;
        e.HistFicha[13] = 20;
        // Same tile, same end: the remembered plays stay.
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, 0.35, 0.6);
        QCOMPARE(acciones.pedidos, QStringList({"Jugar 8 DER"}));
        QCOMPARE(e.HistFicha[13], 20);
        // Same tile at the other end: forgotten.
        Arrastrar(e.Fichas[8].X, e.Fichas[8].Y, -0.3, 0.45);
        QCOMPARE(acciones.pedidos.mid(1), QStringList({"Ocultar bMemoria", "Jugar 8 IZQ"}));
        QCOMPARE(e.HistFicha[12], -1);
        QCOMPARE(e.HistFicha[13], -1);
    }

    void mitadEnBlancoSoloLinea()
    {
        Lienzo l(e);
        const unsigned blanco = 0xFFFFFF;
        l.DibujarCara(0.0, 0.5, 'V', 0, 1, blanco, blanco);
        const auto pixel = [&](double x, double y) {
            const QPointF p = APixel(l.G, Proyectar(l.G, x, y));
            return l.Imagen().pixel(p.toPoint()) & 0xFFFFFF;
        };
        QCOMPARE(pixel(0.0, 0.5 + 2 * PasoPunto), blanco);   // the 0 half
        QCOMPARE(pixel(0.0, 0.5 - 2 * PasoPunto), 0u);       // the single pip
        QCOMPARE(pixel(0.01, 0.5), kColorGris);              // the divider
    }

    void colorSinMoverFichas()
    {
        t->PonerColor(false);
        const QRect mano = RectPixeles(t->Geometria(), ZonasMano(1).front());
        const QRect mesa = RectPixeles(t->Geometria(), kZonaJuego);
        const unsigned colorSur = ColoresSillas(true)[1];
        const float antesX = e.Fichas[8].X;
        QCOMPARE(Contar(t->Imagen(), mano, colorSur), 0);
        QVERIFY(t->CambiarColor());
        QVERIFY(Contar(t->Imagen(), mano, colorSur) > 500);
        // The lead was laid by seat 1: on the table it wears that colour too.
        QVERIFY(Contar(t->Imagen(), mesa, colorSur) > 100);
        QVERIFY(e.Fichas[8].Color1 == colorSur && e.Fichas[8].X == antesX);
        QVERIFY(!t->CambiarColor());
        QCOMPARE(Contar(t->Imagen(), mano, colorSur), 0);
    }

    void montonVolteadoYRevuelto()
    {
        Monton();
        e.Opciones.AoC = 'C';
        t->VerEn3D();
        const QRect monton = RectPixeles(t->Geometria(), kZonaJuego);
        // Laid out sorted and face up, then turned one by one.
        t->DibujarMesa();
        const int abiertas = Contar(t->Imagen(), monton, kColorNeutro);
        for (int f = 0; f < kNumFichas; ++f)
            t->DibujarFichaSola(f);
        const int cerradas = Contar(t->Imagen(), monton, kColorNeutro);
        QVERIFY(abiertas > 5 * cerradas);
        // Mixed: each tile drawn where it went, nothing left where it was.
        for (int f = 0; f < kNumFichas; ++f) {
            e.Fichas[f].X = -0.3f + 0.02f * f;
            e.Fichas[f].Y = 0.4f + 0.01f * f;
            t->DibujarFichaSola(f);
        }
        const QImage revuelto = t->Imagen();
        t->DibujarMesa();
        QCOMPARE(t->Imagen().convertToFormat(QImage::Format_RGB888), revuelto.convertToFormat(QImage::Format_RGB888));
        // Closed tiles stay closed through a change of view.
        t->VerEn2D();
        QVERIFY(5 * Contar(t->Imagen(), RectPixeles(t->Geometria(), kZonaJuego), kColorNeutro) < abiertas);
    }

    void mesaNitidaAlCrecer_data() { ambasVistas_data(); }
    void mesaNitidaAlCrecer()
    {
        // A board drawn at twice the reference size (a 2x screen, a large
        // window) shows the table picture's own detail, not the
        // reference-sized table blown up.
        QFETCH(QString, modo);
        const QImage foto(QDir(e.CarpetaApp).filePath(modo == QLatin1String("3D") ? QStringLiteral("MMEDIA/Mesa3d.JPG")
                                                                                  : QStringLiteral("MMEDIA/Mesa2d.JPG")));
        QVERIFY(!foto.isNull());
        Lienzo chico(e), grande(e);
        chico.G.PonerModo(modo);
        grande.G.PonerModo(modo);
        grande.G.PonerTamano(2 * kAnchoTablero, 2 * kAltoTablero);
        chico.PonerFondo(foto);
        grande.PonerFondo(foto);
        const QImage soplada =
            chico.Fondo().scaled(grande.Fondo().size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        const QRect fieltro = RectPixeles(grande.G, kZonaLinea);
        const double propio = Detalle(grande.Fondo(), fieltro), ampliado = Detalle(soplada, fieltro);
        QVERIFY2(propio > 1.5 * ampliado, qPrintable(QStringLiteral("%1 / %2").arg(propio).arg(ampliado)));
    }

    void mesaEnPerspectivaConservaLasManos()
    {
        t->VerEn3D();
        QRect lado;
        for (const Zona& z : ZonasMano(2))
            lado |= RectPixeles(t->Geometria(), z);
        const QImage antes = t->Imagen().copy(lado);
        t->DibujarMesa();
        QCOMPARE(t->Imagen().copy(lado), antes);
    }
};

QTEST_MAIN(PruebaTablero)
#include "PruebaTablero.moc"
