// The framework-wide objects exist before main in a binary that uses nothing else.
#include "klasse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StartVorMain, AlleStartklassenMitSeriennummernInListenfolge)
{
    // Looking at the registry makes no descriptors, so whatever is in it was
    // made by static initialisation; the accessors are asked only afterwards.
    const CKlassenverzeichnis verzeichnis = klassenverzeichnis();
    std::vector<std::string> namen;
    std::vector<const CKlasse*> zugriffe;
#define TELVORIN_NAME(name, klein) namen.push_back(#name), zugriffe.push_back(klasse_##klein());
    TELVORIN_STARTKLASSEN(TELVORIN_NAME)
#undef TELVORIN_NAME
    namen.insert(namen.end(), {"Funktion oder nicht von CObjekt abgeleitete Klasse", "Dummy: fuer kurze Ausgaben"});
    zugriffe.insert(zugriffe.end(), {klasse_freie_funktion(), klasse_kurze_ausgabe()});
    ASSERT_EQ(namen.size(), 33u);
    ASSERT_EQ(verzeichnis.size(), namen.size());
    for (std::size_t i = 0; i < namen.size(); ++i) {
        SCOPED_TRACE(namen[i]);
        const auto it = verzeichnis.find(namen[i]);
        ASSERT_NE(it, verzeichnis.end());
        EXPECT_EQ(it->second->gib_seriennummer(), i + 1);
        EXPECT_EQ(it->second, zugriffe[i]);
    }
}
