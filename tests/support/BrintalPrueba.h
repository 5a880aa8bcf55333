#pragma once
// brintal for the length of a test, on a port the system chose: it is started
// with "--puerto 0" and its port is read from the first line it prints, so no
// test ever picks a free port and races another program to bind it. Its log
// goes to the test's own standard error, where a failure shows it.

#include <QProcess>
#include <QString>
#include <QStringList>

class BrintalPrueba {
public:
    BrintalPrueba() = default;
    BrintalPrueba(const BrintalPrueba&) = delete;
    BrintalPrueba& operator=(const BrintalPrueba&) = delete;
    ~BrintalPrueba() { Detener(); }

    // brintal of the program folder under test ($QUIMBOLO_CARPETA).
    static QString Programa();

    // Starts "brintal --sin-ventana --puerto 0" plus `extra` in `carpeta`
    // (the test's own folder when empty); true once it listens. On false,
    // Error() tells why.
    bool Arrancar(const QStringList& extra = {}, const QString& carpeta = {});
    void Detener();

    quint16 Puerto() const { return puerto_; }
    QString Error() const { return error_; }
    QProcess& Proceso() { return proceso_; }

private:
    QProcess proceso_;
    quint16 puerto_ = 0;
    QString error_;
};

// A loopback port that refuses every connection for as long as this object
// lives: a socket bound to it that never listens. No other program can take
// it meanwhile, so "nothing listens there" holds for the whole test.
class PuertoCerrado {
public:
    PuertoCerrado();
    ~PuertoCerrado();
    PuertoCerrado(const PuertoCerrado&) = delete;
    PuertoCerrado& operator=(const PuertoCerrado&) = delete;
    quint16 Puerto() const { return puerto_; }

private:
    int fd_ = -1;
    quint16 puerto_ = 0;
};
