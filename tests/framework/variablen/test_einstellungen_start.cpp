// The general settings exist before main in a binary that uses nothing else.
#include "variablebeschr.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TEST(EinstellungenVorMain, ElfAllgemeineEinstellungenZuerstRegistriert)
{
    const std::vector<std::string> erwartet = {
        "/Allgemein/Ausgabeverzeichnis",        "/Allgemein/Dezimaltrennzeichen",
        "/Allgemein/Dezimaltrennzeichen Excel", "/Allgemein/Ausgabeverzeichnis Grafik",
        "/Allgemein/Debug Ausgabe",             "/Allgemein/Debug Ausgabe in fehler.txt",
        "/Allgemein/Zusatzdaten",               "/Allgemein/Unterdruecke Infos",
        "/Allgemein/Unterdruecke Warnungen",    "/Allgemein/ASCII-Ausgabe",
        "/Allgemein/Fehler bei Syntaxverletzung"};
    std::vector<std::string> registriert;
    for (const CVariableBeschr* beschr : variablenbeschreiber()) {
        if (beschr->gib_pfad().rfind("/Test/", 0) != 0) {  // the other test adds its own
            registriert.push_back(beschr->gib_pfad());
        }
    }
    EXPECT_EQ(registriert, erwartet);
}

// Constant-initialised, so destroyed after every object with dynamic initialisation, the registry
// included if it were an ordinary static; the sanitizers would then end this process with an error.
std::unique_ptr<CVariableBeschr> spaet_zerstoert;

TEST(EinstellungenVorMain, BeschreiberDerNachDemRegisterEndetFindetEsNoch)
{
    spaet_zerstoert = std::make_unique<CVariableBeschrTemplate<int>>("/Test/spaet", 0, "", "");
    EXPECT_EQ(variablenbeschreiber().back(), spaet_zerstoert.get());
}
