// The general switches that steer the framework's diagnostics and number handling.
#pragma once

#include "framework/base/ebool.h"

#include <string>

// The five yes/no switches. Readers ask for the value at every use (each
// error record, each message, each number), so a change takes effect at the
// next use. The values are held by the general settings' control variables
// (allgemein.h): setting either side is seen through the other.
enum class ESchalter {
    debug_ausgabe_in_fehler_txt,  // "/Allgemein/Debug Ausgabe in fehler.txt", default Ja
    unterdruecke_warnungen,    // "/Allgemein/Unterdruecke Warnungen", default Nein
    unterdruecke_infos,        // "/Allgemein/Unterdruecke Infos", default Nein
    debug_ausgabe,             // "/Allgemein/Debug Ausgabe", default Nein
    ascii_ausgabe,             // "/Allgemein/ASCII-Ausgabe", default Nein
};

// The key path of a switch, as the general settings name it.
const char* schalter_schluessel(ESchalter schalter);

// The current value of a switch (Ja, Nein or the missing value).
EBool gib_schalter(ESchalter schalter);
// True only when the switch holds Ja.
bool schalter_gesetzt(ESchalter schalter);
// Sets a switch; any EBool value is taken as it is.
void setze_schalter(ESchalter schalter, EBool wert);

// "/Allgemein/Dezimaltrennzeichen", default ".": the text as stored.
std::string gib_dezimaltrennzeichen_text();
void setze_dezimaltrennzeichen_text(const std::string& text);
// The decimal separator: the first character of the text; "." when the text
// is empty, since an empty separator would make numbers unreadable.
char dezimaltrennzeichen();

// Makes the switches with their defaults if they are not made yet; start-up
// calls it so that they exist before main.
void erzeuge_schalter();
