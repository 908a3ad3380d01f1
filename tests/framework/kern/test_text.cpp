// CString substitution, CQString conversions and translation.
#include "kern_hilfe.h"

#include "cqstring.h"
#include "cstring.h"

namespace {

using Text = kern::MitEmpfaenger;

TEST_F(Text, ArgFuelltDenNiedrigstenPlatzhalter)
{
    const struct { const char* vorlage; kern::Texte argumente; const char* erwartet; std::size_t warnungen; } faelle[] = {
        {"in Klasse %1, Methode %2: ", {"CZeit", "setze"}, "in Klasse CZeit, Methode setze: ", 0},
        {"%2 vor %1", {"erster", "zweiter"}, "zweiter vor erster", 0}, {"ohne Platzhalter", {"a", "b"}, "ohne Platzhalter", 2},
        {"100%", {"a"}, "100%", 1}, {"", {"a"}, "", 1}, {"%12", {"x"}, "x2", 0}, {"%1 %1", {"a"}, "a %1", 0},
        {"%9%0", {"a", "b"}, "ba", 0}, {"%%1", {"a"}, "%a", 0},
        {"%1", {"%1", "b"}, "b", 0},  // inserted text takes part in the next scan
    };
    for (const auto& fall : faelle) {
        CString text(fall.vorlage);
        for (const std::string& a : fall.argumente)
            text.arg(a);
        EXPECT_EQ(text.str(), fall.erwartet) << fall.vorlage;
        empfaenger.erwarte_warnungen("arg()", kern::Texte(fall.warnungen, "Argument kann nicht zugeordnet werden"));
    }
    EXPECT_EQ(CString("%1/%2[%3]").arg(ja).arg(nein).arg(fehlwert_ebool).str(), "Ja/Nein[]");
    i18n().setze_eintrag("Ja", "Yes");
    i18n().setze_eintrag("Nein", "No");
    EXPECT_EQ(CString("%1/%2").arg(ja).arg(nein).str(), "Yes/No");

    std::ostringstream strom;
    CQString("gr\xFC\xDF").gib_aus(strom);  // Latin-1 in, UTF-8 out
    EXPECT_EQ(strom.str(), "gr\xC3\xBC\xC3\x9F");
}

struct Uebersetzer : CUebersetzer {
    kern::Texte aufrufe;
    void uebersetze(CString& ergebnis, const CString& text, const CString& kontext, int reserviert) override
    {
        aufrufe.push_back(text.str() + "|" + kontext.str() + "|" + std::to_string(reserviert));
        ergebnis = CString("<" + text.str() + ">");
    }
};

// The table ignores classes and contexts; a translator answers everything and gets the context key.
TEST_F(Text, UebersetzungAusTabelleOderUebersetzer)
{
    i18n().setze_eintrag("WARNUNG: ", "WARNING: ");
    EXPECT_EQ(uebersetze_("WARNUNG: ", CString("egal")).str(), "WARNING: ");

    Uebersetzer uebersetzer;
    i18n().setze_uebersetzer(&uebersetzer);
    EXPECT_EQ(uebersetze_("WARNUNG: ", klasse_cfehler()).str(), "<WARNUNG: >");
    EXPECT_EQ(uebersetze_("Text", CString("Kontext")).str(), "<Text>");
    EXPECT_EQ(uebersetze_("Ohne", static_cast<const CKlasse*>(nullptr)).str(), "<Ohne>");
    EXPECT_EQ(uebersetzer.aufrufe, (kern::Texte{"WARNUNG: |uebersetze_CFehler|0",
                                                             "Text|uebersetze_Kontext|0", "Ohne|uebersetze_|0"}));
}

}  // namespace
