// Units, descriptors, control variables, the general settings that hold the switches, and the key table.
#include "framework/variables/einheit.h"
#include "framework/variables/schluesseltabelle.h"
#include "framework/variables/steuervariable.h"
#include "tests/framework/framework_hilfe.h"

using Variablen = MitEmpfaenger;

TEST_F(Variablen, EinheitenInBeideRichtungen)
{
    const std::pair<int, const char*> einheiten[] = {
        {0, ""}, {1, "V"}, {4, "MW"}, {7, "Mvar"}, {14, "Ohm"}, {16, "H"}, {20, "uF"}, {21, "microF"}, {29, "%"},
        {31, "h"}, {34, "MWh/a"}, {37, "uF/km"}, {38, "microF/km"}, {41, "1/(km*a)"}, {42, "p.u./km"}, {43, "p.u."}};
    for (const auto& [wert, text] : einheiten) {
        EXPECT_EQ(einheit_in_string(static_cast<EEinheit>(wert)), text) << wert;
        EXPECT_EQ(string_in_einheit(text), wert) << text;
    }
    for (const char* text : {"mw", "kV ", " kV", "p.u", "\xB5" "F", "0"})
        EXPECT_EQ(string_in_einheit(text), 99999999) << text;
    for (std::int32_t wert : {-1, 44, INT32_MAX})
        EXPECT_EQ(einheit_in_string(static_cast<EEinheit>(wert)),
                  "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!") << wert;
}

TEST_F(Variablen, BeschreiberRegisterInErzeugungsfolge)
{
    const std::vector<CVariableBeschr*> vorher = variablenbeschreiber();
    {
        CVariableBeschrTemplate<int> i("/Test/int", 4, "", "");
        auto u = std::make_unique<CVariableBeschrTemplate<unsigned>>("/Test/unsigned", 5u, "", "");
        CVariableBeschrTemplate<float> f("/Test/float", 1.5f, "", "");
        CVariableBeschrTemplate<double> d("/Test/double", 2.5, "", "");
        EXPECT_EQ(Texte({i.gib_typname(), u->gib_typname(), f.gib_typname(), d.gib_typname()}),
                  Texte({"int", "unsigned", "float", "double"}));  // text and bool: the start test's
        std::vector<CVariableBeschr*> erwartet = vorher;
        erwartet.insert(erwartet.end(), {&i, u.get(), &f, &d});
        EXPECT_EQ(variablenbeschreiber(), erwartet);
        EXPECT_EQ(finde_variablenbeschreiber("/Test/double"), &d);
        EXPECT_EQ(finde_variablenbeschreiber("/Test/Double"), nullptr);
        u.reset();  // one from the middle: the others keep their order
        erwartet.erase(erwartet.begin() + static_cast<std::ptrdiff_t>(vorher.size()) + 1);
        EXPECT_EQ(variablenbeschreiber(), erwartet);
    }
    EXPECT_EQ(variablenbeschreiber(), vorher);
}

template <typename T>
struct Fall { const char* text; bool pruefen; T erwartet; const char* fehler = nullptr; };
// Each row starts from `start` on a variable allowed within [unten, oben]; a row that throws must leave it there.
template <typename T>
void pruefe(const T& unten, const T& oben, const T& start, const std::vector<Fall<T>>& faelle)
{
    CVariableBeschrTemplate<T> beschr("/Test/x", start, "", "");
    beschr.setze_zulaessig(unten, oben);
    CVariableSteuer<T> variable(beschr);
    for (const Fall<T>& fall : faelle) {
        variable.setze_wert(start);
        const auto fehler = fall.fehler ? "3 CVariableBasisTemplate setze_wert_str: " + std::string(fall.fehler) : "";
        EXPECT_EQ(geworfen([&] { variable.setze_wert_str(fall.text, fall.pruefen); }), fehler) << fall.text;
        EXPECT_EQ(variable.gib_wert(), fall.fehler ? start : fall.erwartet) << fall.text << " " << fall.pruefen;
    }
}

