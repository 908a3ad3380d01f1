// Fixed-width number formatting: itoa, dtoa, ftoa and the decimals a value needs.
#include "framework/text/zahlen.h"

#include "framework/text/zahlen_intern.h"

#include "framework/text/cstring.h"
#include "framework/base/ebool.h"
#include "framework/diagnostics/fehler.h"
#include "framework/text/i18n.h"
#include "framework/base/klasse.h"
#include "framework/diagnostics/melde.h"
#include "framework/variables/schalter.h"

#include <algorithm>
#include <clocale>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace zahlen_intern {

std::string uebersetzt(const char* stueck)
{
    return uebersetze_(CString(stueck), klasse_freie_funktion()).str();
}

void warne(const char* methode, const std::string& text)
{
    melde(WARNUNG, klasse_freie_funktion(), methode, text, 0);
}

std::string dezimal(long long wert)
{
    return std::to_string(wert);
}

char fremder_dezimalpunkt()
{
    // localeconv() is cheap in glibc and the MS CRT (a pointer to cached data),
    // so asking at every number keeps up with setlocale calls.
    const char* punkt = std::localeconv()->decimal_point;
    if (punkt == nullptr || punkt[0] == '\0' || punkt[1] != '\0' || punkt[0] == '.')
        return '\0';
    return punkt[0];
}

}  // namespace zahlen_intern

using namespace zahlen_intern;

namespace {

// printf results are made in working buffers of this size; nothing we return is
// longer than puffer_groesse - 1.
constexpr int puffer_groesse = 400;

// Precision given to printf at most. A double's exact decimal expansion has at
// most 767 significant and 1074 fractional digits, so beyond this every further
// digit is a zero and the first 399 characters are the same; glibc would
// otherwise allocate work memory in proportion to the precision.
constexpr int praezision_max = 1100;

constexpr int sterne_max = 21;

// Accepted widths are below these; dtoa's field must fit the working buffer.
constexpr int itoa_breite_grenze = 100;
constexpr int dtoa_breite_grenze = puffer_groesse;
constexpr int ftoa_breite_grenze = 100;

bool breite_zu_gross(int breite, int grenze)
{
    return static_cast<unsigned>(breite) >= static_cast<unsigned>(grenze);
}

std::string sternfeld(int breite)
{
    return std::string(static_cast<std::size_t>(std::clamp(breite, 0, sterne_max)), '*');
}

std::string strichfeld(int breite)
{
    if (breite < 2)
        return "-";
    std::string text(static_cast<std::size_t>(breite), ' ');
    text.back() = '-';
    return text;
}

// A printf pattern "%<flags><breite>.<praezision><konversion>", built by hand:
// an snprintf call just to build it would double the cost of every number.
// breite < 0 or praezision < 0 are left out.
class CMuster {
public:
    CMuster(const char* flags, int breite, int praezision, const char* konversion)
    {
        m_ende = m_text;
        *m_ende++ = '%';
        haenge_an(flags);
        if (breite >= 0)
            haenge_an(breite);
        if (praezision >= 0) {
            *m_ende++ = '.';
            haenge_an(std::min(praezision, praezision_max));
        }
        haenge_an(konversion);
        *m_ende = '\0';
    }
    const char* c_str() const { return m_text; }

private:
    void haenge_an(const char* text)
    {
        while (*text != '\0')
            *m_ende++ = *text++;
    }
    void haenge_an(int zahl)
    {
        char ziffern[12];
        int anzahl = 0;
        do {
            ziffern[anzahl++] = static_cast<char>('0' + zahl % 10);
            zahl /= 10;
        } while (zahl > 0);
        while (anzahl > 0)
            *m_ende++ = ziffern[--anzahl];
    }

