// The message function: suppression, plain and HTML dressing, distribution, echo, handler, groups.
#include "kern_hilfe.h"

#include <algorithm>
#include <memory>

namespace {

using kern::Aufruf;
using kern::Senke;

const std::string ROT = "<span style=\"color:#b20000\">";
const std::string BRAUN = "<span style=\"color:#b36b3f\">";
const std::string SCHWARZ = "<span style=\"color:#000000\">";
const std::string GRAU = "<span style=\"color:#999999\">";
const std::string ENDE = "</span>";

class Melde : public kern::KernTest {
protected:
    std::vector<Aufruf> protokoll;
};

struct Fall {
    int typ;
    bool debug;
    bool kurz;
    std::string klartext;  // empty: nothing reaches any sink
    std::string html;
    int ebene;
};

std::ostream& operator<<(std::ostream& o, const Fall& f)
{
    return o << "typ " << f.typ << (f.debug ? " debug" : " normal") << (f.kurz ? " kurz" : "");
}

TEST_F(Melde, KlartextUndHtmlJeTypUndModus)
{
    const std::string pk = "in Klasse CZeit, Methode m: ";
    const Fall faelle[] = {
        // normal mode: plain sinks get T alone
        {0, false, false, "T", ROT + "T" + ENDE + "<br><p>", 2},
        {3, false, true, "T", ROT + "T" + ENDE, 2},
        {4, false, false, "T", BRAUN + "T" + ENDE + "<br><p>", 1},
        {4, false, true, "T", BRAUN + "T" + ENDE, 1},
        {5, false, false, "T", SCHWARZ + "T" + ENDE + "<br><p>", 0},
        {5, false, true, "T", SCHWARZ + "T" + ENDE, 0},
        {6, false, false, "", "", 3},
        {6, false, true, "", "", 3},
        // debug mode: prefix, line end, text; only warnings and debug coloured
        {1, true, false, "FEHLER: " + pk + "\nT", "FEHLER: " + pk + "<br>T<p>", 2},
        {2, true, true, "FEHLER: \nT", "FEHLER: T", 2},
        {4, true, false, "WARNUNG: " + pk + "\nT", BRAUN + "WARNUNG: " + pk + "<br>T" + ENDE + "<br><p>", 1},
        {4, true, true, "WARNUNG: \nT", BRAUN + "WARNUNG: T" + ENDE, 1},
        {5, true, false, "INFO: " + pk + "\nT", "INFO: " + pk + "<br>T<p>", 0},
        {5, true, true, "\nT", "T", 0},
        {6, true, false, "DEBUG: " + pk + "\nT", GRAU + "DEBUG: " + pk + "<br>T" + ENDE + "<br><p>", 3},
        {6, true, true, "DEBUG: \nT", "DEBUG: T", 3},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f);
        protokoll.clear();
        setze_schalter(ESchalter::DebugAusgabe, f.debug ? Ja : Nein);
        Senke klar(false, protokoll);
        Senke html(true, protokoll);
        melde(static_cast<EFehlerTyp>(f.typ), f.kurz ? klasse_kurze_ausgabe() : klasse_CZeit(), "m", "T");
        if (f.klartext.empty()) {
            EXPECT_TRUE(protokoll.empty());
            continue;
        }
        ASSERT_EQ(protokoll.size(), 2u);
        EXPECT_EQ(protokoll[0].senke, &klar);
        EXPECT_EQ(protokoll[0].operation, "schreibe");
        EXPECT_EQ(protokoll[0].text, f.klartext);
        EXPECT_EQ(protokoll[0].ebene, f.ebene);
        EXPECT_EQ(protokoll[1].senke, &html);
        EXPECT_EQ(protokoll[1].operation, "schreibe");
        EXPECT_EQ(protokoll[1].text, f.html);
        EXPECT_EQ(protokoll[1].ebene, f.ebene);
    }
}

