// The framework-wide objects exist before main in a binary that uses nothing else.
#include "klasse.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

TEST(StartVorMain, AlleStartklassenMitSeriennummernInListenfolge)
{
    // Only looking at the registry: it makes no descriptors, so whatever is in
    // it was made by static initialisation.
    const CKlassenverzeichnis& verzeichnis = klassenverzeichnis();
    const std::vector<std::string> erwartet = {
#define TELVORIN_NAME(name) #name,
        TELVORIN_STARTKLASSEN(TELVORIN_NAME)
#undef TELVORIN_NAME
            "Funktion oder nicht von CObjekt abgeleitete Klasse",
        "Dummy: fuer kurze Ausgaben"};
    ASSERT_EQ(erwartet.size(), 33u);
    ASSERT_EQ(verzeichnis.size(), erwartet.size());
    for (std::size_t i = 0; i < erwartet.size(); ++i) {
        SCOPED_TRACE(erwartet[i]);
        const auto it = verzeichnis.find(erwartet[i]);
        ASSERT_NE(it, verzeichnis.end());
        EXPECT_EQ(it->second->gib_seriennummer(), i + 1);
    }
}
