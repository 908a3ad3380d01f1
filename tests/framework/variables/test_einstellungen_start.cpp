// The general settings exist before main, with their documented defaults, in a binary that uses nothing else.
#include "framework/variables/allgemein.h"
#include "framework/variables/variablebeschr.h"
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

TEST(EinstellungenVorMain, ElfAllgemeineEinstellungenZuerstRegistriert)
{
    std::vector<const CVariableBeschr*> registriert;
    for (const CVariableBeschr* beschr : variablenbeschreiber())
        if (beschr->gib_pfad().rfind("/Test/", 0) != 0)  // the other test adds its own
            registriert.push_back(beschr);
    const char* const einstellungen[][3] = {  // path, type, default as text
        {"/Allgemein/Ausgabeverzeichnis", "text", "./"}, {"/Allgemein/Dezimaltrennzeichen", "text", "."},
        {"/Allgemein/Dezimaltrennzeichen Excel", "text", "."}, {"/Allgemein/Ausgabeverzeichnis Grafik", "text", "./"},
        {"/Allgemein/Debug Ausgabe", "bool", "Nein"}, {"/Allgemein/Debug Ausgabe in fehler.txt", "bool", "Ja"},
        {"/Allgemein/Zusatzdaten", "text", "flags.txt"}, {"/Allgemein/Unterdruecke Infos", "bool", "Nein"},
        {"/Allgemein/Unterdruecke Warnungen", "bool", "Nein"}, {"/Allgemein/ASCII-Ausgabe", "bool", "Nein"},
        {"/Allgemein/Fehler bei Syntaxverletzung", "bool", "Ja"},
    };
    ASSERT_EQ(registriert.size(), std::size(einstellungen));
    for (std::size_t i = 0; i < registriert.size(); ++i) {
        const char* const* e = einstellungen[i];
        EXPECT_EQ(registriert[i]->gib_pfad() + "|" + registriert[i]->gib_typname(), std::string(e[0]) + "|" + e[1]);
        CSteuerVarInterface* variable = finde_allgemeine_einstellung(e[0]);
        ASSERT_NE(variable, nullptr) << e[0];
        EXPECT_EQ(variable->gib_wert_str(), e[2]) << e[0];
    }
}

// Constant-initialised, so destroyed after the registry: the sanitizers catch a registry that is an ordinary static.
std::unique_ptr<CVariableBeschr> spaet_zerstoert;

TEST(EinstellungenVorMain, BeschreiberDerNachDemRegisterEndetFindetEsNoch)
{
    spaet_zerstoert = std::make_unique<CVariableBeschrTemplate<int>>("/Test/spaet", 0, "", "");
    EXPECT_EQ(variablenbeschreiber().back(), spaet_zerstoert.get());
}
