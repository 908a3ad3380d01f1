// CString substitution, CQString conversions, translation and the general switches.
#include "kern_hilfe.h"

#include "cqstring.h"
#include "cstring.h"
#include "i18n.h"

#include <sstream>

namespace {

using kern::KernTest;

class Text : public KernTest {
protected:
    void SetUp() override
    {
        KernTest::SetUp();
        installiere_meldungsempfaenger(&empfaenger);
    }
    kern::Empfaenger empfaenger;
};

struct ArgFall {
    const char* vorlage;
    std::vector<std::string> argumente;
    const char* erwartet;
    std::size_t warnungen;
};

std::ostream& operator<<(std::ostream& o, const ArgFall& f) { return o << '"' << f.vorlage << '"'; }

TEST_F(Text, ArgFuelltDenNiedrigstenPlatzhalter)
{
    const ArgFall faelle[] = {
        {"in Klasse %1, Methode %2: ", {"CZeit", "setze"}, "in Klasse CZeit, Methode setze: ", 0},
        {"%2 vor %1", {"erster", "zweiter"}, "zweiter vor erster", 0},
        {"ohne Platzhalter", {"a", "b"}, "ohne Platzhalter", 2},
        {"100%", {"a"}, "100%", 1},
        {"", {"a"}, "", 1},
        {"%", {"a"}, "%", 1},
        {"%12", {"x"}, "x2", 0},
        {"%1 %1", {"a"}, "a %1", 0},
        {"%1 %1", {"a", "b"}, "a b", 0},
        {"%9%0", {"a", "b"}, "ba", 0},
        {"%%1", {"a"}, "%a", 0},
        {"%x%3", {"a"}, "%xa", 0},
        {"%1", {"%1", "b"}, "b", 0},  // inserted text takes part in the next scan
        {"%3 %2", {"a", "b", "c"}, "b a", 1},
    };
    for (const ArgFall& fall : faelle) {
        SCOPED_TRACE(fall);
        empfaenger.meldungen.clear();
        CString text(fall.vorlage);
        for (const std::string& a : fall.argumente)
            text.arg(a);
        EXPECT_EQ(text.str(), fall.erwartet);
        ASSERT_EQ(empfaenger.meldungen.size(), fall.warnungen);
        for (const auto& m : empfaenger.meldungen) {
            EXPECT_EQ(m.typ, FT_WARNUNG);
            EXPECT_EQ(m.klasse, klasse_freie_funktion());
            EXPECT_EQ(m.methode, "arg()");
            EXPECT_EQ(m.text, "Argument kann nicht zugeordnet werden");
        }
    }
}

TEST_F(Text, ArgEBoolSchreibtJaNeinUebersetztSonstNichts)
{
    EXPECT_EQ(CString("[%1]").arg(Ja).str(), "[Ja]");
    EXPECT_EQ(CString("[%1]").arg(Nein).str(), "[Nein]");
    EXPECT_EQ(CString("[%1]").arg(FEHLWERT_EBOOL).str(), "[]");
    EXPECT_EQ(CString("[%1]").arg(static_cast<EBool>(2)).str(), "[]");
    i18n().setze_eintrag("Ja", "Yes");
    EXPECT_EQ(CString("[%1]").arg(Ja).str(), "[Yes]");
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

TEST_F(Text, CQStringLiestLatin1UndGibtUtf8Aus)
{
    const CQString text("gr\xFC\xDF");  // Latin-1 u-umlaut and sharp s
    EXPECT_EQ(text.text(), QString::fromUtf8("gr\xC3\xBC\xC3\x9F"));
    std::ostringstream strom;
    text.gib_aus(strom);
    EXPECT_EQ(strom.str(), "gr\xC3\xBC\xC3\x9F");
    EXPECT_EQ(cqstring_unbekannt().text(), "???");
    EXPECT_EQ(cqstring_leer().text(), "");
    EXPECT_EQ(cqstring_system().text(), "system");
    EXPECT_EQ(cqstring_punkt().text(), ".");
    EXPECT_EQ(sprache_quelltexte().text(), "de");
    EXPECT_EQ(sprache_aktuell().text(), "de");
}

struct Uebersetzer : CUebersetzer {
    std::vector<std::string> aufrufe;
    void uebersetze(CString& ergebnis, const CString& text, const CString& kontext, int reserviert) override
    {
        aufrufe.push_back(text.str() + "|" + kontext.str() + "|" + std::to_string(reserviert));
        ergebnis = CString("<" + text.str() + ">");
    }
};

TEST_F(Text, UebersetzungAusTabelleOderUebersetzer)
{
    EXPECT_EQ(&i18n(), &i18n());
    EXPECT_EQ(uebersetze_("FEHLER: ", klasse_CObjekt()).str(), "FEHLER: ");

    i18n().setze_eintrag("WARNUNG: ", "WARNING: ");
    EXPECT_EQ(uebersetze_("WARNUNG: ", klasse_CFehler()).str(), "WARNING: ");
    EXPECT_EQ(uebersetze_("WARNUNG: ", CString("egal")).str(), "WARNING: ");
    EXPECT_EQ(uebersetze_("warnung: ", klasse_CFehler()).str(), "warnung: ");
    EXPECT_EQ(uebersetze_("WARNUNG:", klasse_CFehler()).str(), "WARNUNG:");

    Uebersetzer uebersetzer;
    EXPECT_EQ(i18n().setze_uebersetzer(&uebersetzer), nullptr);
    EXPECT_EQ(uebersetze_("WARNUNG: ", klasse_CFehler()).str(), "<WARNUNG: >");
    EXPECT_EQ(uebersetze_("Text", CString("Kontext")).str(), "<Text>");
    EXPECT_EQ(uebersetze_("Ohne", static_cast<const CKlasse*>(nullptr)).str(), "<Ohne>");
    const std::vector<std::string> erwartet = {"WARNUNG: |uebersetze_CFehler|0", "Text|uebersetze_Kontext|0",
                                               "Ohne|uebersetze_|0"};
    EXPECT_EQ(uebersetzer.aufrufe, erwartet);
    EXPECT_EQ(i18n().setze_uebersetzer(nullptr), &uebersetzer);
}

TEST_F(Text, SchalterHabenIhreVorgabenUndGeltenSofort)
{
    struct Zeile {
        ESchalter schalter;
        const char* schluessel;
    };
    const Zeile zeilen[] = {
        {ESchalter::DebugAusgabeInFehlerTxt, "/Allgemein/Debug Ausgabe in fehler.txt"},
        {ESchalter::UnterdrueckeWarnungen, "/Allgemein/Unterdruecke Warnungen"},
        {ESchalter::UnterdrueckeInfos, "/Allgemein/Unterdruecke Infos"},
        {ESchalter::DebugAusgabe, "/Allgemein/Debug Ausgabe"},
        {ESchalter::AsciiAusgabe, "/Allgemein/ASCII-Ausgabe"},
    };
    for (const Zeile& z : zeilen) {
        SCOPED_TRACE(z.schluessel);
        EXPECT_STREQ(schalter_schluessel(z.schalter), z.schluessel);
        setze_schalter(z.schalter, Ja);
        EXPECT_TRUE(schalter_gesetzt(z.schalter));
        setze_schalter(z.schalter, FEHLWERT_EBOOL);
        EXPECT_FALSE(schalter_gesetzt(z.schalter));
        EXPECT_EQ(gib_schalter(z.schalter), FEHLWERT_EBOOL);
    }
    setze_dezimaltrennzeichen_text(",x");
    EXPECT_EQ(dezimaltrennzeichen(), ',');
    setze_dezimaltrennzeichen_text("");
    EXPECT_EQ(dezimaltrennzeichen(), '.');
    EXPECT_EQ(gib_dezimaltrennzeichen_text(), "");
}

}  // namespace
