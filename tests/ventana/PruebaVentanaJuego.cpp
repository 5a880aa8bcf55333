// The tools as the game window carries them: the scoreboard of the menu, the
// time alarm and the sound player, the undo button, the chat at two copies of
// a real table.

#include <QApplication>
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
    const QString programa = qEnvironmentVariable("QUIMBOLO_CARPETA") + "/brintal";
    if (!QFileInfo::exists(programa))
        QSKIP("brintal no está construido");
    QTcpServer libre;
    QVERIFY(libre.listen(QHostAddress::LocalHost));
    const quint16 puerto = libre.serverPort();
    libre.close();
    QProcess brintal;
    brintal.setProgram(programa);
    brintal.setArguments({"--sin-ventana", "--puerto", QString::number(puerto)});
    brintal.setReadChannel(QProcess::StandardError);
    brintal.start();
    QByteArray log;
    while (!log.contains("escuchando") && brintal.waitForReadyRead(5000))
        log += brintal.readAll();
    QVERIFY2(log.contains("escuchando"), log.constData());

    Sesion s1(dir_.path() + '/'), s2(dir_.path() + '/');
    Sentar(s1.E);
    Sentar(s2.E);
    frmDomino w1(s1), w2(s2);
    s1.E.NombreLocal = "Ana";
    for (Sesion* s : {&s1, &s2})
        s->Enlace.Socket().connectToHost(QHostAddress::LocalHost, puerto);
    QTRY_VERIFY(s1.Enlace.Conectado() && s2.Enlace.Conectado());
    s1.A.EnviarMensaje("Silla1");
    s2.A.EnviarMensaje("Silla2");
    QTRY_VERIFY(s1.D.Registro.filter("Local 1").size() == 1 && s2.D.Registro.filter("Local 2").size() == 1);

    w1.txtChat->setText("¿Jugamos? Sí: ñandú");
    QTest::keyClick(w1.txtChat, Qt::Key_Return);
    QVERIFY(w1.txtChat->text().isEmpty());
    const QString linea = "Ana: ¿Jugamos? Sí: ñandú";
    QTRY_COMPARE(w2.lstChat->count(), 1);
    QTRY_COMPARE(w1.lstChat->count(), 1);  // the sender's own line comes back from the table
    QCOMPARE(w2.lstChat->item(0)->text(), linea);
    QCOMPARE(w1.lstChat->item(0)->text(), linea);
    QCOMPARE(w2.lstChat->currentRow(), 0);

    for (Sesion* s : {&s1, &s2})
        s->Enlace.Socket().abort();
    brintal.kill();
    brintal.waitForFinished(5000);
}

QTEST_MAIN(PruebaVentanaJuego)
#include "PruebaVentanaJuego.moc"
