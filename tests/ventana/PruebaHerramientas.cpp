// The game window's tools without the window: advice and forecast colours,
// the tree file, the progress bar, the open form, saving a copy, the replay's
// lines, undo and the memory button.

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

#include "ai/Analisis.h"
#include "app/quimbolo/Arbol.h"
#include "app/quimbolo/Consejo.h"
#include "app/quimbolo/FrmPassW.h"
#include "app/quimbolo/PicThink.h"
#include "app/quimbolo/Repeticion.h"
#include "records/GuardarMano.h"
#include "records/Marcador.h"
#include "records/Posicion.h"
#include "records/RegistroMano.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/ventana/RegistroPrueba.h"
#include "view/Colores.h"

namespace {

// The position after k plays of the record, every seat a person of this machine.
void Posicion(Estado& e, int k, char nivel, const QString& carpeta)
{
    e.Opciones.Nivel = nivel;
    e.CarpetaApp = carpeta;
    const ResultadoPosicion r = PosicionTrasJugadas(Registro(), k, e);
    if (!r.Ok)
        qFatal("%s", qPrintable(r.Mensaje()));
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].HoC = 'H';
        e.Jugadores[s].LoR = 'L';
    }
}

// Records the face colours of the hand each time it is drawn.
class AnfitrionColores : public AnfitrionPrueba {
public:
    Estado* E = nullptr;
    std::vector<std::vector<std::pair<unsigned, unsigned>>> Dibujos;
    void DibujarMano(int silla, char) override
    {
        std::vector<std::pair<unsigned, unsigned>> mano;
        for (int k = 1; k <= 7; ++k) {
            const Ficha& f = E->Fichas[E->Jugadores[silla].Mano[k]];
            mano.emplace_back(f.Color1, f.Color2);
        }
        Dibujos.push_back(mano);
    }
};

QString TextoFichaConsejo(int ficha)
{
    return QStringLiteral("%1-%2").arg(kTablaFichas[ficha].Punto1).arg(kTablaFichas[ficha].Punto2);
}

}  // namespace

class PruebaHerramientas : public QObject {
    Q_OBJECT
private slots:
    void init() { QVERIFY(dir_.isValid()); carpeta_ = dir_.path() + '/'; QDir(carpeta_).mkpath("JGO"); }

    // Advice.
    void consejoDeLaSalidaTraeEstadisticas();
    void consejoDeReglasSinTextoCierraATres();
    void consejoTrasAnalisisOfreceDetallesYColorea();
    void consejoSeRecalculaTrasRegresar();

    // Tree window and progress bar.
    void arbolSeVolteaUnaSolaVez();
    void arbolLimiteDeTamano();
    void ventanaArbol();
    void avanceRedondeoYLimites();
    void avanceInvierteLoQueCubre();

    // Records.
    void frmPassWAbreOAvisa();
    void guardarCopiaPropuestaRecorteYRechazo();
    void repeticionEnviaManosRepetYMemo();
    void repeticionRechazaRegistrosMalos();
    void regresarDosVecesYRepetirDeMemoria();

private:
    QTemporaryDir dir_;
    QString carpeta_;
};

void PruebaHerramientas::consejoDeLaSalidaTraeEstadisticas()
{
    Estado e;
    Posicion(e, 0, 'I', carpeta_);
    AnfitrionPrueba a;
    Consejo c(e, a);
    QVERIFY(c.HayQueCalcular());
    c.bConsejo_Click();
    QCOMPARE(a.Mensajes.size(), size_t(1));
    const Mensaje& m = a.Mensajes[0];
    QVERIFY2(m.Mensaje.startsWith("Consejo: " + TextoFichaConsejo(c.ConsejoFicha) + "\n\nRepeticiones:\n"),
             qPrintable(m.Mensaje));
    QVERIFY(!m.Mensaje.contains(" Punta "));  // the lead's end is left to the turn cycle
    QCOMPARE(m.LabelFont, QString("Tahoma"));
    QCOMPARE(m.Icono, 64);
    QCOMPARE(m.Botones, 0);
    QCOMPARE(m.Duracion, 30.0);
    QCOMPARE(m.Default, 0);
    // The lead of a hand is worked out again at every click.
    QVERIFY(c.HayQueCalcular());
}