    char m_text[40];
    char* m_ende;
};

// Applies a pattern with one argument in the working buffer. Output that would
// not fit is cut to the buffer, as a fixed buffer of the original size allows.
template <typename T>
std::string drucke(const char* muster, T wert)
{
    char puffer[puffer_groesse];
    const int laenge = std::snprintf(puffer, sizeof puffer, muster, wert);
    if (laenge < 0)
        return std::string();
    return std::string(puffer, static_cast<std::size_t>(std::min(laenge, puffer_groesse - 1)));
}

// Double conversions may carry the C library's locale point; make it "." again
// so that all later steps, and the separator replacement, see printf's own form.
std::string drucke_double(const char* muster, double wert)
{
    std::string text = drucke(muster, wert);
    if (const char punkt = fremder_dezimalpunkt()) {
        const auto stelle = text.find(punkt);
        if (stelle != std::string::npos)
            text[stelle] = '.';
    }
    return text;
}

std::string drucke_double(const CMuster& muster, double wert)
{
    return drucke_double(muster.c_str(), wert);
}

int begrenzt(long long praezision)
{
    return static_cast<int>(std::min<long long>(praezision, praezision_max));
}

// "%#<breite>.<praezision>G" (either left out when negative) by the C
// standard's rule rather than the library's: some C libraries drop the zeros
// that "#" keeps when rounding carries into a new power of ten (99.5 at two
// digits gives "1.E+02", not "1.0E+02"). With P significant digits (6 when
// none are given, 1 for 0) and X the exponent of "%.<P-1>E", the style is f
// with P - 1 - X decimals when P > X >= -4, else E with P - 1.
std::string drucke_g(int breite, int praezision, double wert)
{
    if (!std::isfinite(wert))
        return drucke_double(CMuster("#", breite, praezision, "G"), wert);
    const long long p = praezision < 0 ? 6 : std::max(praezision, 1);
    // Large enough for the whole "%.<praezision_max>E", whose exponent comes last.
    char puffer[praezision_max + 32];
    std::snprintf(puffer, sizeof puffer, CMuster("", -1, begrenzt(p - 1), "E").c_str(), wert);
    const long long x = std::atoll(std::strrchr(puffer, 'E') + 1);
    if (p > x && x >= -4)
        return drucke_double(CMuster("#", breite, begrenzt(p - 1 - x), "f"), wert);
    return drucke_double(CMuster("#", breite, begrenzt(p - 1), "E"), wert);
}

void ersetze_trennzeichen(std::string& text)
{
    const char trennzeichen = dezimaltrennzeichen();
    if (trennzeichen == '.')
        return;
    const auto stelle = text.find('.');
    if (stelle != std::string::npos)
        text[stelle] = trennzeichen;
}

// 10^n; exact for the small exponents that matter, pow() for the rest.
double zehn_hoch(int n)
{
    static constexpr double exakt[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                       1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                       1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (n >= 0 && n < static_cast<int>(sizeof exakt / sizeof exakt[0]))
        return exakt[n];
    return std::pow(10.0, n);
}

// ---------------------------------------------------------------- itoa

template <typename T>
std::string itoa_mit(T zahl, int breite, const char* konversion)
{
    if (breite_zu_gross(breite, itoa_breite_grenze)) {
        warne("itoa", CString(uebersetzt("Breiteangabe breite=%1 nicht im erlaubten Bereich: 0<=breite<100."))
                          .arg(dezimal(breite))
                          .str());
        return "*";
    }
    if (zahl == static_cast<T>(fehlwert_int))
        return strichfeld(breite);

    // Width 0 makes "%0i": the zero flag without a width, which pads nothing.
    std::string text = drucke(CMuster("", breite, -1, konversion).c_str(), zahl);
    if (breite != 0 && text.size() > static_cast<std::size_t>(breite)) {
        warne("itoa", CString(uebersetzt("Ausgabe einer Zahl (%1) uebersteigt angegebene Breite (%2)"))
                          .arg(dezimal(static_cast<long long>(zahl)))
                          .arg(dezimal(breite))
                          .str());
    }
    return text;
}

// ---------------------------------------------------------------- dtoa

const char* const praefix_exponential = "Bei Exponentialdarstellung Ausgabe der Zahl >";
const char* const praefix_fixkomma = "Bei Fixkommadarstellung Ausgabe der Zahl >";
const char* const praefix_variabel = "Bei variabler Kommadarstellung Ausgabe der Zahl >";
const char* const praefix_ausgabe = "Die Ausgabe der Zahl >";
const char* const schluss_breite = "< Zeichen Breite nicht moeglich!";
const char* const schluss_breite_null = "< Zeichen Breite nicht moeglich! 0 wird ausgegeben.";

// The arguments of one dtoa call, as its messages name them.
struct CDtoaAufruf {
    double zahl;
    int breite;
    int nachkommastellen;
};

std::string meldungsbeginn(const CDtoaAufruf& aufruf, const char* praefix)
{
    return uebersetzt(praefix) + drucke_g(-1, -1, aufruf.zahl) + uebersetzt("< innerhalb von >") + dezimal(aufruf.breite);
}

void melde_breite(const CDtoaAufruf& aufruf, const char* praefix, const char* schluss = schluss_breite)
{
    warne("dtoa", meldungsbeginn(aufruf, praefix) + uebersetzt(schluss));
}

std::string breite_reicht_nicht(const CDtoaAufruf& aufruf, const char* praefix)
{
    melde_breite(aufruf, praefix);
    return sternfeld(aufruf.breite);
}

std::string stellen_reichen_nicht(const CDtoaAufruf& aufruf, const char* praefix)
{
    warne("dtoa", meldungsbeginn(aufruf, praefix) + uebersetzt("< Zeichen Breite und >") +
                      dezimal(aufruf.nachkommastellen) + uebersetzt("< Nachkommastellen nicht moeglich!"));
    return sternfeld(aufruf.breite);
}

bool ist_laenger(const std::string& text, int feld)
{
    return static_cast<long long>(text.size()) > feld;
}

void rechtsbuendig(std::string& text, int feld)
{
    if (static_cast<long long>(text.size()) < feld)
        text.insert(0, static_cast<std::size_t>(feld) - text.size(), ' ');
}

// Exponential notation in a field of at least one column; the result still
// carries printf's ".".
std::string exponential(const CDtoaAufruf& aufruf)
{
    const double zahl = aufruf.zahl;
    const int w = aufruf.breite;
    int n = aufruf.nachkommastellen;

    std::string text;
    int feld = w;  // the columns left for the digits: one less for a negative number
    bool negativ = false;
    if (zahl == 0.0) {
        if (n < 0 || static_cast<long long>(n) + 3 > w)
            n = std::max(w - 3, 0);
        text = n == 0 ? drucke_double(CMuster("-", w, 0, "E"), zahl) : drucke_double(CMuster("-#", w, n, "E"), zahl);
        // Negative zero prints its sign, which has no column of its own here.
        if (ist_laenger(text, w) && text[0] == '-')
            text.erase(0, 1);
    } else {
        negativ = zahl < 0.0;
        double x = std::fabs(zahl);
        feld = negativ ? w - 1 : w;

        if (x >= 10.0) {
            const double exponentstellen = std::log10(std::log10(x));
            if (exponentstellen + 3 - feld >= 1)
                return breite_reicht_nicht(aufruf, praefix_exponential);
            if (n >= 1 && exponentstellen + 4 + static_cast<double>(n) - feld >= 1)
                return stellen_reichen_nicht(aufruf, praefix_exponential);
        } else if (x >= 1.0) {
            if ((n > 0 && feld < static_cast<long long>(n) + 4) || (n <= 0 && feld < 3))
                return breite_reicht_nicht(aufruf, praefix_exponential);
        } else {
            if (std::log10(-std::floor(std::log10(x))) + 4 - feld >= 1) {
                melde_breite(aufruf, praefix_exponential, schluss_breite_null);
                x = 0.0;
            }
            // After the replacement the test below runs on 0, whose logarithm is
            // -inf: the term becomes +inf and any n > 0 gives the decimals
            // message. A finite stand-in would not change that either, since
            // the field was already too narrow for one exponent digit.
            if (n > 0 && std::log10(-std::floor(std::log10(x))) + static_cast<double>(n) + 5 - feld >= 1)
                return stellen_reichen_nicht(aufruf, praefix_exponential);
        }

        if (n >= 0) {
            text = drucke_double(CMuster("#", feld, n, "E"), x);
        } else {
            // Fill the field: the digits left after "d." and the exponent as the
            // shortening below will leave it (E-10, E-1 or E10, E5).
            int p;
            if (x < 1e-9)
                p = feld - 6;
            else if (x < 1.0 || x >= 1e10)
                p = feld - 5;
            else
                p = feld - 4;
            p = std::max(p, 0);
            text = p == 0 ? drucke_double(CMuster("-", feld, 0, "E"), x) : drucke_double(CMuster("#-", feld, p, "E"), x);
        }
    }

    if (ist_laenger(text, feld)) {
        if (n >= 1 && text[0] == '0')
            text.erase(0, 1);
        else if (n == 0 && text.size() > 1 && text[1] == '.')
            text.erase(1, 1);
        if (static_cast<long long>(text.size()) != feld) {
            const auto e = text.find('E');
            if (e != std::string::npos) {
                if (e + 2 < text.size() && text[e + 2] == '0') {
                    text.erase(e + 2, 1);
                    if (e + 2 < text.size() && text[e + 2] == '0')
                        text.erase(e + 2, 1);
                }
                if (ist_laenger(text, feld) && e + 1 < text.size() && text[e + 1] == '+')
                    text.erase(e + 1, 1);
            }
        }
    }

    if (negativ) {
        const auto blank = text.rfind(' ');
        if (blank != std::string::npos)
            text[blank] = '-';
        else
            text.insert(0, 1, '-');
    }

    if (ist_laenger(text, w)) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
            text.pop_back();
        if (ist_laenger(text, w))
            return breite_reicht_nicht(aufruf, praefix_exponential);
    }
    rechtsbuendig(text, w);
    return text;
}

int ganzzahlstellen(double x)
{
    return x < 1.0 ? 1 : static_cast<int>(std::trunc(std::log10(x))) + 1;
}

// Fixed notation in a field of at least one column; the result still carries
// printf's ".".
std::string fixkomma(const CDtoaAufruf& aufruf)
{
    const double zahl = aufruf.zahl;
    const int w = aufruf.breite;
    int n = aufruf.nachkommastellen;

    std::string text;
    int feld = w;
    bool negativ = false;
    if (zahl == 0.0) {
        if (n < 0 || static_cast<long long>(n) + 1 > w)
            n = w - 1;
        text = n > 0 ? drucke_double(CMuster("-#", w, n, "f"), zahl) : drucke_double(CMuster("-", w, 0, "f"), zahl);
    } else {
        negativ = zahl < 0.0;
        feld = negativ ? w - 1 : w;
        const double x = std::fabs(zahl);

        double gerundet = x;
        if (n > 0)
            gerundet = x + 0.5 / zehn_hoch(n);
        else if (n == 0)
            gerundet = x + 0.5;

        bool selbst_waehlen = n < 0;
        if (gerundet >= 1.0) {
            const long long stellen = static_cast<long long>(std::trunc(std::log10(gerundet))) + 1;
            if (stellen > feld)
                return breite_reicht_nicht(aufruf, praefix_fixkomma);
            if (n >= 1 && stellen + 1 + n > feld) {
                // A whole number loses nothing with fewer decimals.
                if (std::floor(x) != x)
                    return stellen_reichen_nicht(aufruf, praefix_fixkomma);
                selbst_waehlen = true;
            }
        } else if (static_cast<long long>(n) + 1 > feld) {
            return stellen_reichen_nicht(aufruf, praefix_fixkomma);
        }

        int p = n;
        if (selbst_waehlen) {
            const int stellen = ganzzahlstellen(x);
            p = feld - stellen;
            if (p >= 1)
                --p;
            if (p >= 0) {
                // Rounding at p decimals may carry into a new integer digit.
                const int gerundete_stellen = ganzzahlstellen(x + 0.5 / zehn_hoch(p));
                if (gerundete_stellen > stellen) {
                    p = feld - gerundete_stellen;
                    if (p > 0)
                        --p;
                }
            }
            if (p < 0)
                return breite_reicht_nicht(aufruf, praefix_variabel);
        }
        text = p > 0 ? drucke_double(CMuster("-#", feld, p, "f"), x) : drucke_double(CMuster("-", feld, 0, "f"), x);
    }

    if (ist_laenger(text, feld) && text[0] == '0')
        text.erase(0, 1);
    if (negativ)
        text.insert(0, 1, '-');
    rechtsbuendig(text, w);

    if (ist_laenger(text, w)) {
        const auto punkt = text.find('.');
        if (punkt == std::string::npos || punkt >= static_cast<std::size_t>(w))
            return breite_reicht_nicht(aufruf, praefix_ausgabe);
        // Surplus decimals are cut, not rounded.
        text.resize(static_cast<std::size_t>(w));
    }
    return text;
}

bool beginnt_mit_stern(const std::string& text)
{
    return !text.empty() && text[0] == '*';
}

}  // namespace

