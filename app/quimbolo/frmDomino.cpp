#include "app/quimbolo/frmDomino.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "app/quimbolo/Herramientas.h"
#include "app/quimbolo/PicThink.h"
#include "flujo/Entradas.h"
#include "app/quimbolo/Sesion.h"
#include "protocolo/Protocolo.h"
#include "records/Resumen.h"
#include "rules/Opciones.h"
#include "shell/Ayuda.h"
#include "shell/Depuracion.h"
#include "shell/Pausa.h"

namespace {

QPushButton* BotonGrande(const QString& texto, const char* nombre, QWidget* padre)
{
    auto* b = new QPushButton(texto, padre);
    b->setObjectName(QLatin1String(nombre));
    b->setFocusPolicy(Qt::NoFocus);
    b->setMinimumWidth(90);
    return b;
}

// Holds the board at its own proportions, centred in whatever room the
// window gives it, so tiles never look stretched.
class MarcoTablero : public QWidget {
public:
    MarcoTablero(QWidget* padre) : QWidget(padre) {}
    void Poner(QWidget* tablero)
    {
        tablero_ = tablero;
        tablero_->setParent(this);
    }
    QSize sizeHint() const override { return tablero_ ? tablero_->sizeHint() : QSize(); }
    QSize minimumSizeHint() const override { return sizeHint() / 2; }

protected:
    void resizeEvent(QResizeEvent*) override
    {
        if (!tablero_)
            return;
        const QSize propio = tablero_->sizeHint().scaled(size(), Qt::KeepAspectRatio);
        tablero_->setGeometry(QRect(QPoint((width() - propio.width()) / 2, (height() - propio.height()) / 2), propio));
    }

private:
    QWidget* tablero_ = nullptr;
};

// The person's own choices, beside brintal's options in the user's
// configuration folder (Quimbolo/), rather than under Qt's stand-in for a
// missing organisation name. The organisation is not set for the whole
// program because it would also move the data folder that holds JGO/.
const QString kPreferencias = QStringLiteral("Quimbolo");
const QString kRapida = QStringLiteral("juego/computadoraRapida");

}  // namespace

