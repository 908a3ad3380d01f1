// Tests of dtoa: each notation and its fit tests, shortening, signs, separator and the printf oracle.
#include "kern_hilfe.h"

#include "zahlen.h"

#include <cfloat>
#include <climits>
#include <limits>

namespace {

const char* const EXP = "Bei Exponentialdarstellung Ausgabe der Zahl >";
const char* const FIX = "Bei Fixkommadarstellung Ausgabe der Zahl >";
const char* const VAR = "Bei variabler Kommadarstellung Ausgabe der Zahl >";
const char* const AUS = "Die Ausgabe der Zahl >";

// The two message shapes, with the number as "%#G" prints it.
std::string breite_msg(const char* praefix, const char* zahl, int breite)
{
    return praefix + (zahl + ("< innerhalb von >" + std::to_string(breite))) + "< Zeichen Breite nicht moeglich!";
}

std::string stellen_msg(const char* praefix, const char* zahl, int breite, int n)
{
    return praefix + (zahl + ("< innerhalb von >" + std::to_string(breite))) + "< Zeichen Breite und >" +
           std::to_string(n) + "< Nachkommastellen nicht moeglich!";
}

std::string null_msg(const char* zahl, int breite) { return breite_msg(EXP, zahl, breite) + " 0 wird ausgegeben."; }

struct Fall {
    double zahl;
    int breite;
    int n;
    int art;
    std::string erwartet;
    std::vector<std::string> warnungen;
};

class Dtoa : public kern::MitEmpfaenger {
protected:
    void pruefe_alle(const std::vector<Fall>& faelle)
    {
        for (const Fall& f : faelle) {
            SCOPED_TRACE(kern::printf_text("dtoa(%.17g, ", f.zahl) + std::to_string(f.breite) + ", " +
                         std::to_string(f.n) + ", " + std::to_string(f.art) + ")");
            EXPECT_EQ(dtoa(f.zahl, f.breite, f.n, f.art), f.erwartet);
            empfaenger.erwarte_warnungen("dtoa", f.warnungen);
        }
    }
};

TEST_F(Dtoa, SonderwerteUndBreitenbereich)
{
    const double inf = std::numeric_limits<double>::infinity();
    const auto bereich = [](int b) {
        return "Breiteangabe breite=" + std::to_string(b) + " nicht im erlaubten Bereich: 0<=breite<400.";
    };
    pruefe_alle({
        {inf, 10, 2, 2, "nan", {}}, {-inf, 0, 2, 1, "nan", {}},
        {std::numeric_limits<double>::quiet_NaN(), 500, 2, 0, "nan", {}}, {99999999.0, 5, 2, 2, "    -", {}},
        {99999999.0, 1, 2, 0, "-", {}}, {99999999.0, -3, 2, 0, "-", {}},
        {99999999.0, 399, 2, 0, std::string(398, ' ') + "-", {}},
        // The missing value is tested before the width.
        {99999999.0, 400, -1, 0, std::string(399, ' ') + "-", {}},
        {1.0, 400, 2, 2, "*", {bereich(400)}}, {1.0, -1, 2, 2, "*", {bereich(-1)}},
        {1.0, 399, 2, 2, "1.00" + std::string(395, ' '), {}},
    });
}

TEST_F(Dtoa, Exponentialdarstellung)
{
    pruefe_alle({
        // Enough room: exactly printf's right-aligned pattern.
        {150000.0, 10, 2, 1, "  1.50E+05", {}}, {0.00123, 8, 2, 1, "1.23E-03", {}},
        // Shortening: exponent zeros, then the "+", then a leading "0" or the point.
        {150000.0, 6, 2, 1, "1.50E5", {}}, {150000.0, 5, -1, 1, "1.5E5", {}},
        {150000.0, 3, 0, 1, "2E5", {}}, {0.00123, 7, 2, 1, "1.23E-3", {}},
        {0.5, 4, 0, 1, "5E-1", {}}, {2.5e12, 6, -1, 1, "2.5E12", {}},
        // Exponent 0 loses both zeros and keeps its "+" once the field is filled.
        {2.5, 5, 1, 1, "2.5E+", {}}, {2.5, 3, 0, 1, "2E+", {}},
        // Chosen precision by the exponent's length.
        {1.5e-12, 8, -1, 1, "1.50E-12", {}}, {0.25, 6, -1, 1, "2.5E-1", {}},
        {123456789.0, 8, -1, 1, "1.2346E8", {}}, {5.0, 3, -1, 1, "5E+", {}},
        // Fit tests: just fitting and one column short.
        {150000.0, 5, 2, 1, "*****", {stellen_msg(EXP, "150000.", 5, 2)}},
        {150000.0, 2, 0, 1, "**", {breite_msg(EXP, "150000.", 2)}},
        {2.5, 4, 1, 1, "****", {breite_msg(EXP, "2.50000", 4)}},
        {2.5, 2, 0, 1, "**", {breite_msg(EXP, "2.50000", 2)}},
        {0.00123, 6, 2, 1, "******", {stellen_msg(EXP, "0.00123000", 6, 2)}},
        // "%#G" keeps its zeros when rounding carries into a new power of ten.
        {999999.995, 8, 32, 1, "********", {stellen_msg(EXP, "1.00000E+06", 8, 32)}},
        // Too narrow for a number below 1: 0 is printed instead, with its own message.
        {0.5, 3, 0, 1, "0E+", {null_msg("0.500000", 3)}},
        {0.5, 3, 1, 1, "***", {null_msg("0.500000", 3), stellen_msg(EXP, "0.500000", 3, 1)}},
        // The exponent needs three digits: the chosen precision counts on two, so they never fit.
        {5e-324, 10, -1, 1, "**********", {breite_msg(EXP, "4.94066E-324", 10)}},
        {DBL_MAX, 11, -1, 1, "***********", {breite_msg(EXP, "1.79769E+308", 11)}}, {DBL_MAX, 9, 3, 1, "1.798E308", {}},
        // Negative numbers take one column for the sign.
        {-0.00123, 9, 2, 1, "-1.23E-03", {}}, {-0.00123, 10, 2, 1, " -1.23E-03", {}},
        {-150000.0, 6, -1, 1, "-1.5E5", {}}, {-150000.0, 6, 2, 1, "******", {stellen_msg(EXP, "-150000.", 6, 2)}},
        {-2.5, 5, 1, 1, "*****", {breite_msg(EXP, "-2.50000", 5)}},
        // Zero, with and without decimals, and negative zero.
        {0.0, 8, 2, 1, "0.00E+00", {}}, {0.0, 5, 2, 1, ".00E+", {}},
        {0.0, 4, -1, 1, ".0E+", {}}, {0.0, 2, 0, 1, "0E", {}},
        {0.0, 1, 0, 1, "*", {breite_msg(EXP, "0.00000", 1)}}, {-0.0, 10, 2, 1, "-0.00E+00 ", {}},
        {-0.0, 8, 2, 1, "0.00E+00", {}},
    });
}

TEST_F(Dtoa, Fixkommadarstellung)
{
    pruefe_alle({
        {3.14159, 8, 2, 2, "3.14    ", {}}, {3.14159, 4, 2, 2, "3.14", {}},
        {3.14159, 3, 2, 2, "***", {stellen_msg(FIX, "3.14159", 3, 2)}},
        // A whole number that cannot have its decimals gets as many as fit.
        {3.0, 3, 2, 2, "3.0", {}}, {3.0, 1, 2, 2, "3", {}},
        {3.14159, 6, -1, 2, "3.1416", {}}, {9.99999, 4, -1, 2, "10.0", {}},
        {12345.678, 5, 0, 2, "12346", {}}, {12345.678, 5, -1, 2, "12346", {}},
        {1234.5678, 5, -1, 2, "1235 ", {}}, {123456.0, 5, 0, 2, "*****", {breite_msg(FIX, "123456.", 5)}},
        {1e40, 30, 0, 2, "*********************", {breite_msg(FIX, "1.00000E+40", 30)}},
        // Rounding decides the integer digits.
        {99.4, 2, 0, 2, "99", {}}, {99.5, 2, 0, 2, "**", {breite_msg(FIX, "99.5000", 2)}},
        // Below 1: the leading zero goes when the field is short by one.
        {0.25, 3, 2, 2, ".25", {}}, {0.25, 4, 2, 2, "0.25", {}},
        {0.25, 2, 2, 2, "**", {stellen_msg(FIX, "0.250000", 2, 2)}}, {0.25, 2, -1, 2, "0 ", {}},
        {0.25, 1, -1, 2, "0", {}},
        // Negative numbers.
        {-2.5, 6, 2, 2, "-2.50 ", {}}, {-2.5, 5, 2, 2, "-2.50", {}},
        {-2.5, 4, 2, 2, "****", {stellen_msg(FIX, "-2.50000", 4, 2)}}, {-0.25, 4, 2, 2, "-.25", {}},
        {-12345.678, 5, -1, 2, "*****", {breite_msg(FIX, "-12345.7", 5)}}, {-12345.678, 6, -1, 2, "-12346", {}},
        {-1.0, 1, -1, 2, "*", {breite_msg(FIX, "-1.00000", 1)}},
        // Rounding to the chosen decimals carries into a digit there is no room for.
        {9.7, 1, -1, 2, "*", {breite_msg(VAR, "9.70000", 1)}}, {9.7, 2, -1, 2, "10", {}},
        // Zero, and negative zero, which prints its sign: cut to the field, or no room at all.
        {0.0, 5, 2, 2, "0.00 ", {}}, {0.0, 5, -1, 2, ".0000", {}},
        {0.0, 1, 3, 2, "0", {}}, {-0.0, 4, 3, 2, "-0.0", {}},
        {-0.0, 1, 0, 2, "*", {breite_msg(AUS, "-0.00000", 1)}},
    });
}

TEST_F(Dtoa, VariableDarstellungWechseltInBeideRichtungen)
{
    pruefe_alle({
        {3.14159, 8, 2, 0, "3.14    ", {}}, {0.0005, 8, -1, 0, "5.000E-4", {}},
        // Fixed does not fit: exponential, the first warning stays.
        {123456789.0, 6, -1, 0, "1.23E8", {breite_msg(FIX, "1.23457E+08", 6)}},
        {123456789.0, 2, -1, 7, "**", {breite_msg(FIX, "1.23457E+08", 2), breite_msg(EXP, "1.23457E+08", 2)}},
        // Tiny and exponential does not fit: fixed point.
        {0.0005, 4, 2, 0, "0.00", {stellen_msg(EXP, "0.000500000", 4, 2)}},
        // Replaced by 0 is no star field, so exponential stands.
        {0.0005, 2, -1, 0, "0E", {null_msg("0.000500000", 2)}},
        {0.0, 4, 1, 0, "0.0 ", {}}, {2.5, 4, 0, 0, "2   ", {}},
    });
}

TEST_F(Dtoa, TrennzeichenErsetztDenErstenPunkt)
{
    setze_dezimaltrennzeichen_text(",");
    pruefe_alle({
        {2.5, 6, 2, 2, "2,50  ", {}}, {-2.5, 6, 2, 2, "-2,50 ", {}},
        {150000.0, 10, 2, 1, "  1,50E+05", {}}, {0.25, 3, 2, 2, ",25", {}},
        {2.5, 0, -1, 0, "2,500000", {}},
        {123456.0, 5, 0, 2, "*****", {breite_msg(FIX, "123456.", 5)}},  // messages keep printf's point
    });
    setze_dezimaltrennzeichen_text("");
    EXPECT_EQ(dtoa(2.5, 4, 2, 2), "2.50");
}

// Where the rules reduce to one printf pattern, dtoa must give exactly its text.
TEST_F(Dtoa, StimmtMitPrintfUeberein)
{
    for (double betrag : {0.5, 1.0, 3.14159, 42.0, 999.999, 123456.789, 1e15, 7e-5}) {
        for (double z : {betrag, -betrag}) {
            for (int n = -1; n <= 6; ++n) {
                SCOPED_TRACE(::testing::Message() << z << " n=" << n);
                const std::string p = n < 0 ? "" : "." + std::to_string(n);
                EXPECT_EQ(dtoa(z, 0, n, 2), kern::printf_text("%-#" + p + "f", z));
                EXPECT_EQ(dtoa(z, 0, n, 1), kern::printf_text("%-#" + p + "E", z));
            }
        }
        // Plenty of room: the fixed pattern left-aligned, the exponential one right-aligned.
        for (int breite : {20, 40, 399}) {
            for (int n = 0; n <= 8; ++n) {
                SCOPED_TRACE(::testing::Message() << betrag << " breite=" << breite << " n=" << n);
                const std::string w = std::to_string(breite), p = "." + std::to_string(n);
                const std::string fix = kern::printf_text("%-" + std::string(n > 0 ? "#" : "") + w + p + "f", betrag);
                if (fix.size() == static_cast<std::size_t>(breite)) {
                    EXPECT_EQ(dtoa(betrag, breite, n, 2), fix);
                }
                EXPECT_EQ(dtoa(betrag, breite, n, 1), kern::printf_text("%#" + w + p + "E", betrag));
            }
        }
    }
    EXPECT_EQ(dtoa(1e308, 399, 0, 2), kern::printf_text("%-399.0f", 1e308));
    EXPECT_EQ(dtoa(1e308, 399, 200, 2), kern::printf_text("%-#399.89f", 1e308));
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

TEST_F(Dtoa, KeinErgebnisUeber399Zeichen)
{
    // Width 0 prints as long as needed, but never beyond the working buffer.
    EXPECT_EQ(dtoa(DBL_MAX, 0, 1000, 2), kern::printf_text("%-#.1000f", DBL_MAX).substr(0, 399));
    EXPECT_EQ(dtoa(5e-324, 0, 2000000000, 2), kern::printf_text("%-#.1100f", 5e-324).substr(0, 399));
    EXPECT_EQ(dtoa(-DBL_MIN, 0, INT_MAX, 1).size(), 399u);
    EXPECT_EQ(dtoa(5e-324, 399, -1, 2).size(), 399u);
    EXPECT_TRUE(empfaenger.meldungen.empty());
    // Extreme decimals in a narrow field give at most the field.
    for (int n : {INT_MAX, INT_MIN, 398, 399, -2}) {
        for (int art : {0, 1, 2}) {
            for (double zahl : {1.5, -1.5, 1e300, 1e-300, 0.0})
                EXPECT_LE(dtoa(zahl, 12, n, art).size(), 12u) << zahl << " n=" << n << " art=" << art;
        }
    }
}

}  // namespace
