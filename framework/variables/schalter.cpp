// The general switches as process-wide values with their defaults.
#include "schalter.h"

namespace {

struct Schalter {
    EBool debug_ausgabe_in_fehler_txt = Ja;
    EBool unterdruecke_warnungen = Nein;
    EBool unterdruecke_infos = Nein;
    EBool debug_ausgabe = Nein;
    EBool ascii_ausgabe = Nein;
    std::string dezimaltrennzeichen = ".";
};

// Function-local, so that a reader running during static initialisation of
// another file (a number formatted by a static object) sees the defaults.
Schalter& schalter()
{
    static Schalter s;
    return s;
}

EBool& wert(ESchalter welcher)
{
    Schalter& s = schalter();
    switch (welcher) {
    case ESchalter::DebugAusgabeInFehlerTxt:
        return s.debug_ausgabe_in_fehler_txt;
    case ESchalter::UnterdrueckeWarnungen:
        return s.unterdruecke_warnungen;
    case ESchalter::UnterdrueckeInfos:
        return s.unterdruecke_infos;
    case ESchalter::DebugAusgabe:
        return s.debug_ausgabe;
    case ESchalter::AsciiAusgabe:
        break;
    }
    return s.ascii_ausgabe;
}

}  // namespace

const char* schalter_schluessel(ESchalter welcher)
{
    switch (welcher) {
    case ESchalter::DebugAusgabeInFehlerTxt:
        return "/Allgemein/Debug Ausgabe in fehler.txt";
    case ESchalter::UnterdrueckeWarnungen:
        return "/Allgemein/Unterdruecke Warnungen";
    case ESchalter::UnterdrueckeInfos:
        return "/Allgemein/Unterdruecke Infos";
    case ESchalter::DebugAusgabe:
        return "/Allgemein/Debug Ausgabe";
    case ESchalter::AsciiAusgabe:
        break;
    }
    return "/Allgemein/ASCII-Ausgabe";
}

EBool gib_schalter(ESchalter welcher)
{
    return wert(welcher);
}

bool schalter_gesetzt(ESchalter welcher)
{
    return ist_ja(wert(welcher));
}

void setze_schalter(ESchalter welcher, EBool neu)
{
    wert(welcher) = neu;
}

std::string gib_dezimaltrennzeichen_text()
{
    return schalter().dezimaltrennzeichen;
}

void setze_dezimaltrennzeichen_text(const std::string& text)
{
    schalter().dezimaltrennzeichen = text;
}

char dezimaltrennzeichen()
{
    const std::string& text = schalter().dezimaltrennzeichen;
    return text.empty() ? '.' : text.front();
}

void erzeuge_schalter()
{
    schalter();
}
