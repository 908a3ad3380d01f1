// The framework's general settings under "/Allgemein", made before main.
#pragma once

#include "steuervariable.h"

#include <string>
#include <vector>

// The eleven general settings, each a descriptor (in the registry, in this
// order) and a control variable starting with its default. Six of them are
// the storage of the general switches (schalter.h): setting them here is
// what the error file, melde and the number formatting see at their next use.
struct CAllgemeineEinstellungen {
    CAllgemeineEinstellungen();
    CAllgemeineEinstellungen(const CAllgemeineEinstellungen&) = delete;
    CAllgemeineEinstellungen& operator=(const CAllgemeineEinstellungen&) = delete;

    CVariableBeschrTemplate<std::string> beschr_ausgabeverzeichnis;
    CVariableBeschrTemplate<std::string> beschr_dezimaltrennzeichen;
    CVariableBeschrTemplate<std::string> beschr_dezimaltrennzeichen_excel;
    CVariableBeschrTemplate<std::string> beschr_ausgabeverzeichnis_grafik;
    CVariableBeschrTemplate<EBool> beschr_debug_ausgabe;
    CVariableBeschrTemplate<EBool> beschr_debug_ausgabe_in_fehler_txt;
    CVariableBeschrTemplate<std::string> beschr_zusatzdaten;
    CVariableBeschrTemplate<EBool> beschr_unterdruecke_infos;
    CVariableBeschrTemplate<EBool> beschr_unterdruecke_warnungen;
    CVariableBeschrTemplate<EBool> beschr_ascii_ausgabe;
    CVariableBeschrTemplate<EBool> beschr_fehler_bei_syntaxverletzung;

    CVariableSteuerUI<std::string> ausgabeverzeichnis;
    CVariableSteuerUI<std::string> dezimaltrennzeichen;
    CVariableSteuerUI<std::string> dezimaltrennzeichen_excel;
    CVariableSteuerUI<std::string> ausgabeverzeichnis_grafik;
    CVariableSteuerUI<EBool> debug_ausgabe;
    CVariableSteuerUI<EBool> debug_ausgabe_in_fehler_txt;
    CVariableSteuerUI<std::string> zusatzdaten;
    CVariableSteuerUI<EBool> unterdruecke_infos;
    CVariableSteuerUI<EBool> unterdruecke_warnungen;
    CVariableSteuerUI<EBool> ascii_ausgabe;
    CVariableSteuerUI<EBool> fehler_bei_syntaxverletzung;

    // The variables above in registration order.
    std::vector<CSteuerVarInterface*> alle();

    // Every setting back to its descriptor's default.
    void setze_vorgaben();
};

// The general settings, made on first use (start-up uses them before main).
// They are never destroyed: error records and messages read the switches,
// and may be made in destructors of other static objects at program end.
CAllgemeineEinstellungen& allgemeine_einstellungen();

// The general setting with this key path, or null.
CSteuerVarInterface* finde_allgemeine_einstellung(const std::string& pfad);
