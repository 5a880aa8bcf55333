#include "shell/UnaCopia.h"

#include <QAbstractButton>
#include <QDir>
#include <QLockFile>
#include <QMessageBox>
#include <QStandardPaths>

UnaCopia::UnaCopia(const QString& nombre)
{
    QString carpeta = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    if (carpeta.isEmpty())
        carpeta = QDir::tempPath();
    cerrojo_ = std::make_unique<QLockFile>(QDir(carpeta).filePath(nombre + QStringLiteral(".lock")));
    cerrojo_->setStaleLockTime(0);
    otra_ = !cerrojo_->tryLock(0) && cerrojo_->error() == QLockFile::LockFailedError;
}

UnaCopia::~UnaCopia() = default;

bool PreguntarOtraCopia()
{
    QMessageBox caja(QMessageBox::Warning, QStringLiteral("Quimbolo"),
                     QStringLiteral("Ya hay un Quimbolo corriendo. ¿Desea ejecutar otra copia?"),
                     QMessageBox::Yes | QMessageBox::No);
    caja.setDefaultButton(QMessageBox::No);
    caja.button(QMessageBox::Yes)->setText(QStringLiteral("Sí"));
    return caja.exec() == QMessageBox::Yes;
}
