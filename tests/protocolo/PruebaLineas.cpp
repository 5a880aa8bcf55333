// The table's lines on their own: every line written here reads back as what
// was written, both readings refuse what they must, the option table agrees
// with both its readers, and the framing holds at the edges of a stream.

#include <QtTest>
#include <array>

#include "protocolo/Opciones.h"
#include "protocolo/Protocolo.h"
#include "protocolo/Troceador.h"

using namespace protocolo;

namespace {

template <class T>
T Leido(const QString& linea)
{
    const Lectura l = Leer(linea);
    if (!l.mensaje || !std::holds_alternative<T>(*l.mensaje))
        qFatal("«%s» no se lee como se escribió (%s)", qPrintable(linea), qPrintable(l.motivo));
    return std::get<T>(*l.mensaje);
}

// Takes every complete line, naming the drops: "<larga>", "<invalida>".
QStringList Tomar(Troceador& t)
{
    QStringList r;
    QString linea;
    for (;;) {
        switch (t.Tomar(&linea)) {
        case Troceador::Paso::Falta: return r;
        case Troceador::Paso::Linea: r << linea; break;
        case Troceador::Paso::Larga: r << QStringLiteral("<larga>"); break;
        case Troceador::Paso::Invalida: r << QStringLiteral("<invalida>"); break;
        }
    }
}

}  // namespace

class PruebaLineas : public QObject {
    Q_OBJECT

private slots:
    void idaYVuelta()
    {
        QCOMPARE(Leido<Silla>(LineaSilla(3)).silla, 3);

        // A name is text, never a pattern; accents travel as they are.
        const Nombre n = Leido<Nombre>(LineaNombre(2, QStringLiteral("Íñigo 50%1")));
        QCOMPARE(n.silla, 2);
        QCOMPARE(n.nombre, QStringLiteral("Íñigo 50%1"));
        const HoC h = Leido<HoC>(LineaHoC(4, 'C'));
        QVERIFY(h.silla == 4 && h.tipo == 'C');
        QCOMPARE(Leido<Local>(LineaLocal(1)).silla, 1);
        Leido<Inici>(LineaInici());

        const std::array<int, 7> mano{27, 0, 13, 99, 5, 6, 10};
        const Fichas f = Leido<Fichas>(LineaFichas(3, mano));
        QCOMPARE(f.silla, 3);
        QCOMPARE(f.digitos, QStringLiteral("27001399050610"));

        // The play of the table's own example, character by character; then
        // every merit width, and none at all.
        QCOMPARE(LineaTiro(7, 2, 13, "IZQ", " 0.50"), QStringLiteral("Tiro 07 2 13 IZQ  0.50"));
        for (const char* merito : {" 0.50", "-0.33", " 13.00", ""}) {
            const Tiro t = Leido<Tiro>(LineaTiro(25, 4, 0, "DER", merito));
            QVERIFY(t.numero == 25 && t.silla == 4 && t.ficha == 0 && t.punta == u"DER");
            QCOMPARE(t.merito, QString::fromLatin1(merito));
        }
        const Tiro no = Leido<Tiro>(LineaNoSalir(3, 1));
        QVERIFY(no.numero == 1 && no.silla == 3 && no.ficha == -1 && no.punta == u"NUL" && no.merito.isEmpty());

        QCOMPARE(Leido<Atras>(LineaAtras(2)).silla, 2);
        QCOMPARE(Leido<Fin>(LineaFin(2)).silla, 2);
        QCOMPARE(Clave(LineaFin(2)), QStringLiteral("FIN"));
        Leido<Repet>(LineaRepet());

        // Nine plays travel with the count 09; none, with 00.
        const std::array<int, 9> fichas{0, 2, 5, 8, 10, 11, 12, 14, 16};
        std::array<QString, 9> puntas;
        for (size_t i = 0; i < puntas.size(); ++i)
            puntas[i] = i % 2 ? QStringLiteral("IZQ") : QStringLiteral("DER");
        const QString memo = LineaMemo(3, fichas, puntas);
        QVERIFY(memo.startsWith(QLatin1String("Memo 093")));
        const Memo m = Leido<Memo>(memo);
        QCOMPARE(m.salidor, 3);
        QCOMPARE(m.fichas, QList<int>(fichas.begin(), fichas.end()));
        QCOMPARE(m.puntas, QStringList(puntas.begin(), puntas.end()));
        QCOMPARE(Leido<Memo>(LineaMemo(2, {}, {})).fichas.size(), 0);

        const Chat c = Leido<Chat>(LineaChat(QStringLiteral("Begoña"), QStringLiteral("a: b ¡ñandú!")));
        QCOMPARE(c.texto, QStringLiteral("Begoña: a: b ¡ñandú!"));
        QCOMPARE(Leido<Chat>(LineaChat("Ana", "")).texto, QStringLiteral("Ana: "));
        // The table's word that a seat was left, and a person's words that only look like it.
        QCOMPARE(SillaDejadaEn(Leido<Chat>(LineaSillaDejada(QStringLiteral("Beto"), 4)).texto), 4);
        QCOMPARE(SillaDejadaEn(Leido<Chat>(LineaChat("Ana", "Brintal: Beto dejó la Silla 4.")).texto), 0);
        QCOMPARE(SillaDejadaEn(QStringLiteral("Brintal: Beto dejó la Silla 5.")), 0);
    }