frmDomino::frmDomino(Sesion& sesion, QWidget* padre) : QMainWindow(padre), S(sesion), acciones_(sesion.J)
{
    setObjectName(QStringLiteral("frmDomino"));
    auto* centro = new QWidget(this);
    setCentralWidget(centro);

    auto* marco = new MarcoTablero(centro);
    p1 = new Tablero(S.E, marco);
    p1->setObjectName(QStringLiteral("p1"));
    marco->Poner(p1);
    p1->PonerAcciones(&acciones_);

    paneles_ = new Paneles(S.E, *p1, centro);
    for (int s = 1; s <= 4; ++s) {
        bAzar[s] = BotonGrande(QStringLiteral("Al azar"), "bAzar", centro);
        bRepetir[s] = BotonGrande(QStringLiteral("Repetir"), "bRepetir", centro);
        bRepetir[s]->setToolTip(QStringLiteral("Repetir el reparto anterior o el de alguna mano guardada"));
        bNoSalir[s] = BotonGrande(QStringLiteral("No Salir"), "bNoSalir", centro);
        for (QPushButton* b : {bAzar[s], bRepetir[s], bNoSalir[s]}) {
            b->setObjectName(b->objectName() + QString::number(s));
            b->setMinimumWidth(0);
            // The panel keeps its size when its buttons come and go, so the
            // board does not jump during the pick and the lead.
            QSizePolicy politica(QSizePolicy::Maximum, QSizePolicy::Fixed);
            politica.setRetainSizeWhenHidden(s == 1 || s == 3);
            b->setSizePolicy(politica);
            b->hide();
            paneles_->Panel(s)->Botones()->addWidget(b);
        }
        paneles_->Panel(s)->Botones()->addStretch();
        connect(bAzar[s], &QPushButton::clicked, this, [this, s] { S.J.CompletarAlAzar(s); });
        connect(bNoSalir[s], &QPushButton::clicked, this, [this, s] { S.J.NoSalir(s); });
        connect(bRepetir[s], &QPushButton::clicked, this, [this, s] {
            if (AlRepetir)
                AlRepetir(s);
        });
    }

    bConsejo = BotonGrande(QStringLiteral("Consejo"), "bConsejo", centro);
    bConsejo->setToolTip(QStringLiteral("¿Qué jugaría la computadora en mi lugar?"));
    bConsejo->setEnabled(false);
    bAtras = BotonGrande(QStringLiteral("Atrás"), "bAtras", centro);
    bAtras->setToolTip(QStringLiteral("Regresar un turno"));
    bAtras->hide();
    bMemoria = BotonGrande(QStringLiteral("M"), "bMemoria", centro);
    bMemoria->setToolTip(QStringLiteral("Repetir la jugada memorizada"));
    bMemoria->hide();
    connect(bConsejo, &QPushButton::clicked, this, [this] {
        if (AlConsejo)
            AlConsejo();
    });
    connect(bAtras, &QPushButton::clicked, this, [this] {
        if (AlAtras)
            AlAtras();
        else if (S.J.PuedeRegresar())
            S.J.RegresarTurno();
    });
    connect(bMemoria, &QPushButton::clicked, this, [this] {
        if (AlMemoria)
            AlMemoria();
    });

    picThink = new QLabel(centro);
    picThink->setObjectName(QStringLiteral("picThink"));
    picThink->setFixedSize(160, 20);
    picThink->hide();
    Text2 = new QLineEdit(centro);
    Text2->setObjectName(QStringLiteral("Text2"));
    Text2->setReadOnly(true);
    Text2->setFixedWidth(120);
    Text2->setFocusPolicy(Qt::NoFocus);
    Text2->setVisible(Depurando());
    connect(p1, &Tablero::Posicion, Text2, &QLineEdit::setText);

    txtChat = new QLineEdit(centro);
    txtChat->setObjectName(QStringLiteral("txtChat"));
    txtChat->setToolTip(QStringLiteral("Escribe aquí para chatear"));
    txtChat->setMaxLength(200);
    connect(txtChat, &QLineEdit::returnPressed, this, &frmDomino::EnviarChat);
    lstChat = new QListWidget(centro);
    lstChat->setObjectName(QStringLiteral("lstChat"));
    lstChat->setToolTip(QStringLiteral("Chat"));
    lstChat->setFixedHeight(64);
    lstChat->setFocusPolicy(Qt::NoFocus);

    // The board takes all the height; two narrow columns beside it hold the
    // seat panels (each on its hand's side: the top and left ones at the
    // left, the right and bottom ones at the right), the buttons and the chat.
    for (int s = 1; s <= 4; ++s)
        paneles_->Panel(s)->setFixedWidth(kAnchoColumna - 8);
    for (auto*& lugar : lugares_) {
        lugar = new QWidget(centro);
        auto* caja = new QVBoxLayout(lugar);
        caja->setContentsMargins(0, 0, 0, 0);
    }
    lstChat->setFixedHeight(QWIDGETSIZE_MAX);
    lstChat->setMinimumHeight(60);
    auto* izquierda = new QVBoxLayout;
    izquierda->addWidget(lugares_[2]);
    izquierda->addStretch(1);
    izquierda->addWidget(lugares_[3]);
    izquierda->addStretch(1);
    izquierda->addWidget(Text2);
    izquierda->addWidget(picThink);
    izquierda->addWidget(lstChat, 1);
    izquierda->addWidget(txtChat);
    auto* derecha = new QVBoxLayout;
    derecha->addWidget(bConsejo);
    derecha->addWidget(bAtras);
    derecha->addWidget(bMemoria);
    derecha->addStretch(1);
    derecha->addWidget(lugares_[1]);
    derecha->addStretch(1);
    derecha->addWidget(lugares_[0]);
    auto* columnaIzq = new QWidget(centro);
    columnaIzq->setLayout(izquierda);
    columnaIzq->setFixedWidth(kAnchoColumna);
    auto* columnaDer = new QWidget(centro);
    columnaDer->setLayout(derecha);
    columnaDer->setFixedWidth(kAnchoColumna);
    izquierda->setContentsMargins(0, 0, 0, 0);
    derecha->setContentsMargins(0, 0, 0, 0);
    auto* fila = new QHBoxLayout(centro);
    fila->setContentsMargins(4, 4, 4, 2);
    fila->setSpacing(4);
    fila->addWidget(columnaIzq);
    fila->addWidget(marco, 1);
    fila->addWidget(columnaDer);
    ColocarPaneles(1);

    Timer1 = new QTimer(this);
    connect(Timer1, &QTimer::timeout, this, [this] { S.A.TocarSonido(QStringLiteral("MMEDIA/Ronca.wav")); });

    ConstruirMenu();

    lblEstado = new QLabel(this);
    lblEstado->setObjectName(QStringLiteral("lblEstado"));
    lblEstado->setTextFormat(Qt::PlainText);
    lblMarcador = new QLabel(this);
    lblMarcador->setObjectName(QStringLiteral("lblMarcador"));
    lblMarcador->setTextFormat(Qt::PlainText);
    QFont negrita = lblMarcador->font();
    negrita.setBold(true);
    lblMarcador->setFont(negrita);
    statusBar()->setSizeGripEnabled(false);
    statusBar()->addWidget(lblEstado, 1);
    statusBar()->addPermanentWidget(lblMarcador);

    // As large as the screen allows: the board grows with the window.
    resize(TamanoInicial(screen() ? screen()->availableGeometry().size() : QSize(1280, 800)));

    // The window loads: the title and level from the options, the local name.
    const QString version = QCoreApplication::applicationVersion().isEmpty()
                                ? QStringLiteral("1.0.0")
                                : QCoreApplication::applicationVersion();
    const QString titulo = entrada::TituloDeMesa(S.E, version);
    entrada::AbrirMesa(S.E, titulo, entrada::NombreLocalDe(S.E));
    setWindowTitle(titulo);
    Nombres();
    RefrescarEstado();
    // A second copy at the table, whose one person sits elsewhere, sees the
    // table from that person's seat.
    MVerMiSilla->setEnabled(MiSilla() != 0);
    MVerMiSilla->setChecked(MiSilla() > 1);
    p1->VerEn2D();

    {
        const QSignalBlocker sinAviso(MRapida);
        const bool rapida = QSettings(kPreferencias, kPreferencias).value(kRapida, false).toBool();
        MRapida->setChecked(rapida);
        S.A.Rapidez = rapida ? kEscalaRapida : 1.0;
    }
    S.A.PonerVentana(this);
    S.D.Oyente = this;
    S.D.Juego = &S.Remoto;
    InstalarHerramientas(*this, S);
}