void PruebaHerramientas::consejoDeReglasSinTextoCierraATres()
{
    Estado e;
    Posicion(e, 5, 'P', carpeta_);  // 23 tiles in hand: beyond the beginner's analysis
    QVERIFY(e.Jugadores[e.Turno].NumFichas < 7);
    AnfitrionPrueba a;
    Consejo c(e, a);
    c.Calcular();
    QVERIFY(!c.ConsejoArbol);
    QVERIFY(c.ConsejoTexto.isEmpty());
    QVERIFY(!c.HayQueCalcular());
    c.bConsejo_Click();
    QCOMPARE(a.Mensajes.size(), size_t(1));
    QCOMPARE(a.Mensajes[0].Mensaje, "Consejo: " + TextoFichaConsejo(c.ConsejoFicha) + " Punta " + c.ConsejoPunta);
    QVERIFY(c.ConsejoPunta == "IZQ" || c.ConsejoPunta == "DER");
    QCOMPARE(a.Mensajes[0].Duracion, 3.0);
    QCOMPARE(a.Mensajes[0].Botones, 0);
}

void PruebaHerramientas::consejoTrasAnalisisOfreceDetallesYColorea()
{
    Estado e;
    Posicion(e, 12, 'I', carpeta_);
    AnfitrionColores a;
    a.E = &e;
    Consejo c(e, a);
    const unsigned propio = 0xFCC0CE;
    c.ColorSilla = [&](int) { return propio; };
    QString abierto;
    c.VerArbol = [&](const QString& ruta) { abierto = ruta; };

    c.Calcular();
    QVERIFY(c.ConsejoArbol);
    QVERIFY(!e.Pronosticos[13].isEmpty());

    // The hand was drawn once with the forecast colours: every tile named in
    // the forecast shows its category's colour on the half it names.
    QCOMPARE(a.Dibujos.size(), size_t(1));
    const Jugador& j = e.Jugadores[e.Turno];
    int coloreadas = 0;
    for (int k = 1; k <= 7; ++k) {
        const auto [c1, c2] = a.Dibujos[0][k - 1];
        const int t = j.Mano[k];
        if (e.Fichas[t].Lugar != 'D')
            continue;
        for (qsizetype i = 0; i + 5 <= e.Pronosticos[13].size(); i += 6) {
            const QString entrada = e.Pronosticos[13].mid(i, 6);
            if (entrada.mid(2, 2).toInt() != t)
                continue;
            const unsigned color = static_cast<unsigned>(vista::ColorPronostico(entrada[0].digitValue()));
            QVERIFY(c1 == color || c2 == color);
            ++coloreadas;
        }
    }
    QVERIFY(coloreadas >= 1);
    // ... and is left in the seat's own colour for the next drawing.
    for (int k = 1; k <= 7; ++k) {
        QCOMPARE(e.Fichas[j.Mano[k]].Color1, propio);
        QCOMPARE(e.Fichas[j.Mano[k]].Color2, propio);
    }

    a.RespuestasMensaBox = {99};
    c.bConsejo_Click();
    const Mensaje& m = a.Mensajes.back();
    QCOMPARE(m.Botones, 99);
    QCOMPARE(m.Duracion, 30.0);
    QVERIFY(m.Mensaje.contains("\n\n"));
    QVERIFY(m.Mensaje.endsWith(" secs."));
    QCOMPARE(QFileInfo(abierto).canonicalFilePath(), QFileInfo(arbol::Ruta(carpeta_)).canonicalFilePath());

    // A tree too large to show is not opened.
    abierto.clear();
    QFile f(arbol::Ruta(carpeta_));
    QVERIFY(f.open(QIODevice::Append));
    f.write(QByteArray(kMaxArbol, 'x'));
    f.close();
    a.RespuestasMensaBox = {99};
    c.bConsejo_Click();
    QVERIFY(abierto.isEmpty());
}

