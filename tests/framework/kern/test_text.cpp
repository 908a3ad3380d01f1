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

// Only Ja counts as set; an empty separator text still gives a usable separator.
TEST_F(Text, SchalterGeltenNurBeiJa)
{
    setze_schalter(ESchalter::AsciiAusgabe, FEHLWERT_EBOOL);
    EXPECT_FALSE(schalter_gesetzt(ESchalter::AsciiAusgabe));
    setze_dezimaltrennzeichen_text(",x");
    EXPECT_EQ(dezimaltrennzeichen(), ',');
    setze_dezimaltrennzeichen_text("");
    EXPECT_EQ(dezimaltrennzeichen(), '.');
}

}  // namespace
