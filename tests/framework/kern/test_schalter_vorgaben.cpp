// The general switches: their defaults before anything sets them, and what counts as set.
#include "schalter.h"

#include <gtest/gtest.h>

// Its own binary: no fixture of another test has touched the switches yet.
TEST(Schalter, VorgabenUndNurJaGilt)
{
    EXPECT_EQ(gib_schalter(ESchalter::DebugAusgabeInFehlerTxt), Ja);
    for (ESchalter s : {ESchalter::UnterdrueckeWarnungen, ESchalter::UnterdrueckeInfos, ESchalter::DebugAusgabe,
                        ESchalter::AsciiAusgabe})
        EXPECT_EQ(gib_schalter(s), Nein) << schalter_schluessel(s);
    EXPECT_EQ(gib_dezimaltrennzeichen_text(), ".");
    EXPECT_EQ(dezimaltrennzeichen(), '.');

    setze_schalter(ESchalter::AsciiAusgabe, FEHLWERT_EBOOL);
    EXPECT_FALSE(schalter_gesetzt(ESchalter::AsciiAusgabe));
    setze_dezimaltrennzeichen_text(",x");
    EXPECT_EQ(dezimaltrennzeichen(), ',');
    setze_dezimaltrennzeichen_text("");  // an empty separator would make numbers unreadable
    EXPECT_EQ(dezimaltrennzeichen(), '.');
}
