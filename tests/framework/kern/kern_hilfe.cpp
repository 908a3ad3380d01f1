// Shared fixture of the framework tests.
#include "kern_hilfe.h"

#include "allgemein.h"

#include <QDir>

#include <clocale>
#include <ctime>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace kern {

std::string bild(int typ, const CKlasse* klasse, const std::string& methode, const std::string& text)
{
    return std::to_string(typ) + ' ' + (klasse != nullptr ? klasse->gib_name() : "-") + ' ' + methode + ": " + text;
}

void Empfaenger::erwarte_warnungen(const std::string& methode, const std::vector<std::string>& texte)
{
    std::vector<std::string> erwartet;
    for (const std::string& text : texte)
        erwartet.push_back(bild(WARNUNG, klasse_freie_funktion(), methode, text));
    EXPECT_EQ(meldungen, erwartet);
    meldungen.clear();
}

std::string lies(const std::string& pfad)
{
    std::ostringstream inhalt;
    inhalt << std::ifstream(pfad, std::ios::binary).rdbuf();
    return inhalt.str();
}

void Umgebung::SetUp()
{
    ASSERT_TRUE(m_verzeichnis.isValid());
    ::setenv("TZ", "UTC", 1);
    ::tzset();
    m_alter_pfad = QDir::currentPath().toStdString();
    ASSERT_EQ(::chdir(m_verzeichnis.path().toLocal8Bit().constData()), 0);
    ASSERT_TRUE(logsenken().empty()) << "a sink of an earlier test is still registered";
    setze_vorgaben();
}

void Umgebung::TearDown()
{
    setze_vorgaben();
    ASSERT_EQ(::chdir(m_alter_pfad.c_str()), 0);
}

void Umgebung::setze_vorgaben()
{
    allgemeine_einstellungen().setze_vorgaben();
    i18n().leere_tabelle();
    i18n().setze_uebersetzer(nullptr);
    installiere_meldungsempfaenger(nullptr);
    Anwenderverzeichnis().clear();
    Fehlerdateiname().clear();
    fehlerfarbe() = "#b20000";
    warnfarbe() = "#b36b3f";
    std::setlocale(LC_ALL, "C");
}

}  // namespace kern
