// Tests of ftoa, ftoa_getrimmt and nachkommastellen_bedarf.
#include "kern_hilfe.h"

#include "zahlen.h"

#include <cfloat>
#include <climits>
#include <limits>

namespace {

using Ftoa = kern::MitEmpfaenger;

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

std::string bereich(int gesamtstellen)
{
    return "Gesamtstellenangabe gesamtstellen=" + std::to_string(gesamtstellen) +
           "nicht im erlaubten Bereich: 0<=gesamtstellen<100. f\xfcr Funktion ftoa(const double& zahl, const int& "
           "gesamtstellen, const int& nachkommastellen, const int& art, const double& schwellwert, const string& "
           "nullstring) in 'allg' ";
}

TEST_F(Ftoa, SonderfaelleUndBereich)
{
    const std::string zu_gross = "Zahl kann nicht dargestellt werden";
    const struct {
        double zahl;
        int gesamtstellen, n, art;
        double schwellwert;
        std::string nullstring;
        int leer_bei_nan, leer_bei_undefiniert;
        std::string erwartet;
        std::vector<std::string> warnungen;
    } faelle[] = {
        {0.004, 8, 3, 2, 0.01, "0.0", 0, 0, "0.0", {}}, {-0.004, 8, 3, 2, 0.01, "null", 0, 0, "null", {}},
        {0.01, 8, 3, 2, 0.01, "0.0", 0, 0, "   0.010", {}}, {99999999.0, 5, 2, 2, 0.0, "", 0, 0, "    -", {}},
        {99999999.0, -7, 2, 2, 0.0, "", 0, 0, "-", {}}, {99999999.0, 5, 2, 2, 0.0, "", 0, 1, "", {}},
        {99999999.0, 5, 2, 2, 0.0, "", 0, 2, "    -", {}},
        {99999999.0, 150, 2, 2, 0.0, "", 0, 0, std::string(149, ' ') + "-", {}}, {NaN, 6, 2, 2, 0.0, "", 0, 0, "   nan", {}},
        {NaN, 2, 2, 2, 0.0, "", 0, 0, "nan", {}}, {-Inf, 3, 2, 1, 0.0, "", 0, 0, "nan", {}},
        {Inf, -5, 2, 1, 0.0, "", 0, 0, "nan", {}}, {NaN, 6, 2, 2, 0.0, "", 1, 0, "", {}},
        {NaN, 150, 2, 2, 0.0, "", 0, 0, std::string(147, ' ') + "nan", {}},
        {Inf, 100, 2, 0, 0.0, "", 0, 0, std::string(97, ' ') + "nan", {}},
        {99.5, 3, 2, 0, 0.0, "", 0, 0, "1.0E+02", {}}, {9.9996, 0, 4, 7, 0.0, "", 0, 0, "10.00", {}},
        {-0.00009999999, 0, 4, 0, 0.0, "", 0, 0, "-0.0001000", {}}, {0.0, 4, 0, 0, 0.0, "", 0, 0, "  0.", {}},
        {NaN, 99, 2, 2, 0.0, "", 0, 0, std::string(96, ' ') + "nan", {}},
        {NaN, 4, 2, 2, 1e300, "0.0", 0, 0, " nan", {}},  // NaN is never below the threshold
        {1.5, 100, 2, 2, 0.0, "", 0, 0, "*", {bereich(100)}}, {1.5, -1, 2, 2, 0.0, "", 0, 0, "*", {bereich(-1)}},
        {1e51, 10, 2, 2, 0.0, "", 0, 0, "**********", {zu_gross}},
        {-1e51, 30, 2, 2, 0.0, "", 0, 0, "*********************", {zu_gross}},
        {1e51, 0, 2, 2, 0.0, "", 0, 0, "", {zu_gross}},
        {1e50, 10, 0, 2, 0.0, "", 0, 0, kern::printf_text("%#10.0f", 1e50), {}},
        {1e51, 10, 2, 1, 0.0, "", 0, 0, "  1.00E+51", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "ftoa(" << f.zahl << ", " << f.gesamtstellen << ", " << f.n << ", "
                                          << f.art << ", " << f.schwellwert << ", \"" << f.nullstring << "\", "
                                          << f.leer_bei_nan << ", " << f.leer_bei_undefiniert << ")");
        EXPECT_EQ(ftoa(f.zahl, f.gesamtstellen, f.n, f.art, f.schwellwert, f.nullstring, f.leer_bei_nan,
                       f.leer_bei_undefiniert),
                  f.erwartet);
        empfaenger.erwarte_warnungen("ftoa", f.warnungen);
    }
}

TEST_F(Ftoa, StimmtMitPrintfUeberein)
{
    for (double zahl : {0.0, -0.0, 1.5, -1.5, 3.14159265, 1e-7, 123456.789, -9.999e20, DBL_MAX, 5e-324}) {
        for (const auto& [art, konversion] : {std::pair<int, char>{1, 'E'}, {2, 'f'}, {0, 'G'}, {7, 'G'}}) {
            if (art == 2 && zahl > 1e50)
                continue;
            for (int g : {0, 1, 12, 99}) {
                for (int n : {0, 1, 6, 30}) {
                    SCOPED_TRACE(::testing::Message() << zahl << " g=" << g << " n=" << n << " art=" << art);
                    const std::string muster = "%#" + std::to_string(g) + "." + std::to_string(n) + konversion;
                    EXPECT_EQ(ftoa(zahl, g, n, art, 0.0), kern::printf_text(muster, zahl).substr(0, 399));
                }
            }
            // A negative precision is left out of the pattern.
            EXPECT_EQ(ftoa(zahl, 8, -3, art, 0.0), kern::printf_text("%#8" + std::string(1, konversion), zahl));
        }
    }
    EXPECT_EQ(ftoa(DBL_MAX, 0, INT_MAX, 0, 0.0).size(), 399u);
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

TEST_F(Ftoa, NullTextWirdZuKommaNurBeimKomma)
{
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.0"), "0,0");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.00"), "0.00");
    EXPECT_EQ(ftoa(2.5, 10, 2, 1, 0.0), "  2,50E+00");
    setze_dezimaltrennzeichen_text(";");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.0"), "0.0");
    EXPECT_EQ(ftoa(2.5, 6, 2, 2, 0.0), "  2;50");
}

