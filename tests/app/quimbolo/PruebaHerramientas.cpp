// The game window's tools without the window: advice and forecast colours,
// the tree file, the progress bar, the open form, saving a copy, refused
// replays, undo and the memory button.

#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QHeaderView>
#include <QFontDatabase>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTreeView>
#include <QtTest>

#include "ai/Analisis.h"
#include "app/quimbolo/Arbol.h"
#include "app/quimbolo/Consejo.h"
#include "app/quimbolo/FrmPassW.h"
#include "app/quimbolo/PicThink.h"
#include "app/quimbolo/Repeticion.h"
#include "records/Marcador.h"
#include "flujo/Posicion.h"
#include "protocolo/Protocolo.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Restricciones.h"
#include "tests/app/quimbolo/RegistroPrueba.h"
#include "view/Colores.h"

namespace {

// The position after k plays of the stored hand, every seat a local person.
void Posicion(Estado& e, int k, char nivel, const QString& carpeta)
{
    e.Opciones.Nivel = nivel;
    e.CarpetaApp = carpeta;
    QVERIFY(PosicionTrasJugadas(Registro(), k, e).Ok);
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].HoC = Quien::Persona;
        e.Jugadores[s].LoR = Donde::Local;
    }
}

// Keeps the face colours of the hand each time it is drawn.
class AnfitrionColores : public AnfitrionPrueba {
public:
    Estado* E = nullptr;
    std::vector<std::pair<unsigned, unsigned>> Vistos;  // tile's halves, last drawing
    void DibujarMano(int silla, char) override
    {
        Vistos.clear();
        for (int k = 1; k <= 7; ++k)
            Vistos.emplace_back(E->Fichas[E->Jugadores[silla].Mano[k]].Color1, E->Fichas[E->Jugadores[silla].Mano[k]].Color2);
    }
};

QString PipsDe(int t) { return QStringLiteral("%1-%2").arg(kTablaFichas[t].Punto1).arg(kTablaFichas[t].Punto2); }

void Escribir(const QString& ruta, const QByteArray& datos)
{
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(datos);
}

}  // namespace

class PruebaHerramientas : public QObject {
    Q_OBJECT
private slots:
    void init() { carpeta_ = dir_.path() + '/'; QDir(carpeta_).mkpath("JGO"); }
    void consejoDeReglas();
    void consejoTrasAnalisis();
    void arbolVolteadoUnaVezYLimite();
    void avance();
    void frmPassW();
    void dialogoDeArchivoSinColumnasCortadas();
    void repeticionRechazaSinCortar();
    void repeticionAnunciaManosYJugadas();
    void regresarDosVecesYRepetirDeMemoria();

private:
    QTemporaryDir dir_;
    QString carpeta_;
};

void PruebaHerramientas::consejoDeReglas()
{
    // The lead of a person: worked out on the click, with the hand statistics.
    Estado e;
    Posicion(e, 0, 'I', carpeta_);
    AnfitrionPrueba a;
    Consejo c(e, a);
    c.bConsejo_Click();
    Mensaje m = a.Mensajes.at(0);
    QVERIFY(m.Mensaje.startsWith("Consejo: " + PipsDe(c.ConsejoFicha) + "\n\nRepeticiones:\n"));
    QVERIFY(m.LabelFont == "Tahoma" && m.Icono == 64 && m.Botones == 0 && m.Duracion == 30.0);
    QVERIFY(c.HayQueCalcular());  // the lead is worked out again at every click

    // Later, by the rules and with no text: the tile and end, closing after 3 s.
    Posicion(e, 5, 'P', carpeta_);
    c.Calcular();
    c.bConsejo_Click();
    m = a.Mensajes.at(1);
    QCOMPARE(m.Mensaje, "Consejo: " + PipsDe(c.ConsejoFicha) + " Punta " + TextoExtremo(c.ConsejoPunta));
    QVERIFY(m.Duracion == 3.0 && m.Botones == 0);

    // The cache is shown as it is until an undo drops it.
    Juego j(e, a);
    Repeticion r(j, &c);
    c.ConsejoTexto = "viejo";
    c.bConsejo_Click();
    QVERIFY(a.Mensajes.back().Mensaje.endsWith("viejo"));
    r.bAtras_Click();
    c.bConsejo_Click();
    QVERIFY(!a.Mensajes.back().Mensaje.contains("viejo"));
}

