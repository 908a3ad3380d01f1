// Physical units of control-variable values and their texts.
#pragma once

#include <cstdint>
#include <string>

// The values are stored in settings files and compared as numbers, so they are
// fixed: never renumber, only append. Each is named after the unit it stands
// for, since the texts differ only in case ("H" henry, "h" hour). "uF" and
// "microF" are distinct units; their names carry the spelling of their text.
enum EEinheit : std::int32_t {
    einheit_keine = 0,
    einheit_volt = 1,
    einheit_kilovolt = 2,
    einheit_kilowatt = 3,
    einheit_megawatt = 4,
    einheit_gigawatt = 5,
    einheit_kilovar = 6,
    einheit_megavar = 7,
    einheit_gigavar = 8,
    einheit_kilovoltampere = 9,
    einheit_megavoltampere = 10,
    einheit_gigavoltampere = 11,
    einheit_ampere = 12,
    einheit_kiloampere = 13,
    einheit_ohm = 14,
    einheit_milliohm = 15,
    einheit_henry = 16,
    einheit_millihenry = 17,
    einheit_siemens = 18,
    einheit_millisiemens = 19,
    einheit_mikrofarad_u = 20,
    einheit_mikrofarad_micro = 21,
    einheit_nanofarad = 22,
    einheit_millifarad = 23,
    einheit_kilometer = 24,
    einheit_meter = 25,
    einheit_zentimeter = 26,
    einheit_millimeter = 27,
    einheit_hertz = 28,
    einheit_prozent = 29,
    einheit_pro_jahr = 30,
    einheit_stunde = 31,
    einheit_minuten_pro_jahr = 32,
    einheit_stunden_pro_jahr = 33,
    einheit_megawattstunden_pro_jahr = 34,
    einheit_siemens_pro_km = 35,
    einheit_millisiemens_pro_km = 36,
    einheit_mikrofarad_u_pro_km = 37,
    einheit_mikrofarad_micro_pro_km = 38,
    einheit_nanofarad_pro_km = 39,
    einheit_millifarad_pro_km = 40,
    einheit_pro_km_und_jahr = 41,
    einheit_pu_pro_km = 42,
    einheit_pu = 43,
    einheit_fehlwert = 99999999,  // no unit has this text
};

// The unit's text: empty for einheit_keine, case-sensitive as stored in settings.
// A value outside 0..43 gives the translated message text
// "Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!"
// instead of a unit; nothing is reported or thrown.
std::string einheit_in_string(const EEinheit& aw);

// The unit whose text equals `text` exactly (case and blanks count); the empty
// text gives einheit_keine, a text that names no unit gives 99999999.
EEinheit string_in_einheit(const std::string& text);
