#include "net/AnfitrionMesa.h"

#include <QList>

#include "net/EnlaceMesa.h"
#include "protocolo/Protocolo.h"

void AnfitrionMesa::FichasTomadas(int silla, std::span<const int, 7> mano)
{
    Enviar(protocolo::LineaFichas(silla, mano));
}

void AnfitrionMesa::JugadaHecha(int numero, int silla, int ficha, Extremo punta, const QString& merito)
{
    Enviar(protocolo::LineaTiro(numero, silla, ficha, TextoExtremo(punta), merito));
}

void AnfitrionMesa::FinDeMano(int silla)
{
    Enviar(protocolo::LineaFin(silla));
}

void AnfitrionMesa::NoSale(int turno, int silla)
{
    Enviar(protocolo::LineaNoSalir(turno, silla));
}

void AnfitrionMesa::TurnoRegresado(int turno)
{
    Enviar(protocolo::LineaAtras(turno));
}

void AnfitrionMesa::ManoRepetida()
{
    Enviar(protocolo::LineaRepet());
}

void AnfitrionMesa::JugadasRepetidas(int salidor, std::span<const int> fichas, std::span<const Extremo> puntas)
{
    QList<QString> textos;
    for (Extremo x : puntas)
        textos << TextoExtremo(x);
    Enviar(protocolo::LineaMemo(salidor, fichas, std::span<const QString>(textos.constData(), static_cast<size_t>(textos.size()))));
}

void AnfitrionMesa::Enviar(const QString& lineas)
{
    if (enlace_)
        enlace_->EnviarMensaje(lineas);
}
