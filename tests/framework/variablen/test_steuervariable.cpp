// Control variables: range check levels and messages, value texts, the operations a class must override,
// lists, creation mode and the floating equality.
#include "steuervariable.h"

#include "schalter.h"
#include "variablen_testhilfe.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>
#include <memory>
#include <string>
#include <vector>

namespace {

using variablentest::gefangen;
using variablentest::VariablenTest;

using PruefeTest = VariablenTest;

struct Bereichsfall {
    const char* wert;
    int stufe;
    const char* meldung;  // null when the check finds nothing
};

// Runs the check for each value; at most one finding may be appended.
template <typename T>
void pruefe_bereich(CVariableSteuer<T>& variable, const std::vector<Bereichsfall>& faelle)
{
    for (const Bereichsfall& fall : faelle) {
        SCOPED_TRACE(fall.wert);
        variable.setze_wert_str(fall.wert, false);
        CPruefmeldungen befunde;
        EXPECT_EQ(variable.pruefe(befunde), fall.stufe);
        if (fall.meldung == nullptr) {
            EXPECT_TRUE(befunde.empty());
        } else {
            ASSERT_EQ(befunde.size(), 1u);
            EXPECT_EQ(befunde[0].stufe, fall.stufe);
            EXPECT_EQ(befunde[0].text, fall.meldung);
        }
    }
}

TEST_F(PruefeTest, ZulaessigVorPlausibelUntenVorOben)
{
    CVariableBeschrTemplate<int> beschr("/Netz/x", 0, "", "");
    beschr.setze_zulaessig(0, 100);
    beschr.setze_plausibel(10, 50);
    CVariableSteuer<int> variable(beschr);
    pruefe_bereich(variable,
                   {
                       {"-1", 3, "Wert -1 der Variablen /Netz/x liegt unterhalb des zul\xE4ssigen Wertebereichs (0 - 100)"},
                       {"101", 3, "Wert 101 der Variablen /Netz/x liegt oberhalb des zul\xE4ssigen Wertebereichs (0 - 100)"},
                       {"0", 2, "Wert 0 der Variablen /Netz/x liegt unterhalb des plausiblen Wertebereichs (10 - 50)"},
                       {"9", 2, "Wert 9 der Variablen /Netz/x liegt unterhalb des plausiblen Wertebereichs (10 - 50)"},
                       {"51", 2, "Wert 51 der Variablen /Netz/x liegt oberhalb des plausiblen Wertebereichs (10 - 50)"},
                       {"100", 2, "Wert 100 der Variablen /Netz/x liegt oberhalb des plausiblen Wertebereichs (10 - 50)"},
                       {"10", 0, nullptr},
                       {"50", 0, nullptr},
                       {"", 0, nullptr},
                   });

    // Crossed bounds: the value is below the lower and above the upper one; lower wins.
    beschr.setze_zulaessig(10, 5);
    pruefe_bereich(variable,
                   {{"7", 3, "Wert 7 der Variablen /Netz/x liegt unterhalb des zul\xE4ssigen Wertebereichs (10 - 5)"}});
}

TEST_F(PruefeTest, FehlendeGrenzenHeissenUnbegrenzt)
{
    CVariableBeschrTemplate<double> beschr("/Netz/d", 0.0, "", "");
    beschr.setze_zulaessig(99999999.0, 1.5);
    beschr.setze_plausibel(0.25, 99999999.0);
    CVariableSteuer<double> variable(beschr);
    pruefe_bereich(variable,
                   {
                       {"2", 3, "Wert 2. der Variablen /Netz/d liegt oberhalb des zul\xE4ssigen Wertebereichs (unbegrenzt - 1.5)"},
                       {"0.125", 2, "Wert 0.125 der Variablen /Netz/d liegt unterhalb des plausiblen Wertebereichs (0.25 - unbegrenzt)"},
                       {"-1e300", 2, "Wert -1.000000000000E+300 der Variablen /Netz/d liegt unterhalb des plausiblen Wertebereichs (0.25 - unbegrenzt)"},
                       {"1.5", 0, nullptr},
                   });
}

TEST_F(PruefeTest, UnsignedUndUebersetzteTexte)
{
    i18n().setze_eintrag("unbegrenzt", "unlimited");
    i18n().setze_eintrag("Wert %1 der Variablen %2 liegt oberhalb des plausiblen Wertebereichs (%3 - %4)",
                         "%2 = %1 > %4 (%3)");
    CVariableBeschrTemplate<unsigned> beschr("/Netz/u", 0u, "", "");
    beschr.setze_plausibel(99999999u, 7u);
    CVariableSteuer<unsigned> variable(beschr);
    pruefe_bereich(variable, {{"8", 2, "/Netz/u = 8 > 7 (unlimited)"}, {"7", 0, nullptr}});
}

TEST_F(PruefeTest, PflichtvariableOhneWertEndetMitStufeDrei)
{
    CVariableBeschrTemplate<int> beschr("/Netz/p", 0, "", "");
    beschr.setze_zulaessig(1, 5);
    CVariableSteuer<int> variable(beschr);
    variable.setze_muss_belegt(true);
    pruefe_bereich(variable,
                   {
                       {"", 3, "Variable /Netz/p muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert"},
                       {"9", 3, "Wert 9 der Variablen /Netz/p liegt oberhalb des zul\xE4ssigen Wertebereichs (1 - 5)"},
                       {"3", 0, nullptr},
                   });
    variable.setze_muss_belegt(false);
    pruefe_bereich(variable, {{"", 0, nullptr}});

    CVariableSteuer<std::string> text("/Netz/t");
    text.setze_muss_belegt(true);
    pruefe_bereich(text, {{"", 3, "Variable /Netz/t muss im aktuellen Berechnungsverfahren belegt sein und hat keinen Wert"},
                          {"a", 0, nullptr}});

    // Without a descriptor of its own type nothing is range-checked.
    CVariableSteuer<int> ohne("/Netz/o");
    pruefe_bereich(ohne, {{"-5", 0, nullptr}});
}

using WertTextTest = VariablenTest;

TEST_F(WertTextTest, WertAlsTextUndFuerDieDatenbank)
{
    CVariableSteuer<int> i("/T/i");
    CVariableSteuer<unsigned> u("/T/u");
    CVariableSteuer<double> d("/T/d");
    CVariableSteuer<EBool> b("/T/b");
    CVariableSteuer<std::string> s("/T/s");

    struct Zeile {
        CVariableBasis* variable;
        const char* eingabe;
        const char* als_text;
    };
    const Zeile zeilen[] = {
        {&i, "", "---"}, {&i, "-42", "-42"}, {&i, "99999999", "---"}, {&u, "", "---"}, {&u, "4294967295", "4294967295"},
        {&d, "", "---"}, {&d, "1.5", "1.5"}, {&d, "-0.125", "-0.125"}, {&d, "1e-20", "1.000000000000E-20"},
        {&d, "0", "0."}, {&b, "", "---"}, {&b, "ja", "Ja"}, {&b, "false", "Nein"}, {&s, "", ""}, {&s, " x ", " x "},
    };
    for (const Zeile& zeile : zeilen) {
        SCOPED_TRACE(testing::Message() << zeile.variable->gib_schluessel() << " \"" << zeile.eingabe << '"');
        zeile.variable->setze_wert_str(zeile.eingabe, true);
        EXPECT_EQ(zeile.variable->gib_wert_str(), zeile.als_text);
        // The text form reads back to the same value.
        const std::string vorher = zeile.variable->gib_wert_str();
        if (vorher != "---") {
            zeile.variable->setze_wert_str(vorher, true);
            EXPECT_EQ(zeile.variable->gib_wert_str(), vorher);
        }
    }

    i.setze_wert(-5);
    u.setze_wert(4294967295u);
    s.setze_wert("a b");
    EXPECT_EQ(i.gib_db_string(), "-5");
    EXPECT_EQ(u.gib_db_string(), "4294967295");
    EXPECT_EQ(s.gib_db_string(), "\"a b\"");
    // "%g" in the C locale is the oracle for doubles.
    for (double wert : {1.5, 1e20, 0.0001, 0.00001, 1234567.0, -2.0, 123456.0, 1e-300, 99999999.0}) {
        char oracle[64];
        std::snprintf(oracle, sizeof oracle, "%g", wert);
        d.setze_wert(wert);
        EXPECT_EQ(d.gib_db_string(), oracle) << wert;
    }
    EXPECT_TRUE(meldungen().empty());

    b.setze_wert(Ja);
    EXPECT_EQ(b.gib_db_string(), "");
    ASSERT_EQ(meldungen().size(), 1u);
    EXPECT_EQ(meldungen()[0].typ, FT_PROGRAMMIERFEHLER);
    EXPECT_EQ(meldungen()[0].methode, "gib_db_string");
    EXPECT_EQ(meldungen()[0].text, "unbekannter Typ bool");
}

TEST_F(WertTextTest, MitKommaAlsTrennzeichen)
{
    CVariableSteuer<double> d("/T/d");
    setze_dezimaltrennzeichen_text(",");
    d.setze_wert_str("2,75", true);
    EXPECT_EQ(d.gib_wert(), 2.75);
    EXPECT_EQ(d.gib_wert_str(), "2,75");
    // The database form ignores the separator.
    EXPECT_EQ(d.gib_db_string(), "2.75");
}

using OperationenTest = VariablenTest;

struct Fehlerbild {
    const CKlasse* klasse;
    const char* methode;
    std::string text;
};

void erwarte_programmierfehler(const std::optional<CFehler>& fehler, const Fehlerbild& bild)
{
    SCOPED_TRACE(bild.methode);
    ASSERT_TRUE(fehler.has_value());
    EXPECT_EQ(fehler->gib_typ(), FT_PROGRAMMIERFEHLER);
    EXPECT_EQ(fehler->gib_ausloeser(), bild.klasse);
    EXPECT_EQ(fehler->gib_methode(), bild.methode);
    EXPECT_EQ(fehler->gib_text(), bild.text);
}

TEST_F(OperationenTest, BasisoperationenWerfenTypEins)
{
    CVariableBeschrTemplate<int> beschr("/T/i", 1, "", "");
    CVariableBasisTemplate<int> basis("/T/i", &beschr);
    CVariableSteuer<int> steuer(beschr);
    const CKlasse* k = klasse_CVariableBasis();

    erwarte_programmierfehler(gefangen([&] { (void)basis.ist_geaendert(); }),
                              {k, "ist_geaendert", "Methode muss ueberladen werden"});
    erwarte_programmierfehler(gefangen([&] { basis.ergaenze_geaendert(); }),
                              {k, "ergaenze_geaendert", "Aufruf der Methode bei dieser Variablenklasse nich zul\xE4ssig"});
    erwarte_programmierfehler(
        gefangen([&] { (void)basis.ungleich_defaultwert(); }),
        {k, "ungleich_defaultwert", "Methode ungleich_defaultwert wurde bei dieser Variablenklasse nicht ueberladen"});
    for (CVariableBasis* variable : {static_cast<CVariableBasis*>(&basis), static_cast<CVariableBasis*>(&steuer)}) {
        erwarte_programmierfehler(gefangen([&] { variable->setze_id(99999999); }),
                                  {k, "setze_id", "Id in dieser Variable nicht unterst\xFCtzt: 99999999"});
        erwarte_programmierfehler(gefangen([&] { (void)variable->gib_dbobjekt(); }),
                                  {k, "gib_dbobjekt", "Diese Variableart kann kennt ihr DBObjekt nicht"});
    }

    const std::string zeile = "Zeile: -3 - Methode nicht implementiert! - nichts passiert";
    erwarte_programmierfehler(gefangen([&] { (void)steuer.gib_wert(-3); }),
                              {klasse_CVariableSteuer(), "gib_wert", zeile});
    erwarte_programmierfehler(gefangen([&] { steuer.setze_wert(-3, 5); }),
                              {klasse_CVariableSteuer(), "setze_wert", zeile});
    EXPECT_EQ(steuer.gib_wert(), 1);
    EXPECT_FALSE(steuer.ist_geaendert());
}

TEST_F(OperationenTest, GeaendertUndUngleichDefaultwert)
{
    CVariableBeschrTemplate<double> beschr("/T/d", 10.0, "", "");
    CVariableSteuer<double> d(beschr);
    EXPECT_EQ(d.gib_wert(), 10.0);
    EXPECT_FALSE(d.ist_geaendert());
    EXPECT_FALSE(d.ungleich_defaultwert());

    d.setze_wert(10.0);
    EXPECT_FALSE(d.ist_geaendert());
    d.setze_wert_str("10.00005", true);  // within 0.001 percent of the default
    EXPECT_TRUE(d.ist_geaendert());
    EXPECT_FALSE(d.ungleich_defaultwert());
    d.setze_wert(10.01);
    EXPECT_TRUE(d.ungleich_defaultwert());

    CVariableSteuer<int> ohne("/T/i");
    EXPECT_FALSE(ohne.ungleich_defaultwert());
    ohne.ergaenze_geaendert();
    EXPECT_TRUE(ohne.ist_geaendert());
    ohne.setze_wert(0);
    EXPECT_TRUE(ohne.ungleich_defaultwert());
}

TEST_F(OperationenTest, SteuervariablenUndVorlage)
{
    CVariableSteuer<int> haupt("/T/haupt");
    CVariableSteuer<int> a("/T/a");
    CVariableSteuer<double> b("/T/b");
    CVariableSteuer<EBool> a_noch_einmal("/T/a");
    haupt.ergaenze_steuervar(&a);
    haupt.ergaenze_steuervar(&b);
    for (CSteuerVarInterface* doppelt : {static_cast<CSteuerVarInterface*>(&a),
                                         static_cast<CSteuerVarInterface*>(&a_noch_einmal)}) {
        erwarte_programmierfehler(gefangen([&] { haupt.ergaenze_steuervar(doppelt); }),
                                  {klasse_CVariableBasis(), "ergaenze_steuervar", "Steuervariable /T/a bereits in Liste"});
    }
    EXPECT_EQ(haupt.gib_steuervariablen(), (std::vector<CSteuerVarInterface*>{&a, &b}));

    EXPECT_EQ(haupt.gib_vorlage(), nullptr);
    haupt.ergaenze_steuervar_vorlage(&b);
    erwarte_programmierfehler(gefangen([&] { haupt.ergaenze_steuervar_vorlage(&a); }),
                              {klasse_CVariableBasis(), "ergaenze_steuervar_vorlage", "Vorlage wurde bereits aufgenommen"});
    EXPECT_EQ(haupt.gib_vorlage(), &b);
}

TEST(Erzeugung, ModusUndGruppe)
{
    struct Fall {
        const char* schluessel;
        int modus;
        bool ui;
    };
    const Fall faelle[] = {
        {"/Allgemein/Debug Ausgabe", 0, true}, {"/Allgemein/Debug Ausgabe", 1, false}, {"/Netz/Spannung", 0, false},
        {"/Netz/Spannung", 2, true}, {"/Netz/Spannung", 7, false}, {"/AllgemeinX", 0, true}, {"/allgemein/x", 0, false},
        {"Allgemein/x", 0, false}, {"/Allgemei", 0, false}, {"", 0, false}, {"/Tabelle", 0, true},
        {"/Datenbankeinstellungen/a", 0, true}, {"/Dockwindow/a", 0, true}, {"/Druckereinstellungen/a", 0, true},
        {"/ErgebnisVariable/a", 0, true}, {"/Grafik/a", 0, true}, {"/GruppenProfil/a", 0, true},
        {"/NetzSchemaGrafik/a", 0, true}, {"/NGGrafik/a", 0, true}, {"/NSGrafik/a", 0, true},
        {"/WertGruppenProfil/a", 0, true}, {"/Netz/Allgemein", 0, false},
    };
    CVariableBeschrTemplate<int> beschr("/Netz/Spannung", 110, "", "");
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(testing::Message() << '"' << fall.schluessel << "\" mode " << fall.modus);
        if (fall.modus == 0) {
            EXPECT_EQ(ist_ui_gruppe(fall.schluessel), fall.ui);
        }
        const auto variable = erzeuge_steuervariable<int>(fall.schluessel, fall.modus, &beschr);
        EXPECT_EQ(dynamic_cast<CVariableSteuerUI<int>*>(variable.get()) != nullptr, fall.ui);
        EXPECT_EQ(variable->gib_schluessel(), fall.schluessel);
        EXPECT_EQ(variable->gib_wert(), 110);
    }
    EXPECT_EQ(ui_gruppen().size(), 12u);
    EXPECT_EQ(&ui_gruppen(), &ui_gruppen());
}

