#pragma once
// One player for every sound of the game, so that a new sound cuts off the one
// still playing. Each sound is the sequence close, open the file, play; play
// returns at once. A missing file, an unplayable one or a machine without
// sound is silently skipped: sounds never stop the game.

#include <QString>
#include <memory>

class QSoundEffect;

class Reproductor {
public:
    Reproductor();
    virtual ~Reproductor();
    virtual void Cerrar();
    virtual void Abrir(const QString& ruta);
    virtual void Tocar();

    // Plays `archivo` (relative to `carpeta`, e.g. "MMEDIA/Ficha.wav").
    void TocarSonido(const QString& carpeta, const QString& archivo);

private:
    std::unique_ptr<QSoundEffect> efecto_;
    QString ruta_;
};
