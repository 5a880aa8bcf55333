// The game window at a real table: a whole hand through the real windows
// (connect dialog, lobby, pick, lead and plays by dragging, the end-of-hand
// boxes, closing while the next hand waits), the scoreboard of the menu, the
// time alarm through the sound player, and, at two copies, the chat, the
// replay and the undo.

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QToolButton>
#include <QTimer>
#include <QtTest>

#include "app/quimbolo/Arranque.h"
#include "app/quimbolo/Herramientas.h"
#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "app/quimbolo/frmConnect.h"
#include "app/quimbolo/frmMesa.h"
#include "records/Marcador.h"
#include "flujo/Posicion.h"
#include "shell/MensaBox.h"
#include "shell/Pausa.h"
#include "tests/app/quimbolo/Contestador.h"
#include "tests/support/BrintalPrueba.h"
#include "tests/app/quimbolo/RegistroPrueba.h"

namespace {

// A tile of the seat's hand that can be played now, and the end to drop it on.
int Jugable(const Estado& e, int silla, Extremo& lado)
{
    const Jugador& j = e.Jugadores[silla];
    for (int k = 1; k <= 7; ++k) {
        const int t = j.Mano[k];
        if (t < 0 || t >= kNumFichas || e.Fichas[t].Lugar != 'D' || e.Fichas[t].Dueno != silla)
            continue;
        const Ficha& f = e.Fichas[t];
        if (e.FaseMano == Fase::Saliendo) {
            lado = Extremo::Der;
            return t;
        }
        if (f.Punto1 == e.ValorDer || f.Punto2 == e.ValorDer) {
            lado = Extremo::Der;
            return t;
        }
        if (f.Punto1 == e.ValorIzq || f.Punto2 == e.ValorIzq) {
            lado = Extremo::Izq;
            return t;
        }
    }
    return -1;
}

void Capturar(QWidget* w, const QString& nombre)
{
    const QString carpeta = qEnvironmentVariable("QUIMBOLO_CAPTURAS");
    if (!carpeta.isEmpty())
        w->grab().save(QDir(carpeta).filePath(nombre + ".png"));
}

// Writes down every command the window's sound player receives.
class Grabadora : public Reproductor {
public:
    explicit Grabadora(QStringList& log) : log_(log) {}
    void Cerrar() override { log_ << "Close"; }
    void Abrir(const QString& ruta) override { log_ << ruta << "Open"; }
    void Tocar() override { log_ << "Play"; }

private:
    QStringList& log_;
};

// Connects a copy to the table and takes these seats.
bool Sentarse(Sesion& s, quint16 puerto, std::initializer_list<int> sillas)
{
    s.Enlace.Socket().connectToHost(QHostAddress::LocalHost, puerto);
    if (!s.Enlace.Socket().waitForConnected(5000))
        return false;
    for (int silla : sillas)
        s.A.Enviar(QStringLiteral("Silla%1").arg(silla));
    for (int silla : sillas)
        if (!QTest::qWaitFor([&] { return !s.D.Registro.filter(QStringLiteral("Local %1").arg(silla)).isEmpty(); }))
            return false;
    return true;
}

// What two copies of one table must agree on.
QString Huella(const Estado& e)
{
    QString h = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9|").arg(e.Turno).arg(e.NumTiro).arg(e.Salidor)
                    .arg(e.ValorIzq).arg(e.ValorDer).arg(TextoModo(e.Modo)).arg(QChar(e.OrigenReparto))
                    .arg(e.PuntaIzqX).arg(e.PuntaDerX);
    for (const Ficha& f : e.Fichas)
        h += QStringLiteral("%1%2 ").arg(QChar(f.Lugar)).arg(f.Dueno);
    for (int s = 1; s <= 4; ++s)
        for (int k = 1; k <= 7; ++k)
            h += QStringLiteral(" %1").arg(e.Jugadores[s].Mano[k]);
    for (int i = 1; i <= kMaxTiros; ++i)
        h += QStringLiteral(" %1%2").arg(e.HistFicha[i]).arg(TextoExtremo(e.HistPunta[i]));
    return h;
}

}  // namespace

class PruebaVentanaJuego : public QObject {
    Q_OBJECT
private slots:
    void init() { ReiniciarCierre(); }
    void unaManoContraTresComputadoras();
    void marcadorDelMenu();
    void alarmaYOrdenDelSonido();
    void chatYRepeticionEnDosCopias();
    void atrasEnDosCopias();

private:
    QTemporaryDir dir_;
};

