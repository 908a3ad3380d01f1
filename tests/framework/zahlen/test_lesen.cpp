// string_zu_double, CString's numeric arg, and both directions under a comma locale.
#include "kern_hilfe.h"

#include "cstring.h"
#include "steuervariable.h"
#include "zahlen.h"

#include <QProcess>

#include <cmath>

namespace {

const double fehlt = 99999999.0;

using StringZuDouble = kern::MitEmpfaenger;

TEST_F(StringZuDouble, Tabelle)
{
    const struct { const char* trennzeichen; std::string text; double erwartet; bool gut; } faelle[] = {
        {".", "1.5", 1.5, true},       {".", "  -2.25 ", -2.25, true}, {".", "- 5", -5.0, true},   {".", "1 000 000", 1e6, true},
        {".", "3.5 \r \r", 3.5, true}, {".", "1e3", 1000.0, true},     {".", "+7", 7.0, true},     {".", "-.5", -0.5, true},
        {".", ".", 0.0, true},         {".", " - . ", 0.0, true},      {",", "1,5", 1.5, true},    {",", " 2,25 ", 2.25, true},
        {",", "1.5", 1.5, true},       {",", ",", 0.0, true},          {".", "", fehlt, true},     {".", "   ", fehlt, true},
        {".", "\r", fehlt, true},      {".", "12a", fehlt, false},     {".", "-", fehlt, false},   {".", "+.", fehlt, false},
        {".", "1,5", fehlt, false},    {".", "1.5.3", fehlt, false},   {",", "1,5,3", fehlt, false},
        {".", std::string("1\0" "2", 3), fehlt, false},                {".", "5\t", fehlt, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE("string_zu_double(\"" + f.text + "\") with separator " + f.trennzeichen);
        setze_dezimaltrennzeichen_text(f.trennzeichen);
        bool ok = !f.gut;
        EXPECT_EQ(string_zu_double(f.text, &ok), f.erwartet);
        EXPECT_EQ(ok, f.gut);
        EXPECT_TRUE(empfaenger.meldungen.empty());
        EXPECT_EQ(string_zu_double(f.text), f.erwartet);
        empfaenger.erwarte_warnungen("string_zu_double", f.gut ? kern::Texte{} : kern::Texte{"Buchstabe bei Umwandlung von string in double: " + f.text});
    }
    EXPECT_TRUE(std::signbit(string_zu_double("-0.0")));
    i18n().setze_eintrag("Buchstabe bei Umwandlung von string in double: %1", "Buchstabe: %1");
    EXPECT_EQ(string_zu_double("x"), fehlt);
    empfaenger.erwarte_warnungen("string_zu_double", {"Buchstabe: x"});
}

TEST_F(StringZuDouble, CStringArgFormatiertUeberDieZahlenfunktionen)
{
    EXPECT_EQ(CString("a %1 b").arg(99999999).str(), "a - b");
    EXPECT_EQ(CString("%2/%1").arg(1u).arg(4000000000u).str(), "4000000000/1");
    EXPECT_EQ(CString("x=%1").arg(-1e-5).str(), "x=-1.000000E-05");
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(CString("x=%1").arg(2.5).str(), "x=2,500000");
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

// Qt sets LC_NUMERIC from the environment on Unix; printf and strtod then use the locale's comma. Compiles a
// German locale into a temporary folder (the machine need not have one installed) and checks that nothing changes.
class KommaGebietsschema : public kern::MitEmpfaenger {
protected:
    void SetUp() override
    {
        MitEmpfaenger::SetUp();
        const int rc = QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", m_verzeichnis.filePath("de")});
        if (rc != 0 && rc != 1)  // 1: made with warnings
            GTEST_SKIP() << "localedef could not make de_DE";
        ::setenv("LOCPATH", m_verzeichnis.path().toLocal8Bit().constData(), 1);
        const bool geladen = std::setlocale(LC_NUMERIC, "de") != nullptr;
        ::unsetenv("LOCPATH");
        if (!geladen)
            GTEST_SKIP() << "de_DE could not be loaded";
        ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    }
};

TEST_F(KommaGebietsschema, FormatierungUndLesenBleibenBeimPunkt)
{
    EXPECT_EQ(dtoa(-0.25, 4, 2, 2), "-.25");
    EXPECT_EQ(dtoa(150000.0, 6, 2, 1), "1.50E5");
    EXPECT_EQ(ftoa(2.5, 6, 2, 2, 0.0), "  2.50");
    EXPECT_EQ(ftoa(99.5, 0, 2, 0, 0.0), "1.0E+02");
    EXPECT_EQ(string_zu_double("1.5"), 1.5);
    bool ok = true;
    EXPECT_EQ(string_zu_double("1,5", &ok), fehlt);
    EXPECT_FALSE(ok);
    CVariableSteuer<double> variable("/Test/d");
    variable.setze_wert_str("2.5", false);
    EXPECT_EQ(variable.gib_wert(), 2.5);
    EXPECT_EQ(dtoa(123456.0, 5, 0, 2), "*****");
    empfaenger.erwarte_warnungen("dtoa", {"Bei Fixkommadarstellung Ausgabe der Zahl >123456.< innerhalb von >5< "
                                          "Zeichen Breite nicht moeglich!"});
    setze_dezimaltrennzeichen_text(";");
    EXPECT_EQ(dtoa(2.5, 6, 2, 2), "2;50  ");
    EXPECT_EQ(string_zu_double("1;5"), 1.5);
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

}  // namespace
