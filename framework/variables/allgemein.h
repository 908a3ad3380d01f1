// The framework's general settings under "/Allgemein", made before main.
#pragma once

#include "framework/variables/steuervariable.h"

#include <string>
#include <vector>

// One general setting: its descriptor and its control variable, which starts
// with the default. Not copied or moved: the variable points to the descriptor.
template <typename T>
struct CAllgemeineEinstellung {
    CAllgemeineEinstellung(const std::string& pfad, const T& vorgabe, const std::string& beschreibung)
        : beschr(pfad, vorgabe, beschreibung, std::string()), variable(beschr)
    {
    }
    CVariableBeschrTemplate<T> beschr;
    CVariableSteuerUI<T> variable;
};

// The eleven general settings, registered in this order. Six of them are the
// storage of the general switches (schalter.h): setting them here is what
// the error file, melde and the number formatting see at their next use.
struct CAllgemeineEinstellungen {
    CAllgemeineEinstellungen();
    CAllgemeineEinstellungen(const CAllgemeineEinstellungen&) = delete;
    CAllgemeineEinstellungen& operator=(const CAllgemeineEinstellungen&) = delete;

    CAllgemeineEinstellung<std::string> ausgabeverzeichnis;
    CAllgemeineEinstellung<std::string> dezimaltrennzeichen;
    CAllgemeineEinstellung<std::string> dezimaltrennzeichen_excel;
    CAllgemeineEinstellung<std::string> ausgabeverzeichnis_grafik;
    CAllgemeineEinstellung<EBool> debug_ausgabe;
    CAllgemeineEinstellung<EBool> debug_ausgabe_in_fehler_txt;
    CAllgemeineEinstellung<std::string> zusatzdaten;
    CAllgemeineEinstellung<EBool> unterdruecke_infos;
    CAllgemeineEinstellung<EBool> unterdruecke_warnungen;
    CAllgemeineEinstellung<EBool> ascii_ausgabe;
    CAllgemeineEinstellung<EBool> fehler_bei_syntaxverletzung;

    // The control variables in registration order.
    std::vector<CSteuerVarInterface*> alle();

    // Every setting back to its default.
    void setze_vorgaben();
};

// The general settings, made on first use (start-up uses them before main).
// They are never destroyed: error records and messages read the switches,
// and may be made in destructors of other static objects at program end.
CAllgemeineEinstellungen& allgemeine_einstellungen();

// The general setting with this key path, or null.
CSteuerVarInterface* finde_allgemeine_einstellung(const std::string& pfad);