void PruebaVentanaJuego::marcadorDelMenu()
{
    Sesion s(dir_.path() + '/');
    QStringList sonidos;
    s.A.PonerReproductor(std::make_unique<Grabadora>(sonidos));
    frmDomino w(s);
    w.MMarcador->trigger();  // before the first hand: nothing
    QVERIFY(sonidos.isEmpty());

    s.E.NumMano = 3;
    s.E.PuntosPar13 = {0, 40, 21, 0};
    s.E.PuntosPar24 = {0, 35, 0, 70};
    QString texto;
    QTimer::singleShot(50, &w, [&] {
        auto* caja = qobject_cast<MensaBox*>(QApplication::activeModalWidget());
        QVERIFY(caja);
        texto = caja->Label1()->text();
        caja->cmdOK()->click();
    });
    w.MMarcador->trigger();
    QVERIFY(texto.startsWith("Marcador\n\n"));
    QVERIFY(texto.contains(" + 21       61         +  0       35\n +  0       61         + 70      105\n"));
    QVERIFY(texto.endsWith("Fin de la Partida" + QString(12, ' ')));
    QVERIFY(s.E.FinPartida && !w.bConsejo->isEnabled() && !w.bAtras->isEnabled() && !w.bMemoria->isEnabled());
    QCOMPARE(sonidos, QStringList({"Close", dir_.path() + "/MMEDIA/Aplauso.wav", "Open", "Play"}));
}

void PruebaVentanaJuego::alarmaYOrdenDelSonido()
{
    QCOMPARE(frmDomino::IntervaloAlarma(10), 10000);
    QCOMPARE(frmDomino::IntervaloAlarma(33), 32000);  // the longest the alarm can count
    QCOMPARE(frmDomino::IntervaloAlarma(0), 0);

    Sesion s(dir_.path() + '/');
    QStringList sonidos;
    s.A.PonerReproductor(std::make_unique<Grabadora>(sonidos));
    frmDomino w(s);
    s.A.ArmarAlarma(20);
    QCOMPARE(w.Timer1->interval(), 20000);
    s.A.ArmarAlarma(0);
    QVERIFY(!w.Timer1->isActive());

    w.Timer1->start(1);  // the snore repeats until the person acts
    QTRY_VERIFY(sonidos.count("Play") >= 2);
    s.A.DetenerAlarma();
    const QString ronca = dir_.path() + "/MMEDIA/Ronca.wav";
    QCOMPARE(sonidos.mid(0, 8), QStringList({"Close", ronca, "Open", "Play", "Close", ronca, "Open", "Play"}));
}

void PruebaVentanaJuego::chatYRepeticionEnDosCopias()
{
    if (!QFile::exists(BrintalPrueba::Programa()))
        QSKIP("brintal no está construido");
    BrintalPrueba mesa;
    QVERIFY2(mesa.Arrancar(), qPrintable(mesa.Error()));
    const QString ruta = dir_.path() + "/guardada.jgo";
    QFile f(ruta);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(kRegistro);
    f.close();
    Sesion s1(dir_.path() + '/'), s2(dir_.path() + '/');
    frmDomino w1(s1), w2(s2);
    QVERIFY(Sentarse(s1, mesa.Puerto(), {1}) && Sentarse(s2, mesa.Puerto(), {2, 3, 4}));

    s1.E.NombreLocal = "Ana";
    w1.txtChat->setText("¿Jugamos? Sí: ñandú");
    QTest::keyClick(w1.txtChat, Qt::Key_Return);
    QVERIFY(w1.txtChat->text().isEmpty());
    // Every copy shows it, the sender's once the table returns it.
    QTRY_VERIFY(w1.lstChat->count() == 1 && w2.lstChat->count() == 1);
    QCOMPARE(w2.lstChat->item(0)->text(), QString("Ana: ¿Jugamos? Sí: ñandú"));
    QCOMPARE(w1.lstChat->item(0)->text(), w2.lstChat->item(0)->text());
    QCOMPARE(w2.lstChat->currentRow(), 0);

    for (Sesion* s : {&s1, &s2}) {  // in the pick, seat 1 with a tile taken
        s->E.FaseMano = Fase::Repartiendo;
        s->E.Jugadores[1].Mano[1] = 3;
        s->E.Jugadores[1].NumFichas = 1;
        s->E.Fichas[3].Dueno = 1;
    }
    auto* h1 = w1.findChild<Herramientas*>();
    h1->Repeticion1.ElegirRegistro = [&] { h1->Repeticion1.RutaJuego = ruta; };
    w1.bRepetir[1]->show();
    w1.bRepetir[1]->click();
    QVERIFY(w1.bRepetir[1]->isHidden());

    QTRY_COMPARE(s2.E.HistFicha[19], BuscarFicha(0, 6));
    QTRY_COMPARE(s1.D.Registro.filter("Memo 19").size(), 1);  // the sender's copy too
    QCOMPARE(Huella(s2.E), Huella(s1.E));
    QVERIFY(s2.E.Salidor == 1 && s2.E.Modo == ModoJuego::Lectura && s2.E.HistFicha[20] == -1);
    for (int s = 1; s <= 4; ++s)
        QCOMPARE(s2.E.Jugadores[s].Mano, Registro().Manos[s]);
}