void PruebaHerramientas::consejoTrasAnalisis()
{
    Estado e;
    Posicion(e, 12, 'I', carpeta_);
    AnfitrionColores a;
    a.E = &e;
    Consejo c(e, a);
    c.ColorSilla = [](int) { return 0xFCC0CEu; };
    QString abierto;
    c.VerArbol = [&](const QString& ruta) { abierto = ruta; };
    c.Calcular();
    QVERIFY(c.ConsejoArbol);

    // The drawing showed each forecast entry's colour on one half of its tile;
    // afterwards the hand is back in the seat's colour.
    const QString& p = e.Pronosticos[13];
    QVERIFY(!p.isEmpty());
    const auto& mano = e.Jugadores[e.Turno].Mano;
    for (qsizetype i = 0; i + 5 <= p.size(); i += 6) {
        const int k = int(std::find(mano.begin() + 1, mano.end(), p.mid(i + 2, 2).toInt()) - mano.begin());
        const unsigned color = unsigned(vista::ColorPronostico(p[i].digitValue()));
        QVERIFY(a.Vistos.at(k - 1).first == color || a.Vistos.at(k - 1).second == color);
        QCOMPARE(e.Fichas[mano[k]].Color1, 0xFCC0CEu);
    }

    a.RespuestasMensaBox = {99};
    c.bConsejo_Click();
    QVERIFY(a.Mensajes.back().Botones == 99 && a.Mensajes.back().Duracion == 30.0);
    QVERIFY(a.Mensajes.back().Mensaje.endsWith(" secs."));
    QCOMPARE(abierto, arbol::Ruta(carpeta_));

    // A tree larger than the limit is not opened.
    abierto.clear();
    Escribir(arbol::Ruta(carpeta_), QByteArray(kMaxArbol + 1, 'x'));
    a.RespuestasMensaBox = {99};
    c.bConsejo_Click();
    QVERIFY(abierto.isEmpty());
}

void PruebaHerramientas::arbolVolteadoUnaVezYLimite()
{
    const QString ruta = arbol::Ruta(carpeta_);
    const QByteArray escrito = "J=2 3-5 I r=G\r\n\r\nResumen 3-5 I\r\n" + CabeceraArbol().toUtf8() + "\r\n";
    QVERIFY(arbol::Guardar(carpeta_, escrito));
    // A full disk keeps the file as it was; the window still gets the turned text.
    QString texto, error;
    {
        DiscoLleno lleno(8);
        QVERIFY(!VoltearArbol(ruta, &texto, &error));
    }
    QVERIFY(texto.startsWith(CabeceraArbol() + "\nResumen") && error.endsWith("permite."));
    QFile intacto(ruta);
    QVERIFY(intacto.open(QIODevice::ReadOnly));
    QCOMPARE(intacto.readAll(), escrito);

    const QByteArray volteado = CabeceraArbol().toUtf8() + "\r\nResumen 3-5 I\r\n\r\nJ=2 3-5 I r=G\r\n";
    Arbol w(ruta);
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), volteado);
    f.close();
    QCOMPARE(w.windowTitle(), QString("Arbol de Posibilidades"));
    QVERIFY(w.Texto1->toPlainText().startsWith(CabeceraArbol() + "\nResumen"));
    // The family is chosen among those installed, never left to substitution.
    QCOMPARE(FamiliaFija({"Arial", "dejavu sans mono", "Liberation Mono"}), QString("dejavu sans mono"));
    QCOMPARE(FamiliaFija({"Liberation Mono", "Courier New"}), QString("Courier New"));
    QCOMPARE(FamiliaFija({"Arial", "Courier"}), QString());
    const QString familia = FamiliaFija(QFontDatabase::families());
    if (!familia.isEmpty())
        QCOMPARE(w.Texto1->font().family(), familia);
    w.resize(600, 400);
    w.show();
    QCOMPARE(w.Texto1->geometry(), QRect(0, 0, 600 - 9, 400 - 30));

    // Opened again it is already in reading order and stays so.
    w.VerArbol();
    QVERIFY(f.open(QIODevice::ReadOnly));
    QCOMPARE(f.readAll(), volteado);
    f.close();

    QVERIFY(f.resize(kMaxArbol));
    QVERIFY(ArbolMostrable(ruta));
    QVERIFY(f.resize(kMaxArbol + 1));
    QVERIFY(!ArbolMostrable(ruta));
    QVERIFY(!VoltearArbol(carpeta_ + "JGO/no-existe.Dom"));
}

