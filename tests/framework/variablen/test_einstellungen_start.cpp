// The general settings exist before main in a binary that uses nothing else.
#include "variablebeschr.h"

#include <gtest/gtest.h>

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
    std::vector<std::string> registriert;
    for (const CVariableBeschr* beschr : variablenbeschreiber()) {
        registriert.push_back(beschr->gib_pfad());
    }
    EXPECT_EQ(registriert, erwartet);
}
