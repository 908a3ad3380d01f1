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

// One write a recording sink received; the text starts with "schreibe:", "variante_1:" or "variante_2:".
struct Aufruf {
    const CLogBase* senke;
    std::string operation_text;
    int ebene;
};

// Records every write in one list shared by all sinks of a test, so that the order across sinks shows.
class Senke : public CLogBase {
public:
    Senke(bool html, std::vector<Aufruf>& protokoll, bool bereit = true) : m_html(html), m_bereit(bereit), m_protokoll(protokoll) {}
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

// Type, class, method and text of a message or record in one line, so that one assertion shows all four.
std::string bild(int typ, const CKlasse* klasse, const std::string& methode, const std::string& text);

// Records every message it receives, as bild() renders it.
struct Empfaenger : CMeldungsempfaenger {
    std::vector<std::string> meldungen;
    void empfange(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
                  const std::string& text) override { meldungen.push_back(bild(typ, klasse, methode, text)); }
    // Expects exactly these texts, in order, each a warning of the free function `methode`; then forgets them.
    void erwarte_warnungen(const std::string& methode, const std::vector<std::string>& texte);
};

// What `aufruf` threw, as bild() renders it; empty when it threw nothing.
template <typename F>
std::string geworfen(F&& aufruf)
{
    try {
        aufruf();
    } catch (const CFehler& f) {
        return bild(f.gib_typ(), f.gib_ausloeser(), f.gib_methode(), f.gib_text());
    }
    return "";
}

// The whole file, empty when there is none.
std::string lies(const std::string& pfad);

// snprintf with a large buffer: the oracle for results that one printf pattern defines.
template <typename T>
std::string printf_text(const std::string& muster, T wert)
{
    std::vector<char> puffer(4096);
    return std::string(puffer.data(), static_cast<std::size_t>(std::snprintf(puffer.data(), puffer.size(), muster.c_str(), wert)));
}

// Every test starts from the framework's defaults (general settings, translation, colours, error-file path), in
// its own working directory, in UTC with the C locale, and leaves the framework as it found it.
class Umgebung : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    QTemporaryDir m_verzeichnis;
    Empfaenger empfaenger;

private:
    void setze_vorgaben();
    std::string m_alter_pfad;
};

// The same with `empfaenger` installed, so that no message reaches a sink.
class MitEmpfaenger : public Umgebung {
protected:
    void SetUp() override { Umgebung::SetUp(); installiere_meldungsempfaenger(&empfaenger); }
};

}  // namespace kern
