// Class descriptors made after start-up, the registry by name and the derivation answers of framework classes.
#include "kern_hilfe.h"

#include "cqstring.h"
#include "zeit.h"

#include <algorithm>
#include <memory>
#include <sstream>

namespace {

TEST(Klasse, SpaeterGemachteBeschreiberUndDasVerzeichnis)
{
    EXPECT_EQ(klasse_cstring()->gib_seriennummer(), 10u);  // also in a binary that links the whole framework
    int ziel = 0;
    const CKlasse a("TestA", &ziel);
    const CKlasse b("TestB", 1, "t4", nullptr, "t1", "t2", 2, "t3", 3);
    EXPECT_GT(a.gib_seriennummer(), 33u);
    EXPECT_EQ(b.gib_seriennummer(), a.gib_seriennummer() + 1);
    EXPECT_EQ(finde_klasse("TestB"), &b);
    EXPECT_EQ(finde_klasse("CGibtEsNicht"), nullptr);
    // The short constructor leaves every field without a value.
    EXPECT_EQ(a.gib_referenz(), &ziel);
    EXPECT_EQ((std::vector<std::uint32_t>{a.gib_version(), a.gib_zahl1(), a.gib_zahl2()}),
              std::vector<std::uint32_t>(3, 99999999u));
    EXPECT_EQ(a.gib_text1() + a.gib_text2() + a.gib_text3() + a.gib_text4(), "");
    std::ostringstream strom;
    a.gib_aus(strom);
    EXPECT_EQ(strom.str(), "Klassenbeschreibungsobjekt: Klasse:TestA");

    for (bool erster_geht : {true, false}) {
        SCOPED_TRACE(erster_geht);
        auto erster = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        auto zweiter = std::make_unique<CKlasse>("TestDoppelt", nullptr);
        EXPECT_EQ(finde_klasse("TestDoppelt"), zweiter.get());
        (erster_geht ? erster : zweiter).reset();  // either one takes the name with it
        EXPECT_EQ(klassenverzeichnis().count("TestDoppelt"), 0u);
    }
}

// In the fixture's directory, since making the CFehler writes the error file.
using KlasseAbleitung = kern::KernTest;

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
        std::vector<const CKlasse*> klassen;  // its own first; false for every other start-up descriptor
    } faelle[] = {
        {&zeit, {klasse_czeit(), klasse_cobjekt(), klasse_cbasis()}},
        {&text, {klasse_cstring(), klasse_cbasis()}},
        {&qtext, {klasse_cqstring(), klasse_cobjekt(), klasse_cbasis()}},
        {&fehler, {klasse_cfehler(), klasse_cbasis()}},
        {&i18n(), {klasse_ci18n(), klasse_cobjekt(), klasse_cbasis()}},
        {klasse_czeit(), {klasse_cklasse(), klasse_cobjekt(), klasse_cbasis()}},
        {&senke, {klasse_clogbase(), klasse_cobjekt(), klasse_cbasis()}},
    };
    std::vector<const CKlasse*> alle = {nullptr};
#define TELVORIN_ALLE(name, klein) alle.push_back(klasse_##klein());
    TELVORIN_STARTKLASSEN(TELVORIN_ALLE)
#undef TELVORIN_ALLE
    for (const auto& fall : faelle) {
        SCOPED_TRACE(fall.klassen[0]->gib_name());
        EXPECT_EQ(fall.objekt->gib_klasse(), fall.klassen[0]);
        for (const CKlasse* k : alle) {
            const bool erwartet = std::find(fall.klassen.begin(), fall.klassen.end(), k) != fall.klassen.end();
            EXPECT_EQ(fall.objekt->ist_abgeleitet_von(k), erwartet) << (k ? k->gib_name() : "null");
        }
    }
}

}  // namespace