    void laMesaLeeLoQueEscribenLasCopias()
    {
        struct Caso {
            QString linea;
            Clase clase;
            int silla;
        };
        const std::array<int, 7> mano{1, 2, 3, 4, 5, 6, 7};
        const Caso casos[] = {
            {LineaSilla(4), Clase::PideSilla, 4},
            {LineaNombre(3, "Ana"), Clase::Nombre, 3},
            {LineaHoC(2, 'C'), Clase::HoC, 2},
            {LineaFin(1), Clase::Fin, 1},
            {LineaAtras(4), Clase::Atras, 4},
            {LineaTiro(7, 2, 13, "IZQ", " 0.50"), Clase::Tiro, 2},
            {LineaTiro(3, 1, 27, "DER", ""), Clase::Tiro, 1},
            // A declined lead acts for the seat that passed, not for the partner it names first.
            {LineaNoSalir(4, 2), Clase::Tiro, 2},
            {LineaFichas(3, mano), Clase::Fichas, 0},
            {LineaRepet(), Clase::Repet, 0},
            {LineaMemo(1, {}, {}), Clase::Memo, 0},
            {LineaChat("Eva", "hola"), Clase::Chat, 0},
            {LineaLocal(1), Clase::DeLaMesa, 0},
            {LineaOpcion("Nivel", "U"), Clase::DeLaMesa, 0},
            {LineaInici(), Clase::DeLaMesa, 0},
        };
        for (const Caso& c : casos) {
            const LineaCliente l = LeerDeCliente(c.linea);
            QVERIFY2(l.clase == c.clase && l.silla == c.silla, qPrintable(c.linea));
        }
        QCOMPARE(LeerDeCliente(LineaNombre(3, "Ana Paz")).texto, QStringLiteral("Ana Paz"));
        QCOMPARE(LeerDeCliente(LineaHoC(2, 'H')).texto, QStringLiteral("H"));
        QCOMPARE(LeerDeCliente(LineaChat("Eva", "Brintal: x")).texto, QStringLiteral("Eva"));

        // What the table cannot vouch for names no seat, and keys it does not
        // relay are unknown; an empty key is nothing to judge.
        for (const char* linea : {"Silla5", "Nombr3 Ana", "FIN  0", "Atras2", "Tiro 03 2 28 DER", "Tiro 03 2 05 ARR",
                                  "Tiro 03 2 05 IZQx", "Tiro 01 3 -2 NUL", "Tiro 01 4 -2 NUL ", "Tiro 03"}) {
            QVERIFY2(LeerDeCliente(linea).silla == 0, linea);
        }
        QVERIFY(LeerDeCliente("Fichoz").clase == Clase::Desconocida);
        QVERIFY(LeerDeCliente("Hola 2").clase == Clase::Desconocida);
        QVERIFY(LeerDeCliente("     x").clase == Clase::Ninguna);
        // The table relays a play the copies will refuse: they, not the table, know the hand.
        QCOMPARE(LeerDeCliente("Tiro 99 2 05 DER").silla, 2);
        QVERIFY(!Leer("Tiro 99 2 05 DER").mensaje);
    }