void PruebaHerramientas::consejoSeRecalculaTrasRegresar()
{
    Estado e;
    Posicion(e, 5, 'P', carpeta_);
    AnfitrionPrueba a;
    Juego j(e, a);
    Consejo c(e, a);
    Repeticion r(j, &c);
    c.Calcular();
    c.ConsejoTexto = "viejo";  // marks the cached advice
    c.bConsejo_Click();
    QVERIFY(a.Mensajes.back().Mensaje.endsWith("viejo"));

    r.bAtras_Click();
    QCOMPARE(e.NumTiro, 4);
    QCOMPARE(c.ConsejoFicha, Consejo::kSinConsejo);
    c.bConsejo_Click();
    QVERIFY(!a.Mensajes.back().Mensaje.contains("viejo"));
    QVERIFY(c.ConsejoFicha >= 0);

    // A cache from another play is never shown as current.
    c.ConsejoTexto = "viejo";
    e.NumTiro += 1;
    QVERIFY(c.HayQueCalcular());
}

void PruebaHerramientas::arbolSeVolteaUnaSolaVez()
{
    const QString ruta = arbol::Ruta(carpeta_);
    const QByteArray escrito = "J=2 3-5 I r=G\r\n\r\nResumen 3-5 I\r\n\r\nLos pronósticos ...\r\n"
                               + CabeceraArbol().toUtf8() + "\r\n";
    QVERIFY(arbol::Guardar(carpeta_, escrito));
    QString texto;
    QVERIFY(VoltearArbol(ruta, &texto));
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::ReadOnly));
    const QByteArray volteado = f.readAll();
    f.close();
    QCOMPARE(volteado, CabeceraArbol().toUtf8() + "\r\nLos pronósticos ...\r\n\r\nResumen 3-5 I\r\n\r\nJ=2 3-5 I r=G\r\n");
    QCOMPARE(texto.split('\n').first(), CabeceraArbol());
    QCOMPARE(texto.split('\n').last(), QString("J=2 3-5 I r=G"));

    // Opened again, the tree is already in reading order and stays so.
    QVERIFY(VoltearArbol(ruta));
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), volteado);
    f.close();

    QVERIFY(!VoltearArbol(carpeta_ + "JGO/no-existe.Dom"));
}

void PruebaHerramientas::arbolLimiteDeTamano()
{
    const QString ruta = carpeta_ + "JGO/grande.Dom";
    QVERIFY(!ArbolMostrable(ruta));
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    QVERIFY(f.resize(kMaxArbol));
    f.close();
    QVERIFY(ArbolMostrable(ruta));
    QVERIFY(f.resize(kMaxArbol + 1));
    QVERIFY(!ArbolMostrable(ruta));
}

void PruebaHerramientas::ventanaArbol()
{
    QVERIFY(arbol::Guardar(carpeta_, "J=1 6-6 D r=P\r\n" + CabeceraArbol().toUtf8() + "\r\n"));
    Arbol w(arbol::Ruta(carpeta_));
    QCOMPARE(w.windowTitle(), QString("Arbol de Posibilidades"));
    QVERIFY(w.Texto1->toPlainText().startsWith(CabeceraArbol() + "\nJ=1 6-6 D r=P"));
    QVERIFY(QFontInfo(w.Texto1->font()).fixedPitch());
    w.resize(600, 400);
    w.show();
    QCOMPARE(w.Texto1->geometry(), QRect(0, 0, 600 - 9, 400 - 30));
}

void PruebaHerramientas::avanceRedondeoYLimites()
{
    QCOMPARE(PorcientoAvance(0.0, true), 0);
    QCOMPARE(PorcientoAvance(0.0, false), 1);
    QCOMPARE(PorcientoAvance(0.004, false), 1);
    QCOMPARE(PorcientoAvance(0.125, false), 13);
    QCOMPARE(PorcientoAvance(0.994, false), 99);
    QCOMPARE(PorcientoAvance(0.995, false), 99);
    QCOMPARE(PorcientoAvance(1.0, false), 99);
    QCOMPARE(PorcientoAvance(1.0, true), 100);
    QCOMPARE(PorcientoAvance(2.0, true), 100);
}

