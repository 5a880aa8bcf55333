// The tools as the game window carries them: the scoreboard of the menu, the
// time alarm and the sound player, the undo button, the chat at two copies of
// a real table.

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/quimbolo/Herramientas.h"
#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "records/Marcador.h"
#include "records/Posicion.h"
#include "tests/ventana/RegistroPrueba.h"
#include "shell/MensaBox.h"
#include "shell/Pausa.h"

namespace {

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

// Answers the next message box of the program with "Aceptar" and keeps its text.
void ContestarMensaBox(QString* texto)
{
    QTimer::singleShot(20, qApp, [texto] {
        auto* caja = qobject_cast<MensaBox*>(QApplication::activeModalWidget());
        if (!caja) {
            ContestarMensaBox(texto);
            return;
        }
        *texto = caja->Label1()->text();
        caja->cmdOK()->click();
    });
}

void Sentar(Estado& e)
{
    const char* nombres[5] = {nullptr, "Ana", "Beto", "Carla", "Dani"};
    for (int s = 1; s <= 4; ++s) {
        e.Jugadores[s].Nombre = QString::fromUtf8(nombres[s]);
        e.Jugadores[s].HoC = s == 1 ? 'H' : 'C';
        e.Jugadores[s].LoR = s == 1 ? 'L' : 'R';
    }
}

// brintal on a free loopback port for the length of a test.
class Brintal {
public:
    bool Arrancar()
    {
        const QString programa = qEnvironmentVariable("QUIMBOLO_CARPETA") + "/brintal";
        if (!QFileInfo::exists(programa))
            return false;
        QTcpServer libre;
        if (!libre.listen(QHostAddress::LocalHost))
            return false;
        Puerto = libre.serverPort();
        libre.close();
        proceso_.setProgram(programa);
        proceso_.setArguments({"--sin-ventana", "--puerto", QString::number(Puerto)});
        proceso_.setReadChannel(QProcess::StandardError);
        proceso_.start();
        QByteArray log;
        while (!log.contains("escuchando") && proceso_.waitForReadyRead(5000))
            log += proceso_.readAll();
        return log.contains("escuchando");
    }
    ~Brintal()
    {
        proceso_.kill();
        proceso_.waitForFinished(5000);
    }
    quint16 Puerto = 0;

private:
    QProcess proceso_;
};

// Connects a copy to the table and takes these seats.
bool Sentarse(Sesion& s, quint16 puerto, std::initializer_list<int> sillas)
{
    s.Enlace.Socket().connectToHost(QHostAddress::LocalHost, puerto);
    if (!s.Enlace.Socket().waitForConnected(5000))
        return false;
    for (int silla : sillas)
        s.A.EnviarMensaje(QStringLiteral("Silla%1").arg(silla));
    QElapsedTimer reloj;
    reloj.start();
    auto concedidas = [&] {
        for (int silla : sillas)
            if (s.D.Registro.filter(QStringLiteral("Local %1").arg(silla)).isEmpty())
                return false;
        return true;
    };
    while (!concedidas() && reloj.elapsed() < 5000)
        QTest::qWait(10);
    return concedidas();
}

// Everything of the game state two copies must agree on.
QString Huella(const Estado& e)
{
    QString h = QStringLiteral("T%1 N%2 S%3 I%4 D%5 %6 %7 |").arg(e.Turno).arg(e.NumTiro).arg(e.Salidor)
                    .arg(e.ValorIzq).arg(e.ValorDer).arg(e.Modo).arg(QChar(e.OrigenReparto));
    for (const Ficha& f : e.Fichas)
        h += QStringLiteral("%1%2 ").arg(QChar(f.Lugar)).arg(f.Dueno);
    for (int s = 1; s <= 4; ++s) {
        h += QStringLiteral("| %1:").arg(e.Jugadores[s].NumFichas);
        for (int k = 1; k <= 7; ++k)
            h += QStringLiteral(" %1").arg(e.Jugadores[s].Mano[k]);
    }
    h += QStringLiteral(" | I%1,%2,%3 D%4,%5,%6 |").arg(e.PuntaIzqX).arg(e.PuntaIzqY).arg(QChar(e.RumboIzq))
             .arg(e.PuntaDerX).arg(e.PuntaDerY).arg(QChar(e.RumboDer));
    for (int i = 1; i <= kMaxTiros; ++i)
        h += QStringLiteral(" %1%2").arg(e.HistFicha[i]).arg(e.HistPunta[i]);
    return h;
}

}  // namespace