    void rechazos_data()
    {
        QTest::addColumn<QString>("linea");
        for (const char* l : {"Nombre0 Ana", "Nombre2  ", "HoC  2 X", "Local 5", "FIN  7", "Fichas1 000102",
                              "Fichas1 00010203040528", "Fichas1 00010203040501", "Fichas1 0001020304٣506",
                              "Tiro 26 2 13 IZQ", "Tiro 03 2 -1 NUL", "Tiro 01 2 -5 NUL", "Tiro 03 2 13 IZQ 1e300",
                              "Tiro 03 2 13 IZQ  0.5", "Tiro 03 2 13 IZQ 1234.00", "Memo 2610013DER",
                              "Memo 01105XYZ", "Memo 02105DER05IZQ", "Memo 0150013DER", "Mesa Colores=3",
                              "Mesa AcuPtos=2", "Mesa Puntos =301", "Mesa Puntos =", "Mesa Tiempo2=-1",
                              "Mesa Salida =J", "Mesa Vista  =s"})
            QTest::newRow(l) << QString::fromUtf8(l);
    }
    void rechazos()
    {
        QFETCH(QString, linea);
        const Lectura l = Leer(linea);
        QVERIFY(!l.mensaje);
        QVERIFY(!l.motivo.isEmpty());
    }

    void clavesDesconocidasSeIgnoranSinMotivo()
    {
        for (const char* linea : {"Hola a todos", "TiroX", "x"}) {
            const Lectura l = Leer(linea);
            QVERIFY2(!l.mensaje && l.motivo.isEmpty(), linea);
        }
        // Blanks around the key do not count; the key is five characters.
        QCOMPARE(Leido<Fin>(" FIN 3").silla, 3);
        Leido<Inici>("Inicio");
    }

    void tablaDeOpciones()
    {
        const QStringList claves{"AoC", "Nivel", "Puntos", "AcuPtos", "Salida", "Cierre", "Tiempo1", "Tiempo2", "Vista"};
        QStringList enOrden;
        for (const DefinicionOpcion& d : Opciones()) {
            enOrden << d.Clave;
            QCOMPARE(BuscarOpcion(d.Clave), &d);
            QCOMPARE(ValidarOpcion(d.Clave, d.PorOmision, nullptr), d.PorOmision);
            QCOMPARE(d.Entradas.size(), d.Codigos.size());
            // Every code the owner can choose reaches the game as that code.
            QStringList codigos = d.Codigos;
            if (d.EsNumerica())
                codigos = {QString::number(d.Minimo), d.PorOmision, QString::number(d.Maximo)};
            for (const QString& codigo : codigos) {
                const Opcion o = Leido<Opcion>(LineaOpcion(d.Clave, codigo));
                QCOMPARE(o.clave, d.Clave);
                QCOMPARE(o.codigo, codigo);
            }
            if (d.EsNumerica()) {
                for (int fuera : {d.Minimo - 1, d.Maximo + 1}) {
                    QVERIFY(ValidarOpcion(d.Clave, QString::number(fuera), nullptr).isEmpty());
                    QVERIFY(!Leer(LineaOpcion(d.Clave, QString::number(fuera))).mensaje);
                }
            }
        }
        QCOMPARE(enOrden, claves);
        QCOMPARE(LineaOpcion("Vista", "S"), QStringLiteral("Mesa Vista  =S"));
        QCOMPARE(LineaOpcion("AcuPtos", "1"), QStringLiteral("Mesa AcuPtos=1"));

        // The line is read as the game reads it (the letter at 14, the number
        // from 14 on); what a person types is held to the exact code.
        QCOMPARE(Leido<Opcion>("Mesa Puntos = 150x").codigo, QStringLiteral("150"));
        QCOMPARE(Leido<Opcion>("Mesa Nivel  =Ultra").codigo, QStringLiteral("U"));
        QCOMPARE(Leido<Opcion>("Mesa Salida =JDx").codigo, QStringLiteral("JD"));
        QString motivo;
        QVERIFY(ValidarOpcion("Puntos", " 150", &motivo).isEmpty());
        QVERIFY(motivo.contains("1 a 300"));
        QVERIFY(ValidarOpcion("Color", "R", &motivo).isEmpty());
        QVERIFY(motivo.contains("AoC, Nivel"));
        QCOMPARE(ValidarOpcion("Puntos", "0150", nullptr), QStringLiteral("150"));
    }

