// The general settings exist before main in a binary that uses nothing else.
#include "variablebeschr.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

TEST(EinstellungenVorMain, ElfAllgemeineEinstellungenZuerstRegistriert)
{
    // Looking at the registry makes nothing, so what is in it was made by
    // static initialisation.
    const std::vector<std::string> erwartet = {
        "/Allgemein/Ausgabeverzeichnis",      "/Allgemein/Dezimaltrennzeichen",
        "/Allgemein/Dezimaltrennzeichen Excel", "/Allgemein/Ausgabeverzeichnis Grafik",
        "/Allgemein/Debug Ausgabe",           "/Allgemein/Debug Ausgabe in fehler.txt",
        "/Allgemein/Zusatzdaten",             "/Allgemein/Unterdruecke Infos",
        "/Allgemein/Unterdruecke Warnungen",  "/Allgemein/ASCII-Ausgabe",
        "/Allgemein/Fehler bei Syntaxverletzung"};
    // The other test here adds one of its own; the general settings come first.
    std::vector<std::string> registriert;
    for (const CVariableBeschr* beschr : variablenbeschreiber()) {
        if (beschr->gib_pfad().rfind("/Test/", 0) != 0) {
            registriert.push_back(beschr->gib_pfad());
        }
    }
    EXPECT_EQ(registriert, erwartet);
}

namespace {

// Constant-initialised, so destroyed after every object with dynamic
// initialisation, the descriptor registry included if it were an ordinary
// static; under the sanitizers that would end this process with an error.
std::unique_ptr<CVariableBeschr> spaet_zerstoert;

}  // namespace

TEST(EinstellungenVorMain, BeschreiberDerNachDemRegisterEndetFindetEsNoch)
{
    spaet_zerstoert = std::make_unique<CVariableBeschrTemplate<int>>("/Test/spaet", 0, "", "");
    EXPECT_EQ(variablenbeschreiber().back(), spaet_zerstoert.get());
}
