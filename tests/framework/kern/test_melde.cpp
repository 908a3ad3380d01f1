// The message function: suppression, plain and HTML dressing, distribution, echo, handler, groups.
#include "kern_hilfe.h"

#include <algorithm>
#include <memory>
#include <optional>

namespace {

using kern::Senke;

const std::string ROT = "<span style=\"color:#b20000\">";
const std::string BRAUN = "<span style=\"color:#b36b3f\">";
const std::string SCHWARZ = "<span style=\"color:#000000\">";
const std::string GRAU = "<span style=\"color:#999999\">";
const std::string ENDE = "</span>";

class Melde : public kern::KernTest {
protected:
    std::vector<kern::Aufruf> protokoll;
    // The operations received, in order, as "operation:text".
    std::vector<std::string> ops()
    {
        std::vector<std::string> o;
        for (const kern::Aufruf& a : protokoll)
            o.push_back(a.operation + ":" + a.text);
        protokoll.clear();
        return o;
    }
};

TEST_F(Melde, KlartextUndHtmlJeTypModusUndSchalter)
{
    const std::string pk = "in Klasse CZeit, Methode m: ", pf = "in Methode oder Funktion  m: ";
    const CKlasse* const zeit = klasse_CZeit();
    const CKlasse* const kurz = klasse_kurze_ausgabe();
    const auto warnungen = ESchalter::UnterdrueckeWarnungen, infos = ESchalter::UnterdrueckeInfos;
    const struct {
        int typ;
        bool debug;
        const CKlasse* klasse;
        std::string klartext;  // empty: nothing reaches any sink
        std::string html;
        int ebene;
        std::optional<ESchalter> gesetzt = {};
        int modus = 0;
        const char* html_operation = "schreibe";
    } faelle[] = {
        // normal mode: plain sinks get T alone
        {0, false, zeit, "T", ROT + "T" + ENDE + "<br><p>", 2},
        {3, false, kurz, "T", ROT + "T" + ENDE, 2},
        {4, false, zeit, "T", BRAUN + "T" + ENDE + "<br><p>", 1},
        {4, false, kurz, "T", BRAUN + "T" + ENDE, 1},
        {5, false, zeit, "T", SCHWARZ + "T" + ENDE + "<br><p>", 0},
        {5, false, kurz, "T", SCHWARZ + "T" + ENDE, 0},
        {6, false, zeit, "", "", 3},
        // debug mode: prefix, line end, text; only warnings and debug coloured
        {1, true, zeit, "FEHLER: " + pk + "\nT", "FEHLER: " + pk + "<br>T<p>", 2},
        {2, true, kurz, "FEHLER: \nT", "FEHLER: T", 2},
        {4, true, zeit, "WARNUNG: " + pk + "\nT", BRAUN + "WARNUNG: " + pk + "<br>T" + ENDE + "<br><p>", 1},
        {4, true, kurz, "WARNUNG: \nT", BRAUN + "WARNUNG: T" + ENDE, 1},
        {5, true, klasse_freie_funktion(), "INFO: " + pf + "\nT", "INFO: " + pf + "<br>T<p>", 0},
        {5, true, nullptr, "INFO: " + pf + "\nT", "INFO: " + pf + "<br>T<p>", 0},
        {5, true, kurz, "\nT", "T", 0},
        {6, true, zeit, "DEBUG: " + pk + "\nT", GRAU + "DEBUG: " + pk + "<br>T" + ENDE + "<br><p>", 3},
        {6, true, kurz, "DEBUG: \nT", "DEBUG: T", 3},
        // each suppression switch holds back its own type only
        {4, false, zeit, "", "", 1, warnungen},
        {5, false, kurz, "T", SCHWARZ + "T" + ENDE, 0, warnungen},
        {0, false, kurz, "T", ROT + "T" + ENDE, 2, warnungen},
        {5, false, zeit, "", "", 0, infos},
        {4, false, kurz, "T", BRAUN + "T" + ENDE, 1, infos},
        {3, false, kurz, "T", ROT + "T" + ENDE, 2, infos},
        // the output mode picks only the HTML operation
        {5, false, kurz, "T", SCHWARZ + "T" + ENDE, 0, {}, 1, "variante_1"},
        {5, false, kurz, "T", SCHWARZ + "T" + ENDE, 0, {}, -1, "variante_2"},
        {5, false, kurz, "T", SCHWARZ + "T" + ENDE, 0, {}, 2},
        {5, false, kurz, "T", SCHWARZ + "T" + ENDE, 0, {}, -2},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(::testing::Message() << "typ " << f.typ << (f.debug ? " debug " : " normal ")
                                          << (f.klasse ? f.klasse->gib_name() : "null") << " modus " << f.modus
                                          << (f.gesetzt ? schalter_schluessel(*f.gesetzt) : ""));
        setze_schalter(ESchalter::DebugAusgabe, f.debug ? Ja : Nein);
        if (f.gesetzt)
            setze_schalter(*f.gesetzt, Ja);
        Senke klar(false, protokoll);
        Senke html(true, protokoll);
        melde(static_cast<EFehlerTyp>(f.typ), f.klasse, "m", "T", f.modus);
        if (f.gesetzt)
            setze_schalter(*f.gesetzt, Nein);
        if (f.klartext.empty()) {
            EXPECT_TRUE(protokoll.empty());
            continue;
        }
        ASSERT_EQ(protokoll.size(), 2u);
        EXPECT_EQ(protokoll[0].senke, &klar);
        EXPECT_EQ(protokoll[1].senke, &html);
        for (const kern::Aufruf& a : protokoll)
            EXPECT_EQ(a.ebene, f.ebene);
        EXPECT_EQ(ops(), (std::vector<std::string>{"schreibe:" + f.klartext, f.html_operation + (":" + f.html)}));
    }
}

TEST_F(Melde, UebersetztePraefixeUndFarbenJeMeldung)
{
    setze_schalter(ESchalter::DebugAusgabe, Ja);
    i18n().setze_eintrag("WARNUNG: ", "WARNING: ");
    Senke klar(false, protokoll);
    melde(FT_WARNUNG, klasse_kurze_ausgabe(), "f", "T");
    EXPECT_EQ(ops(), std::vector<std::string>{"schreibe:WARNING: \nT"});

    Senke html(true, protokoll);
    setze_schalter(ESchalter::DebugAusgabe, Nein);
    fehlerfarbe() = "#123456";
    melde(FT_EINGABEFEHLER, klasse_kurze_ausgabe(), "m", "T");
    EXPECT_EQ(ops(), (std::vector<std::string>{"schreibe:T", "schreibe:<span style=\"color:#123456\">T</span>"}));
}

TEST_F(Melde, SenkenInZeigerfolgeErstKlartextDannHtml)
{
    std::vector<std::unique_ptr<Senke>> senken;
    for (int i = 0; i < 6; ++i)
        senken.push_back(std::make_unique<Senke>(i % 2 == 0, protokoll));
    melde(FT_WARNUNG, klasse_CZeit(), "m", "T");
    ASSERT_EQ(protokoll.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_EQ(protokoll[i].senke->ist_html(), i >= 3) << i;
    const auto adresse = [](const kern::Aufruf& a, const kern::Aufruf& b) { return a.senke < b.senke; };
    EXPECT_TRUE(std::is_sorted(protokoll.begin(), protokoll.begin() + 3, adresse));
    EXPECT_TRUE(std::is_sorted(protokoll.begin() + 3, protokoll.end(), adresse));
    senken.clear();
    EXPECT_TRUE(logsenken().empty());
}

TEST_F(Melde, KonsolenechoGehoertZurKlartextverteilung)
{
    setze_schalter(ESchalter::AsciiAusgabe, Ja);
    for (bool mit_senke : {false, true}) {
        // An HTML sink alone still opens the plain distribution.
        std::unique_ptr<Senke> html = mit_senke ? std::make_unique<Senke>(true, protokoll) : nullptr;
        testing::internal::CaptureStdout();
        testing::internal::CaptureStderr();
        melde(FT_FATALER_FEHLER, klasse_CZeit(), "m", "Fehler");
        melde(FT_WARNUNG, klasse_CZeit(), "m", "Warnung");
        melde(FT_INFO, klasse_kurze_ausgabe(), "m", "Info");
        EXPECT_EQ(testing::internal::GetCapturedStdout(), mit_senke ? "Warnung\nInfo\n" : "");
        EXPECT_EQ(testing::internal::GetCapturedStderr(), mit_senke ? "Fehler\n" : "");
    }
}

// The level of an invalid type is the error level: it can only come from a
// programming mistake.
TEST_F(Melde, UngueltigerTypMeldetSichAufStderrUndGiltAlsFehler)
{
    setze_schalter(ESchalter::DebugAusgabe, Ja);
    Senke klar(false, protokoll);
    testing::internal::CaptureStderr();
    melde(static_cast<EFehlerTyp>(7), klasse_CZeit(), "m", "T");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "\nKEIN GUELTIGER FEHLERTYP\n");
    ASSERT_EQ(protokoll.size(), 1u);
    EXPECT_EQ(protokoll[0].text, "in Klasse CZeit, Methode m: \nT");
    EXPECT_EQ(protokoll[0].ebene, AUSGABE_FEHLER);
}

TEST_F(Melde, EmpfaengerNimmtAllesAuchUnterdrueckteTypen)
{
    Senke klar(false, protokoll);
    Senke html(true, protokoll);
    installiere_meldungsempfaenger(&empfaenger);
    setze_schalter(ESchalter::UnterdrueckeWarnungen, Ja);
    for (int typ = 0; typ <= 7; ++typ)
        melde(static_cast<EFehlerTyp>(typ), klasse_CZeit(), "m", "T");
    ASSERT_EQ(empfaenger.meldungen.size(), 8u);
    EXPECT_EQ(empfaenger.meldungen[6].typ, FT_DEBUG);
    EXPECT_TRUE(protokoll.empty());
    EXPECT_EQ(installiere_meldungsempfaenger(nullptr), &empfaenger);
}

TEST_F(Melde, DebugEbeneNurImDebugmodus)
{
    Senke klar(false, protokoll);
    Senke html(true, protokoll);
    for (bool debug : {false, true}) {
        setze_schalter(ESchalter::DebugAusgabe, debug ? Ja : Nein);
        verteile_text("x", AUSGABE_DEBUG);
        verteile_html("x", AUSGABE_DEBUG);
        verteile_html_variante_1("x", AUSGABE_DEBUG);
        verteile_html_variante_2("x", AUSGABE_DEBUG);
        EXPECT_EQ(ops().size(), debug ? 4u : 0u);
    }
}

TEST_F(Melde, GruppeFragtMitgliederBisZumErstenNichtBereiten)
{
    CLogGruppe gruppe(false, false);
    EXPECT_TRUE(gruppe.ist_bereit());
    EXPECT_EQ(logsenken().count(&gruppe), 0u);  // made without registering
    std::vector<std::unique_ptr<Senke>> mitglieder;
    for (bool bereit : {true, false, true, false}) {
        mitglieder.push_back(std::make_unique<Senke>(false, protokoll, bereit));
        gruppe.ergaenze(mitglieder.back().get());
    }
    std::sort(mitglieder.begin(), mitglieder.end());
    EXPECT_FALSE(gruppe.ist_bereit());
    // asked in address order, stopping at the first that is not ready
    bool erreicht = true;
    for (const auto& m : mitglieder) {
        EXPECT_EQ(m->gefragt, erreicht ? 1 : 0);
        erreicht = erreicht && m->ist_bereit();
    }
}

TEST_F(Melde, GruppeReichtWeiterUndVergisstZerstoerteMitglieder)
{
    auto gruppe = std::make_unique<CLogGruppe>(true);
    auto mitglied = std::make_unique<Senke>(true, protokoll);
    gruppe->ergaenze(mitglied.get());
    melde(FT_WARNUNG, klasse_kurze_ausgabe(), "m", "T", -1);
    // once directly (it is registered itself) and once through the group
    const std::string t = "variante_2:" + BRAUN + "T" + ENDE;
    EXPECT_EQ(ops(), (std::vector<std::string>{t, t}));
    mitglied.reset();
    EXPECT_TRUE(gruppe->gib_mitglieder().empty());
    EXPECT_EQ(logsenken().size(), 1u);
    gruppe.reset();
    EXPECT_TRUE(logsenken().empty());
}

}  // namespace