TEST_F(Variablen, SetzeWertStrJeTypMitUndOhnePruefung)
{
    pruefe<int>(0, 10, 3,
                {{"", true, 99999999}, {"10", true, 10}, {"11", true, 0, "Wert 11 ist zu gross - Obergrenze = 10"},
                 {"11", false, 11}, {"-1", true, 0, "Wert -1 ist zu klein - Untergrenze = 0"}, {"  7 Tage", true, 7},
                 {"abc", true, 0}, {"12abc", true, 0, "Wert 12abc ist zu gross - Obergrenze = 10"},
                 {"99999999999", false, 2147483647}, {"-99999999999", false, -2147483647 - 1}});
    // An absent bound limits nothing, not even values above 99999999.
    pruefe<int>(99999999, -5, 0, {{"-4", true, 0, "Wert -4 ist zu gross - Obergrenze = -5"}});
    pruefe<int>(99999999, 99999999, 0, {{"100000000", true, 100000000}, {"-2147483648", true, -2147483647 - 1}});
    pruefe<unsigned>(2u, 8u, 5u,
                     {{"2", true, 2u}, {"1", true, 0u, "Wert 1 ist zu klein - Untergrenze = 2"},
                      {"9", true, 0u, "Wert 9 ist zu gross - Obergrenze = 8"}, {"4294967296", false, 4294967295u},
                      {"-1", true, 0u, "Wert -1 darf nicht negativ sein"}, {"-1", false, 4294967295u}});
    pruefe<unsigned>(99999999u, 99999999u, 1u, {{"-0", true, 0u}, {"4294967295", true, 4294967295u}});
    pruefe<double>(0.5, 2.5, 1.0,
                   {{"2.5", true, 2.5}, {"1,5", true, 1.0}, {" 2.25abc", true, 2.25}, {"2.6", false, 2.6},
                    {"2.6", true, 0.0, "Wert 2.6 ist zu gross - Obergrenze = 2.5"},
                    {"0.1", true, 0.0, "Wert 0.1 ist zu klein - Untergrenze = 0.5"}});
    CVariableBeschrTemplate<float> fremd("/Test/float", 1.0f, "", "");
    fremd.setze_zulaessig(0.0f, 1.0f);
    CVariableSteuer<double> variable("/Test/float", &fremd);  // not of its own type: nothing is range-checked
    EXPECT_EQ(variable.gib_wert(), 99999999.0);
    variable.setze_wert_str("5", true);
    EXPECT_EQ(variable.gib_wert(), 5.0);
    // Anything else is rejected, checked or not. Bounds of an EBool are never tested.
    pruefe<EBool>(nein, nein, nein,
                  {{"ja", true, ja}, {"True", true, ja}, {"1", true, ja}, {"NEIN", true, nein}, {"false", true, nein},
                   {"0", false, nein}, {"yes", true, ja, "yes ist unzulaessiger Wert fuer boolsche Variable"},
                   {" ja", false, ja, " ja ist unzulaessiger Wert fuer boolsche Variable"},
                   {"2", false, ja, "2 ist unzulaessiger Wert fuer boolsche Variable"}});
    pruefe<std::string>("b", "c", "alt", {{" %1 \xE4 ", true, " %1 \xE4 "}});
}

// Runs the check for each value: the level it returns, then each finding appended, as "level text".
void pruefe_bereich(CSteuerVarInterface& variable, const std::vector<std::pair<const char*, CPruefmeldung>>& faelle)
{
    for (const auto& [wert, erwartet] : faelle) {
        variable.setze_wert_str(wert, false);
        CPruefmeldungen befunde;
        Texte bild{std::to_string(variable.pruefe(befunde))};
        for (const CPruefmeldung& b : befunde)
            bild.push_back(std::to_string(b.stufe) + " " + b.text);
        const std::string e = std::to_string(erwartet.stufe);
        EXPECT_EQ(bild, erwartet.text.empty() ? Texte{e} : (Texte{e, e + " " + erwartet.text})) << wert;
    }
}

