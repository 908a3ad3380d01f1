// The general switches, held by the general settings' control variables.
#include "framework/variables/schalter.h"

#include "framework/variables/allgemein.h"

namespace {

CVariableSteuer<EBool>& variable(ESchalter welcher)
{
    CAllgemeineEinstellungen& e = allgemeine_einstellungen();
    switch (welcher) {
    case ESchalter::debug_ausgabe_in_fehler_txt:
        return e.debug_ausgabe_in_fehler_txt.variable;
    case ESchalter::unterdruecke_warnungen:
        return e.unterdruecke_warnungen.variable;
    case ESchalter::unterdruecke_infos:
        return e.unterdruecke_infos.variable;
    case ESchalter::debug_ausgabe:
        return e.debug_ausgabe.variable;
    case ESchalter::ascii_ausgabe:
        break;
    }
    return e.ascii_ausgabe.variable;
}

}  // namespace

const char* schalter_schluessel(ESchalter welcher)
{
    return variable(welcher).gib_schluessel().c_str();
}

EBool gib_schalter(ESchalter welcher)
{
    return variable(welcher).gib_wert();
}

bool schalter_gesetzt(ESchalter welcher)
{
    return ist_ja(gib_schalter(welcher));
}

void setze_schalter(ESchalter welcher, EBool neu)
{
    variable(welcher).setze_wert(neu);
}

std::string gib_dezimaltrennzeichen_text()
{
    return allgemeine_einstellungen().dezimaltrennzeichen.variable.gib_wert();
}

void setze_dezimaltrennzeichen_text(const std::string& text)
{
    allgemeine_einstellungen().dezimaltrennzeichen.variable.setze_wert(text);
}

char dezimaltrennzeichen()
{
    const std::string& text = allgemeine_einstellungen().dezimaltrennzeichen.variable.gib_wert();
    return text.empty() ? '.' : text.front();
}

void erzeuge_schalter()
{
    allgemeine_einstellungen();
}
