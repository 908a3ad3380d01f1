// The general switches hold their defaults before anything sets them.
#include "schalter.h"

#include <gtest/gtest.h>

// Its own binary: no fixture of another test has touched the switches yet.
TEST(SchalterVorgaben, VorDemErstenSetzen)
{
    EXPECT_EQ(gib_schalter(ESchalter::DebugAusgabeInFehlerTxt), Ja);
    EXPECT_EQ(gib_schalter(ESchalter::UnterdrueckeWarnungen), Nein);
    EXPECT_EQ(gib_schalter(ESchalter::UnterdrueckeInfos), Nein);
    EXPECT_EQ(gib_schalter(ESchalter::DebugAusgabe), Nein);
    EXPECT_EQ(gib_schalter(ESchalter::AsciiAusgabe), Nein);
    EXPECT_EQ(gib_dezimaltrennzeichen_text(), ".");
    EXPECT_EQ(dezimaltrennzeichen(), '.');
}
