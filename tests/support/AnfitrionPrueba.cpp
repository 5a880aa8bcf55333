#include "tests/support/AnfitrionPrueba.h"

#include "protocolo/Protocolo.h"

namespace {

const char* Nombre(Control c)
{
    switch (c) {
    case Control::bAzar: return "bAzar";
    case Control::bRepetir: return "bRepetir";
    case Control::bNoSalir: return "bNoSalir";
    case Control::SumPuntos: return "SumPuntos";
    case Control::bConsejo: return "bConsejo";
    case Control::bAtras: return "bAtras";
    case Control::bMemoria: return "bMemoria";
    }
    return "?";
}

const char* Nombre(Accion a)
{
    switch (a) {
    case Accion::Mostrar: return "Mostrar";
    case Accion::Ocultar: return "Ocultar";
    case Accion::Habilitar: return "Habilitar";
    case Accion::Deshabilitar: return "Deshabilitar";
    case Accion::Texto: return "Texto";
    }
    return "?";
}

}  // namespace

void AnfitrionPrueba::Pausa(double segundos)
{
    Pausas.push_back(segundos);
    if (segundos > 0)
        Hora += segundos;
    Servir();
}

void AnfitrionPrueba::Boton(Control c, int silla, Accion a, const QString& texto)
{
    QString linea = QStringLiteral("%1 %2 %3").arg(QLatin1String(Nombre(c))).arg(silla).arg(QLatin1String(Nombre(a)));
    if (a == Accion::Texto)
        linea += ' ' + texto;
    Botones << linea;
}

int AnfitrionPrueba::MensaBox(const Mensaje& m)
{
    Mensajes.push_back(m);
    if (RespuestasMensaBox.empty())
        return m.Default == 0 ? 1 : m.Default;
    const int r = RespuestasMensaBox.front();
    RespuestasMensaBox.pop_front();
    return r;
}

bool AnfitrionPrueba::PreguntaSiNo(const QString& texto)
{
    Preguntas << texto;
    if (RespuestasSiNo.empty())
        return Respuesta;
    const bool r = RespuestasSiNo.front();
    RespuestasSiNo.pop_front();
    return r;
}

QString AnfitrionPrueba::InputBox(const QString& prompt, const QString& titulo, const QString& propuesta)
{
    Preguntas << titulo + ": " + prompt + " [" + propuesta + "]";
    if (AlInputBox)
        AlInputBox(prompt);
    if (RespuestasInput.empty())
        return {};
    const QString r = RespuestasInput.front();
    RespuestasInput.pop_front();
    return r;
}

void AnfitrionPrueba::Servir()
{
    if (++esperas_ > LimiteEsperas) {
        Agotado = true;
        Cerrar = true;
        return;
    }
    while (!cola_.empty() && !Cerrar) {
        auto tarea = std::move(cola_.front());
        cola_.pop_front();
        tarea();
    }
    if (Gancho)
        Gancho();
}

void AnfitrionPrueba::CorrerPendientes()
{
    while (!cola_.empty() && !Cerrar) {
        auto tarea = std::move(cola_.front());
        cola_.pop_front();
        tarea();
    }
}

void AnfitrionPrueba::FichasTomadas(int silla, std::span<const int, 7> mano)
{
    Enviados << protocolo::LineaFichas(silla, mano);
}

void AnfitrionPrueba::JugadaHecha(int numero, int silla, int ficha, Extremo punta, const QString& merito)
{
    Enviados << protocolo::LineaTiro(numero, silla, ficha, TextoExtremo(punta), merito);
}

void AnfitrionPrueba::FinDeMano(int silla)
{
    Enviados << protocolo::LineaFin(silla);
}

void AnfitrionPrueba::NoSale(int turno, int silla)
{
    Enviados << protocolo::LineaNoSalir(turno, silla);
}

void AnfitrionPrueba::TurnoRegresado(int turno)
{
    Enviados << protocolo::LineaAtras(turno);
}

void AnfitrionPrueba::ManoRepetida()
{
    Enviados << protocolo::LineaRepet();
}

void AnfitrionPrueba::JugadasRepetidas(int salidor, std::span<const int> fichas, std::span<const Extremo> puntas)
{
    QList<QString> textos;
    for (Extremo x : puntas)
        textos << TextoExtremo(x);
    Enviados << protocolo::LineaMemo(salidor, fichas, std::span<const QString>(textos.constData(), static_cast<size_t>(textos.size())));
}