void PruebaHerramientas::avance()
{
    QVERIFY(PorcientoAvance(0.0, true) == 0 && PorcientoAvance(1.0, true) == 100);
    QVERIFY(PorcientoAvance(0.0, false) == 1 && PorcientoAvance(0.125, false) == 13 && PorcientoAvance(0.995, false) == 99);

    auto cuenta = [](const QImage& img, int x0, int x1, QRgb color) {
        int n = 0;
        for (int y = 0; y < img.height(); ++y)
            for (int x = x0; x < x1; ++x)
                n += img.pixel(x, y) == color;
        return n;
    };
    const QRgb navy = kTintaAvance.rgb(), blanco = qRgb(255, 255, 255);
    QImage img(160, 20, QImage::Format_RGB32);
    PintarAvance(img, 0.25, false);
    QCOMPARE(cuenta(img, 0, 40, navy), 40 * 20);       // the bar
    QCOMPARE(cuenta(img, 150, 160, blanco), 10 * 20);  // white beyond it
    PintarAvance(img, 1.0, true);
    QVERIFY(cuenta(img, 0, 160, blanco) > 0);  // the text under the bar reads white
}

void PruebaHerramientas::frmPassW()
{
    AnfitrionPrueba a;
    QString ruta = "antes";
    FrmPassW f(carpeta_, ruta, a);
    QCOMPARE(f.Label1->text(), QString("Juego :"));
    QCOMPARE(f.txtRuta->text(), QDir::toNativeSeparators(carpeta_ + "JGO/Anterior.Jgo"));

    f.bEntrar_Click();  // no last hand yet
    QVERIFY(ruta.isEmpty());
    const Mensaje& m = a.Mensajes.at(0);
    QCOMPARE(m.Mensaje, "¡Este juego no se encuentra!\n" + QDir::toNativeSeparators(carpeta_));
    QVERIFY(m.Icono == 48 && m.Botones == 0 && m.Duracion == 3.0 && m.LabelFont == "Tahoma");

    const QString guardado = carpeta_ + "JGO/mia.jgo";
    Escribir(guardado, "");
    QString filtro;
    f.ElegirArchivo = [&](const QString&, const QString& fl) { filtro = fl; return guardado; };
    f.CmdRuta_Click();
    QCOMPARE(filtro, QString("jgo (*.jgo)"));
    f.bEntrar_Click();
    QCOMPARE(ruta, guardado);
}

