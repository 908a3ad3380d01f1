// Tests of ftoa, ftoa_getrimmt and nachkommastellen_bedarf.
#include "zahlen.h"
#include "zahlen_testhilfe.h"

#include <cfloat>
#include <cmath>
#include <climits>
#include <limits>

using namespace zahlentest;

namespace {

class Ftoa : public ZahlenTest {};

const double NaN = std::numeric_limits<double>::quiet_NaN();
const double Inf = std::numeric_limits<double>::infinity();

std::string bereich_msg(int gesamtstellen)
{
    return "Gesamtstellenangabe gesamtstellen=" + std::to_string(gesamtstellen) +
           "nicht im erlaubten Bereich: 0<=gesamtstellen<100. f\xfcr Funktion ftoa(const double& zahl, const int& "
           "gesamtstellen, const int& nachkommastellen, const int& art, const double& schwellwert, const string& "
           "nullstring) in 'allg' ";
}

struct Fall {
    double zahl;
    int gesamtstellen;
    int n;
    int art;
    double schwellwert;
    std::string nullstring;
    int leer_bei_nan;
    int leer_bei_undefiniert;
    std::string erwartet;
    std::vector<std::string> warnungen;
};

std::ostream& operator<<(std::ostream& os, const Fall& f)
{
    return os << "ftoa(" << f.zahl << ", " << f.gesamtstellen << ", " << f.n << ", " << f.art << ", "
              << f.schwellwert << ", \"" << f.nullstring << "\", " << f.leer_bei_nan << ", "
              << f.leer_bei_undefiniert << ")";
}

TEST_F(Ftoa, SonderfaelleUndBereich)
{
    const Fall faelle[] = {
        {0.004, 8, 3, 2, 0.01, "0.0", 0, 0, "0.0", {}},
        {-0.004, 8, 3, 2, 0.01, "null", 0, 0, "null", {}},
        {0.004, 8, 3, 2, 0.01, "", 0, 0, "", {}},
        {0.01, 8, 3, 2, 0.01, "0.0", 0, 0, "   0.010", {}},
        {99999999.0, 5, 2, 2, 0.0, "", 0, 0, "    -", {}},
        {99999999.0, 1, 2, 2, 0.0, "", 0, 0, "-", {}},
        {99999999.0, -7, 2, 2, 0.0, "", 0, 0, "-", {}},
        {99999999.0, 5, 2, 2, 0.0, "", 0, 1, "", {}},
        {99999999.0, 5, 2, 2, 0.0, "", 0, 2, "    -", {}},
        {99999999.0, 100, 2, 2, 0.0, "", 0, 0, "*", {bereich_msg(100)}},
        {NaN, 6, 2, 2, 0.0, "", 0, 0, "   nan", {}},
        {NaN, 2, 2, 2, 0.0, "", 0, 0, "nan", {}},
        {-Inf, 3, 2, 1, 0.0, "", 0, 0, "nan", {}},
        {Inf, -5, 2, 1, 0.0, "", 0, 0, "nan", {}},
        {NaN, INT_MIN, 2, 1, 0.0, "", 0, 0, "nan", {}},
        {NaN, 6, 2, 2, 0.0, "", 1, 0, "", {}},
        {NaN, 150, 2, 2, 0.0, "", 0, 0, "*", {bereich_msg(150)}},
        {NaN, 99, 2, 2, 0.0, "", 0, 0, std::string(96, ' ') + "nan", {}},
        // NaN is never below the threshold.
        {NaN, 4, 2, 2, 1e300, "0.0", 0, 0, " nan", {}},
        {1.5, 100, 2, 2, 0.0, "", 0, 0, "*", {bereich_msg(100)}},
        {1.5, -1, 2, 2, 0.0, "", 0, 0, "*", {bereich_msg(-1)}},
        {1.5, 99, 2, 2, 0.0, "", 0, 0, printf_text("%#99.2f", 1.5), {}},
        {1e51, 10, 2, 2, 0.0, "", 0, 0, "**********", {"Zahl kann nicht dargestellt werden"}},
        {-1e51, 30, 2, 2, 0.0, "", 0, 0, "*********************", {"Zahl kann nicht dargestellt werden"}},
        {1e51, 0, 2, 2, 0.0, "", 0, 0, "", {"Zahl kann nicht dargestellt werden"}},
        {1e50, 10, 0, 2, 0.0, "", 0, 0, printf_text("%#10.0f", 1e50), {}},
        {1e51, 10, 2, 1, 0.0, "", 0, 0, "  1.00E+51", {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::PrintToString(f));
        EXPECT_EQ(sichtbar(ftoa(f.zahl, f.gesamtstellen, f.n, f.art, f.schwellwert, f.nullstring, f.leer_bei_nan,
                                f.leer_bei_undefiniert)),
                  sichtbar(f.erwartet));
        erwarte_warnungen("ftoa", f.warnungen);
    }
}

TEST_F(Ftoa, StimmtMitPrintfUeberein)
{
    const double zahlen[] = {0.0, -0.0, 1.5, -1.5, 3.14159265, 1e-7, 123456.789, -9.999e20, DBL_MAX, 5e-324};
    const struct {
        int art;
        char konversion;
    } arten[] = {{1, 'E'}, {2, 'f'}, {0, 'G'}, {7, 'G'}};
    for (double zahl : zahlen) {
        for (const auto& a : arten) {
            if (a.art == 2 && std::fabs(zahl) > 1e50)
                continue;
            for (int g : {0, 1, 12, 99}) {
                for (int n : {0, 1, 6, 30}) {
                    SCOPED_TRACE(::testing::Message() << zahl << " g=" << g << " n=" << n << " art=" << a.art);
                    const std::string muster =
                        "%#" + std::to_string(g) + "." + std::to_string(n) + std::string(1, a.konversion);
                    const std::string erwartet = printf_text(muster, zahl).substr(0, 399);
                    EXPECT_EQ(ftoa(zahl, g, n, a.art, 0.0), erwartet);
                }
            }
            // A negative precision is left out of the pattern.
            EXPECT_EQ(ftoa(zahl, 8, -3, a.art, 0.0), printf_text("%#8" + std::string(1, a.konversion), zahl));
        }
    }
    EXPECT_EQ(ftoa(DBL_MAX, 0, INT_MAX, 0, 0.0).size(), 399u);
    erwarte_keine_warnung();
}

TEST_F(Ftoa, NullTextWirdZuKommaNurBeimKomma)
{
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.0"), "0,0");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.00"), "0.00");
    EXPECT_EQ(ftoa(2.5, 6, 2, 2, 0.0), "  2,50");
    EXPECT_EQ(ftoa(2.5, 10, 2, 1, 0.0), "  2,50E+00");
    setze_dezimaltrennzeichen_text(";");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.0"), "0.0");
    EXPECT_EQ(ftoa(2.5, 6, 2, 2, 0.0), "  2;50");
    erwarte_keine_warnung();
}