void PruebaVentanaJuego::atrasEnDosCopias()
{
    if (!QFile::exists(BrintalPrueba::Programa()))
        QSKIP("brintal no está construido");
    BrintalPrueba mesa;
    QVERIFY2(mesa.Arrancar(), qPrintable(mesa.Error()));
    Sesion s1(dir_.path() + '/'), s2(dir_.path() + '/');
    for (Sesion* s : {&s1, &s2})
        QVERIFY(PosicionTrasJugadas(Registro(), 3, s->E).Ok);
    QCOMPARE(s1.E.Turno, 4);  // copy 1 holds the seat to move, copy 2 the others
    s1.E.Jugadores[4].LoR = Donde::Local;
    for (int s = 1; s <= 3; ++s)
        s2.E.Jugadores[s].LoR = Donde::Local;
    frmDomino w1(s1), w2(s2);
    QVERIFY(Sentarse(s1, mesa.Puerto(), {4}) && Sentarse(s2, mesa.Puerto(), {1, 2, 3}));
    auto* h2 = w2.findChild<Herramientas*>();
    h2->Consejo1.ConsejoFicha = 5;

    w1.bAtras->setEnabled(true);
    w1.bAtras->click();
    QCOMPARE(s1.E.NumTiro, 2);
    QTRY_COMPARE(s2.E.NumTiro, 2);
    QCOMPARE(Huella(s2.E), Huella(s1.E));
    QCOMPARE(h2->Consejo1.ConsejoFicha, Consejo::kSinConsejo);  // the received undo drops the advice
    QCOMPARE(w1.bMemoria->text(), TextoMemoria(s1.E, 3));
    QCOMPARE(w2.bMemoria->text(), w1.bMemoria->text());
}