void PruebaHerramientas::dialogoDeArchivoSinColumnasCortadas()
{
    Escribir(carpeta_ + "JGO/una mano con un nombre bastante largo.jgo", QByteArray(5000, 'x'));
    QFileDialog dialogo(nullptr, "Quimbolo", carpeta_ + "JGO", "jgo (*.jgo)");
    dialogo.setOption(QFileDialog::DontUseNativeDialog);
    dialogo.resize(820, 500);
    // As narrow as a state Qt kept from an earlier run may leave them.
    for (QTreeView* v : dialogo.findChildren<QTreeView*>()) {
        v->header()->setSectionResizeMode(QHeaderView::Interactive);
        for (int c = 1; c < v->header()->count(); ++c)
            v->header()->resizeSection(c, 10);
    }
    FrmPassW::AjustarColumnas(dialogo);
    auto* modelo = dialogo.findChild<QFileSystemModel*>();
    QVERIFY(modelo);
    QSignalSpy cargado(modelo, &QFileSystemModel::directoryLoaded);
    dialogo.show();
    QVERIFY(cargado.count() > 0 || cargado.wait(10000));
    QCoreApplication::processEvents();

    QTreeView* vista = nullptr;
    for (QTreeView* v : dialogo.findChildren<QTreeView*>())
        if (v->isVisible())
            vista = v;
    QVERIFY(vista);
    QHeaderView* cabecera = vista->header();
    QCOMPARE(cabecera->count(), 4);
    const QModelIndex raiz = vista->rootIndex();
    QVERIFY(vista->model()->rowCount(raiz) > 0);
    for (int c = 1; c < 4; ++c) {
        QVERIFY2(cabecera->sectionSize(c) >= cabecera->sectionSizeHint(c), qPrintable(QString::number(c)));
        for (int f = 0; f < vista->model()->rowCount(raiz); ++f) {
            const QString texto = vista->model()->index(f, c, raiz).data().toString();
            QVERIFY2(cabecera->sectionSize(c) > vista->fontMetrics().horizontalAdvance(texto), qPrintable(texto));
        }
    }
    // The name takes what the others leave, not a fixed sliver.
    QVERIFY(cabecera->sectionSize(0) >= vista->viewport()->width() / 3);
}

void PruebaHerramientas::repeticionRechazaSinCortar()
{
    Estado e;
    AnfitrionPrueba a;
    Juego j(e, a);
    Repeticion r(j);
    e.FaseMano = Fase::Repartiendo;
    const QString ruta = carpeta_ + "JGO/malo.jgo";
    r.ElegirRegistro = [&] { r.RutaJuego = ruta; };
    // 26 plays cannot be a hand: refused whole, never cut.
    Escribir(ruta, QByteArray(kRegistro).replace(" 19 ", " 26 ") + QByteArray("6-6, DER\r\n").repeated(7));
    r.bRepetir_Click(1);
    QVERIFY(a.Mensajes.at(0).Mensaje.startsWith("No se puede repetir la mano de\n"));
    QVERIFY(a.Mensajes.at(0).Mensaje.contains("26"));
    // No record chosen: nothing at all.
    r.ElegirRegistro = [&] { r.RutaJuego.clear(); };
    r.bRepetir_Click(1);
    QCOMPARE(a.Mensajes.size(), size_t(1));
    QVERIFY(a.Enviados.isEmpty());
    QCOMPARE(e.Modo, ModoJuego::Escoger);
    QCOMPARE(e.Fichas[0].Lugar, 'R');
}