class PruebaVentanaJuego : public QObject {
    Q_OBJECT
private slots:
    void init() { ReiniciarCierre(); }
    void herramientasInstaladas();
    void marcadorDelMenu();
    void alarmaYOrdenDelSonido();
    void atrasAvisaALaMesa();
    void chatEnDosCopiasDeUnaMesaReal();
    void repeticionEnDosCopias();
    void atrasEnDosCopias();

private:
    QTemporaryDir dir_;
};

void PruebaVentanaJuego::herramientasInstaladas()
{
    Sesion s(dir_.path() + '/');
    Sentar(s.E);
    frmDomino w(s);
    auto* h = w.findChild<Herramientas*>();
    QVERIFY(h);
    QVERIFY(w.AlConsejo && w.AlAtras && w.AlMemoria && w.AlRepetir && w.AlMarcador && w.AlTurnoHumano);
    // Lines from the table go through the tools, so a received undo drops the advice.
    QCOMPARE(s.D.Juego, static_cast<JuegoRemoto*>(h));
    h->Consejo1.ConsejoFicha = 3;
    s.D.Atender("Atras 2");
    QCOMPARE(h->Consejo1.ConsejoFicha, Consejo::kSinConsejo);
}

void PruebaVentanaJuego::marcadorDelMenu()
{
    Sesion s(dir_.path() + '/');
    Sentar(s.E);
    QStringList sonidos;
    s.A.PonerReproductor(std::make_unique<Grabadora>(sonidos));
    frmDomino w(s);

    // Before the first hand the entry shows nothing.
    w.MMarcador->trigger();
    QVERIFY(sonidos.isEmpty());

    s.E.NumMano = 3;
    s.E.Opciones.Puntos = 100;
    s.E.PuntosPar13 = {0, 40, 21, 0};
    s.E.PuntosPar24 = {0, 35, 0, 70};
    QString texto;
    ContestarMensaBox(&texto);
    w.MMarcador->trigger();
    QVERIFY(texto.startsWith("Marcador\n\n"));
    QVERIFY(texto.contains(" + 21       61         +  0       35\n"));
    QVERIFY(texto.contains(" +  0       61         + 70      105\n"));
    QVERIFY(texto.endsWith("Fin de la Partida" + QString(12, ' ')));
    QVERIFY(s.E.FinPartida);
    QVERIFY(!w.bConsejo->isEnabled());
    QVERIFY(!w.bAtras->isEnabled());
    QVERIFY(!w.bMemoria->isEnabled());
    QCOMPARE(sonidos.mid(0, 4),
             QStringList({"Close", dir_.path() + "/MMEDIA/Aplauso.wav", "Open", "Play"}));
}

