// The general settings hold the switches that formatting, the error file and melde read; the key table.
#include "allgemein.h"
#include "schluesseltabelle.h"
#include "zahlen.h"

#include "kern_hilfe.h"

namespace {

using Allgemein = kern::Umgebung;

// Setting a value through the control variable is what the switch reads, and the other way round; only Ja is set.
TEST_F(Allgemein, SchalterLiegenInDenSteuervariablen)
{
    const std::pair<const char*, ESchalter> schalter[] = {
        {"/Allgemein/Debug Ausgabe in fehler.txt", ESchalter::debug_ausgabe_in_fehler_txt},
        {"/Allgemein/Unterdruecke Warnungen", ESchalter::unterdruecke_warnungen},
        {"/Allgemein/Unterdruecke Infos", ESchalter::unterdruecke_infos},
        {"/Allgemein/Debug Ausgabe", ESchalter::debug_ausgabe}, {"/Allgemein/ASCII-Ausgabe", ESchalter::ascii_ausgabe}};
    for (const auto& [pfad, welcher] : schalter) {
        CSteuerVarInterface* variable = finde_allgemeine_einstellung(pfad);
        ASSERT_NE(variable, nullptr) << pfad;
        for (const auto& [text, wert] : {std::pair<const char*, EBool>{"JA", ja}, {"nein", nein}, {"", fehlwert_ebool}}) {
            variable->setze_wert_str(text, true);
            EXPECT_EQ(gib_schalter(welcher), wert) << pfad << " " << text;
            EXPECT_EQ(schalter_gesetzt(welcher), wert == ja) << pfad << " " << text;
        }
        setze_schalter(welcher, ja);
        EXPECT_EQ(variable->gib_wert_str(), "Ja") << pfad;
        EXPECT_STREQ(schalter_schluessel(welcher), pfad);
    }
    CSteuerVarInterface& trennzeichen = *finde_allgemeine_einstellung("/Allgemein/Dezimaltrennzeichen");
    trennzeichen.setze_wert_str(",;", true);  // the first character counts; what it changes is the number tests'
    EXPECT_EQ(dezimaltrennzeichen(), ',');
    trennzeichen.setze_wert_str("", true);  // an empty separator would make numbers unreadable
    EXPECT_EQ(dezimaltrennzeichen(), '.');
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(trennzeichen.gib_wert_str(), ",");
}

TEST(Schluesseltabelle, AufsteigendNachBytesMitIdsAbEins)
{
    std::int32_t erwartete_id = 1;
    for (const auto& [schluessel, id] : schluesseltabelle())
        EXPECT_EQ(id, erwartete_id++) << schluessel;
    for (const char* pfad : {"/Allgemein/Debug Ausgabe", "/Allgemein/Fehler bei Syntaxverletzung", "/Html/Vorlagedatei",
                             "/Internationalisierung/Verzeichnis"})
        EXPECT_TRUE(schluessel_id(pfad).has_value()) << pfad;
    // Upper case sorts before lower case: "ASCII" before "Ausgabe".
    EXPECT_EQ(schluessel_id("/Allgemein/ASCII-Ausgabe"), 1);
    EXPECT_EQ(schluessel_id("/Allgemein/Ausgabeverzeichnis"), 2);
    for (const char* unbekannt : {"", "/Allgemein", "/allgemein/ascii-ausgabe", "/Allgemein/ASCII-Ausgabe "})
        EXPECT_FALSE(schluessel_id(unbekannt).has_value()) << unbekannt;
}

}  // namespace
