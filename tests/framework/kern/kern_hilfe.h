// Shared fixture of the framework tests: pinned environment, recording sink and handler, printf oracle.
#pragma once

#include "fehler.h"
#include "i18n.h"
#include "melde.h"
#include "schalter.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace kern {

// One call a recording sink received.
struct Aufruf {
    const CLogBase* senke;
    std::string operation_text;  // "schreibe:", "variante_1:" or "variante_2:", then the text
    int ebene;
};

// A sink that records every write in one list shared by all sinks of a test,
// so that the order across sinks shows.
class Senke : public CLogBase {
public:
    Senke(bool html, std::vector<Aufruf>& protokoll, bool bereit = true)
        : m_html(html), m_bereit(bereit), m_protokoll(protokoll) {}
    void schreibe(const std::string& t, const int& e) override { m_protokoll.push_back({this, "schreibe:" + t, e}); }
    void schreibe_variante_1(const std::string& t, const int& e) override { m_protokoll.push_back({this, "variante_1:" + t, e}); }
    void schreibe_variante_2(const std::string& t, const int& e) override { m_protokoll.push_back({this, "variante_2:" + t, e}); }
    bool ist_html() const override { return m_html; }
    bool ist_bereit() const override { ++gefragt; return m_bereit; }
    mutable int gefragt = 0;

private:
    bool m_html, m_bereit;
    std::vector<Aufruf>& m_protokoll;
};

// A handler that records every message it receives.
struct Empfaenger : CMeldungsempfaenger {
    struct Meldung {
        EFehlerTyp typ;
        const CKlasse* klasse;
        std::string methode, text;
    };
    std::vector<Meldung> meldungen;
    void empfange(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
                  const std::string& text) override { meldungen.push_back({typ, klasse, methode, text}); }
    // Expects exactly these texts, in order, each a warning of the free
    // function `methode`; then forgets them.
    void erwarte_warnungen(const std::string& methode, const std::vector<std::string>& texte);
};

// Every test starts from the framework's defaults, in its own working
// directory, in UTC with the C locale, and leaves the framework as it found it.
class KernTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QTemporaryDir m_verzeichnis;
    Empfaenger empfaenger;

private:
    std::string m_alter_pfad;
};

// The same with `empfaenger` installed, so that no message reaches a sink.
class MitEmpfaenger : public KernTest {
protected:
    void SetUp() override { KernTest::SetUp(); installiere_meldungsempfaenger(&empfaenger); }
};

// snprintf with a large buffer: the oracle for results that one printf pattern defines.
template <typename T>
std::string printf_text(const std::string& muster, T wert)
{
    std::vector<char> puffer(4096);
    const int laenge = std::snprintf(puffer.data(), puffer.size(), muster.c_str(), wert);
    return std::string(puffer.data(), static_cast<std::size_t>(laenge));
}

}  // namespace kern
