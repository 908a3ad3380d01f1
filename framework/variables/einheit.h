// Physical units of control-variable values and their texts.
#pragma once

#include <cstdint>
#include <string>

// The values are stored in settings files and compared as numbers, so they are
// fixed: never renumber, only append.
enum EEinheit : std::int32_t {
    E_KEINE = 0,
    E_V = 1,
    E_KV = 2,
    E_KW = 3,
    E_MW = 4,
    E_GW = 5,
    E_KVAR = 6,
    E_MVAR = 7,
    E_GVAR = 8,
    E_KVA = 9,
    E_MVA = 10,
    E_GVA = 11,
    E_A = 12,
    E_KA = 13,
    E_OHM = 14,
    E_MOHM = 15,
    E_H = 16,
    E_MH = 17,
    E_S = 18,
    E_MS = 19,
    E_UF = 20,
    E_MICROF = 21,
    E_NF = 22,
    E_MF = 23,
    E_KM = 24,
    E_M = 25,
    E_CM = 26,
    E_MM = 27,
    E_HZ = 28,
    E_PROZENT = 29,
    E_PRO_JAHR = 30,
    E_STUNDE = 31,
    E_MIN_PRO_JAHR = 32,
    E_STUNDEN_PRO_JAHR = 33,
    E_MWH_PRO_JAHR = 34,
    E_S_PRO_KM = 35,
    E_MS_PRO_KM = 36,
    E_UF_PRO_KM = 37,
    E_MICROF_PRO_KM = 38,
    E_NF_PRO_KM = 39,
    E_MF_PRO_KM = 40,
    E_PRO_KM_UND_JAHR = 41,
    E_PU_PRO_KM = 42,
    E_PU = 43,
    E_KEINE_EINHEIT_GEFUNDEN = 99999999,
};

// The unit's text: empty for E_KEINE, case-sensitive as stored in settings.
// A value outside 0..43 gives the translated message text
// "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!"
// instead of a unit; nothing is reported or thrown.
std::string einheit_in_string(const EEinheit& aw);

// The unit whose text equals `text` exactly (case and blanks count); the empty
// text gives E_KEINE, a text that names no unit gives 99999999.
EEinheit string_in_einheit(const std::string& text);