// An accepted replay tells the other copies every hand first (seats 2, 4, 1
// and 3), then announces itself, then gives the recorded plays with their ends.
void PruebaHerramientas::repeticionAnunciaManosYJugadas()
{
    Estado e;
    AnfitrionPrueba a;
    Juego j(e, a);
    Repeticion r(j);
    e.FaseMano = Fase::Repartiendo;
    const QString ruta = carpeta_ + "JGO/bueno.jgo";
    r.ElegirRegistro = [&] { r.RutaJuego = ruta; };
    Escribir(ruta, kRegistro);
    r.bRepetir_Click(1);

    // Pips smaller first, as the record writes them.
    const auto pips = [](int t) {
        const int p1 = kTablaFichas[t].Punto1, p2 = kTablaFichas[t].Punto2;
        return QStringLiteral("%1-%2").arg(std::min(p1, p2)).arg(std::max(p1, p2));
    };
    const QStringList manos = QString::fromUtf8(kRegistro).split("\r\n");
    QCOMPARE(a.Enviados.size(), 6);
    const int orden[] = {2, 4, 1, 3};
    for (int i = 0; i < 4; ++i) {
        const protocolo::Lectura l = protocolo::Leer(a.Enviados[i]);
        QVERIFY2(l.mensaje && std::holds_alternative<protocolo::Fichas>(*l.mensaje), qPrintable(a.Enviados[i]));
        const auto& f = std::get<protocolo::Fichas>(*l.mensaje);
        QCOMPARE(f.silla, orden[i]);
        QStringList enviada, registrada = manos[2 * f.silla - 1].split(", ");
        for (int k = 0; k < 7; ++k)
            enviada << pips(f.digitos.mid(2 * k, 2).toInt());
        enviada.sort();
        registrada.sort();
        QCOMPARE(enviada, registrada);
    }
    QCOMPARE(a.Enviados[4], QStringLiteral("Repet"));
    const protocolo::Lectura l = protocolo::Leer(a.Enviados[5]);
    QVERIFY2(l.mensaje && std::holds_alternative<protocolo::Memo>(*l.mensaje), qPrintable(a.Enviados[5]));
    const auto& memo = std::get<protocolo::Memo>(*l.mensaje);
    QCOMPARE(memo.salidor, 1);
    QCOMPARE(memo.fichas.size(), 19);
    QCOMPARE(pips(memo.fichas.first()) + ", " + memo.puntas.first(), QStringLiteral("1-3, DER"));
    QCOMPARE(pips(memo.fichas.last()) + ", " + memo.puntas.last(), QStringLiteral("0-6, DER"));
    QCOMPARE(memo.puntas.mid(1, 3), QStringList({"IZQ", "DER", "IZQ"}));
}

void PruebaHerramientas::regresarDosVecesYRepetirDeMemoria()
{
    Estado tras2, e;
    Posicion(tras2, 2, 'P', carpeta_);
    Posicion(e, 3, 'P', carpeta_);
    AnfitrionPrueba a;
    Juego j(e, a);
    Repeticion r(j);
    const int ficha2 = e.HistFicha[2], dueno2 = e.Fichas[ficha2].Dueno;
    const QString turno = QString::number(e.Turno);

    r.bAtras_Click();
    r.bAtras_Click();
    QCOMPARE(a.Enviados, QStringList({"Atras " + turno, "Atras " + QString::number(e.Fichas[e.HistFicha[3]].Dueno)}));
    QCOMPARE(e.NumTiro, 1);
    QCOMPARE(e.Fichas[ficha2].Lugar, 'D');
    QCOMPARE(e.Turno, dueno2);
    QCOMPARE(a.Botones.filter("bMemoria 0 Texto").last(), "bMemoria 0 Texto " + TextoMemoria(e, 2));

    r.bMemoria_Click();
    QVERIFY(a.Enviados.last().startsWith(QStringLiteral("Tiro 02 %1 %2 %3").arg(dueno2).arg(ficha2, 2, 10, QChar('0')).arg(TextoExtremo(tras2.HistPunta[2]))));
    QVERIFY(e.NumTiro == 2 && e.ValorIzq == tras2.ValorIzq && e.ValorDer == tras2.ValorDer && e.Turno == tras2.Turno);
    for (int t = 0; t < kNumFichas; ++t) {
        QCOMPARE(e.Fichas[t].Lugar, tras2.Fichas[t].Lugar);
        if (e.Fichas[t].Lugar == 'J')  // a hand's tiles are placed when it is drawn
            QVERIFY(e.Fichas[t].X == tras2.Fichas[t].X && e.Fichas[t].Y == tras2.Fichas[t].Y);
    }
}

QTEST_MAIN(PruebaHerramientas)
#include "PruebaHerramientas.moc"
