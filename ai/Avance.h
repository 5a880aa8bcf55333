#pragma once
// What the computer player tells the world while it thinks, and the one
// question it may put to the person. The chooser and the analysis know nothing
// else of their surroundings: the hand flow's host implements this, and a
// search run for its own sake (the honest player's inner deals, the tools)
// passes SinAvance.

#include <QString>
#include <QTime>

class Avance {
public:
    virtual ~Avance() = default;

    // Seconds since midnight, with fractions: how long an analysis took.
    virtual double Reloj() = 0;
    // The analysis picture and its progress bar; `final` at its start and end.
    virtual void MostrarPicThink(bool visible) { (void)visible; }
    virtual void MostrarAvance(double fraccion, bool final) { (void)fraccion; (void)final; }
    virtual void CursorOcupado(bool ocupado) { (void)ocupado; }
    // A file could not be written (the old one is kept).
    virtual void AvisoArchivo(const QString& texto) { (void)texto; }
    // Standard Yes/No box, question icon, No as default; true for Yes.
    virtual bool PreguntaSiNo(const QString& texto) { (void)texto; return false; }
};

// Shows nothing and answers No.
class SinAvance : public Avance {
public:
    double Reloj() override { return QTime::currentTime().msecsSinceStartOfDay() / 1000.0; }
};