TEST_F(Ftoa, GetrimmtNimmtNurDieNoetigenNachkommastellen)
{
    const struct {
        double zahl;
        int gesamtstellen;
        int n;
        int art;
        bool ungetrimmt;
        const char* erwartet;
    } faelle[] = {
        {2.5, 10, 4, 2, false, "2.5"},
        {2.5, 10, 4, 2, true, "       2.5"},
        {2.0, 10, 4, 2, false, "2."},
        {0.125, 10, 2, 2, false, "0.12"},
        {0.125, 10, 5, 2, false, "0.125"},
        {-1.75, 8, 12, 2, false, "-1.75"},
        {2.5, 12, 3, 1, false, "2.500E+00"},
        {2.5, 12, 3, 0, false, "2.50"},
        {99999999.0, 6, 2, 2, false, "-"},
        {99999999.0, 6, 2, 2, true, "     -"},
        {NaN, 6, 2, 2, false, "nan"},
        {0.0, 5, 3, 2, false, "0."},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "ftoa_getrimmt(" << f.zahl << ", " << f.gesamtstellen << ", " << f.n
                                          << ", " << f.art << ", " << f.ungetrimmt << ")");
        EXPECT_EQ(ftoa_getrimmt(f.zahl, f.gesamtstellen, f.n, f.art, f.ungetrimmt), f.erwartet);
    }
    EXPECT_EQ(ftoa_getrimmt(NaN, 6, 2, 2, false, 1), "");
    EXPECT_EQ(ftoa_getrimmt(99999999.0, 6, 2, 2, false, 0, 1), "");
    erwarte_keine_warnung();
}

TEST_F(Ftoa, NachkommastellenBedarf)
{
    const struct {
        double x;
        int erwartet;
    } faelle[] = {
        {0.0, 0},  {2.0, 0},   {-3.0, 0},  {1e300, 0}, {2.5, 1},   {0.1, 1},          {-0.75, 2},
        {0.125, 3}, {1e-12, 12}, {1e-13, 12}, {1.0 / 3.0, 12}, {NaN, 12}, {Inf, 12}, {123.456, 3},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "nachkommastellen_bedarf(" << f.x << ")");
        EXPECT_EQ(nachkommastellen_bedarf(f.x), f.erwartet);
    }
}

}  // namespace