TEST_F(Ftoa, GetrimmtNimmtNurDieNoetigenNachkommastellen)
{
    const struct {
        double zahl;
        int gesamtstellen, n, art;
        bool ungetrimmt;
        int leer_bei_nan, leer_bei_undefiniert;
        const char* erwartet;
    } faelle[] = {
        {2.5, 10, 4, 2, false, 0, 0, "2.5"},       {2.5, 10, 4, 2, true, 0, 0, "       2.5"},
        {2.0, 10, 4, 2, false, 0, 0, "2."},        {0.125, 10, 2, 2, false, 0, 0, "0.12"},
        {-1.75, 8, 12, 2, false, 0, 0, "-1.75"},   {2.5, 12, 3, 1, false, 0, 0, "2.500E+00"},
        {2.5, 12, 3, 0, false, 0, 0, "2.50"},      {99999999.0, 6, 2, 2, false, 0, 0, "-"},
        {NaN, 6, 2, 2, false, 0, 0, "nan"},        {0.0, 5, 3, 2, false, 0, 0, "0."},
        {NaN, 6, 2, 2, false, 1, 0, ""},           {99999999.0, 6, 2, 2, false, 0, 1, ""},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "ftoa_getrimmt(" << f.zahl << ", " << f.gesamtstellen << ", " << f.n
                                          << ", " << f.art << ", " << f.ungetrimmt << ", " << f.leer_bei_nan << ", "
                                          << f.leer_bei_undefiniert << ")");
        EXPECT_EQ(ftoa_getrimmt(f.zahl, f.gesamtstellen, f.n, f.art, f.ungetrimmt, f.leer_bei_nan,
                                f.leer_bei_undefiniert),
                  f.erwartet);
    }
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

TEST(NachkommastellenBedarf, KleinstesKBis12)
{
    const std::pair<double, int> faelle[] = {{0.0, 0},    {2.0, 0},    {-3.0, 0},        {1e300, 0},  {2.5, 1},
                                             {0.1, 1},    {-0.75, 2},  {0.125, 3},       {123.456, 3}, {1e-12, 12},
                                             {1e-13, 12}, {1.0 / 3, 12}, {NaN, 12},      {Inf, 12}};
    for (const auto& [x, erwartet] : faelle)
        EXPECT_EQ(nachkommastellen_bedarf(x), erwartet) << x;
}

}  // namespace