TEST(Gleichheit, RelativUndAbsolut)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Fall {
        double a, b, prozent, absolut;
        bool gleich;
    };
    const Fall faelle[] = {
        {0.0, 0.0, 0.001, 0.0, true},       {1e-101, -9e-101, 0.0, 0.0, true},   {0.0, 1e-100, 0.001, 1.0, false},
        {1e-101, 1.0, 100.0, 10.0, false},  {100.0, 100.001, 0.001, 0.0, true},  {100.0, 100.0011, 0.001, 0.0, false},
        {-100.0, -100.001, 0.001, 0.0, true}, {100.0, 101.0, 0.001, 1.0, true}, {100.0, 101.0, 0.001, 0.5, false},
        {1.0, -1.0, 200.0, 0.0, true},      {1.0, -1.0, 199.0, 0.0, false},      {nan, nan, 100.0, 1.0, false},
        {nan, 1.0, 100.0, 1.0, false},
    };
    for (const Fall& fall : faelle) {
        SCOPED_TRACE(testing::Message() << fall.a << " " << fall.b << " " << fall.prozent << "% abs " << fall.absolut);
        EXPECT_EQ(ist_gleich(fall.a, fall.b, fall.prozent, fall.absolut), fall.gleich);
        EXPECT_EQ(ist_gleich(fall.b, fall.a, fall.prozent, fall.absolut), fall.gleich);
    }
}

}  // namespace