void PruebaHerramientas::avanceInvierteLoQueCubre()
{
    auto contar = [](const QImage& img, int x0, int x1, QRgb color) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = x0; x < x1; ++x)
                n += (img.pixel(x, y) & 0xFFFFFF) == (color & 0xFFFFFF);
        return n;
    };
    const QRgb navy = kTintaAvance.rgb();
    const QRgb blanco = qRgb(255, 255, 255);

    QImage vacio(160, 20, QImage::Format_RGB32);
    PintarAvance(vacio, 0.0, true);
    const int texto = contar(vacio, 0, 160, navy);
    QVERIFY(texto > 0);                             // "0%" in navy
    QVERIFY(contar(vacio, 0, 40, navy) == 0);       // nothing but white at the left

    QImage lleno(160, 20, QImage::Format_RGB32);
    PintarAvance(lleno, 1.0, true);
    // The whole picture is the bar: navy everywhere but the text, which reads white.
    QVERIFY(contar(lleno, 0, 40, navy) == 40 * 20);
    QVERIFY(contar(lleno, 0, 160, blanco) > 0);

    QImage mitad(160, 20, QImage::Format_RGB32);
    PintarAvance(mitad, 0.25, false);
    QCOMPARE(contar(mitad, 0, 40, navy), 40 * 20);
    QCOMPARE(contar(mitad, 40, 160, navy) + contar(mitad, 40, 160, blanco) > 0, true);
    QCOMPARE(contar(mitad, 150, 160, blanco), 10 * 20);
}

void PruebaHerramientas::frmPassWAbreOAvisa()
{
    AnfitrionPrueba a;
    QString ruta = "antes";
    FrmPassW f(carpeta_, ruta, a);
    QCOMPARE(f.windowTitle(), QString("Quimbolo"));
    QCOMPARE(f.Label1->text(), QString("Juego :"));
    QCOMPARE(f.CmdRuta->text(), QString("..."));
    QCOMPARE(f.bEntrar->text(), QString("Abrir"));
    QCOMPARE(f.txtRuta->text(), QDir::toNativeSeparators(carpeta_ + "JGO/Anterior.Jgo"));

    // No last hand yet: the message, and no record chosen.
    f.bEntrar_Click();
    QVERIFY(ruta.isEmpty());
    QCOMPARE(a.Mensajes.size(), size_t(1));
    QCOMPARE(a.Mensajes[0].Mensaje, "¡Este juego no se encuentra!\n" + QDir::toNativeSeparators(carpeta_));
    QCOMPARE(a.Mensajes[0].Icono, 48);
    QCOMPARE(a.Mensajes[0].Botones, 0);
    QCOMPARE(a.Mensajes[0].Duracion, 3.0);
    QCOMPARE(a.Mensajes[0].LabelFont, QString("Tahoma"));

    // Browsing fills the path; "Abrir" takes it.
    const QString guardado = carpeta_ + "JGO/mia.jgo";
    QFile g(guardado);
    QVERIFY(g.open(QIODevice::WriteOnly));
    g.close();
    QString inicio, filtro;
    f.ElegirArchivo = [&](const QString& i, const QString& fl) { inicio = i; filtro = fl; return guardado; };
    f.CmdRuta_Click();
    QCOMPARE(filtro, QString("jgo (*.jgo)"));
    QCOMPARE(QDir(inicio).canonicalPath(), QDir(carpeta_ + "JGO").canonicalPath());
    QCOMPARE(f.txtRuta->text(), QDir::toNativeSeparators(guardado));
    f.bEntrar_Click();
    QCOMPARE(ruta, guardado);
    QCOMPARE(a.Mensajes.size(), size_t(1));
}

void PruebaHerramientas::guardarCopiaPropuestaRecorteYRechazo()
{
    Estado e;
    Posicion(e, 18, 'I', carpeta_);
    AnfitrionPrueba a;
    QString propuesta;
    a.RespuestasInput = {"  mi mano  "};
    GuardarMano(e, a);
    QVERIFY(QFile::exists(carpeta_ + "JGO/Anterior.Jgo"));
    QVERIFY(QFile::exists(carpeta_ + "JGO/mi mano.jgo"));
    QVERIFY(QRegularExpression("^Guardar la mano: Si deseas guardar esta mano escribe el nombre: \\[\\d{6}_\\d{4}\\]$")
                .match(a.Preguntas.last())
                .hasMatch());

    // A name that would leave the folder is refused with a message.
    a.RespuestasInput = {"../fuera"};
    GuardarMano(e, a);
    QVERIFY(!QFile::exists(dir_.path() + "/fuera.jgo"));
    QVERIFY(!a.Mensajes.empty());
    QVERIFY(a.Mensajes.back().Mensaje.startsWith("No se guardó la mano"));

    // The copy reads back as the same hand.
    const LecturaRegistro l = LeerRegistroArchivo(carpeta_ + "JGO/mi mano.jgo");
    QVERIFY(l.Ok);
    QCOMPARE(l.Registro.Tiros.size(), size_t(18));
}