TEST_F(Melde, FreieFunktionUndUebersetztePraefixe)
{
    setze_schalter(ESchalter::DebugAusgabe, Ja);
    i18n().setze_eintrag("WARNUNG: ", "WARNING: ");
    Senke klar(false, protokoll);
    melde(FT_WARNUNG, klasse_freie_funktion(), "f", "T");
    melde(FT_WARNUNG, nullptr, "g", "T");
    ASSERT_EQ(protokoll.size(), 2u);
    EXPECT_EQ(protokoll[0].text, "WARNING: in Methode oder Funktion  f: \nT");
    EXPECT_EQ(protokoll[1].text, "WARNING: in Methode oder Funktion  g: \nT");
}

TEST_F(Melde, UnterdrueckungNachSchaltern)
{
    struct Zeile {
        ESchalter schalter;
        int typ;
        bool erreicht;
    };
    const Zeile zeilen[] = {
        {ESchalter::UnterdrueckeWarnungen, 4, false}, {ESchalter::UnterdrueckeWarnungen, 5, true},
        {ESchalter::UnterdrueckeInfos, 5, false},     {ESchalter::UnterdrueckeInfos, 4, true},
        {ESchalter::UnterdrueckeWarnungen, 0, true},  {ESchalter::UnterdrueckeInfos, 3, true},
    };
    Senke klar(false, protokoll);
    for (const Zeile& z : zeilen) {
        SCOPED_TRACE(std::string(schalter_schluessel(z.schalter)) + " typ " + std::to_string(z.typ));
        protokoll.clear();
        setze_schalter(z.schalter, Ja);
        melde(static_cast<EFehlerTyp>(z.typ), klasse_CZeit(), "m", "T");
        setze_schalter(z.schalter, Nein);
        EXPECT_EQ(protokoll.size(), z.erreicht ? 1u : 0u);
    }
}

TEST_F(Melde, AusgabemodusWaehltNurDieHtmlOperation)
{
    Senke klar(false, protokoll);
    Senke html(true, protokoll);
    for (const auto& [modus, operation] : std::vector<std::pair<int, std::string>>{
             {1, "variante_1"}, {-1, "variante_2"}, {0, "schreibe"}, {2, "schreibe"}, {-2, "schreibe"}}) {
        SCOPED_TRACE(modus);
        protokoll.clear();
        melde(FT_INFO, klasse_CZeit(), "m", "T", modus);
        ASSERT_EQ(protokoll.size(), 2u);
        EXPECT_EQ(protokoll[0].operation, "schreibe");
        EXPECT_EQ(protokoll[1].operation, operation);
    }
}

TEST_F(Melde, SenkenInZeigerfolge)
{
    std::vector<std::unique_ptr<Senke>> senken;
    for (int i = 0; i < 6; ++i)
        senken.push_back(std::make_unique<Senke>(i % 2 == 0, protokoll));
    melde(FT_WARNUNG, klasse_CZeit(), "m", "T");
    ASSERT_EQ(protokoll.size(), 6u);
    // plain sinks first (plain distribution), each group in ascending address
    for (std::size_t i = 0; i < 3; ++i)
        EXPECT_FALSE(static_cast<const Senke*>(protokoll[i].senke)->ist_html());
    const auto adresse = [](const Aufruf& a, const Aufruf& b) { return a.senke < b.senke; };
    EXPECT_TRUE(std::is_sorted(protokoll.begin(), protokoll.begin() + 3, adresse));
    EXPECT_TRUE(std::is_sorted(protokoll.begin() + 3, protokoll.end(), adresse));
    senken.clear();
    EXPECT_TRUE(logsenken().empty());
}