frmDomino::~frmDomino()
{
    if (S.D.Oyente == this)
        S.D.Oyente = nullptr;
    S.A.PonerVentana(nullptr);
}

void frmDomino::ConstruirMenu()
{
    QMenu* juego = menuBar()->addMenu(QStringLiteral("&Juego"));
    MNueva = juego->addAction(QStringLiteral("&Nueva partida"));
    MNueva->setShortcut(QKeySequence::New);
    MNueva->setEnabled(false);
    MNueva->setToolTip(QStringLiteral("Otra partida en esta mesa, con las mismas sillas"));
    connect(MNueva, &QAction::triggered, this, &frmDomino::NuevaPartida);
    // A partida ends on its scoreboard; only then can another one start here.
    connect(juego, &QMenu::aboutToShow, this, [this] { MNueva->setEnabled(S.E.FinPartida); });
    MRapida = juego->addAction(QStringLiteral("Computadora &rápida"));
    MRapida->setCheckable(true);
    connect(MRapida, &QAction::toggled, this, &frmDomino::PonerRapida);
    juego->addSeparator();
    MSalir = juego->addAction(QStringLiteral("&Salir"));
    MSalir->setShortcut(QKeySequence::Quit);
    connect(MSalir, &QAction::triggered, this, &QWidget::close);

    QMenu* ver = menuBar()->addMenu(QStringLiteral("&Ver"));
    MVer2D = ver->addAction(QStringLiteral("en &2D"));
    MVer3D = ver->addAction(QStringLiteral("en &3D"));
    ver->addSeparator();
    MVerColor = ver->addAction(QStringLiteral("&Color"));
    MVerColor->setCheckable(true);
    MVerMiSilla = ver->addAction(QStringLiteral("Ver desde mi silla"));
    MVerMiSilla->setCheckable(true);
    MVerMiSilla->setToolTip(QStringLiteral("Girar la mesa para que mi silla quede abajo"));
    connect(MVerMiSilla, &QAction::toggled, this, &frmDomino::VerDesdeMiSilla);
    connect(MVer2D, &QAction::triggered, this, [this] { p1->VerEn2D(); });
    connect(MVer3D, &QAction::triggered, this, [this] { p1->VerEn3D(); });
    connect(MVerColor, &QAction::triggered, this, [this] { MVerColor->setChecked(p1->CambiarColor()); });

    MMarcador = menuBar()->addAction(QStringLiteral("Marcador"));
    connect(MMarcador, &QAction::triggered, this, [this] {
        if (AlMarcador)
            AlMarcador();
    });
    MAyuda = menuBar()->addAction(QStringLiteral("&Ayuda"));
    connect(MAyuda, &QAction::triggered, this, [] { AbrirAyuda(); });
}