void PruebaHerramientas::repeticionEnviaManosRepetYMemo()
{
    // 9 plays: the memory line's count reads 09.
    QString texto = QString::fromUtf8(kRegistro);
    const qsizetype corte = texto.indexOf("3-6, IZQ");
    texto = texto.left(corte).replace(" 19 ", " 9 ");
    const QString ruta = carpeta_ + "JGO/nueve.jgo";
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(texto.toUtf8());
    f.close();

    Estado e;
    AnfitrionPrueba a;
    Juego j(e, a);
    Repeticion r(j);
    e.FaseMano = "REPARTIENDO";
    e.HistFicha[12] = 5;  // left from an earlier hand
    r.ElegirRegistro = [&] { r.RutaJuego = ruta; };
    r.bRepetir_Click(3);

    QCOMPARE(a.Enviados.size(), 6);
    QCOMPARE(a.Enviados[0], QString("Fichas2 27191309171600"));
    QCOMPARE(a.Enviados[1].left(7), QString("Fichas4"));
    QCOMPARE(a.Enviados[2].left(7), QString("Fichas1"));
    QCOMPARE(a.Enviados[3].left(7), QString("Fichas3"));
    QCOMPARE(a.Enviados[4], QString("Repet"));
    QVERIFY(a.Enviados[5].startsWith("Memo 091"));  // seat 1 held the first tile
    QCOMPARE(a.Enviados[5].size(), 8 + 9 * 5);
    QVERIFY(a.Enviados[5].endsWith(QStringLiteral("%1DER").arg(BuscarFicha(2, 6), 2, 10, QChar('0'))));
    QCOMPARE(e.Modo, QString("LECTURA"));
    QCOMPARE(e.OrigenReparto, 'R');
    QCOMPARE(e.Salidor, 1);
    QCOMPARE(e.HistFicha[10], -1);
    QCOMPARE(e.HistFicha[12], -1);
    QVERIFY(a.Botones.contains("bAzar 3 Ocultar"));
    QVERIFY(a.Botones.contains("bRepetir 3 Ocultar"));
    for (int s = 1; s <= 4; ++s) {
        QCOMPARE(e.Jugadores[s].NumFichas, 7);
        for (int k = 1; k <= 7; ++k)
            QCOMPARE(e.Fichas[e.Jugadores[s].Mano[k]].Dueno, s);
    }

    // A lead by seat 3's tile makes seat 3 the leader.
    QString tres = QString::fromUtf8(kRegistro);
    tres = tres.left(tres.indexOf(" 19 ")) + " 1 \r\n5-6, DER\r\n";
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(tres.toUtf8());
    f.close();
    Estado e2;
    AnfitrionPrueba a2;
    Juego j2(e2, a2);
    Repeticion r2(j2);
    e2.FaseMano = "REPARTIENDO";
    r2.ElegirRegistro = [&] { r2.RutaJuego = ruta; };
    r2.bRepetir_Click(1);
    QCOMPARE(e2.Salidor, 3);
    QCOMPARE(a2.Enviados.last(), QStringLiteral("Memo 013%1DER").arg(BuscarFicha(5, 6), 2, 10, QChar('0')));
}

