// Physical units of control-variable values and their texts.
#pragma once

#include <cstdint>
#include <string>

// The values are stored in settings files and compared as numbers, so they are
// fixed: never renumber, only append. Each is named after its text, case
// included, since "mS" (milli) and "MS" (mega) would be different units.
enum EEinheit : std::int32_t {
    Einheit_keine = 0,
    Einheit_V = 1,
    Einheit_kV = 2,
    Einheit_kW = 3,
    Einheit_MW = 4,
    Einheit_GW = 5,
    Einheit_kvar = 6,
    Einheit_Mvar = 7,
    Einheit_Gvar = 8,
    Einheit_kVA = 9,
    Einheit_MVA = 10,
    Einheit_GVA = 11,
    Einheit_A = 12,
    Einheit_kA = 13,
    Einheit_Ohm = 14,
    Einheit_mOhm = 15,
    Einheit_H = 16,
    Einheit_mH = 17,
    Einheit_S = 18,
    Einheit_mS = 19,
    Einheit_uF = 20,
    Einheit_microF = 21,
    Einheit_nF = 22,
    Einheit_mF = 23,
    Einheit_km = 24,
    Einheit_m = 25,
    Einheit_cm = 26,
    Einheit_mm = 27,
    Einheit_Hz = 28,
    Einheit_Prozent = 29,
    Einheit_1_pro_a = 30,
    Einheit_h = 31,
    Einheit_min_pro_a = 32,
    Einheit_h_pro_a = 33,
    Einheit_MWh_pro_a = 34,
    Einheit_S_pro_km = 35,
    Einheit_mS_pro_km = 36,
    Einheit_uF_pro_km = 37,
    Einheit_microF_pro_km = 38,
    Einheit_nF_pro_km = 39,
    Einheit_mF_pro_km = 40,
    Einheit_1_pro_km_a = 41,
    Einheit_pu_pro_km = 42,
    Einheit_pu = 43,
    Einheit_fehlwert = 99999999,  // no unit has this text
};

// The unit's text: empty for Einheit_keine, case-sensitive as stored in settings.
// A value outside 0..43 gives the translated message text
// "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!"
// instead of a unit; nothing is reported or thrown.
std::string einheit_in_string(const EEinheit& aw);

// The unit whose text equals `text` exactly (case and blanks count); the empty
// text gives Einheit_keine, a text that names no unit gives 99999999.
EEinheit string_in_einheit(const std::string& text);
