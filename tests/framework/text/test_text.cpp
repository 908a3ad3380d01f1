// CString and CQString text, translation, and the number formatting and parsing, also under a comma locale.
#include "tests/framework/framework_hilfe.h"
#include "tests/support/precondition.h"
#include "framework/text/cqstring.h"
#include "framework/text/cstring.h"
#include "framework/variables/steuervariable.h"
#include "framework/text/zahlen.h"
#include <QProcess>
#include <cfloat>
#include <climits>
#include <cmath>
#include <iomanip>

namespace {

const double nan_wert = NAN, unendlich = INFINITY, fehlt = 99999999.0;
const char* const exp_ = "Bei Exponentialdarstellung Ausgabe der Zahl >";
const char* const fix = "Bei Fixkommadarstellung Ausgabe der Zahl >";

// The dtoa messages, with the number as "%#G" prints it; the decimals are named when n is given.
std::string breite_msg(const char* praefix, const char* zahl, int breite, int n = -1)
{
    return praefix + (zahl + ("< innerhalb von >" + std::to_string(breite))) + "< Zeichen Breite " +
           (n < 0 ? "" : "und >" + std::to_string(n) + "< Nachkommastellen ") + "nicht moeglich!";
}
std::string null_msg(const char* zahl, int breite) { return breite_msg(exp_, zahl, breite) + " 0 wird ausgegeben."; }
std::string bereich(int b, const char* grenze = "400")  // itoa's is 100
{
    return "Breiteangabe breite=" + std::to_string(b) + " nicht im erlaubten Bereich: 0<=breite<" + grenze + ".";
}

typedef MitEmpfaenger Text, Zahlen;

TEST_F(Text, ArgUndUebersetzungAusTabelleOderUebersetzer)
{
    const struct { const char* vorlage; Texte argumente; const char* erwartet; std::size_t warnungen; } faelle[] = {
        {"in Klasse %1, Methode %2: ", {"CZeit", "setze"}, "in Klasse CZeit, Methode setze: ", 0},
        {"%2 vor %1", {"erster", "zweiter"}, "zweiter vor erster", 0}, {"100%", {"a"}, "100%", 1}, {"", {"a"}, "", 1},
        {"ohne Platzhalter", {"a", "b"}, "ohne Platzhalter", 2}, {"%12", {"x"}, "x2", 0}, {"%1 %1", {"a"}, "a %1", 0},
        {"%1", {"%1", "b"}, "b", 0},  // inserted text takes part in the next scan
    };
    for (const auto& fall : faelle) {
        CString text(fall.vorlage);
        for (const std::string& a : fall.argumente)
            text.arg(a);
        EXPECT_EQ(text.str(), fall.erwartet) << fall.vorlage;
        empfaenger.erwarte_warnungen("arg()", Texte(fall.warnungen, "Argument kann nicht zugeordnet werden"));
    }
    EXPECT_EQ(CString("%1/%2[%3]").arg(ja).arg(nein).arg(fehlwert_ebool).str(), "Ja/Nein[]");
    std::ostringstream strom;
    CQString("gr\xFC\xDF").gib_aus(strom);  // Latin-1 in, UTF-8 out
    EXPECT_EQ(strom.str(), "gr\xC3\xBC\xC3\x9F");
    // The table ignores classes and contexts; a translator answers everything and gets the context key.
    for (const auto& [quelle, uebersetzung] : {std::pair{"Ja", "Yes"}, {"Nein", "No"}, {"WARNUNG: ", "WARNING: "}})
        i18n().setze_eintrag(quelle, uebersetzung);
    EXPECT_EQ(CString("%1/%2").arg(ja).arg(nein).str(), "Yes/No");
    EXPECT_EQ(uebersetze_("WARNUNG: ", CString("egal")).str(), "WARNING: ");
    struct : CUebersetzer {
        Texte aufrufe;
        void uebersetze(CString& ergebnis, const CString& text, const CString& kontext, int reserviert) override
        {
            aufrufe.push_back(text.str() + "|" + kontext.str() + "|" + std::to_string(reserviert));
            ergebnis = CString("<" + text.str() + ">");
        }
    } uebersetzer;
    i18n().setze_uebersetzer(&uebersetzer);
    EXPECT_EQ(uebersetze_("WARNUNG: ", klasse_cfehler()).str(), "<WARNUNG: >");
    EXPECT_EQ(uebersetze_("Text", CString("Kontext")).str(), "<Text>");
    EXPECT_EQ(uebersetze_("Ohne", static_cast<const CKlasse*>(nullptr)).str(), "<Ohne>");
    EXPECT_EQ(uebersetzer.aufrufe,
              (Texte{"WARNUNG: |uebersetze_CFehler|0", "Text|uebersetze_Kontext|0", "Ohne|uebersetze_|0"}));
}

TEST_F(Zahlen, Itoa)
{
    const struct { int zahl, breite; std::string erwartet; Texte warnungen = {}; } faelle[] = {
        {42, 5, "   42"}, {5, 0, "5"}, {123456, 6, "123456"}, {99999998, 0, "99999998"},
        {123456, 3, "123456", {"Ausgabe einer Zahl (123456) uebersteigt angegebene Breite (3)"}},
        {-12345, 5, "-12345", {"Ausgabe einer Zahl (-12345) uebersteigt angegebene Breite (5)"}},
        {5, 100, "*", {bereich(100, "100")}}, {5, -1, "*", {bereich(-1, "100")}}, {99999999, 4, "   -"},
        {99999999, 1, "-"}, {99999999, 0, "-"}, {99999999, 100, "*", {bereich(100, "100")}},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(itoa(f.zahl, f.breite), f.erwartet) << "itoa(" << f.zahl << ", " << f.breite << ")";
        empfaenger.erwarte_warnungen("itoa", f.warnungen);
    }
    EXPECT_EQ(itoa(99999999u, 2) + "|" + itoa(3000000000u, 11) + "|" + itoa(4294967295u, 9) + "|" + itoa(INT_MIN, 0) +
              itoa(static_cast<long>(INT_MIN), 12), " -| 3000000000|4294967295|-2147483648 -2147483648");
    empfaenger.erwarte_warnungen("itoa", {"Ausgabe einer Zahl (4294967295) uebersteigt angegebene Breite (9)"});
}

TEST_F(Zahlen, DtoaUndBeideSindIhrePrintfKonversion)
{
    const char* const var = "Bei variabler Kommadarstellung Ausgabe der Zahl >";
    const struct { double zahl; int breite, n, art; std::string erwartet; Texte warnungen = {}; } faelle[] = {
        // special values come before the width test
        {unendlich, 10, 2, 2, "nan"}, {nan_wert, 500, 2, 0, "nan"}, {99999999.0, 5, 2, 2, "    -"},
        {99999999.0, 400, -1, 0, std::string(399, ' ') + "-"}, {1.0, 400, 2, 2, "*", {bereich(400)}},
        // exponential: printf's right-aligned pattern, then shortening of exponent zeros, "+", leading "0", point
        {150000.0, 6, 2, 1, "1.50E5"}, {150000.0, 5, -1, 1, "1.5E5"}, {150000.0, 3, 0, 1, "2E5"}, {0.0, 2, 0, 1, "0E"},
        {0.00123, 7, 2, 1, "1.23E-3"}, {0.5, 4, 0, 1, "5E-1"}, {2.5, 5, 1, 1, "2.5E+"}, {DBL_MAX, 9, 3, 1, "1.798E308"},
        {2.5, 4, 1, 1, "****", {breite_msg(exp_, "2.50000", 4)}}, {0.5, 3, 0, 1, "0E+", {null_msg("0.500000", 3)}},
        {2.5, 2, 0, 1, "**", {breite_msg(exp_, "2.50000", 2)}}, {-150000.0, 6, -1, 1, "-1.5E5"},
        {0.00123, 6, 2, 1, "******", {breite_msg(exp_, "0.00123000", 6, 2)}}, {0.0, 5, 2, 1, ".00E+"},
        {0.5, 3, 1, 1, "***", {null_msg("0.500000", 3), breite_msg(exp_, "0.500000", 3, 1)}},
        {5e-324, 10, -1, 1, "**********", {breite_msg(exp_, "4.94066E-324", 10)}}, {-0.0, 8, 2, 1, "0.00E+00"},
        {-2.5, 5, 1, 1, "*****", {breite_msg(exp_, "-2.50000", 5)}},
        // fixed: left-aligned, whole numbers give up decimals; 9.995 rounds up though binary 9.99499... would fit
        {3.14159, 3, 2, 2, "***", {breite_msg(fix, "3.14159", 3, 2)}}, {3.0, 3, 2, 2, "3.0"}, {0.25, 3, 2, 2, ".25"},
        {9.99999, 4, -1, 2, "10.0"}, {1234.5678, 5, -1, 2, "1235 "}, {0.25, 2, -1, 2, "0 "}, {-0.25, 4, 2, 2, "-.25"},
        {1e40, 30, 0, 2, "*********************", {breite_msg(fix, "1.00000E+40", 30)}}, {9.7, 2, -1, 2, "10"},
        {99.5, 2, 0, 2, "**", {breite_msg(fix, "99.5000", 2)}}, {9.7, 1, -1, 2, "*", {breite_msg(var, "9.70000", 1)}},
        {9.995, 4, 2, 2, "****", {breite_msg(fix, "9.99500", 4, 2)}}, {0.0, 5, -1, 2, ".0000"}, {-0.0, 4, 3, 2, "-0.0"},
        {0.25, 2, 2, 2, "**", {breite_msg(fix, "0.250000", 2, 2)}},
        {-12345.678, 5, -1, 2, "*****", {breite_msg(fix, "-12345.7", 5)}},
        {-0.0, 1, 0, 2, "*", {breite_msg("Die Ausgabe der Zahl >", "-0.00000", 1)}},
        // variable: fixed unless tiny, the other notation when the first gives stars; its warnings stay
        {0.0005, 8, -1, 0, "5.000E-4"}, {123456789.0, 6, -1, 0, "1.23E8", {breite_msg(fix, "1.23457E+08", 6)}},
        {123456789.0, 2, -1, 7, "**", {breite_msg(fix, "1.23457E+08", 2), breite_msg(exp_, "1.23457E+08", 2)}},
        {0.0005, 4, 2, 0, "0.00", {breite_msg(exp_, "0.000500000", 4, 2)}},
        {0.0005, 2, -1, 0, "0E", {null_msg("0.000500000", 2)}},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(dtoa(f.zahl, f.breite, f.n, f.art), f.erwartet)
            << "dtoa(" << std::setprecision(17) << f.zahl << ", " << f.breite << ", " << f.n << ", " << f.art << ")";
        empfaenger.erwarte_warnungen("dtoa", f.warnungen);
    }
    // As long as needed, yet never beyond 399 characters.
    EXPECT_EQ(dtoa(5e-324, 0, 2000000000, 2), "0." + std::string(323, '0') +
              "49406564584124654417656879286822137236505980261432476442558568250067550727");
    // snprintf is the oracle: ftoa is "%#*.*" E, f or G by art; dtoa E or f in a field that holds it (see patterns).
    // Not 99.5: at two digits glibc drops the zero that "#" keeps ("1.E+02"); the Ftoa table has the C standard's.
    const double zahlen[] = {0.0, -0.0, 1.0, -2.5, 2.6, 0.125, 9.995, 99.4, 9.9996, 123456.0, 1234567.0, -98765.4321,
                             1.0 / 3, -0.00009999999, 0.0000123, 1e50, 1e51, -1e-300, 5e-324, DBL_MAX, nan_wert};
    const auto drucke = [](const char* muster, int breite, int n, double z) {
        char text[512];
        return std::string(text, static_cast<std::size_t>(std::snprintf(text, sizeof text, muster, breite, n, z)));
    };
    int verglichen = 0;
    const auto pruefe = [&](double z, int art, int n, int breite) {
        const bool exp = art == 1 || (art != 2 && z != 0.0 && std::fabs(z) < 0.001), punkt = n > 0 || breite == 0;
        const auto d = exp && z != 0.0 ? "%#*.*E" : exp ? (punkt ? "%-#*.*E" : "%-*.*E") : punkt ? "%-#*.*f" : "%-*.*f";
        if (breite < 0)  // the field that printf's own output fills exactly
            breite = static_cast<int>(drucke(d, 0, n, z).size());
        SCOPED_TRACE(testing::Message() << std::setprecision(17) << z << ", " << breite << ", " << n << ", " << art);
        const std::string f = drucke(art == 1 ? "%#*.*E" : art == 2 ? "%#*.*f" : "%#*.*G", breite, n, z);
        // NaN is "nan" in every notation and before the width test; printf writes "NAN" for E and G.
        if (std::isnan(z) ? art == 2 : breite < 100 && (art != 2 || std::fabs(z) <= 1e50)) {
            EXPECT_EQ(ftoa(z, breite, n, art, 0.0), f) << "ftoa";
            ++verglichen;
        }
        if (std::isfinite(z) && (breite == 0 || (n >= 0 && drucke(d, 0, n, z).size() <= std::size_t(breite)))) {
            EXPECT_EQ(dtoa(z, breite, n, art), drucke(d, breite, n, z)) << "dtoa";
            ++verglichen;
        }
    };
    for (const double z : zahlen)
        for (const int art : {1, 2, 0})
            for (const int n : {-1, 0, 2, 4, 6, 17})
                for (const int breite : {0, 12, 99, 399, -1})
                    if (breite >= 0 || (z != 9.995 && z != 1e51))  // estimated rounding: the Dtoa table's
                        pruefe(z, art, n, breite);
    EXPECT_GT(verglichen, 1500);
    EXPECT_TRUE(empfaenger.meldungen.empty());
}

TEST_F(Zahlen, FtoaUndGetrimmt)
{
    const std::string zu_gross = "Zahl kann nicht dargestellt werden";
    const auto bereich_ftoa = [](int g) {
        return "Gesamtstellenangabe gesamtstellen=" + std::to_string(g) + "nicht im erlaubten Bereich: 0<=" +
               "gesamtstellen<100. f\xfcr Funktion ftoa(const double& zahl, const int& gesamtstellen, const int& "
               "nachkommastellen, const int& art, const double& schwellwert, const string& nullstring) in 'allg' ";
    };
    const struct {
        double zahl; int gesamtstellen, n, art; std::string erwartet; Texte warnungen = {};
        double schwellwert = 0.0; std::string nullstring = ""; int leer_bei_nan = 0, leer_bei_undefiniert = 0;
    } faelle[] = {
        {0.004, 8, 3, 2, "0.0", {}, 0.01, "0.0"}, {-0.004, 8, 3, 2, "null", {}, 0.01, "null"},
        {0.01, 8, 3, 2, "   0.010", {}, 0.01, "0.0"}, {99999999.0, -7, 2, 2, "-"},
        {99999999.0, 5, 2, 2, "", {}, 0.0, "", 0, 1}, {99999999.0, 5, 2, 2, "    -", {}, 0.0, "", 0, 2},
        // missing value and infinities precede the width test; NaN is never below the threshold; 99.5 as C's "%#G"
        {99999999.0, 150, 2, 2, std::string(149, ' ') + "-"}, {unendlich, 100, 2, 0, std::string(97, ' ') + "nan"},
        {-unendlich, -5, 2, 1, "nan"}, {nan_wert, 6, 2, 2, "", {}, 0.0, "", 1},
        {nan_wert, 4, 2, 2, " nan", {}, 1e300, "0.0"}, {1.5, 100, 2, 2, "*", {bereich_ftoa(100)}},
        {1.5, -1, 2, 2, "*", {bereich_ftoa(-1)}}, {1e51, 10, 2, 2, "**********", {zu_gross}},
        {-1e51, 30, 2, 2, "*********************", {zu_gross}}, {99.5, 3, 2, 0, "1.0E+02"},
    };
    for (const auto& f : faelle) {
        EXPECT_EQ(ftoa(f.zahl, f.gesamtstellen, f.n, f.art, f.schwellwert, f.nullstring, f.leer_bei_nan,
                       f.leer_bei_undefiniert), f.erwartet) << "Zeile " << &f - faelle;
        empfaenger.erwarte_warnungen("ftoa", f.warnungen);
    }
    const struct {
        double zahl; int gesamtstellen, n, art; const char* erwartet; bool ungetrimmt = false;
        int leer_bei_nan = 0, leer_bei_undefiniert = 0;
    } getrimmt[] = {
        {2.5, 10, 4, 2, "2.5"}, {2.5, 10, 4, 2, "       2.5", true}, {2.0, 10, 4, 2, "2."}, {0.125, 10, 2, 2, "0.12"},
        {2.5, 12, 3, 1, "2.500E+00"}, {2.5, 12, 3, 0, "2.50"}, {0.0, 5, 3, 2, "0."}, {nan_wert, 6, 2, 2, "nan"},
        {nan_wert, 6, 2, 2, "", false, 1}, {99999999.0, 6, 2, 2, "", false, 0, 1},
    };
    for (const auto& f : getrimmt)
        EXPECT_EQ(ftoa_getrimmt(f.zahl, f.gesamtstellen, f.n, f.art, f.ungetrimmt, f.leer_bei_nan,
                                f.leer_bei_undefiniert), f.erwartet) << "Zeile " << &f - getrimmt;
    const std::pair<double, int> bedarf[] = {{0.0, 0}, {-3.0, 0}, {1e300, 0}, {0.1, 1}, {-0.75, 2}, {123.456, 3},
                                             {1e-12, 12}, {1e-13, 12}, {1.0 / 3, 12}, {nan_wert, 12}};
    for (const auto& [x, erwartet] : bedarf)
        EXPECT_EQ(nachkommastellen_bedarf(x), erwartet) << x;
    EXPECT_TRUE(empfaenger.meldungen.empty());
    EXPECT_EQ(ftoa(DBL_MAX, 0, INT_MAX, 0, 0.0).size(), 399u);
    // Only "0.0" turns into "0,0"; the separator of the result is the setting's.
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.0") + "|" + ftoa(0.004, 8, 3, 2, 0.01, "0.00"), "0,0|0.00");
    EXPECT_EQ(dtoa(150000.0, 10, 2, 1), "  1,50E+05");
    setze_dezimaltrennzeichen_text(";");
    EXPECT_EQ(ftoa(0.004, 8, 3, 2, 0.01, "0.0") + "|" + ftoa(2.5, 6, 2, 2, 0.0), "0.0|  2;50");
}

TEST_F(Zahlen, StringZuDouble)
{
    const struct { const char* trennzeichen; std::string text; double erwartet; bool gut; } faelle[] = {
        {".", "1.5", 1.5, true}, {".", "  -2.25 ", -2.25, true}, {".", "- 5", -5.0, true},
        {".", "1 000 000", 1e6, true}, {".", "3.5 \r \r", 3.5, true}, {".", "1e3", 1000.0, true},
        {".", "+7", 7.0, true}, {".", "-.5", -0.5, true}, {".", ".", 0.0, true}, {".", " - . ", 0.0, true},
        {",", "1,5", 1.5, true}, {",", " 2,25 ", 2.25, true}, {",", "1.5", 1.5, true}, {",", ",", 0.0, true},
        {".", "", fehlt, true}, {".", "   ", fehlt, true}, {".", "\r", fehlt, true}, {".", "12a", fehlt, false},
        {".", "-", fehlt, false}, {".", "+.", fehlt, false}, {".", "1,5", fehlt, false}, {".", "1.5.3", fehlt, false},
        {",", "1,5,3", fehlt, false}, {".", std::string("1\0" "2", 3), fehlt, false}, {".", "5\t", fehlt, false},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE("string_zu_double(\"" + f.text + "\") with separator " + f.trennzeichen);
        setze_dezimaltrennzeichen_text(f.trennzeichen);
        bool ok = !f.gut;
        EXPECT_EQ((std::pair{string_zu_double(f.text, &ok), ok}), (std::pair{f.erwartet, f.gut}));
        EXPECT_TRUE(empfaenger.meldungen.empty());
        EXPECT_EQ(string_zu_double(f.text), f.erwartet);
        const Texte warnung{"Buchstabe bei Umwandlung von string in double: " + f.text};
        empfaenger.erwarte_warnungen("string_zu_double", f.gut ? Texte{} : warnung);
    }
    EXPECT_TRUE(std::signbit(string_zu_double("-0.0")));
    i18n().setze_eintrag("Buchstabe bei Umwandlung von string in double: %1", "Buchstabe: %1");
    EXPECT_EQ(string_zu_double("x"), fehlt);
    empfaenger.erwarte_warnungen("string_zu_double", {"Buchstabe: x"});
}

// Qt takes LC_NUMERIC from the environment on Unix; a German locale, compiled here, must change nothing.
TEST_F(Zahlen, UnterKommaGebietsschemaBleibtEsBeimPunkt)
{
    const int rc = QProcess::execute("localedef", {"-i", "de_DE", "-f", "UTF-8", m_verzeichnis.filePath("de")});
    TELVORIN_PRECONDITION(rc == 0 || rc == 1, "localedef could not make de_DE");  // 1: made with warnings
    ::setenv("LOCPATH", m_verzeichnis.path().toLocal8Bit().constData(), 1);
    const bool geladen = std::setlocale(LC_NUMERIC, "de") != nullptr;
    ::unsetenv("LOCPATH");
    TELVORIN_PRECONDITION(geladen, "de_DE could not be loaded");
    ASSERT_EQ(std::string(std::localeconv()->decimal_point), ",");
    EXPECT_EQ(dtoa(-0.25, 4, 2, 2) + "|" + dtoa(150000.0, 6, 2, 1), "-.25|1.50E5");
    EXPECT_EQ(ftoa(2.5, 6, 2, 2, 0.0) + "|" + ftoa(99.5, 0, 2, 0, 0.0), "  2.50|1.0E+02");
    EXPECT_EQ(string_zu_double("1.5"), 1.5);
    bool ok = true;
    EXPECT_TRUE(string_zu_double("1,5", &ok) == fehlt && !ok);
    CVariableSteuer<double> variable("/Test/d");
    variable.setze_wert_str("2.5", false);
    EXPECT_EQ(variable.gib_wert(), 2.5);
    EXPECT_EQ(dtoa(123456.0, 5, 0, 2), "*****");
    empfaenger.erwarte_warnungen("dtoa", {breite_msg(fix, "123456.", 5)});
}

}  // namespace
