#include "flujo/Resultados.h"

#include <QDateTime>

#include "records/GuardarMano.h"
#include "records/Marcador.h"
#include "records/RegistroMano.h"

void GuardarMano(Estado& e, Anfitrion& a)
{
    const RegistroMano r = RegistroDe(e);
    QString error;
    // When the last hand cannot be kept, the copy is still offered: the hand
    // is whole in memory, and another name may well be writable.
    if (!EscribirRegistro(RutaJgo(e.BaseJgo(), QStringLiteral("Anterior.Jgo")), r, &error))
        a.AvisoArchivo(QStringLiteral("No se pudo guardar la mano.\n") + error);
    const QString propuesta = QDateTime::currentDateTime().toString(QStringLiteral("yyMMdd_HHmm"));
    const QString respuesta = a.InputBox(QStringLiteral("Si deseas guardar esta mano escribe el nombre:"),
                                         QStringLiteral("Guardar la mano"), propuesta);
    if (respuesta.isEmpty())
        return;  // cancelled, or no name wanted
    const QString nombre = respuesta.trimmed();
    QString razon;
    if (!NombreCopiaValido(nombre, &razon)) {
        a.Aviso(QStringLiteral("No se guardó la mano: ") + razon, 48, 5);
        return;
    }
    if (!EscribirRegistro(RutaJgo(e.BaseJgo(), nombre + QStringLiteral(".jgo")), r, &error))
        a.AvisoArchivo(QStringLiteral("No se pudo guardar la mano.\n") + error);
}

void MostrarMarcador(Estado& e, Anfitrion& a)
{
    if (e.NumMano == 0)
        return;
    bool fin = false;
    const QString texto = TextoMarcador(e, &fin);
    if (fin) {
        a.TocarSonido(QStringLiteral("MMEDIA/Aplauso.wav"));
        e.FinPartida = true;
        a.Boton(Control::bConsejo, 0, Accion::Deshabilitar);
        a.Boton(Control::bAtras, 0, Accion::Deshabilitar);
        a.Boton(Control::bMemoria, 0, Accion::Deshabilitar);
    }
    Mensaje m;
    m.Mensaje = QStringLiteral("Marcador\n\n") + texto;
    m.LabelFont = QStringLiteral("Courier New");
    m.Icono = 64;
    m.Botones = 0;
    m.Duracion = 15;
    a.MensaBox(m);
}
