// Units: the table in both directions, exact matching and the text for values outside it.
#include "einheit.h"

#include "variablen_testhilfe.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace {

using variablentest::VariablenTest;

const char* const einheiten[44] = {
    "",      "V",     "kV",        "kW",    "MW",    "GW",       "kvar",    "Mvar", "Gvar", "kVA",   "MVA",
    "GVA",   "A",     "kA",        "Ohm",   "mOhm",  "H",        "mH",      "S",    "mS",   "uF",    "microF",
    "nF",    "mF",    "km",        "m",     "cm",    "mm",       "Hz",      "%",    "1/a",  "h",     "min/a",
    "h/a",   "MWh/a", "S/km",      "mS/km", "uF/km", "microF/km", "nF/km", "mF/km", "1/(km*a)", "p.u./km", "p.u.",
};

const char* const fehlertext = "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!";

using EinheitTest = VariablenTest;

TEST_F(EinheitTest, JederWertHatSeinenTextUndZurueck)
{
    for (std::int32_t wert = 0; wert < 44; ++wert) {
        SCOPED_TRACE(wert);
        const EEinheit einheit = static_cast<EEinheit>(wert);
        EXPECT_EQ(einheit_in_string(einheit), einheiten[wert]);
        EXPECT_EQ(string_in_einheit(einheiten[wert]), einheit);
    }
    EXPECT_EQ(string_in_einheit("MW"), Einheit_MW);
    EXPECT_EQ(einheit_in_string(Einheit_MW), "MW");
    EXPECT_EQ(string_in_einheit("microF/km"), 38);
    EXPECT_EQ(string_in_einheit("uF/km"), 37);
}

TEST_F(EinheitTest, TextOhneGenauenTrefferGibtFehlwert)
{
    for (const char* text : {"mw", "Mw", "kV ", " kV", "ohm", "p.u", "p.u./KM", "uf", "\xB5" "F" /* micro sign */, "kV\n",
                             "99999999", "0"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(string_in_einheit(text), 99999999);
    }
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(EinheitTest, WertAusserhalbDesBereichsGibtDenUebersetztenFehlertext)
{
    for (std::int32_t wert : {-1, 44, 45, 99999999, INT32_MIN, INT32_MAX}) {
        SCOPED_TRACE(wert);
        EXPECT_EQ(einheit_in_string(static_cast<EEinheit>(wert)), fehlertext);
    }
    i18n().setze_eintrag(fehlertext, "unknown unit");
    EXPECT_EQ(einheit_in_string(static_cast<EEinheit>(44)), "unknown unit");
    EXPECT_EQ(einheit_in_string(static_cast<EEinheit>(43)), "p.u.");
    EXPECT_TRUE(meldungen().empty());
    EXPECT_TRUE(fehlerdatei().isEmpty());
}

}  // namespace
