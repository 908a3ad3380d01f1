// Setting values from text, per type: accepted texts, bounds, and the records thrown for the rest.
#include "steuervariable.h"

#include "schalter.h"
#include "variablen_testhilfe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using variablentest::gefangen;
using variablentest::VariablenTest;

template <typename T>
struct Fall {
    const char* text;
    bool pruefen;
    T erwartet;          // the value afterwards, when nothing is thrown
    const char* fehler;  // the text of the thrown record, or null
};

class SetzeWertStr : public VariablenTest {
protected:
    // Runs the rows on a variable with allowed bounds [unten, oben] that
    // holds `start` before each row; a row that throws must leave it there.
    template <typename T>
    void pruefe(const T& unten, const T& oben, const T& start, const std::vector<Fall<T>>& faelle)
    {
        CVariableBeschrTemplate<T> beschr("/Test/x", start, "", "");
        beschr.setze_zulaessig(unten, oben);
        CVariableSteuer<T> variable(beschr);
        for (const Fall<T>& fall : faelle) {
            SCOPED_TRACE(testing::Message() << "text \"" << fall.text << "\", pruefen " << fall.pruefen);
            variable.setze_wert(start);
            const auto fehler = gefangen([&] { variable.setze_wert_str(fall.text, fall.pruefen); });
            if (fall.fehler != nullptr) {
                ASSERT_TRUE(fehler.has_value());
                EXPECT_EQ(fehler->gib_typ(), FT_EINGABEFEHLER);
                EXPECT_EQ(fehler->gib_ausloeser(), klasse_CVariableBasisTemplate());
                EXPECT_EQ(fehler->gib_methode(), "setze_wert_str");
                EXPECT_EQ(fehler->gib_text(), fall.fehler);
                EXPECT_EQ(variable.gib_wert(), start);
                ++m_geworfen;
            } else {
                EXPECT_FALSE(fehler.has_value()) << fehler->gib_text();
                EXPECT_EQ(variable.gib_wert(), fall.erwartet);
            }
        }
        // Every thrown record was put on file as it was made: three lines each.
        EXPECT_EQ(fehlerdatei().count('\n'), 3 * m_geworfen);
    }

private:
    int m_geworfen = 0;  // over all calls of one test, as the file is
};

TEST_F(SetzeWertStr, Int)
{
    pruefe<int>(0, 10, 3,
                {{"", true, 99999999, nullptr}, {"0", true, 0, nullptr}, {"10", true, 10, nullptr},
                 {"11", true, 0, "Wert 11 ist zu gross - Obergrenze = 10"}, {"11", false, 11, nullptr},
                 {"-1", true, 0, "Wert -1 ist zu klein - Untergrenze = 0"}, {"-1", false, -1, nullptr},
                 {"  7 Tage", true, 7, nullptr}, {"+4", true, 4, nullptr}, {"abc", true, 0, nullptr},
                 {"0x9", true, 0, nullptr}, {"12abc", true, 0, "Wert 12abc ist zu gross - Obergrenze = 10"},
                 {"99999999999", false, 2147483647, nullptr}, {"-99999999999", false, -2147483647 - 1, nullptr},
                 {"99999999999", true, 0, "Wert 99999999999 ist zu gross - Obergrenze = 10"}});
    // An absent bound limits nothing.
    pruefe<int>(99999999, -5, 0,
                {{"-5", true, -5, nullptr}, {"-4", true, 0, "Wert -4 ist zu gross - Obergrenze = -5"},
                 {"-2147483648", true, -2147483647 - 1, nullptr}});
}

TEST_F(SetzeWertStr, Unsigned)
{
    pruefe<unsigned>(2u, 8u, 5u,
                     {{"", true, 99999999u, nullptr}, {"2", true, 2u, nullptr}, {"8", true, 8u, nullptr},
                      {"1", true, 0u, "Wert 1 ist zu klein - Untergrenze = 2"},
                      {"9", true, 0u, "Wert 9 ist zu gross - Obergrenze = 8"},
                      {"-1", true, 0u, "Wert -1 darf nicht negativ sein"},
                      {"-100", true, 0u, "Wert -100 darf nicht negativ sein"}, {"-1", false, 4294967295u, nullptr},
                      {"9", false, 9u, nullptr}, {"4294967296", false, 4294967295u, nullptr},
                      {"x", true, 0u, "Wert x ist zu klein - Untergrenze = 2"}});
    pruefe<unsigned>(99999999u, 99999999u, 1u,
                     {{"-1", true, 0u, "Wert -1 darf nicht negativ sein"}, {"-0", true, 0u, nullptr},
                      {"4294967295", true, 4294967295u, nullptr}});
}