TEST_F(Variablen, PruefeZulaessigVorPlausibelUntenVorOben)
{
    CVariableBeschrTemplate<int> beschr("/Netz/x", 0, "", "");
    beschr.setze_zulaessig(0, 100);
    beschr.setze_plausibel(10, 50);
    CVariableSteuer<int> variable(beschr);
    const std::string w = "Wert ", v = " der Variablen /Netz/x liegt ", dv = " der Variablen /Netz/d liegt ";
    pruefe_bereich(variable, {{"-1", {3, w + "-1" + v + "unterhalb des zul\xE4ssigen Wertebereichs (0 - 100)"}},
                              {"101", {3, w + "101" + v + "oberhalb des zul\xE4ssigen Wertebereichs (0 - 100)"}},
                              {"9", {2, w + "9" + v + "unterhalb des plausiblen Wertebereichs (10 - 50)"}},
                              {"100", {2, w + "100" + v + "oberhalb des plausiblen Wertebereichs (10 - 50)"}},
                              {"10", {0, ""}}, {"50", {0, ""}}, {"", {0, ""}}});
    beschr.setze_zulaessig(10, 5);  // crossed bounds: below the lower and above the upper one; lower wins
    pruefe_bereich(variable, {{"7", {3, w + "7" + v + "unterhalb des zul\xE4ssigen Wertebereichs (10 - 5)"}}});
    variable.setze_muss_belegt(true);
    const std::string muss = "Variable /Netz/x muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert";
    pruefe_bereich(variable, {{"", {3, muss}}});
    CVariableSteuer<int> ohne("/Netz/o");  // no descriptor of its own type: nothing is range-checked
    pruefe_bereich(ohne, {{"-5", {0, ""}}});
    CVariableBeschrTemplate<double> d_beschr("/Netz/d", 0.0, "", "");
    d_beschr.setze_zulaessig(99999999.0, 1.5);  // an absent bound reads "unbegrenzt"
    d_beschr.setze_plausibel(0.25, 99999999.0);
    CVariableSteuer<double> d(d_beschr);
    pruefe_bereich(d, {{"2", {3, w + "2." + dv + "oberhalb des zul\xE4ssigen Wertebereichs (unbegrenzt - 1.5)"}},
                       {"0.125", {2, w + "0.125" + dv + "unterhalb des plausiblen Wertebereichs (0.25 - unbegrenzt)"}},
                       {"1.5", {0, ""}}});
}

TEST_F(Variablen, WertAlsTextUndFuerDieDatenbank)
{
    CVariableSteuer<int> i("/T/i");
    CVariableSteuer<unsigned> u("/T/u");
    CVariableSteuer<double> d("/T/d");
    CVariableSteuer<EBool> b("/T/b");
    CVariableSteuer<std::string> s("/T/s");
    const std::tuple<CVariableBasis*, const char*, const char*> zeilen[] = {
        {&i, "", "---"}, {&i, "-42", "-42"}, {&u, "", "---"}, {&d, "", "---"}, {&d, "-0.125", "-0.125"}, {&s, "", ""},
        {&d, "1e-20", "1.000000000000E-20"}, {&d, "0", "0."}, {&b, "", "---"}, {&b, "ja", "Ja"}, {&b, "false", "Nein"}};
    for (const auto& [variable, eingabe, als_text] : zeilen) {
        variable->setze_wert_str(eingabe, true);
        EXPECT_EQ(variable->gib_wert_str(), als_text) << variable->gib_schluessel() << " \"" << eingabe << '"';
    }
    u.setze_wert(4294967295u);
    s.setze_wert("a b");
    EXPECT_EQ(u.gib_db_string() + s.gib_db_string(), "4294967295\"a b\"");
    setze_dezimaltrennzeichen_text(",");  // "%g" in the C locale, whatever the separator
    d.setze_wert(1234567.0);
    b.setze_wert(ja);
    EXPECT_EQ(d.gib_db_string() + "|" + b.gib_db_string(), "1.23457e+06|");
    d.setze_wert_str("2,75", true);
    EXPECT_EQ(d.gib_wert_str(), "2,75");
    EXPECT_EQ(empfaenger.meldungen, Texte{"1 CVariableBasisTemplate gib_db_string: unbekannter Typ bool"});
}

