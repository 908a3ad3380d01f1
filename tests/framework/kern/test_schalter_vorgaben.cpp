// The general switches: their defaults before anything sets them, and what counts as set.
#include "schalter.h"

#include <gtest/gtest.h>

// Its own binary: no fixture of another test has touched the switches yet.
TEST(Schalter, VorgabenUndNurJaGilt)
{
    EXPECT_EQ(gib_schalter(ESchalter::debug_ausgabe_in_fehler_txt), ja);
    for (ESchalter s : {ESchalter::unterdruecke_warnungen, ESchalter::unterdruecke_infos, ESchalter::debug_ausgabe,
                        ESchalter::ascii_ausgabe})
        EXPECT_EQ(gib_schalter(s), nein) << schalter_schluessel(s);
    EXPECT_EQ(gib_dezimaltrennzeichen_text(), ".");
    EXPECT_EQ(dezimaltrennzeichen(), '.');

    setze_schalter(ESchalter::ascii_ausgabe, fehlwert_ebool);
    EXPECT_FALSE(schalter_gesetzt(ESchalter::ascii_ausgabe));
    setze_dezimaltrennzeichen_text(",x");
    EXPECT_EQ(dezimaltrennzeichen(), ',');
    setze_dezimaltrennzeichen_text("");  // an empty separator would make numbers unreadable
    EXPECT_EQ(dezimaltrennzeichen(), '.');
}
