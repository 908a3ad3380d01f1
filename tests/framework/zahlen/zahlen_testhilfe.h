// Test fixture for the number functions: records warnings, pins separator, locale and translation.
#pragma once

#include "fehler.h"
#include "i18n.h"
#include "klasse.h"
#include "melde.h"
#include "schalter.h"

#include <gtest/gtest.h>

#include <clocale>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

namespace zahlentest {

struct Meldung {
    EFehlerTyp typ;
    const CKlasse* klasse;
    std::string methode;
    std::string text;
};

// Takes every message instead of the sinks while a test runs.
class Aufzeichnung : public CMeldungsempfaenger {
public:
    void empfange(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
                  const std::string& text) override
    {
        meldungen.push_back({typ, klasse, methode, text});
    }
    std::vector<Meldung> meldungen;
};

class ZahlenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::setlocale(LC_ALL, "C");
        setze_dezimaltrennzeichen_text(".");
        i18n().leere_tabelle();
        m_vorher = installiere_meldungsempfaenger(&m_aufzeichnung);
    }
    void TearDown() override
    {
        installiere_meldungsempfaenger(m_vorher);
        setze_dezimaltrennzeichen_text(".");
        i18n().leere_tabelle();
        std::setlocale(LC_ALL, "C");
    }

    std::vector<Meldung>& meldungen() { return m_aufzeichnung.meldungen; }

    // Expects exactly the given warning texts, in order, each a type 4 from a
    // free function with `methode`; clears the record afterwards.
    void erwarte_warnungen(const char* methode, const std::vector<std::string>& texte)
    {
        std::vector<std::string> gesehen;
        for (const Meldung& m : meldungen()) {
            gesehen.push_back(m.text);
            EXPECT_EQ(m.typ, FT_WARNUNG) << m.text;
            EXPECT_EQ(m.klasse, klasse_freie_funktion()) << m.text;
            EXPECT_EQ(m.methode, methode) << m.text;
        }
        EXPECT_EQ(gesehen, texte);
        meldungen().clear();
    }
    void erwarte_keine_warnung() { erwarte_warnungen("", {}); }

private:
    Aufzeichnung m_aufzeichnung;
    CMeldungsempfaenger* m_vorher = nullptr;
};

// snprintf with a large buffer: the oracle for results that one printf
// pattern defines.
template <typename T>
std::string printf_text(const std::string& muster, T wert)
{
    std::vector<char> puffer(4096);
    const int laenge = std::snprintf(puffer.data(), puffer.size(), muster.c_str(), wert);
    return std::string(puffer.data(), static_cast<std::size_t>(laenge));
}

// Makes blanks visible in failure output.
inline std::string sichtbar(const std::string& text)
{
    std::string ergebnis = "\"";
    for (char c : text)
        ergebnis += c == ' ' ? std::string("_") : std::string(1, c);
    return ergebnis + "\"";
}

}  // namespace zahlentest