void PruebaHerramientas::repeticionRechazaRegistrosMalos()
{
    // 26 plays cannot be a hand: refused whole, never cut.
    QString largo = QString::fromUtf8(kRegistro).replace(" 19 ", " 26 ");
    for (int i = 0; i < 7; ++i)
        largo += "6-6, DER\r\n";
    const QString ruta = carpeta_ + "JGO/largo.jgo";
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(largo.toUtf8());
    f.close();

    Estado e;
    AnfitrionPrueba a;
    Juego j(e, a);
    Repeticion r(j);
    e.FaseMano = "REPARTIENDO";
    const Estado antes = e;
    r.ElegirRegistro = [&] { r.RutaJuego = ruta; };
    r.bRepetir_Click(1);
    QVERIFY(a.Enviados.isEmpty());
    QCOMPARE(a.Mensajes.size(), size_t(1));
    QVERIFY(a.Mensajes[0].Mensaje.startsWith("No se puede repetir la mano de\n"));
    QVERIFY(a.Mensajes[0].Mensaje.contains("26"));
    QCOMPARE(e.Modo, antes.Modo);
    QCOMPARE(e.Jugadores[1].NumFichas, 0);
    QCOMPARE(e.Fichas[0].Lugar, 'R');

    // An illegal play (a tile that fits no end) is refused the same way.
    QString ilegal = QString::fromUtf8(kRegistro).replace("0-1, IZQ", "6-6, IZQ");
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(ilegal.toUtf8());
    f.close();
    r.bRepetir_Click(1);
    QVERIFY(a.Enviados.isEmpty());
    QCOMPARE(a.Mensajes.size(), size_t(2));

    // No record chosen: nothing at all.
    r.ElegirRegistro = [&] { r.RutaJuego.clear(); };
    r.bRepetir_Click(1);
    QVERIFY(a.Enviados.isEmpty());
    QCOMPARE(a.Mensajes.size(), size_t(2));
}

void PruebaHerramientas::regresarDosVecesYRepetirDeMemoria()
{
    Estado tras2;
    Posicion(tras2, 2, 'P', carpeta_);

    Estado e;
    Posicion(e, 3, 'P', carpeta_);
    AnfitrionPrueba a;
    Juego j(e, a);
    Repeticion r(j);
    const int ficha2 = e.HistFicha[2];
    const QString punta2 = e.HistPunta[2];
    const int dueno2 = e.Fichas[ficha2].Dueno;
    const int turno = e.Turno;

    r.bAtras_Click();
    r.bAtras_Click();
    QCOMPARE(a.Enviados.size(), 2);
    QCOMPARE(a.Enviados[0], "Atras " + QString::number(turno));
    QCOMPARE(a.Enviados[1], "Atras " + QString::number(e.Fichas[e.HistFicha[3]].Dueno));
    QCOMPARE(e.NumTiro, 1);
    QCOMPARE(e.Fichas[ficha2].Lugar, 'D');
    QCOMPARE(e.Turno, dueno2);
    QCOMPARE(e.HistFicha[2], ficha2);
    const QString caption = "bMemoria 0 Texto " + TextoMemoria(e, 2);
    QCOMPARE(a.Botones.filter("bMemoria 0 Texto").last(), caption);
    QVERIFY(QRegularExpression("^M \\d-\\d [ID]$").match(TextoMemoria(e, 2)).hasMatch());

    r.bMemoria_Click();
    QCOMPARE(e.NumTiro, 2);
    QCOMPARE(e.HistFicha[2], ficha2);
    QCOMPARE(e.HistPunta[2], punta2);
    QVERIFY(a.Enviados.last().startsWith(QStringLiteral("Tiro 02 %1 %2 %3").arg(dueno2).arg(ficha2, 2, 10, QChar('0')).arg(punta2)));
    // The same position as when play 2 was first made.
    QCOMPARE(e.ValorIzq, tras2.ValorIzq);
    QCOMPARE(e.ValorDer, tras2.ValorDer);
    QCOMPARE(e.Turno, tras2.Turno);
    for (int t = 0; t < kNumFichas; ++t) {
        QCOMPARE(e.Fichas[t].Lugar, tras2.Fichas[t].Lugar);
        if (e.Fichas[t].Lugar != 'J')
            continue;  // a hand's tiles are placed when the hand is drawn
        QCOMPARE(e.Fichas[t].X, tras2.Fichas[t].X);
        QCOMPARE(e.Fichas[t].Y, tras2.Fichas[t].Y);
        QCOMPARE(e.Fichas[t].Rumbo, tras2.Fichas[t].Rumbo);
    }

    // Undo at the first play empties the line and hides the button; at
    // none it does nothing and sends nothing.
    r.bAtras_Click();
    r.bAtras_Click();
    QCOMPARE(e.NumTiro, 0);
    QCOMPARE(a.Botones.last(), QString("bAtras 0 Ocultar"));
    const int enviados = a.Enviados.size();
    r.bAtras_Click();
    QCOMPARE(a.Enviados.size(), enviados);
}

QTEST_MAIN(PruebaHerramientas)
#include "PruebaHerramientas.moc"