TEST_F(Variablen, BasisoperationenListenUndAenderung)
{
    CVariableBeschrTemplate<int> beschr("/T/i", 1, "", "");
    CVariableSteuer<int> steuer(beschr);
    CVariableSteuer<int> a("/T/a"), a_noch_einmal("/T/a");
    CVariableSteuer<double> b("/T/b");
    steuer.ergaenze_steuervar(&a);
    steuer.ergaenze_steuervar(&b);
    EXPECT_EQ(geworfen([&] { steuer.ergaenze_steuervar(&a_noch_einmal); }),
              "1 CVariableBasis ergaenze_steuervar: Steuervariable /T/a bereits in Liste");
    EXPECT_EQ(steuer.gib_steuervariablen(), (std::vector<CSteuerVarInterface*>{&a, &b}));
    steuer.ergaenze_steuervar_vorlage(&b);
    EXPECT_EQ(geworfen([&] { steuer.ergaenze_steuervar_vorlage(&a); }),
              "1 CVariableBasis ergaenze_steuervar_vorlage: Vorlage wurde bereits aufgenommen");
    EXPECT_EQ(steuer.gib_vorlage(), &b);
    CVariableBeschrTemplate<double> d_beschr("/T/d", 10.0, "", "");
    CVariableSteuer<double> d(d_beschr);
    d.setze_wert(10.0);
    EXPECT_FALSE(d.ist_geaendert());
    d.setze_wert_str("10.00005", true);  // within 0.001 percent of the default
    EXPECT_TRUE(d.ist_geaendert() && !d.ungleich_defaultwert());
    d.setze_wert(10.01);
    EXPECT_TRUE(d.ungleich_defaultwert());
    CVariableSteuer<int> ohne("/T/i");  // without a descriptor the default is the missing value
    EXPECT_FALSE(ohne.ungleich_defaultwert());
    ohne.setze_wert(0);
    EXPECT_TRUE(ohne.ungleich_defaultwert());
}

TEST(Erzeugung, ModusUndGruppe)
{
    const std::tuple<std::string, int, bool> faelle[] = {  // last line: group paths are prefixes (first, last, short)
        {"/Allgemein/x", 1, false}, {"/Netz/x", 2, true}, {"/Netz/x", 7, false}, {"/allgemein/x", 0, false},
        {"Allgemein/x", 0, false}, {"/Allgemei", 0, false}, {"", 0, false}, {"/Netz/Allgemein", 0, false},
        {"/AllgemeinX/a", 0, true}, {"/NGGrafikX/a", 0, true}, {"/WertGruppenProfilX/a", 0, true}};
    CVariableBeschrTemplate<int> beschr("/Netz/x", 110, "", "");
    for (const auto& [schluessel, modus, ui] : faelle) {
        const auto variable = erzeuge_steuervariable<int>(schluessel, modus, &beschr);
        EXPECT_EQ(dynamic_cast<CVariableSteuerUI<int>*>(variable.get()) != nullptr, ui) << schluessel << " " << modus;
        EXPECT_EQ(variable->gib_schluessel() + std::to_string(variable->gib_wert()), schluessel + "110");
    }
}

