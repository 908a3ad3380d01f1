// Unit texts in both directions.
#include "framework/variables/einheit.h"

#include "framework/text/i18n.h"
#include "framework/base/klasse.h"

#include <array>

namespace {

// Indexed by the enumeration value; "uF" and "microF" are distinct units kept
// apart on purpose, the texts come from settings files written long ago.
constexpr std::array<const char*, 44> einheit_texte = {
    "",      "V",     "kV",     "kW",    "MW",   "GW",    "kvar",  "Mvar",      "Gvar",
    "kVA",   "MVA",   "GVA",    "A",     "kA",   "Ohm",   "mOhm",  "H",         "mH",
    "S",     "mS",    "uF",     "microF", "nF",  "mF",    "km",    "m",         "cm",
    "mm",    "Hz",    "%",      "1/a",   "h",    "min/a", "h/a",   "MWh/a",     "S/km",
    "mS/km", "uF/km", "microF/km", "nF/km", "mF/km", "1/(km*a)", "p.u./km", "p.u.",
};

}  // namespace

std::string einheit_in_string(const EEinheit& aw)
{
    const auto wert = static_cast<std::int32_t>(aw);
    if (wert < 0 || wert >= static_cast<std::int32_t>(einheit_texte.size())) {
        return uebersetze_(CString("Fehler in cvariablebasis/string einheit_in_string(const EEinheit& aw) !!!"),
                           klasse_freie_funktion())
            .str();
    }
    return einheit_texte[static_cast<std::size_t>(wert)];
}

EEinheit string_in_einheit(const std::string& text)
{
    for (std::size_t i = 0; i < einheit_texte.size(); ++i) {
        if (text == einheit_texte[i]) {
            return static_cast<EEinheit>(i);
        }
    }
    return einheit_fehlwert;
}
