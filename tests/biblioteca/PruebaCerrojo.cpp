// One writer per library: a lock held by another process, by another object
// of the same process, left behind by a process that was killed, and a folder
// where no lock can be made.
#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include "Cerrojo.h"
#include "OtroPrograma.h"

using namespace brivo;
using Resultado = TCerrojoBiblioteca::Resultado;

namespace {

TEST(Cerrojo, OtroProgramaLoTieneYSeSabeQuien) {
    QTemporaryDir dir;
    pruebas::TOtroPrograma otro;
    ASSERT_TRUE(otro.Tomar(dir.path()));

    TCerrojoBiblioteca cerrojo(dir.path());
    EXPECT_EQ(cerrojo.Tomar(), Resultado::EnUso);
    EXPECT_FALSE(cerrojo.Tomado());
    TCerrojoBiblioteca::TDueno dueno;
    ASSERT_TRUE(cerrojo.Dueno(dueno));
    EXPECT_EQ(dueno.Proceso, otro.Proceso());
    EXPECT_EQ(dueno.Equipo, QSysInfo::machineHostName());
    EXPECT_EQ(dueno.Programa, QStringLiteral("tomar_biblioteca"));
    EXPECT_EQ(cerrojo.Ruta(), QDir(dir.path()).filePath("Brivo2.lock"));

    // Asking again while the other program runs changes nothing.
    EXPECT_EQ(cerrojo.Tomar(), Resultado::EnUso);
}

TEST(Cerrojo, UnProgramaMatadoDejaElCerrojoYSeRecupera) {
    QTemporaryDir dir;
    pruebas::TOtroPrograma otro;
    ASSERT_TRUE(otro.Tomar(dir.path()));
    otro.Matar();
    // The killed program could not remove its lock file.
    ASSERT_TRUE(QFile::exists(QDir(dir.path()).filePath("Brivo2.lock")));

    TCerrojoBiblioteca cerrojo(dir.path());
    EXPECT_EQ(cerrojo.Tomar(), Resultado::Tomado);
    EXPECT_TRUE(cerrojo.Tomado());
    TCerrojoBiblioteca::TDueno dueno;
    ASSERT_TRUE(cerrojo.Dueno(dueno));
    EXPECT_EQ(dueno.Proceso, QCoreApplication::applicationPid());

    // And a third program now finds it held by this one.
    pruebas::TOtroPrograma tercero;
    EXPECT_FALSE(tercero.Tomar(dir.path()));
}

TEST(Cerrojo, DosVentanasDelMismoProcesoNoEscribenALaVez) {
    QTemporaryDir dir;
    TCerrojoBiblioteca primero(dir.path());
    ASSERT_EQ(primero.Tomar(), Resultado::Tomado);
    EXPECT_EQ(primero.Tomar(), Resultado::Tomado); // taking it twice is harmless

    {
        TCerrojoBiblioteca segundo(dir.path());
        EXPECT_EQ(segundo.Tomar(), Resultado::EnUso);
    } // the second one's end does not release the first one's lock
    pruebas::TOtroPrograma otro;
    EXPECT_FALSE(otro.Tomar(dir.path()));

    primero.Soltar();
    EXPECT_FALSE(primero.Tomado());
    EXPECT_FALSE(QFile::exists(QDir(dir.path()).filePath("Brivo2.lock")));
    TCerrojoBiblioteca tercero(dir.path());
    EXPECT_EQ(tercero.Tomar(), Resultado::Tomado);
}

TEST(Cerrojo, SinCarpetaNoHayCerrojo) {
    QTemporaryDir dir;
    TCerrojoBiblioteca cerrojo(dir.path() + "/no/existe");
    EXPECT_EQ(cerrojo.Tomar(), Resultado::NoEscribible);
    EXPECT_FALSE(cerrojo.Tomado());
    TCerrojoBiblioteca::TDueno dueno;
    EXPECT_FALSE(cerrojo.Dueno(dueno));
}

} // namespace
