#include "shell/Sonido.h"

#include <QAudioDevice>
#include <QFileInfo>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

Reproductor::Reproductor() = default;
Reproductor::~Reproductor() = default;

void Reproductor::Cerrar()
{
    if (efecto_)
        efecto_->stop();
    ruta_.clear();
}

void Reproductor::Abrir(const QString& ruta)
{
    if (!QFileInfo::exists(ruta))
        return;
    if (QMediaDevices::defaultAudioOutput().isNull())
        return;
    if (!efecto_)
        efecto_ = std::make_unique<QSoundEffect>();
    ruta_ = ruta;
    efecto_->setSource(QUrl::fromLocalFile(ruta));
}

void Reproductor::Tocar()
{
    if (efecto_ && !ruta_.isEmpty())
        efecto_->play();
}

void Reproductor::TocarSonido(const QString& carpeta, const QString& archivo)
{
    Cerrar();
    QString relativo = archivo;
    relativo.replace(u'\\', u'/');
    Abrir(carpeta + relativo);
    Tocar();
}
