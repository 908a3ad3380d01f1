// The general settings exist before main, with their documented defaults and descriptions, in a binary that uses nothing else.
#include "allgemein.h"
#include "variablebeschr.h"

#include <gtest/gtest.h>

#include <iterator>
#include <memory>

TEST(EinstellungenVorMain, ElfAllgemeineEinstellungenZuerstRegistriert)
{
    // Taken first: looking at the registry makes nothing, so what is in it was made by static initialisation.
    std::vector<const CVariableBeschr*> registriert;
    for (const CVariableBeschr* beschr : variablenbeschreiber())
        if (beschr->gib_pfad().rfind("/Test/", 0) != 0)  // the other test adds its own
            registriert.push_back(beschr);
    const char* const zurzeit = "zurzeit ohne Bedeutung";
    const struct {
        const char *pfad, *typ, *vorgabe, *beschreibung;  // the default as text; Latin-1 umlauts as users see them
    } einstellungen[] = {
        {"/Allgemein/Ausgabeverzeichnis", "text", "./", zurzeit},
        {"/Allgemein/Dezimaltrennzeichen", "text", ".", "internes Dezimaltrennzeichen - wird bei Export- und Import umgesetzt"},
        {"/Allgemein/Dezimaltrennzeichen Excel", "text", ".",
         "Dezimaltrennzeichen bei Export- und Importfunktionen\nKomma bei Verwendung der deutschen Excel-Einstellungen\n"
         "Punkt bei Verwendung der englischen Excel-Einstellungen"},
        {"/Allgemein/Ausgabeverzeichnis Grafik", "text", "./", zurzeit},
        {"/Allgemein/Debug Ausgabe", "bool", "Nein",
         "Ja - zus\xE4tzliche Ausgaben, welche bei der Analyse von Programmfehlern n\xFCtzlich sind"},
        {"/Allgemein/Debug Ausgabe in fehler.txt", "bool", "Ja",
         "Ja - Fehler beim Programmablauf werden in der Datei fehler.txt im Anwenderverzeichnis protokolliert"},
        {"/Allgemein/Zusatzdaten", "text", "flags.txt", "intern"},
        {"/Allgemein/Unterdruecke Infos", "bool", "Nein", "Ja - alle Meldungen werden unterdr\xFC" "ckt"},
        {"/Allgemein/Unterdruecke Warnungen", "bool", "Nein", "Ja - alle Warnungen werden unterdr\xFC" "ckt"},
        {"/Allgemein/ASCII-Ausgabe", "bool", "Nein", "intern"},
        {"/Allgemein/Fehler bei Syntaxverletzung", "bool", "Ja", "unter VESTRAN vermutlich ohne Bedeutung"},
    };
    ASSERT_EQ(registriert.size(), std::size(einstellungen));
    for (std::size_t i = 0; i < registriert.size(); ++i) {
        const auto& e = einstellungen[i];
        EXPECT_EQ(registriert[i]->gib_pfad() + "|" + registriert[i]->gib_typname() + "|" + registriert[i]->gib_beschreibung(),
                  std::string(e.pfad) + "|" + e.typ + "|" + e.beschreibung);
        CSteuerVarInterface* variable = finde_allgemeine_einstellung(e.pfad);
        ASSERT_NE(variable, nullptr) << e.pfad;
        EXPECT_EQ(dynamic_cast<CVariableBasis&>(*variable).gib_beschreiber(), registriert[i]);
        EXPECT_EQ(variable->gib_wert_str(), e.vorgabe) << e.pfad;
        // "/Allgemein" is a user-interface group, so all are made as such.
        EXPECT_TRUE(dynamic_cast<CVariableSteuerUI<EBool>*>(variable) || dynamic_cast<CVariableSteuerUI<std::string>*>(variable));
    }
}

// Constant-initialised, so destroyed after every object with dynamic initialisation, the registry included if it
// were an ordinary static; the sanitizers would then end this process with an error.
std::unique_ptr<CVariableBeschr> spaet_zerstoert;

TEST(EinstellungenVorMain, BeschreiberDerNachDemRegisterEndetFindetEsNoch)
{
    spaet_zerstoert = std::make_unique<CVariableBeschrTemplate<int>>("/Test/spaet", 0, "", "");
    EXPECT_EQ(variablenbeschreiber().back(), spaet_zerstoert.get());
}
