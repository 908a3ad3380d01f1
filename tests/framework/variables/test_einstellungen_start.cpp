// The general settings exist before main, with their documented defaults, in a binary that uses nothing else.
#include "framework/variables/allgemein.h"
#include "framework/variables/variablebeschr.h"
#include <gtest/gtest.h>
#include <memory>

TEST(EinstellungenVorMain, ElfAllgemeineEinstellungenZuerstRegistriert)
{
    std::vector<std::string> registriert;  // path|type|default as text, in the registry's order
    for (const CVariableBeschr* beschr : variablenbeschreiber()) {
        if (beschr->gib_pfad().rfind("/Test/", 0) == 0)  // the other test adds its own
            continue;
        const CSteuerVarInterface* variable = finde_allgemeine_einstellung(beschr->gib_pfad());
        const std::string wert = variable != nullptr ? variable->gib_wert_str() : "<keine Einstellung>";
        registriert.push_back(beschr->gib_pfad() + "|" + beschr->gib_typname() + "|" + wert);
    }
    EXPECT_EQ(registriert, (std::vector<std::string>{
        "/Allgemein/Ausgabeverzeichnis|text|./", "/Allgemein/Dezimaltrennzeichen|text|.",
        "/Allgemein/Dezimaltrennzeichen Excel|text|.", "/Allgemein/Ausgabeverzeichnis Grafik|text|./",
        "/Allgemein/Debug Ausgabe|bool|Nein", "/Allgemein/Debug Ausgabe in fehler.txt|bool|Ja",
        "/Allgemein/Zusatzdaten|text|flags.txt", "/Allgemein/Unterdruecke Infos|bool|Nein",
        "/Allgemein/Unterdruecke Warnungen|bool|Nein", "/Allgemein/ASCII-Ausgabe|bool|Nein",
        "/Allgemein/Fehler bei Syntaxverletzung|bool|Ja"}));
}

// Constant-initialised, so destroyed after the registry: the sanitizers catch a registry that is an ordinary static.
std::unique_ptr<CVariableBeschr> spaet_zerstoert;

TEST(EinstellungenVorMain, BeschreiberDerNachDemRegisterEndetFindetEsNoch)
{
    spaet_zerstoert = std::make_unique<CVariableBeschrTemplate<int>>("/Test/spaet", 0, "", "");
    EXPECT_EQ(variablenbeschreiber().back(), spaet_zerstoert.get());
}