std::string itoa(const int& zahl, const int& breite)
{
    return itoa_mit(zahl, breite, "i");
}

std::string itoa(const long& zahl, const int& breite)
{
    return itoa_mit(zahl, breite, "li");
}

std::string itoa(const unsigned& zahl, const int& breite)
{
    return itoa_mit(zahl, breite, "u");
}

std::string dtoa(const double& zahl, const int& breite, const int& nachkommastellen, const int& art)
{
    if (!std::isfinite(zahl))
        return "nan";
    // The dash field comes before the width test, so it is as wide as asked.
    if (zahl == fehlwert_double)
        return strichfeld(breite);
    if (breite_zu_gross(breite, dtoa_breite_grenze)) {
        warne("dtoa", CString(uebersetzt("Breiteangabe breite=%1 nicht im erlaubten Bereich: 0<=breite<%2."))
                          .arg(dezimal(breite))
                          .arg(dezimal(dtoa_breite_grenze))
                          .str());
        return "*";
    }

    const CDtoaAufruf aufruf{zahl, breite, nachkommastellen};
    std::string text;
    if (breite == 0) {
        // As long as needed, left-aligned; a negative precision stays out of the
        // pattern ("%-#E", "%-#f"). Neither can overflow, so the variable
        // notation never falls back here.
        const bool exp = art == zahl_exponential ||
                         (art != zahl_fixkomma && zahl != 0.0 && std::fabs(zahl) < 0.001);
        text = drucke_double(CMuster("-#", -1, nachkommastellen, exp ? "E" : "f"), zahl);
    } else if (art == zahl_exponential) {
        text = exponential(aufruf);
    } else if (art == zahl_fixkomma) {
        text = fixkomma(aufruf);
    } else if (zahl != 0.0 && std::fabs(zahl) < 0.001) {
        text = exponential(aufruf);
        if (beginnt_mit_stern(text))
            text = fixkomma(aufruf);
    } else {
        text = fixkomma(aufruf);
        if (beginnt_mit_stern(text))
            text = exponential(aufruf);
    }
    ersetze_trennzeichen(text);
    return text;
}

