// Class descriptors, their registry and the derivation answers of framework classes.
#include "kern_hilfe.h"

#include "cqstring.h"
#include "cstring.h"
#include "klasse.h"
#include "zeit.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

TEST(Klasse, ZehnterStartbeschreiberHatSeriennummerZehn)
{
    EXPECT_EQ(klasse_CString()->gib_seriennummer(), 10u);
    EXPECT_EQ(klasse_CString()->gib_name(), "CString");
    EXPECT_EQ(klasse_CQString()->gib_seriennummer(), 1u);
    EXPECT_EQ(klasse_CSystemAllg()->gib_seriennummer(), 31u);
    EXPECT_EQ(klasse_freie_funktion()->gib_name(), "Funktion oder nicht von CObjekt abgeleitete Klasse");
    EXPECT_EQ(klasse_freie_funktion()->gib_seriennummer(), 32u);
    EXPECT_EQ(klasse_kurze_ausgabe()->gib_name(), "Dummy: fuer kurze Ausgaben");
    EXPECT_EQ(klasse_kurze_ausgabe()->gib_seriennummer(), 33u);
    EXPECT_EQ(finde_klasse("CZeit"), klasse_CZeit());
    EXPECT_EQ(finde_klasse("CGibtEsNicht"), nullptr);
}

TEST(Klasse, SpaeterGemachteBeschreiberNehmenDieNaechstenNummern)
{
    CKlasse a("TestA", nullptr);
    CKlasse b("TestB", nullptr);
    EXPECT_GT(a.gib_seriennummer(), 33u);
    EXPECT_EQ(b.gib_seriennummer(), a.gib_seriennummer() + 1);
}

TEST(Klasse, KurzerKonstruktorLaesstFelderOhneWert)
{
    int ziel = 0;
    const CKlasse k("TestKurz", &ziel);
    EXPECT_EQ(k.gib_referenz(), &ziel);
    EXPECT_EQ(k.gib_version(), 99999999u);
    EXPECT_EQ(k.gib_zahl1(), 99999999u);
    EXPECT_EQ(k.gib_zahl2(), 99999999u);
    EXPECT_EQ(k.gib_flag(), 0);
    EXPECT_EQ(k.gib_text1() + k.gib_text2() + k.gib_text3() + k.gib_text4(), "");
    EXPECT_EQ(finde_klasse("TestKurz"), &k);
}

TEST(Klasse, ZweiterBeschreiberGleichenNamensErsetztDenErsten)
{
    {
        auto erster = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        auto zweiter = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        EXPECT_EQ(finde_klasse("TestDoppelt"), zweiter.get());
        erster.reset();  // the entry pointed to the second, yet the name goes
        EXPECT_EQ(finde_klasse("TestDoppelt"), nullptr);
    }
    {
        auto erster = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        auto zweiter = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        zweiter.reset();
        EXPECT_EQ(finde_klasse("TestDoppelt"), nullptr);
        EXPECT_EQ(klassenverzeichnis().count("TestDoppelt"), 0u);
    }
}

TEST(Klasse, AusgabeNenntDenNamenOhneLeerzeichen)
{
    std::ostringstream strom;
    klasse_CZeit()->gib_aus(strom);
    EXPECT_EQ(strom.str(), "Klassenbeschreibungsobjekt: Klasse:CZeit");
}

struct Ableitung {
    const char* objekt;
    const CBasis* zeiger;
    const CKlasse* eigene;
    std::vector<const CKlasse*> basen;  // true for these, false for every other start-up descriptor
};

// In the fixture's directory, since making the CFehler writes the error file.
class KlasseAbleitung : public kern::KernTest {};

TEST_F(KlasseAbleitung, IstAbgeleitetVonFolgtDerKette)
{
    const CZeit zeit;
    const CString text("x");
    const CQString qtext("x");
    const CFehler fehler(FT_INFO, nullptr, "m", "t");
    std::vector<kern::Aufruf> protokoll;
    const kern::Senke senke(false, protokoll, true);

    const std::vector<Ableitung> faelle = {
        {"CZeit", &zeit, klasse_CZeit(), {klasse_CZeit(), klasse_CObjekt(), klasse_CBasis()}},
        {"CString", &text, klasse_CString(), {klasse_CString(), klasse_CBasis()}},
        {"CQString", &qtext, klasse_CQString(), {klasse_CQString(), klasse_CObjekt(), klasse_CBasis()}},
        {"CFehler", &fehler, klasse_CFehler(), {klasse_CFehler(), klasse_CBasis()}},
        {"CI18n", &i18n(), klasse_CI18n(), {klasse_CI18n(), klasse_CObjekt(), klasse_CBasis()}},
        {"CKlasse", klasse_CZeit(), klasse_CKlasse(), {klasse_CKlasse(), klasse_CObjekt(), klasse_CBasis()}},
        {"Senke", &senke, klasse_CLogBase(), {klasse_CLogBase(), klasse_CObjekt(), klasse_CBasis()}},
    };
    std::vector<const CKlasse*> alle;
#define TELVORIN_ALLE(name) alle.push_back(klasse_##name());
    TELVORIN_STARTKLASSEN(TELVORIN_ALLE)
#undef TELVORIN_ALLE
    alle.push_back(nullptr);
    for (const Ableitung& fall : faelle) {
        SCOPED_TRACE(fall.objekt);
        EXPECT_EQ(fall.zeiger->gib_klasse(), fall.eigene);
        for (const CKlasse* k : alle) {
            const bool erwartet = std::find(fall.basen.begin(), fall.basen.end(), k) != fall.basen.end();
            EXPECT_EQ(fall.zeiger->ist_abgeleitet_von(k), erwartet) << (k ? k->gib_name() : "null");
        }
    }
}

}  // namespace