    void troceo()
    {
        // CR LF and bare LF end lines; a CR anywhere is dropped; control
        // characters go after decoding; empty lines are no lines.
        Troceador t;
        t.Agregar("Silla3\r\nNombre3 Ana\n\r\n\n\rFIN\r  2\r\nChat A: a\tb\x01\r\n");
        QCOMPARE(Tomar(t), QStringList({"Silla3", "Nombre3 Ana", "FIN  2", "Chat A: ab"}));

        // Read byte by byte, a UTF-8 letter split between reads included.
        const QByteArray texto = QStringLiteral("Chat Begoña: ¡ñandú!\r\nRepet\r\n").toUtf8();
        QStringList lineas;
        for (char c : texto) {
            t.Agregar(QByteArray(1, c));
            lineas += Tomar(t);
        }
        QCOMPARE(lineas, QStringList({"Chat Begoña: ¡ñandú!", "Repet"}));
        QVERIFY(t.Pendiente().isEmpty());
        t.Agregar("Nombre2 Lu");
        QCOMPARE(Tomar(t), QStringList());
        QCOMPARE(t.Pendiente(), QByteArray("Nombre2 Lu"));

        // Broken UTF-8 drops its own line only; a control byte cannot glue a
        // broken sequence back together.
        t.Agregar("is\n\xff\xfe\nChat A: \xc3\x01\xb1\nFIN  1\n");
        QCOMPARE(Tomar(t), QStringList({"Nombre2 Luis", "<invalida>", "<invalida>", "FIN  1"}));
        QCOMPARE(t.Invalidas(), 2);

        // At the limit a line passes (CRs not counted); one byte more is too
        // long, complete or not. The rest of an unfinished one is thrown away
        // as it comes, and the stream goes on after its LF.
        Troceador c(10);
        c.Agregar("0123456789\r\r\n01234567890\nFIN  1\n0123456789");
        QCOMPARE(Tomar(c), QStringList({"0123456789", "<larga>", "FIN  1"}));
        c.Agregar("0");
        QCOMPARE(Tomar(c), QStringList{"<larga>"});
        QVERIFY(c.Pendiente().isEmpty());
        c.Agregar(QByteArray(1000, 'x'));
        QCOMPARE(Tomar(c), QStringList());
        QVERIFY(c.Pendiente().isEmpty());
        c.Agregar("xx\nFIN  2\nFIN");
        QCOMPARE(Tomar(c), QStringList{"FIN  2"});
        QCOMPARE(c.Pendiente(), QByteArray("FIN"));

        // Lines sent together arrive as separate lines.
        Troceador r;
        const QString juntas = Juntar({LineaSilla(3), LineaNombre(3, QStringLiteral("Ñoño"))});
        QCOMPARE(Separar(juntas), QStringList({"Silla3", "Nombre3 Ñoño"}));
        r.Agregar(Enmarcar(juntas));
        QCOMPARE(Tomar(r), Separar(juntas));

        // Taking lines one at a time leaves the rest for whoever takes next,
        // and bytes added in between join the end.
        Troceador n;
        n.Agregar("FIN  1\nFIN  2\nFI");
        QString linea;
        QVERIFY(n.Tomar(&linea) == Troceador::Paso::Linea && linea == u"FIN  1");
        n.Agregar("N  3\n");
        QCOMPARE(Tomar(n), QStringList({"FIN  2", "FIN  3"}));
    }
};

QTEST_GUILESS_MAIN(PruebaLineas)
#include "PruebaLineas.moc"
