// Shared fixture of the framework tests: pinned environment, recording sink and message handler.
#pragma once
#include "framework/variables/allgemein.h"
#include "framework/diagnostics/fehler.h"
#include "framework/text/i18n.h"
#include "framework/diagnostics/melde.h"
#include "framework/variables/schalter.h"
#include <QDir>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <algorithm>
#include <clocale>
#include <fstream>
#include <memory>
#include <sstream>
#include <unistd.h>

using Texte = std::vector<std::string>;
// One write: the sink, "schreibe:", "variante_1:" or "variante_2:" with the text, and the level.
struct Aufruf { const CLogBase* senke; std::string operation_text; int ebene; };
// Records every write in one list shared by all sinks of a test, so that the order across sinks shows.
struct Senke : CLogBase {
    Senke(bool html, std::vector<Aufruf>& protokoll, bool bereit = true)
        : html(html), bereit(bereit), protokoll(protokoll) {}
    void schreibe(const std::string& t, const int& e) override { merke("schreibe:", t, e); }
    void schreibe_variante_1(const std::string& t, const int& e) override { merke("variante_1:", t, e); }
    void schreibe_variante_2(const std::string& t, const int& e) override { merke("variante_2:", t, e); }
    bool ist_html() const override { return html; }
    bool ist_bereit() const override { return bereit; }
    void merke(const char* operation, const std::string& t, int e) { protokoll.push_back({this, operation + t, e}); }
    const bool html, bereit;
    std::vector<Aufruf>& protokoll;
};
// Type, class, method and text of a message or record in one line, so that one assertion shows all four.
inline std::string bild(int typ, const CKlasse* klasse, const std::string& methode, const std::string& text)
{
    return std::to_string(typ) + ' ' + (klasse != nullptr ? klasse->gib_name() : "-") + ' ' + methode + ": " + text;
}
struct Empfaenger : CMeldungsempfaenger {
    Texte meldungen;
    void empfange(const EFehlerTyp& typ, const CKlasse* const& klasse, const std::string& methode,
                  const std::string& text) override { meldungen.push_back(bild(typ, klasse, methode, text)); }
    // Expects exactly these texts, in order, each a warning of the free function `methode`; then forgets them.
    void erwarte_warnungen(const std::string& methode, const Texte& texte)
    {
        Texte erwartet;
        for (const std::string& text : texte)
            erwartet.push_back(bild(WARNUNG, klasse_freie_funktion(), methode, text));
        EXPECT_EQ(std::exchange(meldungen, {}), erwartet);
    }
};
template <typename F>
std::string geworfen(F&& aufruf) try {  // what `aufruf` threw, as bild() renders it; empty when it threw nothing
    aufruf();
    return "";
} catch (const CFehler& f) {
    return bild(f.gib_typ(), f.gib_ausloeser(), f.gib_methode(), f.gib_text());
}
// The file (empty when missing), time-stamp lines as "@"; not std::regex: it warns in the sanitizer build.
inline std::string ohne_zeit(const std::string& pfad)
{
    static const QRegularExpression zeitstempel(QStringLiteral(R"(\d\d\.\d\d\.\d{4} - \d\d:\d\d:\d\d\n)"));
    std::ostringstream inhalt;
    inhalt << std::ifstream(pfad, std::ios::binary).rdbuf();
    return QString::fromLatin1(inhalt.str().c_str()).replace(zeitstempel, "@\n").toLatin1().toStdString();
}
// Each test starts from the framework's defaults, in its own directory, UTC and the C locale, and restores them.
class Umgebung : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::setenv("TZ", "UTC", 1);
        ::tzset();
        ASSERT_EQ(::chdir(m_verzeichnis.path().toLocal8Bit().constData()), 0);
        ASSERT_TRUE(logsenken().empty()) << "a sink of an earlier test is still registered";
        setze_vorgaben();
    }
    void TearDown() override { setze_vorgaben(); ASSERT_EQ(::chdir(m_alter_pfad.c_str()), 0); }
    QTemporaryDir m_verzeichnis;
    Empfaenger empfaenger;
private:
    static void setze_vorgaben()
    {
        allgemeine_einstellungen().setze_vorgaben();
        i18n().leere_tabelle();
        i18n().setze_uebersetzer(nullptr);
        installiere_meldungsempfaenger(nullptr);
        std::tie(Anwenderverzeichnis(), Fehlerdateiname()) = std::make_pair("", "");
        std::tie(fehlerfarbe(), warnfarbe()) = std::make_pair("#b20000", "#b36b3f");
        std::setlocale(LC_ALL, "C");
    }
    const std::string m_alter_pfad = QDir::currentPath().toStdString();
};
struct MitEmpfaenger : Umgebung {  // the same with `empfaenger` installed, so that no message reaches a sink
    void SetUp() override { Umgebung::SetUp(); installiere_meldungsempfaenger(&empfaenger); }
};
