// Class descriptors made after start-up, the registry by name and the derivation answers of framework classes;
// CString substitution, CQString conversions and translation.
#include "kern_hilfe.h"

#include "cqstring.h"
#include "cstring.h"
#include "zeit.h"

namespace {

TEST(Klasse, SpaeterGemachteBeschreiberUndDasVerzeichnis)
{
    const CKlasse a("TestA", nullptr);
    const CKlasse b("TestB", 1, "t4", nullptr, "t1", "t2", 2, "t3", 3);
    EXPECT_GT(a.gib_seriennummer(), 33u);
    EXPECT_EQ(b.gib_seriennummer(), a.gib_seriennummer() + 1);
    EXPECT_EQ(finde_klasse("TestB"), &b);
    EXPECT_EQ(finde_klasse("CGibtEsNicht"), nullptr);

    for (bool erster_geht : {true, false}) {
        auto erster = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        auto zweiter = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        EXPECT_EQ(finde_klasse("TestDoppelt"), zweiter.get());
        (erster_geht ? erster : zweiter).reset();  // either one takes the name with it
        EXPECT_EQ(klassenverzeichnis().count("TestDoppelt"), 0u) << erster_geht;
    }
}

// In the fixture's directory, since making the CFehler writes the error file.
using KlasseAbleitung = kern::Umgebung;

TEST_F(KlasseAbleitung, IstAbgeleitetVonFolgtDerKette)
{
    const CZeit zeit;
    const CString text("x");
    const CQString qtext("x");
    const CFehler fehler(info, nullptr, "m", "t");
    std::vector<kern::Aufruf> protokoll;
    const kern::Senke senke(false, protokoll);
    const struct {
        const CBasis* objekt;
        std::vector<const char*> klassen;  // its own first; false for every other registered descriptor
    } faelle[] = {
        {&zeit, {"CZeit", "CObjekt", "CBasis"}}, {&text, {"CString", "CBasis"}},
        {&qtext, {"CQString", "CObjekt", "CBasis"}}, {&fehler, {"CFehler", "CBasis"}},
        {&i18n(), {"CI18n", "CObjekt", "CBasis"}}, {klasse_czeit(), {"CKlasse", "CObjekt", "CBasis"}},
        {&senke, {"CLogBase", "CObjekt", "CBasis"}},
    };
    for (const auto& fall : faelle) {
        EXPECT_EQ(fall.objekt->gib_klasse(), finde_klasse(fall.klassen[0]));
        EXPECT_FALSE(fall.objekt->ist_abgeleitet_von(nullptr));
        for (const auto& [name, klasse] : klassenverzeichnis()) {
            const bool erwartet = std::count(fall.klassen.begin(), fall.klassen.end(), name) != 0;
            EXPECT_EQ(fall.objekt->ist_abgeleitet_von(klasse), erwartet) << fall.klassen[0] << " / " << name;
        }
    }
}

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