TEST(Gleichheit, RelativUndAbsolut)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const struct { double a, b, prozent, absolut; bool gleich; } faelle[] = {
        {1e-101, -9e-101, 0.0, 0.0, true}, {0.0, 1e-100, 0.001, 1.0, false}, {100.0, 100.001, 0.001, 0.0, true},
        {100.0, 100.0011, 0.001, 0.0, false}, {100.0, 101.0, 0.001, 1.0, true}, {100.0, 101.0, 0.001, 0.5, false},
        {1.0, -1.0, 200.0, 0.0, true}, {1.0, -1.0, 199.0, 0.0, false}, {nan, nan, 100.0, 1.0, false}};
    for (const auto& f : faelle)  // both ways round
        EXPECT_EQ(std::pair(ist_gleich(f.a, f.b, f.prozent, f.absolut), ist_gleich(f.b, f.a, f.prozent, f.absolut)),
                  std::pair(f.gleich, f.gleich)) << "Zeile " << &f - faelle;
}

// Setting a value through the control variable is what the switch reads, and the other way round; only Ja is set.
TEST_F(Variablen, AllgemeineSchalterLiegenInDenSteuervariablen)
{
    const std::pair<const char*, ESchalter> schalter[] = {
        {"/Allgemein/Debug Ausgabe in fehler.txt", ESchalter::debug_ausgabe_in_fehler_txt},
        {"/Allgemein/Unterdruecke Warnungen", ESchalter::unterdruecke_warnungen},
        {"/Allgemein/Unterdruecke Infos", ESchalter::unterdruecke_infos},
        {"/Allgemein/Debug Ausgabe", ESchalter::debug_ausgabe}, {"/Allgemein/ASCII-Ausgabe", ESchalter::ascii_ausgabe}};
    for (const auto& [pfad, welcher] : schalter) {
        CSteuerVarInterface* variable = finde_allgemeine_einstellung(pfad);
        ASSERT_NE(variable, nullptr) << pfad;
        for (const auto& [text, wert] : {std::pair{"JA", ja}, {"nein", nein}, {"", fehlwert_ebool}}) {
            variable->setze_wert_str(text, true);
            EXPECT_EQ(gib_schalter(welcher), wert) << pfad << " " << text;
            EXPECT_EQ(schalter_gesetzt(welcher), wert == ja) << pfad << " " << text;
        }
        setze_schalter(welcher, ja);
        EXPECT_EQ(variable->gib_wert_str(), "Ja") << pfad;
        EXPECT_STREQ(schalter_schluessel(welcher), pfad);
    }
    CSteuerVarInterface& trennzeichen = *finde_allgemeine_einstellung("/Allgemein/Dezimaltrennzeichen");
    trennzeichen.setze_wert_str(",;", true);  // the first character counts; what it changes is the number tests'
    EXPECT_EQ(dezimaltrennzeichen(), ',');
    trennzeichen.setze_wert_str("", true);  // an empty separator would make numbers unreadable
    EXPECT_EQ(dezimaltrennzeichen(), '.');
    setze_dezimaltrennzeichen_text(",");
    EXPECT_EQ(trennzeichen.gib_wert_str(), ",");
}

TEST(Schluesseltabelle, AufsteigendNachBytesMitIdsAbEins)
{
    std::int32_t erwartete_id = 1;
    for (const auto& [schluessel, id] : schluesseltabelle())
        EXPECT_EQ(id, erwartete_id++) << schluessel;
    EXPECT_EQ(schluessel_id("/Allgemein/ASCII-Ausgabe"), 1);  // upper case sorts first: "ASCII" before "Ausgabe"
    EXPECT_EQ(schluessel_id("/Allgemein/Ausgabeverzeichnis"), 2);
    for (const char* unbekannt : {"", "/Allgemein", "/allgemein/ascii-ausgabe", "/Allgemein/ASCII-Ausgabe "})
        EXPECT_FALSE(schluessel_id(unbekannt).has_value()) << unbekannt;
}
