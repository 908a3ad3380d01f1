// Shared fixture of the framework tests.
#include "kern_hilfe.h"

#include <QDir>

#include <clocale>
#include <cstdlib>
#include <ctime>

#include <unistd.h>

namespace kern {

namespace {

void setze_vorgaben()
{
    for (ESchalter s : {ESchalter::unterdruecke_warnungen, ESchalter::unterdruecke_infos, ESchalter::debug_ausgabe,
                        ESchalter::ascii_ausgabe})
        setze_schalter(s, nein);
    setze_schalter(ESchalter::debug_ausgabe_in_fehler_txt, ja);
    setze_dezimaltrennzeichen_text(".");
    i18n().leere_tabelle();
    i18n().setze_uebersetzer(nullptr);
    installiere_meldungsempfaenger(nullptr);
    Anwenderverzeichnis().clear();
    Fehlerdateiname().clear();
    fehlerfarbe() = "#b20000";
    warnfarbe() = "#b36b3f";
    std::setlocale(LC_ALL, "C");
}

}  // namespace

void Empfaenger::erwarte_warnungen(const std::string& methode, const std::vector<std::string>& texte)
{
    std::vector<std::string> gesehen;
    for (const Meldung& m : meldungen) {
        gesehen.push_back(m.text);
        EXPECT_TRUE(m.typ == WARNUNG && m.klasse == klasse_freie_funktion() && m.methode == methode)
            << m.methode << ": " << m.text;
    }
    EXPECT_EQ(gesehen, texte);
    meldungen.clear();
}

void KernTest::SetUp()
{
    ASSERT_TRUE(m_verzeichnis.isValid());
    ::setenv("TZ", "UTC", 1);
    ::tzset();
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

}  // namespace kern
