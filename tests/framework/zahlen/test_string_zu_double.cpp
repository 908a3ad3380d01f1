// Tests of string_zu_double, of CString's numeric arg and of both under a comma locale.
#include "cstring.h"
#include "zahlen.h"
#include "zahlen_testhilfe.h"

#include <QProcess>
#include <QTemporaryDir>

#include <cmath>
#include <cstdlib>
#include <limits>

using namespace zahlentest;

namespace {

class StringZuDouble : public ZahlenTest {};

const double FEHLT = 99999999.0;

struct Fall {
    const char* trennzeichen;
    std::string text;
    double erwartet;  // FEHLT for bad text
    bool gut;
};

std::ostream& operator<<(std::ostream& os, const Fall& f)
{
    return os << "string_zu_double(\"" << f.text << "\") with separator \"" << f.trennzeichen << "\"";
}

TEST_F(StringZuDouble, Tabelle)
{
    const Fall faelle[] = {
        {".", "1.5", 1.5, true},
        {".", "  -2.25 ", -2.25, true},
        {".", "- 5", -5.0, true},
        {".", "1 000 000", 1e6, true},
        {".", "3.5\r", 3.5, true},
        {".", "3.5 \r \r", 3.5, true},
        {".", "1e3", 1000.0, true},
        {".", "+7", 7.0, true},
        {".", ".5", 0.5, true},
        {".", "-.5", -0.5, true},
        {".", ".", 0.0, true},
        {".", "-.", 0.0, true},
        {".", " - . ", 0.0, true},
        {".", "99999999", FEHLT, true},
        {".", "1e999", std::numeric_limits<double>::infinity(), true},
        {",", "1,5", 1.5, true},
        {",", " 2,25 ", 2.25, true},
        {",", "1.5", 1.5, true},
        {",", "-,5", -0.5, true},
        {",", ",", 0.0, true},
        {".", "", FEHLT, true},
        {".", "   ", FEHLT, true},
        {".", "\r", FEHLT, true},
        {".", "12a", FEHLT, false},
        {".", "-", FEHLT, false},
        {".", "+.", FEHLT, false},
        {".", "1,5", FEHLT, false},
        {".", "1.5.3", FEHLT, false},
        {",", "1,5,3", FEHLT, false},
        {".", "abc", FEHLT, false},
        {".", std::string("1\0" "2", 3), FEHLT, false},
        {".", "5\t", FEHLT, false},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(::testing::PrintToString(f));
        setze_dezimaltrennzeichen_text(f.trennzeichen);

        bool ok = !f.gut;
        EXPECT_EQ(string_zu_double(f.text, &ok), f.erwartet);
        EXPECT_EQ(ok, f.gut);
        erwarte_keine_warnung();

        EXPECT_EQ(string_zu_double(f.text), f.erwartet);
        if (f.gut)
            erwarte_keine_warnung();
        else
            erwarte_warnungen("string_zu_double", {"Buchstabe bei Umwandlung von string in double: " + f.text});
    }
}

TEST_F(StringZuDouble, NegativeNullBleibtNegativ)
{
    EXPECT_TRUE(std::signbit(string_zu_double("-0.0")));
}

TEST_F(StringZuDouble, RundreiseMitDtoa)
{
    for (const char* trennzeichen : {".", ","}) {
        setze_dezimaltrennzeichen_text(trennzeichen);
        for (double zahl : {0.0, 1.5, -2.25, 1234.5, 1e-5, -9.75e10}) {
            SCOPED_TRACE(::testing::Message() << zahl << " separator " << trennzeichen);
            EXPECT_EQ(string_zu_double(dtoa(zahl, 20, 6, 2)), std::stod(printf_text("%.6f", zahl)));
        }
        // Exponent 0 shortens to a bare "E+", which reads as no number; the
        // others come back.
        for (double zahl : {1234.5, 1e-5, -9.75e10}) {
            SCOPED_TRACE(::testing::Message() << zahl << " separator " << trennzeichen);
            EXPECT_DOUBLE_EQ(string_zu_double(dtoa(zahl, 14, -1, 1)), zahl);
        }
    }
    erwarte_keine_warnung();
}

class CStringZahlen : public ZahlenTest {};

TEST_F(CStringZahlen, ArgFormatiertUeberDieZahlenfunktionen)
{
    EXPECT_EQ(CString("a %1 b").arg(42).str(), "a 42 b");
    EXPECT_EQ(CString("a %1 b").arg(-7).str(), "a -7 b");
    EXPECT_EQ(CString("a %1 b").arg(99999999).str(), "a - b");
    EXPECT_EQ(CString("%2/%1").arg(1u).arg(4000000000u).str(), "4000000000/1");
    EXPECT_EQ(CString("x=%1").arg(2.5).str(), "x=2.500000");
    EXPECT_EQ(CString("x=%1").arg(-1e-5).str(), "x=-1.000000E-05");
    EXPECT_EQ(CString("x=%1").arg(std::numeric_limits<double>::quiet_NaN()).str(), "x=nan");
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(CString("x=%1").arg(2.5).str(), "x=2,500000");
    erwarte_keine_warnung();
}

// Qt sets LC_NUMERIC from the environment on Unix; printf and strtod then use
// the locale's comma. Compiles a German locale into a temporary folder (the
// machine need not have one installed) and checks that nothing changes.
class KommaLocale : public ZahlenTest {
protected:
    static void SetUpTestSuite()
    {
        s_verzeichnis = new QTemporaryDir();
        const int rc = QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8",
                                                       s_verzeichnis->filePath("de_DE.UTF-8")});
        s_vorhanden = rc == 0 || rc == 1;  // 1: made with warnings
    }
    static void TearDownTestSuite()
    {
        unsetenv("LOCPATH");
        delete s_verzeichnis;
        s_verzeichnis = nullptr;
    }
    void SetUp() override
    {
        ZahlenTest::SetUp();
        if (!s_vorhanden)
            GTEST_SKIP() << "localedef could not make de_DE";
        setenv("LOCPATH", s_verzeichnis->path().toLocal8Bit().constData(), 1);
        if (std::setlocale(LC_NUMERIC, "de_DE.UTF-8") == nullptr)
            GTEST_SKIP() << "de_DE could not be loaded";
        ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    }

    static QTemporaryDir* s_verzeichnis;
    static bool s_vorhanden;
};

