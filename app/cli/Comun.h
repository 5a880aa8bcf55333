#pragma once
// What the commands of quimbolo-cli share: the common options, the record
// named on the command line read and checked as a hand, the position after
// K plays, and the one-line JSON answer.
//
//   Orden o;
//   if (!LeerOrden(args, {"RECORD", "K"}, &o)) return 2;   // message already on stderr
//   Estado e;  AnfitrionMudo host;
//   if (!PrepararPosicion(o, o.Posicionales[1], e)) return 2;
//   ... ElegirJugada(e, host, ...) ...
//   Json j;  j.Entero("turno", e.Turno);  ...;  Emitir(j);  return 0;
//
// Refusals print one Spanish line on standard error; the caller returns 2.

#include <QString>
#include <QStringList>

#include "records/RegistroMano.h"
#include "rules/Estado.h"

struct Orden {
    QStringList Posicionales;   // in order: RECORD, then K where the command takes it
    OpcionesJuego Opciones;     // Nivel (default 'U'), AcuPtos, Cierre, Vista from the options
    int Semilla = 1;            // --semilla: every seat's seed (the draws of deals under Vista S)
    bool Analizar = false;      // --analizar si|no: the answer to the analysis question
    QString Carpeta;            // --carpeta, absolute, ending in '/' (default: current folder)
    RegistroMano Registro;      // the record, read and checked as a legal hand
};

// Reads the arguments after the command name: exactly the named positional
// arguments plus the common options (--nivel, --acuptos, --cierre,
// --analizar, --carpeta, each with a value), then reads RECORD (the first
// positional) and checks it. --vista and --semilla are taken too. False after
// printing the refusal.
bool LeerOrden(const QStringList& args, const QStringList& posicionales, Orden* o);

// Fills e with the options, CarpetaApp and the position after K plays
// (k as typed on the command line). False after printing the refusal.
bool PrepararPosicion(const Orden& o, const QString& k, Estado& e);

// LeerOrden with RECORD and K, then PrepararPosicion: the start of every
// command that works on the position after K plays.
bool LeerPosicion(const QStringList& args, Orden* o, Estado& e);

// Prints "quimbolo-cli: " + message on standard error; returns 2.
int Rechazar(const QString& mensaje);

// One JSON object built field by field, in order.
class Json {
public:
    void Entero(const QString& clave, long long v);
    void Real(const QString& clave, double v, int decimales = 3);
    void Logico(const QString& clave, bool v);
    void Texto(const QString& clave, const QString& v);
    void Textos(const QString& clave, const QStringList& v);
    void Enteros(const QString& clave, const std::vector<int>& v);
    void Reales(const QString& clave, const std::vector<double>& v, int decimales);
    QString Linea() const { return '{' + campos_.join(',') + '}'; }

private:
    QStringList campos_;
};

// A JSON string literal: quotes, backslashes and control characters escaped.
QString CadenaJson(const QString& s);

// Writes the object on standard output as one UTF-8 line and a newline.
void Emitir(const Json& j);