namespace {

void melde_gesamtstellen(int gesamtstellen)
{
    warne("ftoa", uebersetzt("Gesamtstellenangabe gesamtstellen=") + dezimal(gesamtstellen) +
                      uebersetzt("nicht im erlaubten Bereich: 0<=gesamtstellen<100.") +
                      // The byte 0xFC is the u-umlaut of the 8-bit code page that CString holds.
                      uebersetzt(" f\xfc"
                         "r Funktion ftoa(const double& zahl, const int& gesamtstellen, const int& "
                         "nachkommastellen, const int& art, const double& schwellwert, const string& "
                         "nullstring) in 'allg' "));
}

}  // namespace

std::string ftoa(const double& zahl, const int& gesamtstellen, const int& nachkommastellen, const int& art,
                 const double& schwellwert, const std::string& nullstring, const int& leer_bei_nan,
                 const int& leer_bei_undefiniert)
{
    // NaN and the missing value are settled before the width test: their
    // fields are as wide as asked.
    std::string text;
    bool sonderfall = true;
    if (std::isfinite(zahl)) {
        if (std::fabs(zahl) < schwellwert) {
            text = nullstring;
        } else if (zahl == fehlwert_double) {
            text = leer_bei_undefiniert == 1 ? std::string() : strichfeld(gesamtstellen);
        } else if (breite_zu_gross(gesamtstellen, ftoa_breite_grenze)) {
            melde_gesamtstellen(gesamtstellen);
            text = "*";
        } else if (art == zahl_fixkomma && std::fabs(zahl) > 1e50) {
            warne("ftoa", uebersetzt("Zahl kann nicht dargestellt werden"));
            text = sternfeld(gesamtstellen);
        } else {
            // A negative precision is left out of the pattern, which gives printf's
            // default of 6, as a negative precision argument does in C.
            if (art == zahl_exponential || art == zahl_fixkomma)
                text = drucke_double(CMuster("#", gesamtstellen, nachkommastellen, art == zahl_exponential ? "E" : "f"), zahl);
            else
                text = drucke_g(gesamtstellen, nachkommastellen, zahl);
            ersetze_trennzeichen(text);
            sonderfall = false;
        }
    } else if (leer_bei_nan == 1) {
        text.clear();
    } else {
        text = std::string(gesamtstellen > 3 ? static_cast<std::size_t>(gesamtstellen) - 3 : 0, ' ') + "nan";
    }

    if (sonderfall && std::fabs(zahl) < schwellwert && text == "0.0" && dezimaltrennzeichen() == ',')
        text = "0,0";
    return text;
}

std::string ftoa_getrimmt(const double& zahl, const int& gesamtstellen, const int& nachkommastellen,
                          const int& art, const bool& ungetrimmt, const int& leer_bei_nan,
                          const int& leer_bei_undefiniert)
{
    const int stellen =
        art == zahl_fixkomma ? std::min(nachkommastellen, nachkommastellen_bedarf(zahl)) : nachkommastellen;
    std::string text = ftoa(zahl, gesamtstellen, stellen, art, 0.0, "0.0", leer_bei_nan, leer_bei_undefiniert);
    if (!ungetrimmt) {
        while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
            text.pop_back();
        text.erase(0, text.find_first_not_of(' '));
    }
    return text;
}

int nachkommastellen_bedarf(const double& x)
{
    const auto ganz = [](double y) { return std::fabs(y - std::trunc(y)) <= 1e-100; };
    if (ganz(x))
        return 0;
    for (int k = 1; k <= 12; ++k) {
        if (ganz(x * zehn_hoch(k)))
            return k;
    }
    return 12;
}
