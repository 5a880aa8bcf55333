#pragma once
// "La Mesa de Juego": what the table's owner sees and sets. Who is connected,
// who holds each seat, a log of events, and the nine options with the same
// lists and texts as the game's options form. A change goes to every
// connection at once and is stored for the next run.

#include <QMainWindow>

class AlmacenOpciones;
class QLabel;
class QListWidget;
class QPlainTextEdit;
class QTimer;
class Servidor;

class VentanaMesa : public QMainWindow {
    Q_OBJECT
public:
    VentanaMesa(Servidor* servidor, const AlmacenOpciones* almacen, QWidget* padre = nullptr);

public slots:
    void Registrar(const QString& texto);

private:
    QWidget* CrearOpciones();
    void Cambiar(const QString& clave, const QString& valor);
    void Refrescar();

    Servidor* servidor_;
    const AlmacenOpciones* almacen_;
    QLabel* sillas_[5] = {};
    QLabel* puerto_ = nullptr;
    QListWidget* conexiones_ = nullptr;
    QPlainTextEdit* registro_ = nullptr;
    QTimer* refresco_ = nullptr;
};
