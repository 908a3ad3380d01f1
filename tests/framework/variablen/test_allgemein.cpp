// The general settings: the switches they hold as seen by formatting, the error file and melde; the key table.
#include "allgemein.h"

#include "schalter.h"
#include "schluesseltabelle.h"
#include "variablen_testhilfe.h"
#include "zahlen.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

namespace {

using variablentest::VariablenTest;

CSteuerVarInterface& einstellung(const char* pfad)
{
    CSteuerVarInterface* variable = finde_allgemeine_einstellung(pfad);
    return variable != nullptr ? *variable : throw std::runtime_error(std::string("keine Einstellung ") + pfad);
}

using AllgemeinTest = VariablenTest;

TEST_F(AllgemeinTest, DezimaltrennzeichenWirktBeimNaechstenAufruf)
{
    CSteuerVarInterface& trennzeichen = einstellung("/Allgemein/Dezimaltrennzeichen");
    EXPECT_EQ(dtoa(2.5, 6, 2, 2), "2.50  ");
    trennzeichen.setze_wert_str(",;", true);  // the first character counts
    EXPECT_EQ(dtoa(-2.5, 6, 2, 2), "-2,50 ");
    trennzeichen.setze_wert_str("", true);
    EXPECT_EQ(dtoa(2.5, 6, 2, 2), "2.50  ");
    // And the other way round: the switch's setter is the variable's value.
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(trennzeichen.gib_wert_str(), ",");
}

TEST_F(AllgemeinTest, FehlerdateiFolgtIhrerEinstellung)
{
    CSteuerVarInterface& schalter = einstellung("/Allgemein/Debug Ausgabe in fehler.txt");
    schalter.setze_wert_str("Nein", true);
    { const CFehler f(EINGABEFEHLER, klasse_cvariablebasis(), "m", "nicht auf Datei"); }
    EXPECT_TRUE(fehlerdatei().isEmpty());

    schalter.setze_wert_str("ja", true);
    { const CFehler f(EINGABEFEHLER, klasse_cvariablebasis(), "m", "auf Datei"); }
    EXPECT_TRUE(fehlerdatei().endsWith("\nauf Datei\n")) << fehlerdatei().toStdString();

    setze_schalter(ESchalter::debug_ausgabe_in_fehler_txt, nein);
    EXPECT_EQ(schalter.gib_wert_str(), "Nein");
    // The missing value counts as not set.
    schalter.setze_wert_str("", true);
    { const CFehler f(EINGABEFEHLER, nullptr, "m", "ohne Wert"); }
    EXPECT_EQ(fehlerdatei().count('\n'), 3);
}

// Records what melde hands to a plain sink.
class Senke : public CLogBase {
public:
    void schreibe(const std::string& text, const int& ebene) override { texte.push_back({text, ebene}); }
    std::vector<std::pair<std::string, int>> texte;
};

// No handler here, since a handler takes every message; the switches it resets are the settings' values.
using MeldeTest = kern::KernTest;

TEST_F(MeldeTest, UnterdrueckungUndDebugUeberSteuervariablen)
{
    Senke senke;
    // How many texts a message of `typ` leaves in the sink.
    const auto ankommend = [&senke](EFehlerTyp typ) {
        senke.texte.clear();
        melde(typ, klasse_cvariablebasis(), "methode", "Text");
        return senke.texte.size();
    };
    struct Fall {
        const char* pfad;
        EFehlerTyp typ;
        std::size_t bei_vorgabe, bei_umgestellt;
        const char* umgestellt;
    };
    const Fall faelle[] = {
        {"/Allgemein/Unterdruecke Warnungen", WARNUNG, 1, 0, "JA"},
        {"/Allgemein/Unterdruecke Infos", info, 1, 0, "true"},
        {"/Allgemein/Debug Ausgabe", debug, 0, 1, "1"},
        {"/Allgemein/Unterdruecke Warnungen", EINGABEFEHLER, 1, 1, "ja"},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(testing::Message() << fall.pfad << " type " << fall.typ);
        EXPECT_EQ(ankommend(fall.typ), fall.bei_vorgabe);
        einstellung(fall.pfad).setze_wert_str(fall.umgestellt, true);
        EXPECT_EQ(ankommend(fall.typ), fall.bei_umgestellt);
        einstellung(fall.pfad).setze_wert_str("nein", true);
        EXPECT_EQ(ankommend(fall.typ), fall.bei_vorgabe);
    }
    // Debug mode puts the prefix before the text.
    einstellung("/Allgemein/Debug Ausgabe").setze_wert_str("Ja", true);
    ankommend(WARNUNG);
    ASSERT_EQ(senke.texte.size(), 1u);
    EXPECT_EQ(senke.texte[0].first, "WARNUNG: in Klasse CVariableBasis, Methode methode: \nText");

    einstellung("/Allgemein/Debug Ausgabe").setze_wert_str("Nein", true);
    testing::internal::CaptureStdout();
    melde(WARNUNG, klasse_cvariablebasis(), "m", "still");
    einstellung("/Allgemein/ASCII-Ausgabe").setze_wert_str("Ja", true);
    melde(WARNUNG, klasse_cvariablebasis(), "m", "laut");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "laut\n");
}

TEST(Schluesseltabelle, AufsteigendNachBytesMitIdsAbEins)
{
    const CSchluesseltabelle& tabelle = schluesseltabelle();
    std::int32_t erwartete_id = 1;
    std::string voriger;
    for (const auto& [schluessel, id] : tabelle) {
        EXPECT_LT(voriger, schluessel);
        EXPECT_EQ(id, erwartete_id++) << schluessel;
        voriger = schluessel;
    }
    for (const CSteuerVarInterface* einstellung : allgemeine_einstellungen().alle()) {
        EXPECT_TRUE(schluessel_id(einstellung->gib_schluessel()).has_value()) << einstellung->gib_schluessel();
    }
    for (const char* pfad : {"/Html/Vorlagedatei", "/Internationalisierung/Verzeichnis"}) {
        EXPECT_TRUE(schluessel_id(pfad).has_value()) << pfad;
    }
    // Upper case sorts before lower case: "ASCII" before "Ausgabe".
    EXPECT_EQ(schluessel_id("/Allgemein/ASCII-Ausgabe"), 1);
    EXPECT_EQ(schluessel_id("/Allgemein/Ausgabeverzeichnis"), 2);
    for (const char* unbekannt : {"", "/Allgemein", "/allgemein/ascii-ausgabe", "/Allgemein/ASCII-Ausgabe "}) {
        EXPECT_FALSE(schluessel_id(unbekannt).has_value()) << unbekannt;
    }
}

}  // namespace
