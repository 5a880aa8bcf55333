#pragma once
// The analysis progress bar of picThink. The analysis never yields to the
// event loop, so the picture is painted into an image and shown at once; the
// painting itself needs no widget, which keeps it checkable pixel by pixel.

#include <QColor>
#include <QImage>
#include <QString>

// Navy bar on white.
inline const QColor kTintaAvance(0, 0, 128);
inline const QColor kFondoAvance(Qt::white);

// The percentage shown: fraction x 100 rounded; while the analysis has not
// finished, never 0 nor 100 (1 and 99 instead).
int PorcientoAvance(double fraccion, bool final);

// Clears `imagen` to white, centres the percentage in navy and inverts the
// left `fraccion` of its width, so the text under the bar reads white on navy.
void PintarAvance(QImage& imagen, double fraccion, bool final);