QSize frmDomino::TamanoInicial(const QSize& disponible)
{
    // Room left for the window frame the system adds around it.
    return QSize(std::max(disponible.width() - 12, 900), std::max(disponible.height() - 44, 640));
}

int frmDomino::MiSilla() const
{
    int mia = 0;
    for (int s = 1; s <= 4; ++s) {
        const Jugador& j = S.E.Jugadores[s];
        if (j.HoC == Quien::Persona && j.LoR == Donde::Local) {
            if (mia != 0)
                return 0;  // several people here: nobody's seat is "mine"
            mia = s;
        }
    }
    return mia;
}

void frmDomino::VerDesdeMiSilla(bool activa)
{
    const int mia = MiSilla();
    p1->VerDesde(activa && mia != 0 ? mia : 1);
    ColocarPaneles(p1->SillaAbajo());
}

void frmDomino::ColocarPaneles(int abajo)
{
    for (int s = 1; s <= 4; ++s) {
        QWidget* lugar = lugares_[(s - abajo + 4) % 4];
        lugar->layout()->addWidget(paneles_->Panel(s));
    }
}

void frmDomino::NuevaPartida()
{
    if (!S.E.FinPartida || cerrada_)
        return;
    MNueva->setEnabled(false);
    // From the event loop, like the first one: the same seats, hand 1 again.
    // Another copy at the table joins when its person starts one too; until
    // then this copy waits for that copy's tiles.
    S.A.Programar([&juego = S.J] { juego.IniciarPartida(); });
}

void frmDomino::PonerRapida(bool rapida)
{
    S.A.Rapidez = rapida ? kEscalaRapida : 1.0;
    if (MRapida->isChecked() != rapida)
        MRapida->setChecked(rapida);
    QSettings(kPreferencias, kPreferencias).setValue(kRapida, rapida);
}

void frmDomino::RefrescarEstado()
{
    QString actividad = windowTitle();
    if (actividad.startsWith(S.E.TituloMesa))
        actividad = actividad.mid(S.E.TituloMesa.size());
    if (actividad.endsWith(QLatin1String(" ...")))
        actividad.chop(4);
    const LineaEstado l = LineaDeEstado(S.E, actividad);
    lblEstado->setText(l.Texto());
    lblMarcador->setText(l.Marcador);
}

void frmDomino::Nombres()
{
    paneles_->PonerNombres();
}

void frmDomino::resizeEvent(QResizeEvent* e)
{
    // The board keeps its own units; only the names are laid out again.
    QMainWindow::resizeEvent(e);
    Nombres();
}

void frmDomino::showEvent(QShowEvent* e)
{
    QMainWindow::showEvent(e);
    // Offscreen and some window managers never report an activation: the
    // first show counts as one.
    if (!activada_)
        QTimer::singleShot(0, this, &frmDomino::PrimeraActivacion);
}