TEST_F(Melde, KonsolenechoGehoertZurKlartextverteilung)
{
    setze_schalter(ESchalter::AsciiAusgabe, Ja);
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    melde(FT_FATALER_FEHLER, klasse_CZeit(), "m", "ohne Senke");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");

    Senke html(true, protokoll);  // an HTML sink alone still opens the plain distribution
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    melde(FT_FATALER_FEHLER, klasse_CZeit(), "m", "Fehler");
    melde(FT_WARNUNG, klasse_CZeit(), "m", "Warnung");
    melde(FT_INFO, klasse_kurze_ausgabe(), "m", "Info");
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "Warnung\nInfo\n");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Fehler\n");
}

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
    kern::Empfaenger empfaenger;
    Senke klar(false, protokoll);
    Senke html(true, protokoll);
    installiere_meldungsempfaenger(&empfaenger);
    setze_schalter(ESchalter::UnterdrueckeWarnungen, Ja);
    for (int typ = 0; typ <= 7; ++typ)
        melde(static_cast<EFehlerTyp>(typ), klasse_CZeit(), "m", "T");
    EXPECT_EQ(empfaenger.meldungen.size(), 8u);
    EXPECT_EQ(empfaenger.meldungen[6].typ, FT_DEBUG);
    EXPECT_TRUE(protokoll.empty());
    EXPECT_EQ(installiere_meldungsempfaenger(nullptr), &empfaenger);
}

TEST_F(Melde, FarbenWerdenJeMeldungGelesen)
{
    Senke html(true, protokoll);
    fehlerfarbe() = "#123456";
    melde(FT_EINGABEFEHLER, klasse_kurze_ausgabe(), "m", "T");
    ASSERT_EQ(protokoll.size(), 1u);
    EXPECT_EQ(protokoll[0].text, "<span style=\"color:#123456\">T</span>");
}

TEST_F(Melde, DebugEbeneNurImDebugmodus)
{
    Senke klar(false, protokoll);
    Senke html(true, protokoll);
    verteile_text("x", AUSGABE_DEBUG);
    verteile_html("x", AUSGABE_DEBUG);
    EXPECT_TRUE(protokoll.empty());
    setze_schalter(ESchalter::DebugAusgabe, Ja);
    verteile_text("x", AUSGABE_DEBUG);
    verteile_html_variante_2("x", AUSGABE_DEBUG);
    EXPECT_EQ(protokoll.size(), 2u);
}

TEST_F(Melde, GruppeFragtMitgliederBisZumErstenNichtBereiten)
{
    CLogGruppe gruppe(false, false);
    EXPECT_TRUE(gruppe.ist_bereit());
    std::vector<std::unique_ptr<Senke>> mitglieder;
    for (bool bereit : {true, false, true, false})
        mitglieder.push_back(std::make_unique<Senke>(false, protokoll, bereit));
    for (auto& m : mitglieder)
        gruppe.ergaenze(m.get());
    std::sort(mitglieder.begin(), mitglieder.end());
    EXPECT_FALSE(gruppe.ist_bereit());
    // asked in address order, stopping at the first that is not ready
    std::size_t erster_nicht_bereit = 0;
    while (mitglieder[erster_nicht_bereit]->ist_bereit())
        ++erster_nicht_bereit;
    for (auto& m : mitglieder)
        m->gefragt = 0;
    EXPECT_FALSE(gruppe.ist_bereit());
    for (std::size_t i = 0; i < mitglieder.size(); ++i)
        EXPECT_EQ(mitglieder[i]->gefragt, i <= erster_nicht_bereit ? 1 : 0) << i;
    EXPECT_EQ(logsenken().count(&gruppe), 0u);  // made without registering
}

TEST_F(Melde, GruppeReichtWeiterUndVergisstZerstoerteMitglieder)
{
    auto gruppe = std::make_unique<CLogGruppe>(true);
    CLogBase* gruppenzeiger = gruppe.get();
    auto mitglied = std::make_unique<Senke>(true, protokoll);
    gruppe->ergaenze(mitglied.get());
    melde(FT_WARNUNG, klasse_kurze_ausgabe(), "m", "T", 1);
    // once directly (it is registered itself) and once through the group
    ASSERT_EQ(protokoll.size(), 2u);
    EXPECT_EQ(protokoll[0].operation, "variante_1");
    EXPECT_EQ(protokoll[1].operation, "variante_1");
    mitglied.reset();
    EXPECT_TRUE(gruppe->gib_mitglieder().empty());
    EXPECT_EQ(logsenken().count(gruppenzeiger), 1u);
    gruppe.reset();
    EXPECT_TRUE(logsenken().empty());
}

}  // namespace
