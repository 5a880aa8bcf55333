// The tools as the game window carries them: the scoreboard of the menu, the
// time alarm through the sound player, and, at two copies of a real table,
// the chat, the replay and the undo.

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QtTest>

#include "app/quimbolo/Herramientas.h"
#include "app/quimbolo/Sesion.h"
#include "app/quimbolo/frmDomino.h"
#include "records/Marcador.h"
#include "records/Posicion.h"
#include "shell/MensaBox.h"
#include "shell/Pausa.h"
#include "tests/support/BrintalPrueba.h"
#include "tests/ventana/RegistroPrueba.h"

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

// Connects a copy to the table and takes these seats.
bool Sentarse(Sesion& s, quint16 puerto, std::initializer_list<int> sillas)
{
    s.Enlace.Socket().connectToHost(QHostAddress::LocalHost, puerto);
    if (!s.Enlace.Socket().waitForConnected(5000))
        return false;
    for (int silla : sillas)
        s.A.EnviarMensaje(QStringLiteral("Silla%1").arg(silla));
    for (int silla : sillas)
        if (!QTest::qWaitFor([&] { return !s.D.Registro.filter(QStringLiteral("Local %1").arg(silla)).isEmpty(); }))
            return false;
    return true;
}

// What two copies of one table must agree on.
QString Huella(const Estado& e)
{
    QString h = QStringLiteral("%1 %2 %3 %4 %5 %6 %7 %8 %9|").arg(e.Turno).arg(e.NumTiro).arg(e.Salidor)
                    .arg(e.ValorIzq).arg(e.ValorDer).arg(e.Modo).arg(QChar(e.OrigenReparto))
                    .arg(e.PuntaIzqX).arg(e.PuntaDerX);
    for (const Ficha& f : e.Fichas)
        h += QStringLiteral("%1%2 ").arg(QChar(f.Lugar)).arg(f.Dueno);
    for (int s = 1; s <= 4; ++s)
        for (int k = 1; k <= 7; ++k)
            h += QStringLiteral(" %1").arg(e.Jugadores[s].Mano[k]);
    for (int i = 1; i <= kMaxTiros; ++i)
        h += QStringLiteral(" %1%2").arg(e.HistFicha[i]).arg(e.HistPunta[i]);
    return h;
}

}  // namespace

class PruebaVentanaJuego : public QObject {
    Q_OBJECT
private slots:
    void init() { ReiniciarCierre(); }
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
        s->E.FaseMano = "REPARTIENDO";
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
    QVERIFY(s2.E.Salidor == 1 && s2.E.Modo == "LECTURA" && s2.E.HistFicha[20] == -1);
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
    s1.E.Jugadores[4].LoR = 'L';
    for (int s = 1; s <= 3; ++s)
        s2.E.Jugadores[s].LoR = 'L';
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

QTEST_MAIN(PruebaVentanaJuego)
#include "PruebaVentanaJuego.moc"