void PruebaVentanaJuego::unaManoContraTresComputadoras()
{
    if (!QFile::exists(BrintalPrueba::Programa()))
        QSKIP("brintal no está construido");
    QTemporaryDir carpeta;
    const QString mmedia = QDir(qEnvironmentVariable("QUIMBOLO_CARPETA")).filePath("MMEDIA");
    QDir().mkpath(carpeta.filePath("MMEDIA"));
    for (const QString& a : QDir(mmedia).entryList(QDir::Files))
        QFile::copy(QDir(mmedia).filePath(a), carpeta.filePath("MMEDIA/" + a));

    // Open tiles: the first hand is led by seat 1, the person.
    BrintalPrueba servidor;
    QVERIFY2(servidor.Arrancar({"--opcion", "AoC=A", "--opcion", "Nivel=P", "--opcion", "Puntos=300"},
                               carpeta.path()),
             qPrintable(servidor.Error()));
    const quint16 puerto = servidor.Puerto();

    Sesion s(carpeta.path() + "/");
    s.A.Ritmo = 0;  // the computer seats play at once; events are still served at every wait
    s.Conector.PuertoMesa = s.Conector.PuertoAlterno = puerto;
    s.Conector.IniciarBrintal = false;
    Contestador c;
    frmConnect conexion(s.Conector, s.D);
    std::unique_ptr<frmDomino> juego;
    bool cerrado = false;
    conexion.AlConectar = [&] {
        juego.reset(AbrirMesaYJuego(s, conexion));
        if (juego)
            juego->AlCerrar = [&] { cerrado = true; };
    };

    // The end-of-hand summary: counted before the next pick clears the history.
    int jugadasAna = -1;
    c.Elegir = [&](const QString& texto) {
        if (texto.contains("¡Me Fuí!") || texto.contains("¡Cerré el Juego!")) {
            jugadasAna = 0;
            for (int n = 1; n <= s.E.NumTiro; ++n)
                jugadasAna += s.E.HistJugador[n] == 1 && s.E.HistFicha[n] >= 0;
            if (juego)
                Capturar(juego.get(), "partida-fin");
        }
        return QStringLiteral("cmdOK");
    };

    // The view can change in the middle of a hand, whatever the flow is doing.
    bool vistas = false;
    QTimer cambioVista;
    cambioVista.setInterval(200);
    connect(&cambioVista, &QTimer::timeout, [&] {
        if (vistas || !juego || cerrado || s.E.NumTiro < 6 || s.E.FaseMano != Fase::Tirando)
            return;
        vistas = true;
        juego->MVer3D->trigger();
        Capturar(juego.get(), "partida-3d");
        juego->MVerColor->trigger();
        QVERIFY(juego->MVerColor->isChecked());
        Capturar(juego.get(), "partida-3d-color");
        juego->MVer2D->trigger();
    });
    cambioVista.start();

    // The person's steps, played from the event loop whatever wait runs.
    bool ocupado = false, tomada = false, iniciada = false;
    int arrastres = 0;
    QTimer guion;
    guion.setInterval(120);
    connect(&guion, &QTimer::timeout, [&] {
        if (ocupado || cerrado)
            return;
        ocupado = true;
        if (auto* mesa = qobject_cast<frmMesa*>(QApplication::activeModalWidget())) {
            if (!tomada) {
                tomada = true;
                mesa->txtNombre->setText("Ana");
                mesa->Image1[1]->click();
            } else if (!iniciada && mesa->lblNombre[1]->text() == "Ana") {
                iniciada = true;
                mesa->bIniciar->click();
            }
        } else if (juego && juego->isVisible()) {
            Estado& e = s.E;
            const bool resumen = c.Textos.filter("¡Me Fuí!").size() + c.Textos.filter("¡Cerré el Juego!").size();
            if (resumen && e.FaseMano == Fase::Repartiendo) {
                juego->close();
            } else if (juego->bAzar[1]->isVisible() && juego->bAzar[1]->isEnabled()) {
                juego->bAzar[1]->click();
            } else if (e.Turno == 1 && !e.ManoTerminada &&
                       (e.FaseMano == Fase::Saliendo || e.FaseMano == Fase::Tirando)) {
                Extremo lado = Extremo::Ninguno;
                const int t = Jugable(e, 1, lado);
                if (t >= 0) {
                    const float x = lado == Extremo::Der ? e.PuntaDerX : e.PuntaIzqX;
                    const float y = lado == Extremo::Der ? e.PuntaDerY : e.PuntaIzqY;
                    ++arrastres;
                    QTest::mousePress(juego->p1, Qt::LeftButton, {}, juego->p1->PuntoEnWidget(e.Fichas[t].X, e.Fichas[t].Y));
                    QTest::mouseRelease(juego->p1, Qt::LeftButton, {}, juego->p1->PuntoEnWidget(x, y));
                }
            }
        }
        ocupado = false;
    });
    guion.start();
    conexion.show();
    conexion.cmdConectar->click();

    QTRY_VERIFY_WITH_TIMEOUT(cerrado, 900000);
    // Whatever was waiting has unwound back here.
    QVERIFY(Cerrando());
    guion.stop();
    cambioVista.stop();
    QVERIFY(vistas);

    QVERIFY(juego);
    QVERIFY(!juego->isVisible());
    QCOMPARE(juego->windowTitle().left(26), QString("Quimbolo v.1.0.0. Mesa 1. "));
    QCOMPARE(s.E.Jugadores[2].Nombre, QString("Compu 2"));
    QCOMPARE(s.E.NumMano, 1);
    QVERIFY(s.E.PuntosPar13.size() >= 2);
    QVERIFY(s.E.PuntosPar13[1] + s.E.PuntosPar24[1] > 0 || c.Textos.filter("Empate").size());
    // Seat 1 led (open tiles) and played only by dragging on the board.
    QVERIFY(arrastres >= 1);
    QVERIFY(jugadasAna >= 1);
    QCOMPARE(s.J.ProfundidadMaxima(), 1);
    QVERIFY(QFile::exists(carpeta.filePath("JGO/Anterior.Jgo")));
}

QTEST_MAIN(PruebaVentanaJuego)
#include "PruebaVentanaJuego.moc"
