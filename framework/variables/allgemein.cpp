// The framework's general settings under "/Allgemein".
#include "allgemein.h"

#include <new>

// The descriptions are shown to users in the framework's 8-bit code page, so
// the umlauts are Latin-1 bytes. A hex escape runs on while hex digits follow,
// hence the split literals.
CAllgemeineEinstellungen::CAllgemeineEinstellungen()
    : beschr_ausgabeverzeichnis("/Allgemein/Ausgabeverzeichnis", "./", "zurzeit ohne Bedeutung", std::string()),
      beschr_dezimaltrennzeichen("/Allgemein/Dezimaltrennzeichen", ".",
                                 "internes Dezimaltrennzeichen - wird bei Export- und Import umgesetzt", std::string()),
      beschr_dezimaltrennzeichen_excel("/Allgemein/Dezimaltrennzeichen Excel", ".",
                                       "Dezimaltrennzeichen bei Export- und Importfunktionen\n"
                                       "Komma bei Verwendung der deutschen Excel-Einstellungen\n"
                                       "Punkt bei Verwendung der englischen Excel-Einstellungen",
                                       std::string()),
      beschr_ausgabeverzeichnis_grafik("/Allgemein/Ausgabeverzeichnis Grafik", "./", "zurzeit ohne Bedeutung",
                                       std::string()),
      beschr_debug_ausgabe("/Allgemein/Debug Ausgabe", Nein,
                           "Ja - zus\xE4tzliche Ausgaben, welche bei der Analyse von Programmfehlern n\xFCtzlich sind",
                           std::string()),
      beschr_debug_ausgabe_in_fehler_txt(
          "/Allgemein/Debug Ausgabe in fehler.txt", Ja,
          "Ja - Fehler beim Programmablauf werden in der Datei fehler.txt im Anwenderverzeichnis protokolliert",
          std::string()),
      beschr_zusatzdaten("/Allgemein/Zusatzdaten", "flags.txt", "intern", std::string()),
      beschr_unterdruecke_infos("/Allgemein/Unterdruecke Infos", Nein,
                                "Ja - alle Meldungen werden unterdr\xFC"
                                "ckt",
                                std::string()),
      beschr_unterdruecke_warnungen("/Allgemein/Unterdruecke Warnungen", Nein,
                                    "Ja - alle Warnungen werden unterdr\xFC"
                                    "ckt",
                                    std::string()),
      beschr_ascii_ausgabe("/Allgemein/ASCII-Ausgabe", Nein, "intern", std::string()),
      beschr_fehler_bei_syntaxverletzung("/Allgemein/Fehler bei Syntaxverletzung", Ja,
                                         "unter VESTRAN vermutlich ohne Bedeutung", std::string()),
      ausgabeverzeichnis(beschr_ausgabeverzeichnis),
      dezimaltrennzeichen(beschr_dezimaltrennzeichen),
      dezimaltrennzeichen_excel(beschr_dezimaltrennzeichen_excel),
      ausgabeverzeichnis_grafik(beschr_ausgabeverzeichnis_grafik),
      debug_ausgabe(beschr_debug_ausgabe),
      debug_ausgabe_in_fehler_txt(beschr_debug_ausgabe_in_fehler_txt),
      zusatzdaten(beschr_zusatzdaten),
      unterdruecke_infos(beschr_unterdruecke_infos),
      unterdruecke_warnungen(beschr_unterdruecke_warnungen),
      ascii_ausgabe(beschr_ascii_ausgabe),
      fehler_bei_syntaxverletzung(beschr_fehler_bei_syntaxverletzung)
{
}

std::vector<CSteuerVarInterface*> CAllgemeineEinstellungen::alle()
{
    return {&ausgabeverzeichnis,     &dezimaltrennzeichen, &dezimaltrennzeichen_excel, &ausgabeverzeichnis_grafik,
            &debug_ausgabe,          &debug_ausgabe_in_fehler_txt, &zusatzdaten, &unterdruecke_infos,
            &unterdruecke_warnungen, &ascii_ausgabe,       &fehler_bei_syntaxverletzung};
}

void CAllgemeineEinstellungen::setze_vorgaben()
{
    for (CVariableSteuer<std::string>* text :
         {&ausgabeverzeichnis, &dezimaltrennzeichen, &dezimaltrennzeichen_excel, &ausgabeverzeichnis_grafik,
          &zusatzdaten}) {
        text->setze_wert(text->gib_typbeschreiber()->gib_vorgabe());
    }
    for (CVariableSteuer<EBool>* schalter : {&debug_ausgabe, &debug_ausgabe_in_fehler_txt, &unterdruecke_infos,
                                            &unterdruecke_warnungen, &ascii_ausgabe, &fehler_bei_syntaxverletzung}) {
        schalter->setze_wert(schalter->gib_typbeschreiber()->gib_vorgabe());
    }
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