QTemporaryDir* KommaLocale::s_verzeichnis = nullptr;
bool KommaLocale::s_vorhanden = false;

TEST_F(KommaLocale, FormatierungBleibtBeimPunkt)
{
    EXPECT_EQ(dtoa(2.5, 6, 2, 2), "2.50  ");
    EXPECT_EQ(dtoa(-0.25, 4, 2, 2), "-.25");
    EXPECT_EQ(dtoa(150000.0, 6, 2, 1), "1.50E5");
    EXPECT_EQ(ftoa(2.5, 6, 2, 2, 0.0), "  2.50");
    setze_dezimaltrennzeichen_text(";");
    EXPECT_EQ(dtoa(2.5, 6, 2, 2), "2;50  ");
    EXPECT_EQ(ftoa(2.5, 0, 2, 0, 0.0), "2;5");
    EXPECT_EQ(dtoa(123456.0, 5, 0, 2), "*****");
    erwarte_warnungen("dtoa", {"Bei Fixkommadarstellung Ausgabe der Zahl >123456.< innerhalb von >5< Zeichen "
                               "Breite nicht moeglich!"});
}

TEST_F(KommaLocale, LesenNimmtNurDenPunktUndDasTrennzeichen)
{
    EXPECT_EQ(string_zu_double("1.5"), 1.5);
    bool ok = true;
    EXPECT_EQ(string_zu_double("1,5", &ok), FEHLT);
    EXPECT_FALSE(ok);
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(string_zu_double("1,5"), 1.5);
    erwarte_keine_warnung();
}

}  // namespace