void PruebaVentanaJuego::alarmaYOrdenDelSonido()
{
    QCOMPARE(frmDomino::IntervaloAlarma(10), 10000);
    QCOMPARE(frmDomino::IntervaloAlarma(32), 32000);
    QCOMPARE(frmDomino::IntervaloAlarma(33), 32000);  // the longest the alarm can count
    QCOMPARE(frmDomino::IntervaloAlarma(0), 0);
    QCOMPARE(frmDomino::IntervaloAlarma(-5), 0);

    Sesion s(dir_.path() + '/');
    Sentar(s.E);
    QStringList sonidos;
    s.A.PonerReproductor(std::make_unique<Grabadora>(sonidos));
    frmDomino w(s);

    s.A.ArmarAlarma(20);
    QVERIFY(w.Timer1->isActive());
    QCOMPARE(w.Timer1->interval(), 20000);
    s.A.ArmarAlarma(0);
    QVERIFY(!w.Timer1->isActive());

    // The snore repeats until the person acts.
    w.Timer1->start(1);
    QTRY_VERIFY(sonidos.count("Play") >= 2);
    s.A.DetenerAlarma();
    QVERIFY(!w.Timer1->isActive());
    QCOMPARE(sonidos.mid(0, 8), QStringList({"Close", dir_.path() + "/MMEDIA/Ronca.wav", "Open", "Play", "Close",
                                             dir_.path() + "/MMEDIA/Ronca.wav", "Open", "Play"}));

    // The real player with a file that is not there, or no sound device, stays silent.
    s.A.PonerReproductor(std::make_unique<Reproductor>());
    s.A.TocarSonido("MMEDIA/NoExiste.wav");
    s.A.TocarSonido("MMEDIA/paso1.wav");
}

void PruebaVentanaJuego::atrasAvisaALaMesa()
{
    // A table of our own: whatever the copy sends arrives here.
    QTcpServer mesa;
    QVERIFY(mesa.listen(QHostAddress::LocalHost));
    Sesion s(dir_.path() + '/');
    Sentar(s.E);
    frmDomino w(s);
    s.Enlace.Socket().connectToHost(QHostAddress::LocalHost, mesa.serverPort());
    QVERIFY(mesa.waitForNewConnection(5000));
    QTcpSocket* otro = mesa.nextPendingConnection();
    QTRY_VERIFY(s.Enlace.Conectado());

    // Three plays made by seat 1 and then others; the undo goes out first.
    s.E.NumMano = 1;
    s.E.NumTiro = 0;
    s.E.FaseMano = "TIRANDO";
    s.J.IniciarLinea();
    s.E.Turno = 1;
    s.E.NumTiro = 1;
    s.E.HistFicha[1] = 0;
    s.E.HistPunta[1] = "DER";
    s.E.Fichas[0].Lugar = 'J';
    s.E.Fichas[0].Dueno = 1;
    s.E.Turno = 2;
    w.bAtras->show();
    w.bAtras->setEnabled(true);
    w.bAtras->click();
    QTRY_VERIFY(otro->bytesAvailable() > 0 || otro->waitForReadyRead(50));
    QCOMPARE(otro->readAll(), QByteArray("Atras 2\r\n"));
    QCOMPARE(s.E.NumTiro, 0);
    QCOMPARE(s.E.Turno, 1);
}

void PruebaVentanaJuego::chatEnDosCopiasDeUnaMesaReal()
{
    Brintal mesa;
    if (!mesa.Arrancar())
        QSKIP("brintal no está disponible");
    Sesion s1(dir_.path() + '/'), s2(dir_.path() + '/');
    Sentar(s1.E);
    Sentar(s2.E);
    frmDomino w1(s1), w2(s2);
    s1.E.NombreLocal = "Ana";
    QVERIFY(Sentarse(s1, mesa.Puerto, {1}));
    QVERIFY(Sentarse(s2, mesa.Puerto, {2}));

    w1.txtChat->setText("¿Jugamos? Sí: ñandú");
    QTest::keyClick(w1.txtChat, Qt::Key_Return);
    QVERIFY(w1.txtChat->text().isEmpty());
    const QString linea = "Ana: ¿Jugamos? Sí: ñandú";
    QTRY_COMPARE(w2.lstChat->count(), 1);
    QTRY_COMPARE(w1.lstChat->count(), 1);  // the sender's own line comes back from the table
    QCOMPARE(w2.lstChat->item(0)->text(), linea);
    QCOMPARE(w1.lstChat->item(0)->text(), linea);
    QCOMPARE(w2.lstChat->currentRow(), 0);
}

