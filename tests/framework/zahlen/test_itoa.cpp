// Tests of itoa: widths, the dash field, too-long numbers and the printf oracle.
#include "zahlen.h"
#include "zahlen_testhilfe.h"

#include <climits>

using namespace zahlentest;

namespace {

class Itoa : public ZahlenTest {};

struct Fall {
    int zahl;
    int breite;
    std::string erwartet;
    std::vector<std::string> warnungen;
};

std::ostream& operator<<(std::ostream& os, const Fall& f)
{
    return os << "itoa(" << f.zahl << ", " << f.breite << ")";
}

TEST_F(Itoa, FaelleMitWarnungen)
{
    const std::string zu_lang = "Ausgabe einer Zahl (123456) uebersteigt angegebene Breite (3)";
    const Fall faelle[] = {
        {42, 5, "   42", {}},
        {-42, 5, "  -42", {}},
        {5, 0, "5", {}},
        {-5, 0, "-5", {}},
        {123456, 3, "123456", {zu_lang}},
        {123456, 6, "123456", {}},
        {123456, 0, "123456", {}},
        {-12345, 6, "-12345", {}},
        {-12345, 5, "-12345", {"Ausgabe einer Zahl (-12345) uebersteigt angegebene Breite (5)"}},
        {7, 99, std::string(98, ' ') + "7", {}},
        {5, 100, "*", {"Breiteangabe breite=100 nicht im erlaubten Bereich: 0<=breite<100."}},
        {5, -1, "*", {"Breiteangabe breite=-1 nicht im erlaubten Bereich: 0<=breite<100."}},
        {5, INT_MIN, "*", {"Breiteangabe breite=-2147483648 nicht im erlaubten Bereich: 0<=breite<100."}},
        {5, 99999999, "*", {"Breiteangabe breite=99999999 nicht im erlaubten Bereich: 0<=breite<100."}},
        {99999999, 4, "   -", {}},
        {99999999, 2, " -", {}},
        {99999999, 1, "-", {}},
        {99999999, 0, "-", {}},
        {99999999, 100, "*", {"Breiteangabe breite=100 nicht im erlaubten Bereich: 0<=breite<100."}},
        {99999998, 0, "99999998", {}},
        {INT_MIN, 0, "-2147483648", {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::PrintToString(f));
        EXPECT_EQ(itoa(f.zahl, f.breite), f.erwartet);
        erwarte_warnungen("itoa", f.warnungen);
    }
}

TEST_F(Itoa, StimmtMitPrintfUeberein)
{
    const int zahlen[] = {0, 1, -1, 9, 10, -10, 42, 99999, 123456789, INT_MAX, INT_MIN, 99999999 - 1};
    for (int breite = 0; breite < 100; ++breite) {
        for (int zahl : zahlen) {
            SCOPED_TRACE(::testing::Message() << "itoa(" << zahl << ", " << breite << ")");
            EXPECT_EQ(itoa(zahl, breite), printf_text("%" + std::to_string(breite) + "i", zahl));
        }
    }
    meldungen().clear();
}

TEST_F(Itoa, ZweiteVorzeichenbehafteteFormVerhaeltSichGleich)
{
    const int zahlen[] = {0, -7, 42, 99999999, 123456, INT_MIN, INT_MAX};
    const int breiten[] = {0, 1, 3, 4, 11, 99, 100, -1};
    for (int zahl : zahlen) {
        for (int breite : breiten) {
            SCOPED_TRACE(::testing::Message() << "itoa(" << zahl << "L, " << breite << ")");
            const std::string als_int = itoa(zahl, breite);
            const auto warnungen_int = meldungen().size();
            EXPECT_EQ(itoa(static_cast<long>(zahl), breite), als_int);
            EXPECT_EQ(meldungen().size(), 2 * warnungen_int);
            meldungen().clear();
        }
    }
}

TEST_F(Itoa, OhneVorzeichen)
{
    EXPECT_EQ(itoa(42u, 5), "   42");
    EXPECT_EQ(itoa(4294967295u, 0), "4294967295");
    EXPECT_EQ(itoa(4294967295u, 10), "4294967295");
    erwarte_keine_warnung();
    EXPECT_EQ(itoa(99999999u, 3), "  -");
    EXPECT_EQ(itoa(99999999u, 0), "-");
    EXPECT_EQ(itoa(4294967295u, 9), "4294967295");
    erwarte_warnungen("itoa", {"Ausgabe einer Zahl (4294967295) uebersteigt angegebene Breite (9)"});
    EXPECT_EQ(itoa(1u, 100), "*");
    erwarte_warnungen("itoa", {"Breiteangabe breite=100 nicht im erlaubten Bereich: 0<=breite<100."});
    for (int breite = 0; breite < 100; breite += 7) {
        SCOPED_TRACE(breite);
        EXPECT_EQ(itoa(3000000000u, breite), printf_text("%" + std::to_string(breite) + "u", 3000000000u));
    }
    meldungen().clear();
}

TEST_F(Itoa, MeldungstexteWerdenStueckweiseUebersetzt)
{
    i18n().setze_eintrag("Ausgabe einer Zahl (%1) uebersteigt angegebene Breite (%2)",
                         "Zahl %1 breiter als %2");
    EXPECT_EQ(itoa(1000, 2), "1000");
    erwarte_warnungen("itoa", {"Zahl 1000 breiter als 2"});
}

}  // namespace
