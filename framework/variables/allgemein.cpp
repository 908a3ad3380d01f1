// The framework's general settings under "/Allgemein".
#include "framework/variables/allgemein.h"

#include <new>

// The descriptions are shown to users in the framework's 8-bit code page, so
// the umlauts are Latin-1 bytes. A hex escape runs on while hex digits follow,
// hence the split literals.
CAllgemeineEinstellungen::CAllgemeineEinstellungen()
    : ausgabeverzeichnis("/Allgemein/Ausgabeverzeichnis", "./", "zurzeit ohne Bedeutung"),
      dezimaltrennzeichen("/Allgemein/Dezimaltrennzeichen", ".",
                          "internes Dezimaltrennzeichen - wird bei Export- und Import umgesetzt"),
      dezimaltrennzeichen_excel("/Allgemein/Dezimaltrennzeichen Excel", ".",
                                "Dezimaltrennzeichen bei Export- und Importfunktionen\n"
                                "Komma bei Verwendung der deutschen Excel-Einstellungen\n"
                                "Punkt bei Verwendung der englischen Excel-Einstellungen"),
      ausgabeverzeichnis_grafik("/Allgemein/Ausgabeverzeichnis Grafik", "./", "zurzeit ohne Bedeutung"),
      debug_ausgabe("/Allgemein/Debug Ausgabe", nein,
                    "Ja - zus\xE4tzliche Ausgaben, welche bei der Analyse von Programmfehlern n\xFCtzlich sind"),
      debug_ausgabe_in_fehler_txt(
          "/Allgemein/Debug Ausgabe in fehler.txt", ja,
          "Ja - Fehler beim Programmablauf werden in der Datei fehler.txt im Anwenderverzeichnis protokolliert"),
      zusatzdaten("/Allgemein/Zusatzdaten", "flags.txt", "intern"),
      unterdruecke_infos("/Allgemein/Unterdruecke Infos", nein,
                         "Ja - alle Meldungen werden unterdr\xFC"
                         "ckt"),
      unterdruecke_warnungen("/Allgemein/Unterdruecke Warnungen", nein,
                             "Ja - alle Warnungen werden unterdr\xFC"
                             "ckt"),
      ascii_ausgabe("/Allgemein/ASCII-Ausgabe", nein, "intern"),
      fehler_bei_syntaxverletzung("/Allgemein/Fehler bei Syntaxverletzung", ja,
                                  "unter VESTRAN vermutlich ohne Bedeutung")
{
}

namespace {

template <typename T>
void auf_vorgabe(CAllgemeineEinstellung<T>& einstellung)
{
    einstellung.variable.setze_wert(einstellung.beschr.gib_vorgabe());
}

}  // namespace

std::vector<CSteuerVarInterface*> CAllgemeineEinstellungen::alle()
{
    return {&ausgabeverzeichnis.variable,     &dezimaltrennzeichen.variable,
            &dezimaltrennzeichen_excel.variable, &ausgabeverzeichnis_grafik.variable,
            &debug_ausgabe.variable,          &debug_ausgabe_in_fehler_txt.variable,
            &zusatzdaten.variable,            &unterdruecke_infos.variable,
            &unterdruecke_warnungen.variable, &ascii_ausgabe.variable,
            &fehler_bei_syntaxverletzung.variable};
}

void CAllgemeineEinstellungen::setze_vorgaben()
{
    auf_vorgabe(ausgabeverzeichnis);
    auf_vorgabe(dezimaltrennzeichen);
    auf_vorgabe(dezimaltrennzeichen_excel);
    auf_vorgabe(ausgabeverzeichnis_grafik);
    auf_vorgabe(debug_ausgabe);
    auf_vorgabe(debug_ausgabe_in_fehler_txt);
    auf_vorgabe(zusatzdaten);
    auf_vorgabe(unterdruecke_infos);
    auf_vorgabe(unterdruecke_warnungen);
    auf_vorgabe(ascii_ausgabe);
    auf_vorgabe(fehler_bei_syntaxverletzung);
}

CAllgemeineEinstellungen& allgemeine_einstellungen()
{
    // Built in place in static storage and never destroyed (see the header).
    // Everything it holds stays reachable from here, so leak checkers are
    // content.
    alignas(CAllgemeineEinstellungen) static unsigned char speicher[sizeof(CAllgemeineEinstellungen)];
    static CAllgemeineEinstellungen* const einstellungen = new (speicher) CAllgemeineEinstellungen();
    return *einstellungen;
}

CSteuerVarInterface* finde_allgemeine_einstellung(const std::string& pfad)
{
    for (CSteuerVarInterface* variable : allgemeine_einstellungen().alle()) {
        if (variable->gib_schluessel() == pfad) {
            return variable;
        }
    }
    return nullptr;
}
