// Class descriptors made after start-up, the directory, and derivation across the framework's classes.
#include "tests/framework/framework_hilfe.h"
#include "framework/text/cstring.h"
#include "framework/diagnostics/zeit.h"

TEST(Klasse, SpaeterGemachteBeschreiberUndDasVerzeichnis)
{
    const CKlasse a("TestA", nullptr);
    const CKlasse b("TestB", 1, "t4", nullptr, "t1", "t2", 2, "t3", 3);
    EXPECT_GT(a.gib_seriennummer(), 33u);
    EXPECT_EQ(b.gib_seriennummer(), a.gib_seriennummer() + 1);
    EXPECT_EQ(finde_klasse("TestB"), &b);
    EXPECT_EQ(finde_klasse("CGibtEsNicht"), nullptr);
}

TEST(KlasseAbleitung, IstAbgeleitetVonFolgtDerKette)
{
    const CZeit zeit;
    const CString text("x");
    std::vector<Aufruf> protokoll;
    const Senke senke(false, protokoll);
    const std::pair<const CBasis*, std::vector<const char*>> faelle[] = {  // own class first; false for the rest
        {&zeit, {"CZeit", "CObjekt", "CBasis"}}, {&text, {"CString", "CBasis"}},
        {&senke, {"CLogBase", "CObjekt", "CBasis"}}};
    for (const auto& [objekt, klassen] : faelle) {
        EXPECT_EQ(objekt->gib_klasse(), finde_klasse(klassen[0]));
        EXPECT_FALSE(objekt->ist_abgeleitet_von(nullptr));
        for (const auto& [name, klasse] : klassenverzeichnis()) {
            const bool erwartet = std::count(klassen.begin(), klassen.end(), name) != 0;
            EXPECT_EQ(objekt->ist_abgeleitet_von(klasse), erwartet) << klassen[0] << " / " << name;
        }
    }
}
