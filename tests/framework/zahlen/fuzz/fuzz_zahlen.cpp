// libFuzzer target: arbitrary widths, decimals, notations and doubles for dtoa/ftoa, arbitrary text for string_zu_double.
#include "schalter.h"
#include "zahlen.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// A crash is the only failure libFuzzer sees, so broken promises abort.
void verlange(bool bedingung)
{
    if (!bedingung)
        std::abort();
}

bool nur_sterne(const std::string& text)
{
    return text.find_first_not_of('*') == std::string::npos;
}

// Mostly widths near the accepted ranges, sometimes any int.
int breite_aus(FuzzedDataProvider& daten)
{
    return daten.ConsumeBool() ? daten.ConsumeIntegralInRange<int>(-3, 402) : daten.ConsumeIntegral<int>();
}

int stellen_aus(FuzzedDataProvider& daten)
{
    return daten.ConsumeBool() ? daten.ConsumeIntegralInRange<int>(-3, 30) : daten.ConsumeIntegral<int>();
}

double zahl_aus(FuzzedDataProvider& daten)
{
    // Raw bits reach NaN payloads, infinities, denormals and negative zero.
    const auto bits = daten.ConsumeIntegral<std::uint64_t>();
    double zahl;
    static_assert(sizeof zahl == sizeof bits, "binary64");
    std::memcpy(&zahl, &bits, sizeof zahl);
    return zahl;
}

void pruefe_dtoa(FuzzedDataProvider& daten)
{
    const double zahl = zahl_aus(daten);
    const int breite = breite_aus(daten);
    const int n = stellen_aus(daten);
    const int art = daten.ConsumeIntegralInRange<int>(-1, 3);
    const std::string text = dtoa(zahl, breite, n, art);
    verlange(text.size() <= 399);
    // Every field that dtoa accepts comes back exactly as wide, or as stars.
    if (std::isfinite(zahl) && zahl != 99999999.0 && breite >= 1 && breite < 400)
        verlange(text.size() == static_cast<std::size_t>(breite) ||
                 (nur_sterne(text) && text.size() == static_cast<std::size_t>(breite < 21 ? breite : 21)));
}

void pruefe_ftoa(FuzzedDataProvider& daten)
{
    const double zahl = zahl_aus(daten);
    const int gesamtstellen = breite_aus(daten);
    const int n = stellen_aus(daten);
    const int art = daten.ConsumeIntegralInRange<int>(-1, 3);
    const double schwellwert = daten.ConsumeBool() ? 0.0 : zahl_aus(daten);
    const int leer_bei_nan = daten.ConsumeIntegralInRange<int>(0, 2);
    const int leer_bei_undefiniert = daten.ConsumeIntegralInRange<int>(0, 2);
    verlange(ftoa(zahl, gesamtstellen, n, art, schwellwert, "0.0", leer_bei_nan, leer_bei_undefiniert).size() <= 399);
    verlange(ftoa_getrimmt(zahl, gesamtstellen, n, art, daten.ConsumeBool(), leer_bei_nan, leer_bei_undefiniert)
                 .size() <= 399);
    const int bedarf = nachkommastellen_bedarf(zahl);
    verlange(bedarf >= 0 && bedarf <= 12);
}

void pruefe_lesen(FuzzedDataProvider& daten)
{
    const std::string text = daten.ConsumeRemainingBytesAsString();
    bool ok = false;
    const double mit_flag = string_zu_double(text, &ok);
    if (!ok)
        verlange(mit_flag == 99999999.0);
    const double ohne_flag = string_zu_double(text);
    verlange(std::memcmp(&mit_flag, &ohne_flag, sizeof mit_flag) == 0 || (std::isnan(mit_flag) && std::isnan(ohne_flag)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t anzahl)
{
    FuzzedDataProvider daten(bytes, anzahl);
    const char trennzeichen = daten.ConsumeBool() ? ',' : daten.ConsumeIntegral<char>();
    setze_dezimaltrennzeichen_text(std::string(1, trennzeichen));
    switch (daten.ConsumeIntegralInRange<int>(0, 2)) {
    case 0:
        pruefe_dtoa(daten);
        break;
    case 1:
        pruefe_ftoa(daten);
        break;
    default:
        pruefe_lesen(daten);
        break;
    }
    return 0;
}
