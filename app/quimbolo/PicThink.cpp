#include "app/quimbolo/PicThink.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

int PorcientoAvance(double fraccion, bool final)
{
    if (!std::isfinite(fraccion))
        fraccion = 0;
    int p = static_cast<int>(std::floor(std::clamp(fraccion, 0.0, 1.0) * 100.0 + 0.5));
    if (!final)
        p = std::clamp(p, 1, 99);
    return p;
}

void PintarAvance(QImage& imagen, double fraccion, bool final)
{
    if (imagen.isNull())
        return;
    if (imagen.format() != QImage::Format_RGB32)
        imagen = imagen.convertToFormat(QImage::Format_RGB32);
    imagen.fill(kFondoAvance);
    QPainter p(&imagen);
    QFont fuente = p.font();
    fuente.setBold(true);
    fuente.setPixelSize(std::max(8, imagen.height() * 2 / 3));
    p.setFont(fuente);
    p.setPen(kTintaAvance);
    p.drawText(imagen.rect(), Qt::AlignCenter, QString::number(PorcientoAvance(fraccion, final)) + QLatin1Char('%'));
    if (std::isfinite(fraccion) && fraccion > 0) {
        // Not-xor with navy: white turns navy and navy turns white, so
        // whatever the bar covers is shown inverted.
        const int ancho = static_cast<int>(std::lround(std::min(fraccion, 1.0) * imagen.width()));
        p.setCompositionMode(QPainter::RasterOp_NotSourceXorDestination);
        p.fillRect(0, 0, ancho, imagen.height(), kTintaAvance);
    }
}
