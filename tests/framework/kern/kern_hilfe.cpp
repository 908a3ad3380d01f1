// Shared fixture of the framework core tests.
#include "kern_hilfe.h"

#include <QDir>

#include <clocale>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace kern {

namespace {

void setze_vorgaben()
{
    setze_schalter(ESchalter::DebugAusgabeInFehlerTxt, Ja);
    setze_schalter(ESchalter::UnterdrueckeWarnungen, Nein);
    setze_schalter(ESchalter::UnterdrueckeInfos, Nein);
    setze_schalter(ESchalter::DebugAusgabe, Nein);
    setze_schalter(ESchalter::AsciiAusgabe, Nein);
    setze_dezimaltrennzeichen_text(".");
    i18n().leere_tabelle();
    i18n().setze_uebersetzer(nullptr);
    installiere_meldungsempfaenger(nullptr);
    Anwenderverzeichnis().clear();
    Fehlerdateiname().clear();
    fehlerfarbe() = "#b20000";
    warnfarbe() = "#b36b3f";
}

}  // namespace

void KernTest::SetUp()
{
    ASSERT_TRUE(m_verzeichnis.isValid());
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    std::setlocale(LC_ALL, "C");
    m_alter_pfad = QDir::currentPath().toStdString();
    ASSERT_EQ(::chdir(m_verzeichnis.path().toLocal8Bit().constData()), 0);
    ASSERT_TRUE(logsenken().empty()) << "a sink of an earlier test is still registered";
    setze_vorgaben();
}

void KernTest::TearDown()
{
    setze_vorgaben();
    ASSERT_EQ(::chdir(m_alter_pfad.c_str()), 0);
}

std::string KernTest::lies(const std::string& pfad)
{
    std::ifstream datei(pfad, std::ios::binary);
    std::ostringstream inhalt;
    inhalt << datei.rdbuf();
    return inhalt.str();
}

}  // namespace kern
