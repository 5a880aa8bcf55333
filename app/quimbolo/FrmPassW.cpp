#include "app/quimbolo/FrmPassW.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>

FrmPassW::FrmPassW(const QString& carpeta, QString& rutaJuego, Anfitrion& anfitrion, QWidget* padre)
    : QDialog(padre), carpeta_(carpeta), rutaJuego_(rutaJuego), A(anfitrion)
{
    setObjectName(QStringLiteral("FrmPassW"));
    setWindowTitle(QStringLiteral("Quimbolo"));
    Label1 = new QLabel(QStringLiteral("Juego :"), this);
    txtRuta = new QLineEdit(this);
    txtRuta->setObjectName(QStringLiteral("txtRuta"));
    txtRuta->setText(QDir::toNativeSeparators(carpeta_ + QStringLiteral("JGO/Anterior.Jgo")));
    txtRuta->setMinimumWidth(360);
    CmdRuta = new QPushButton(QStringLiteral("..."), this);
    CmdRuta->setObjectName(QStringLiteral("CmdRuta"));
    bEntrar = new QPushButton(QStringLiteral("Abrir"), this);
    bEntrar->setObjectName(QStringLiteral("bEntrar"));
    // Enter in the path moves on to the next control; it never opens by itself.
    for (QPushButton* b : {CmdRuta, bEntrar}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    Label1->setBuddy(txtRuta);
    setTabOrder(txtRuta, CmdRuta);
    setTabOrder(CmdRuta, bEntrar);

    auto* rejilla = new QGridLayout(this);
    rejilla->addWidget(Label1, 0, 0);
    rejilla->addWidget(txtRuta, 0, 1);
    rejilla->addWidget(CmdRuta, 0, 2);
    rejilla->addWidget(bEntrar, 1, 1, 1, 2, Qt::AlignRight);

    ElegirArchivo = [this](const QString& inicio, const QString& filtro) {
        QFileDialog dialogo(this, QStringLiteral("Quimbolo"), inicio, filtro);
        dialogo.setFileMode(QFileDialog::ExistingFile);
        dialogo.setOption(QFileDialog::DontUseNativeDialog);
        dialogo.resize(820, 500);
        AjustarColumnas(dialogo);
        dialogo.setLabelText(QFileDialog::LookIn, QStringLiteral("Buscar en:"));
        dialogo.setLabelText(QFileDialog::FileName, QStringLiteral("Nombre:"));
        dialogo.setLabelText(QFileDialog::FileType, QStringLiteral("Tipo:"));
        dialogo.setLabelText(QFileDialog::Accept, QStringLiteral("Abrir"));
        dialogo.setLabelText(QFileDialog::Reject, QStringLiteral("Cancelar"));
        if (dialogo.exec() != QDialog::Accepted || dialogo.selectedFiles().isEmpty())
            return QString();
        return dialogo.selectedFiles().constFirst();
    };
    connect(txtRuta, &QLineEdit::returnPressed, this, [this] { focusNextChild(); });
    connect(CmdRuta, &QPushButton::clicked, this, &FrmPassW::CmdRuta_Click);
    connect(bEntrar, &QPushButton::clicked, this, &FrmPassW::bEntrar_Click);
}

void FrmPassW::CmdRuta_Click()
{
    if (!ElegirArchivo)
        return;
    const QString elegido = ElegirArchivo(carpeta_ + QStringLiteral("JGO"), QStringLiteral("jgo (*.jgo)"));
    if (elegido.isEmpty())
        return;
    txtRuta->setText(QDir::toNativeSeparators(elegido));
    txtRuta->setFocus();
}

void FrmPassW::bEntrar_Click()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const QString ruta = QDir::fromNativeSeparators(txtRuta->text().trimmed());
    if (!ruta.isEmpty() && QFileInfo(ruta).isFile()) {
        rutaJuego_ = ruta;
    } else {
        rutaJuego_.clear();
        QApplication::restoreOverrideCursor();
        A.Aviso(QStringLiteral("¡Este juego no se encuentra!\n") + QDir::toNativeSeparators(carpeta_), 48, 3);
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    QApplication::restoreOverrideCursor();
    accept();
}

void FrmPassW::AjustarColumnas(QFileDialog& dialogo)
{
    // Qt's detail view gives each column a fixed width whatever its text, so
    // "Tamaño", "Tipo" and the date came out cut; the name takes what is left.
    for (QTreeView* vista : dialogo.findChildren<QTreeView*>()) {
        QHeaderView* cabecera = vista->header();
        cabecera->setStretchLastSection(false);
        cabecera->setSectionResizeMode(QHeaderView::ResizeToContents);
        cabecera->setSectionResizeMode(0, QHeaderView::Stretch);
    }
}
