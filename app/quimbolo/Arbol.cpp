#include "app/quimbolo/Arbol.h"

#include <QApplication>
#include <algorithm>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QStringList>

#include "rules/ArchivoEntero.h"

namespace {

// The window's historical margins, in twips at 15 per pixel.
constexpr int kMargenAncho = 135 / 15;
constexpr int kMargenAlto = 450 / 15;

}  // namespace

QString CabeceraArbol()
{
    return QStringLiteral("A continuación las posibles decisiones futuras de cada jugador y sus resultados:");
}

bool ArbolMostrable(const QString& ruta)
{
    const QFileInfo info(ruta);
    return info.isFile() && info.size() <= kMaxArbol;
}

bool VoltearArbol(const QString& ruta, QString* texto, QString* error)
{
    QByteArray bytes;
    if (!LeerEntero(ruta, kMaxArbol, &bytes, error))
        return false;

    QStringList lineas = QString::fromUtf8(bytes).split(QLatin1Char('\n'));
    // A final line break ends the last line; it does not start another one.
    if (!lineas.isEmpty() && lineas.last().isEmpty())
        lineas.removeLast();
    for (QString& l : lineas)
        if (l.endsWith(QLatin1Char('\r')))
            l.chop(1);

    if (!lineas.isEmpty() && lineas.first() == CabeceraArbol()) {
        if (texto)
            *texto = lineas.join(QLatin1Char('\n'));
        return true;
    }
    std::reverse(lineas.begin(), lineas.end());

    QByteArray salida;
    salida.reserve(bytes.size() + 2);
    for (const QString& l : lineas) {
        salida += l.toUtf8();
        salida += "\r\n";
    }
    if (texto)
        *texto = lineas.join(QLatin1Char('\n'));
    return EscribirEntero(ruta, salida, error);
}

QString FamiliaFija(const QStringList& instaladas)
{
    // Asked by name, a missing family is replaced by whatever the system
    // likes, fixed-width or not; so only a family that is really installed
    // is named. DejaVu Sans Mono comes with the game's dependencies.
    static const QStringList preferidas = {
        QStringLiteral("Courier New"),     QStringLiteral("DejaVu Sans Mono"), QStringLiteral("Liberation Mono"),
        QStringLiteral("Noto Sans Mono"),  QStringLiteral("FreeMono"),         QStringLiteral("Nimbus Mono PS"),
    };
    for (const QString& p : preferidas)
        for (const QString& i : instaladas)
            if (i.compare(p, Qt::CaseInsensitive) == 0)
                return i;
    return {};
}

QFont FuenteFija()
{
    const QString familia = FamiliaFija(QFontDatabase::families());
    QFont f = familia.isEmpty() ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont(familia);
    f.setStyleHint(QFont::TypeWriter);
    f.setFixedPitch(true);
    return f;
}

Arbol::Arbol(const QString& ruta, QWidget* padre) : QDialog(padre), ruta_(ruta)
{
    setObjectName(QStringLiteral("Arbol"));
    setWindowTitle(QStringLiteral("Arbol de Posibilidades"));
    Texto1 = new QPlainTextEdit(this);
    Texto1->setObjectName(QStringLiteral("Texto1"));
    Texto1->setReadOnly(true);
    Texto1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Texto1->setFont(FuenteFija());
    resize(760, 520);
    VerArbol();
}

void Arbol::VerArbol()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString texto;
    error_.clear();
    VoltearArbol(ruta_, &texto, &error_);  // turned in the window even when the file cannot be
    Texto1->setPlainText(texto);
    QApplication::restoreOverrideCursor();
}

void Arbol::resizeEvent(QResizeEvent* ev)
{
    QDialog::resizeEvent(ev);
    QSize s = Texto1->size();
    if (width() > kMargenAncho)
        s.setWidth(width() - kMargenAncho);
    if (height() > kMargenAlto)
        s.setHeight(height() - kMargenAlto);
    Texto1->setGeometry(0, 0, s.width(), s.height());
}