TEST_F(SetzeWertStr, Double)
{
    pruefe<double>(0.5, 2.5, 1.0,
                   {{"", true, 99999999.0, nullptr}, {"1.5", true, 1.5, nullptr}, {"2.5", true, 2.5, nullptr},
                    {"0.5", true, 0.5, nullptr}, {"1,5", true, 1.0, nullptr}, {" 2.25abc", true, 2.25, nullptr},
                    {"2.6", true, 0.0, "Wert 2.6 ist zu gross - Obergrenze = 2.5"},
                    {"0.1", true, 0.0, "Wert 0.1 ist zu klein - Untergrenze = 0.5"},
                    {"1e300", true, 0.0, "Wert 1e300 ist zu gross - Obergrenze = 2.5"}, {"2.6", false, 2.6, nullptr}});
    // 0.001 percent of 3 is 3e-5: just inside passes unchecked, just outside is tested.
    pruefe<double>(0.0, 2.0, 3.0,
                   {{"3", true, 3.0, nullptr}, {"3.00002", true, 3.00002, nullptr},
                    {"2.99998", true, 2.99998, nullptr},
                    {"3.00004", true, 0.0, "Wert 3.00004 ist zu gross - Obergrenze = 2."},
                    {"2.9999", true, 0.0, "Wert 2.9999 ist zu gross - Obergrenze = 2."}});
    EXPECT_TRUE(meldungen().empty());
}

TEST_F(SetzeWertStr, DoubleMitKomma)
{
    setze_dezimaltrennzeichen_text(",");
    pruefe<double>(0.5, 2.5, 1.0,
                   {{"1,5", true, 1.5, nullptr}, {" 2,25 ", true, 2.25, nullptr},
                    {"3", true, 0.0, "Wert 3 ist zu gross - Obergrenze = 2,5"},
                    {"0,25", true, 0.0, "Wert 0,25 ist zu klein - Untergrenze = 0,5"},
                    // What string_zu_double cannot read is the missing value, with its warning.
                    {"12a", true, 99999999.0, nullptr}});
    ASSERT_EQ(meldungen().size(), 1u);
    EXPECT_EQ(meldungen()[0].typ, FT_WARNUNG);
    EXPECT_EQ(meldungen()[0].text, "Buchstabe bei Umwandlung von string in double: 12a");
}

TEST_F(SetzeWertStr, EBool)
{
    std::vector<Fall<EBool>> faelle = {
        {"ja", true, Ja, nullptr},     {"JA", false, Ja, nullptr},     {"True", true, Ja, nullptr},
        {"TRUE", true, Ja, nullptr},   {"1", true, Ja, nullptr},       {"nein", true, Nein, nullptr},
        {"NEIN", true, Nein, nullptr}, {"false", true, Nein, nullptr}, {"0", false, Nein, nullptr},
        {"", true, FEHLWERT_EBOOL, nullptr}};
    // Anything else is rejected, checked or not; the texts must outlive the rows.
    const char* const woerter[] = {"yes", "no", "j", "2", "01", " ja", "ja ", "wahr", "-1", "00"};
    std::vector<std::string> texte;
    for (const char* wort : woerter) {
        texte.push_back(CString("%1 ist unzulaessiger Wert fuer boolsche Variable").arg(wort).str());
    }
    for (std::size_t i = 0; i < texte.size(); ++i) {
        faelle.push_back({woerter[i], i % 2 == 0, Ja, texte[i].c_str()});
    }
    // Bounds of an EBool are never tested.
    pruefe<EBool>(Nein, Nein, Nein, faelle);
}

TEST_F(SetzeWertStr, Text)
{
    pruefe<std::string>("b", "c", "alt",
                        {{"", true, "", nullptr}, {" mit Blanks ", true, " mit Blanks ", nullptr},
                         {"%1 \xE4", true, "%1 \xE4", nullptr}});
}

TEST_F(SetzeWertStr, OhneTypgleichenBeschreiberWirdNichtsGeprueft)
{
    // A float descriptor is not the descriptor of a double variable.
    CVariableBeschrTemplate<float> fremd("/Test/float", 1.0f, "", "");
    fremd.setze_zulaessig(0.0f, 1.0f);
    CVariableSteuer<double> variable("/Test/float", &fremd);
    EXPECT_EQ(variable.gib_wert(), 99999999.0);
    variable.setze_wert_str("5", true);
    EXPECT_EQ(variable.gib_wert(), 5.0);
}

}  // namespace