void frmDomino::changeEvent(QEvent* e)
{
    QMainWindow::changeEvent(e);
    if (e->type() == QEvent::ActivationChange && isActiveWindow() && !activada_)
        PrimeraActivacion();
}

void frmDomino::PrimeraActivacion()
{
    if (activada_ || cerrada_)
        return;
    activada_ = true;
    // The game starts without seat colours, and the partida runs from the
    // event loop rather than inside this event.
    p1->PonerColor(false);
    MVerColor->setChecked(false);
    S.A.Programar([&juego = S.J] { juego.IniciarPartida(); });
}

void frmDomino::closeEvent(QCloseEvent* e)
{
    e->accept();
    if (cerrada_)
        return;
    cerrada_ = true;
    Timer1->stop();
    AvisarCierre();
    if (AlCerrar)
        AlCerrar();
    else
        QCoreApplication::exit(0);
}

void frmDomino::PonerSemaforo(int luz, int silla)
{
    paneles_->PonerSemaforo(luz, silla);
}

QPushButton* frmDomino::BotonDe(Control c, int silla) const
{
    const bool porSilla = silla >= 1 && silla <= 4;
    switch (c) {
    case Control::bAzar: return porSilla ? bAzar[silla] : nullptr;
    case Control::bRepetir: return porSilla ? bRepetir[silla] : nullptr;
    case Control::bNoSalir: return porSilla ? bNoSalir[silla] : nullptr;
    case Control::bConsejo: return bConsejo;
    case Control::bAtras: return bAtras;
    case Control::bMemoria: return bMemoria;
    case Control::SumPuntos: return nullptr;
    }
    return nullptr;
}

void frmDomino::AccionBoton(Control c, int silla, Accion a, const QString& texto)
{
    QWidget* w = BotonDe(c, silla);
    if (c == Control::SumPuntos && silla >= 1 && silla <= 4)
        w = paneles_->Panel(silla)->SumPuntos;
    if (!w)
        return;
    switch (a) {
    case Accion::Mostrar: w->show(); break;
    case Accion::Ocultar: w->hide(); break;
    case Accion::Habilitar: w->setEnabled(true); break;
    case Accion::Deshabilitar: w->setEnabled(false); break;
    case Accion::Texto:
        if (auto* b = qobject_cast<QPushButton*>(w))
            b->setText(texto);
        else if (auto* l = qobject_cast<QLabel*>(w))
            l->setText(texto);
        break;
    }
}

int frmDomino::IntervaloAlarma(int segundos)
{
    // The alarm has always been a 16-bit count of milliseconds: longer times
    // are held at the longest one it can count.
    if (segundos <= 0)
        return 0;
    return std::min(segundos, 32) * 1000;
}

void frmDomino::ArmarAlarma(int segundos)
{
    Timer1->stop();
    const int ms = IntervaloAlarma(segundos);
    if (ms > 0)
        Timer1->start(ms);
}

void frmDomino::DetenerAlarma()
{
    Timer1->stop();
}

void frmDomino::TurnoHumano(int silla)
{
    if (AlTurnoHumano)
        AlTurnoHumano(silla);
}

void frmDomino::MostrarPicThink(bool visible)
{
    picThink->setVisible(visible);
}

void frmDomino::MostrarAvance(double fraccion, bool final)
{
    avance_ = std::clamp(fraccion, 0.0, 1.0);
    QImage imagen(picThink->size(), QImage::Format_RGB32);
    PintarAvance(imagen, fraccion, final);
    picThink->setPixmap(QPixmap::fromImage(imagen));
    picThink->repaint();
}

void frmDomino::EnviarChat()
{
    S.A.Enviar(protocolo::LineaChat(S.E.NombreLocal, txtChat->text()));
    txtChat->clear();
}

void frmDomino::ChatRecibido(const QString& texto)
{
    lstChat->addItem(texto);
    lstChat->setCurrentRow(lstChat->count() - 1);
}

void frmDomino::SillaDejada(int silla)
{
    // Asked from the event loop, not inside the line's handler.
    QTimer::singleShot(0, this, [this, silla] { S.Salon.OfrecerSilla(silla); });
}
