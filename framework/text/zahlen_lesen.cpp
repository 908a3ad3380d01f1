// Number parsing: string_zu_double reads a double written with the decimal separator and blanks.
#include "framework/text/zahlen.h"

#include "framework/text/zahlen_intern.h"

#include "framework/text/cstring.h"
#include "framework/base/ebool.h"
#include "framework/variables/schalter.h"

#include <algorithm>
#include <cstdlib>

using namespace zahlen_intern;

// strtod reads the C library's locale point. It gets the text with "." turned
// into that point and the locale point itself turned into a character that no
// number contains, so that exactly printf's "." grammar is accepted whatever
// LC_NUMERIC says. Positions stay the same, so the end pointer still tells
// how much was read.
double lies_mit_punkt(const std::string& text, std::size_t* gelesen)
{
    const char* anfang = text.c_str();
    std::string umgesetzt;
    if (const char punkt = fremder_dezimalpunkt()) {
        umgesetzt = text;
        for (char& zeichen : umgesetzt) {
            if (zeichen == '.')
                zeichen = punkt;
            else if (zeichen == punkt)
                zeichen = '\x01';
        }
        anfang = umgesetzt.c_str();
    }
    char* ende = nullptr;
    const double wert = std::strtod(anfang, &ende);
    if (gelesen != nullptr)
        *gelesen = static_cast<std::size_t>(ende - anfang);
    return wert;
}

double string_zu_double(std::string text, bool* ok)
{
    if (ok != nullptr)
        *ok = true;
    const std::string gegeben = text;

    while (!text.empty() && (text.back() == ' ' || text.back() == '\r'))
        text.pop_back();
    text.erase(0, text.find_first_not_of(' '));
    if (text.empty())
        return fehlwert_double;

    const char trennzeichen = dezimaltrennzeichen();
    if (trennzeichen != '.')
        std::replace(text.begin(), text.end(), trennzeichen, '.');
    // Inner blanks go in one sweep, which also joins a leading "-" to its digits.
    text.erase(std::remove(text.begin(), text.end(), ' '), text.end());

    if (text == "." || text == "-.")
        return 0.0;

    // "-" alone, like any text without digits, reads nothing and so counts as a
    // text with letters: 99999999.0 and the warning (or ok false).
    std::size_t gelesen = 0;
    const double wert = lies_mit_punkt(text, &gelesen);
    if (gelesen != text.size()) {
        if (ok != nullptr) {
            *ok = false;
        } else {
            warne("string_zu_double",
                  CString(uebersetzt("Buchstabe bei Umwandlung von string in double: %1")).arg(gegeben).str());
        }
        return fehlwert_double;
    }
    return wert;
}