void PruebaVentanaJuego::repeticionEnDosCopias()
{
    Brintal mesa;
    if (!mesa.Arrancar())
        QSKIP("brintal no está disponible");
    const QString ruta = dir_.path() + "/guardada.jgo";
    {
        QFile f(ruta);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(kRegistro);
    }
    Sesion s1(dir_.path() + '/'), s2(dir_.path() + '/');
    Sentar(s1.E);
    Sentar(s2.E);
    frmDomino w1(s1), w2(s2);
    QVERIFY(Sentarse(s1, mesa.Puerto, {1}));
    QVERIFY(Sentarse(s2, mesa.Puerto, {2, 3, 4}));
    // Both copies are in the pick, seat 1 with two tiles already taken.
    for (Sesion* s : {&s1, &s2}) {
        s->E.FaseMano = "REPARTIENDO";
        s->E.Jugadores[1].Mano[1] = 3;
        s->E.Jugadores[1].NumFichas = 1;
        s->E.Fichas[3].Libre = false;
        s->E.Fichas[3].Dueno = 1;
    }
    auto* h1 = w1.findChild<Herramientas*>();
    h1->Repeticion1.ElegirRegistro = [&] { h1->Repeticion1.RutaJuego = ruta; };
    w1.bRepetir[1]->show();
    w1.bRepetir[1]->click();
    QVERIFY(w1.bRepetir[1]->isHidden());

    // Copy 2 has every hand and the whole memory once the last line is in.
    QTRY_COMPARE(s2.E.HistFicha[19], BuscarFicha(0, 6));
    QTRY_COMPARE(s1.D.Registro.filter("Memo 19").size(), 1);
    QCOMPARE(Huella(s2.E), Huella(s1.E));
    QCOMPARE(s2.E.Salidor, 1);
    QCOMPARE(s2.E.Modo, QString("LECTURA"));
    QCOMPARE(s2.E.HistFicha[20], -1);
    for (int s = 1; s <= 4; ++s)
        QCOMPARE(s2.E.Jugadores[s].Mano, Registro().Manos[s]);
}

void PruebaVentanaJuego::atrasEnDosCopias()
{
    Brintal mesa;
    if (!mesa.Arrancar())
        QSKIP("brintal no está disponible");
    Sesion s1(dir_.path() + '/'), s2(dir_.path() + '/');
    for (Sesion* s : {&s1, &s2}) {
        s->E.CarpetaApp = dir_.path() + '/';
        QVERIFY(PosicionTrasJugadas(Registro(), 3, s->E).Ok);
    }
    // Seat 4 is to move after three plays; copy 1 holds it, copy 2 the rest.
    QCOMPARE(s1.E.Turno, 4);
    s1.E.Jugadores[4].LoR = 'L';
    s1.E.Jugadores[4].HoC = 'H';
    for (int s = 1; s <= 3; ++s)
        s2.E.Jugadores[s].LoR = 'L';
    frmDomino w1(s1), w2(s2);
    QVERIFY(Sentarse(s1, mesa.Puerto, {4}));
    QVERIFY(Sentarse(s2, mesa.Puerto, {1, 2, 3}));
    auto* h2 = w2.findChild<Herramientas*>();
    h2->Consejo1.ConsejoFicha = 5;

    w1.bAtras->setEnabled(true);
    w1.bAtras->click();
    QCOMPARE(s1.E.NumTiro, 2);
    QTRY_COMPARE(s2.E.NumTiro, 2);
    QCOMPARE(Huella(s2.E), Huella(s1.E));
    QCOMPARE(h2->Consejo1.ConsejoFicha, Consejo::kSinConsejo);
    // The undone play is the memory of both.
    QCOMPARE(w1.bMemoria->text(), TextoMemoria(s1.E, 3));
    QCOMPARE(w2.bMemoria->text(), w1.bMemoria->text());
}

QTEST_MAIN(PruebaVentanaJuego)
#include "PruebaVentanaJuego.moc"
