// Tests of itoa: widths, the dash field, too-long numbers, the printf oracle and translated message pieces.
#include "kern_hilfe.h"

#include "zahlen.h"

#include <climits>

namespace {

using Itoa = kern::MitEmpfaenger;

TEST_F(Itoa, FaelleMitWarnungen)
{
    const auto bereich = [](const char* b) {
        return "Breiteangabe breite=" + std::string(b) + " nicht im erlaubten Bereich: 0<=breite<100.";
    };
    const struct {
        int zahl;
        int breite;
        std::string erwartet;
        std::vector<std::string> warnungen;
    } faelle[] = {
        {42, 5, "   42", {}},
        {5, 0, "5", {}},
        {123456, 3, "123456", {"Ausgabe einer Zahl (123456) uebersteigt angegebene Breite (3)"}},
        {123456, 6, "123456", {}},
        {123456, 0, "123456", {}},
        {-12345, 5, "-12345", {"Ausgabe einer Zahl (-12345) uebersteigt angegebene Breite (5)"}},
        {5, 100, "*", {bereich("100")}},
        {5, -1, "*", {bereich("-1")}},
        {5, 99999999, "*", {bereich("99999999")}},  // the width in the message is no dash field
        {99999999, 4, "   -", {}},
        {99999999, 2, " -", {}},
        {99999999, 1, "-", {}},
        {99999999, 0, "-", {}},
        {99999999, 100, "*", {bereich("100")}},
        {99999998, 0, "99999998", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "itoa(" << f.zahl << ", " << f.breite << ")");
        EXPECT_EQ(itoa(f.zahl, f.breite), f.erwartet);
        empfaenger.erwarte_warnungen("itoa", f.warnungen);
        // The second signed entry behaves exactly alike.
        EXPECT_EQ(itoa(static_cast<long>(f.zahl), f.breite), f.erwartet);
        empfaenger.erwarte_warnungen("itoa", f.warnungen);
    }
}

TEST_F(Itoa, StimmtMitPrintfUeberein)
{
    for (int breite = 0; breite < 100; ++breite) {
        const std::string muster = "%" + std::to_string(breite);
        for (int zahl : {0, -1, 9, -10, 123456789, INT_MAX, INT_MIN}) {
            SCOPED_TRACE(::testing::Message() << "itoa(" << zahl << ", " << breite << ")");
            EXPECT_EQ(itoa(zahl, breite), kern::printf_text(muster + "i", zahl));
            EXPECT_EQ(itoa(static_cast<long>(zahl), breite), kern::printf_text(muster + "i", zahl));
        }
        EXPECT_EQ(itoa(3000000000u, breite), kern::printf_text(muster + "u", 3000000000u)) << breite;
    }
}

TEST_F(Itoa, OhneVorzeichen)
{
    EXPECT_EQ(itoa(99999999u, 3), "  -");
    EXPECT_EQ(itoa(4294967295u, 10), "4294967295");
    EXPECT_TRUE(empfaenger.meldungen.empty());
    EXPECT_EQ(itoa(4294967295u, 9), "4294967295");
    empfaenger.erwarte_warnungen("itoa", {"Ausgabe einer Zahl (4294967295) uebersteigt angegebene Breite (9)"});
    EXPECT_EQ(itoa(1u, 100), "*");
    empfaenger.erwarte_warnungen("itoa", {"Breiteangabe breite=100 nicht im erlaubten Bereich: 0<=breite<100."});
}

// Every fixed piece of a message is translated before the pieces are joined.
TEST_F(Itoa, MeldungsstueckeWerdenUebersetzt)
{
    i18n().setze_eintrag("Ausgabe einer Zahl (%1) uebersteigt angegebene Breite (%2)", "Zahl %1 breiter als %2");
    i18n().setze_eintrag("< innerhalb von >", "< in >");
    i18n().setze_eintrag("Bei Fixkommadarstellung Ausgabe der Zahl >", "Fix >");
    i18n().setze_eintrag("Zahl kann nicht dargestellt werden", "Zu gross");
    i18n().setze_eintrag("Buchstabe bei Umwandlung von string in double: %1", "Buchstabe: %1");
    EXPECT_EQ(itoa(1000, 2), "1000");
    empfaenger.erwarte_warnungen("itoa", {"Zahl 1000 breiter als 2"});
    EXPECT_EQ(dtoa(123456.0, 5, 0, 2), "*****");
    empfaenger.erwarte_warnungen("dtoa", {"Fix >123456.< in >5< Zeichen Breite nicht moeglich!"});
    EXPECT_EQ(ftoa(1e51, 3, 2, 2, 0.0), "***");
    empfaenger.erwarte_warnungen("ftoa", {"Zu gross"});
    EXPECT_EQ(string_zu_double("x"), 99999999.0);
    empfaenger.erwarte_warnungen("string_zu_double", {"Buchstabe: x"});
}

}  // namespace
