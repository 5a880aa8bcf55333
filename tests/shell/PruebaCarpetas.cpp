// Where the program reads what ships and writes what it keeps: an installed
// layout, a portable one, and a system install that no user may write to.
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include <linux/capability.h>
#include <sys/syscall.h>
#include <unistd.h>

#include "flujo/Resultados.h"
#include "records/GuardarMano.h"
#include "shell/CarpetaApp.h"
#include "tests/support/AnfitrionPrueba.h"
#include "tests/support/Mesas.h"

namespace {

// Root writes anywhere whatever the permission bits say; to see what a user
// sees, the test gives up that override for as long as it lives.
class SinSaltarPermisos {
public:
    SinSaltarPermisos()
    {
        if (syscall(SYS_capget, &cabecera_, datos_) != 0)
            return;
        antes_ = datos_[0].effective;
        datos_[0].effective &= ~(1u << CAP_DAC_OVERRIDE);
        datos_[0].effective &= ~(1u << CAP_DAC_READ_SEARCH);
        activo_ = syscall(SYS_capset, &cabecera_, datos_) == 0;
    }
    ~SinSaltarPermisos()
    {
        if (!activo_)
            return;
        datos_[0].effective = antes_;
        syscall(SYS_capset, &cabecera_, datos_);
    }
    SinSaltarPermisos(const SinSaltarPermisos&) = delete;
    SinSaltarPermisos& operator=(const SinSaltarPermisos&) = delete;

private:
    __user_cap_header_struct cabecera_{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct datos_[2]{};
    __u32 antes_ = 0;
    bool activo_ = false;
};

bool Crear(const QString& ruta)
{
    return QDir().mkpath(ruta);
}

QString Con(const QString& carpeta)
{
    return NormalizarCarpeta(carpeta);
}

}  // namespace

class PruebaCarpetas : public QObject {
    Q_OBJECT
private slots:
    void programaInstaladoOPortatil()
    {
        QTemporaryDir raiz;
        // Installed: PREFIX/games holds the executables, PREFIX/share/quimbolo the rest.
        const QString prefijo = raiz.filePath("usr");
        QVERIFY(Crear(prefijo + "/games") && Crear(prefijo + "/share/quimbolo/MMEDIA"));
        QCOMPARE(CarpetaProgramaDe(prefijo + "/games"), Con(prefijo + "/share/quimbolo"));
        // Portable or build tree: MMEDIA beside the executable wins.
        const QString suelta = raiz.filePath("suelta");
        QVERIFY(Crear(suelta + "/MMEDIA"));
        QCOMPARE(CarpetaProgramaDe(suelta), Con(suelta));
        // Neither: the executable's folder, so a missing picture is the only harm.
        const QString vacia = raiz.filePath("vacia/bin");
        QVERIFY(Crear(vacia));
        QCOMPARE(CarpetaProgramaDe(vacia), Con(vacia));
    }

    void jgoDelProgramaSoloSiSePuedeEscribir()
    {
        QTemporaryDir raiz;
        const QString programa = raiz.filePath("programa");
        QVERIFY(Crear(programa));
        QVERIFY(!JgoEscribible(programa));  // no JGO: not a portable copy
        QVERIFY(Crear(programa + "/JGO"));
        QVERIFY(JgoEscribible(programa));
        QCOMPARE(ElegirCarpetaDatos(programa, true, "/home/ana/.local/share/Quimbolo"), programa);
        QCOMPARE(ElegirCarpetaDatos(programa, false, "/home/ana/.local/share/Quimbolo"),
                 QStringLiteral("/home/ana/.local/share/Quimbolo"));
        // The probe leaves nothing behind.
        QCOMPARE(QDir(programa + "/JGO").entryList(QDir::Files | QDir::Hidden).size(), 0);
    }

    void manoGuardadaConElProgramaDeSoloLectura()
    {
        QTemporaryDir raiz;
        const QString programa = raiz.filePath("usr/share/quimbolo");
        const QString usuario = raiz.filePath("home/.local/share/Quimbolo");
        QVERIFY(Crear(programa + "/JGO") && Crear(usuario));
        QFile::setPermissions(programa + "/JGO", QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        QFile::setPermissions(programa, QFile::ReadOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther);
        {
            SinSaltarPermisos usuarioComun;
            QFile intento(programa + "/JGO/x");
            if (intento.open(QIODevice::WriteOnly))
                QSKIP("este proceso escribe aunque la carpeta sea de solo lectura");

            Estado e;
            e.CarpetaApp = Con(programa);
            e.CarpetaDatos = ElegirCarpetaDatos(e.CarpetaApp, JgoEscribible(e.CarpetaApp), Con(usuario));
            VaciarMesa(e);
            Sillas(e, "LH", "LC", "LC", "LC");
            Dar(e, 1, {0, 7, 8, 9, 10, 11, 12});
            AnfitrionPrueba a;
            a.RespuestasInput.push_back(QStringLiteral("mi mano"));
            GuardarMano(e, a);
            QVERIFY2(a.Mensajes.empty(), qPrintable(a.Mensajes.empty() ? QString() : a.Mensajes.front().Mensaje));
            QVERIFY(QFile::exists(usuario + "/JGO/Anterior.Jgo"));
            QVERIFY(QFile::exists(usuario + "/JGO/mi mano.jgo"));

            // Where a writer is still pointed at the program folder, the
            // person reads why, in Spanish, with the folder named.
            Estado viejo = e;
            viejo.CarpetaDatos.clear();
            GuardarMano(viejo, a);
            QVERIFY(!a.Mensajes.empty());
            const QString aviso = a.Mensajes.front().Mensaje;
            QVERIFY2(aviso.contains(QStringLiteral("no hay permiso para escribir en la carpeta")), qPrintable(aviso));
            QVERIFY2(aviso.contains(QDir::toNativeSeparators(programa + "/JGO")), qPrintable(aviso));
        }
        QFile::setPermissions(programa, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QFile::setPermissions(programa + "/JGO", QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
};

QTEST_GUILESS_MAIN(PruebaCarpetas)
#include "PruebaCarpetas.moc"
