// Any text or number formatting: a non-number reads as missing, a field is as wide as asked or stars, results bounded.
#include "framework/variables/schalter.h"
#include "framework/text/zahlen.h"
#include "fuzz/fuzz_common.h"
#include <fuzzer/FuzzedDataProvider.h>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>

namespace {
// Mostly near the accepted ranges, sometimes any int.
int ganzzahl(FuzzedDataProvider& daten, int bis) { return daten.ConsumeBool() ? daten.ConsumeIntegralInRange<int>(-3, bis) : daten.ConsumeIntegral<int>(); }
// Raw bits reach NaN payloads, infinities, denormals and negative zero.
double zahl_aus(FuzzedDataProvider& daten)
{
    const auto bits = daten.ConsumeIntegral<std::uint64_t>();
    double zahl;
    std::memcpy(&zahl, &bits, sizeof zahl);
    return zahl;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* bytes, std::size_t anzahl)
{
    FuzzedDataProvider daten(bytes, anzahl);
    setze_dezimaltrennzeichen_text(std::string(1, daten.ConsumeBool() ? ',' : daten.ConsumeIntegral<char>()));
    if (daten.ConsumeBool()) {
        bool ok = false;
        const std::string text = daten.ConsumeRemainingBytesAsString();
        const double mit_flag = string_zu_double(text, &ok), ohne_flag = string_zu_double(text);
        require(ok || mit_flag == 99999999.0);
        require(std::memcmp(&mit_flag, &ohne_flag, sizeof mit_flag) == 0 || (std::isnan(mit_flag) && std::isnan(ohne_flag)));
        return 0;
    }
    const double zahl = zahl_aus(daten);
    // The fields of the missing value and of NaN are as wide as asked, whatever the width.
    const bool sonderwert = zahl == 99999999.0 || !std::isfinite(zahl);
    const int roh = ganzzahl(daten, 402), breite = sonderwert ? roh % 1000 : roh;
    const int n = ganzzahl(daten, 30), art = daten.ConsumeIntegralInRange<int>(-1, 3);
    const std::string text = dtoa(zahl, breite, n, art);
    const std::size_t grenze = sonderwert ? 999u : 399u;
    require(text.size() <= grenze);
    // Every field that dtoa accepts comes back exactly as wide, or as stars.
    if (std::isfinite(zahl) && zahl != 99999999.0 && breite >= 1 && breite < 400)
        require(text.size() == static_cast<std::size_t>(breite) ||
                text == std::string(static_cast<std::size_t>(breite < 21 ? breite : 21), '*'));
    const double schwellwert = daten.ConsumeBool() ? 0.0 : zahl_aus(daten);
    const int leer_bei_nan = daten.ConsumeIntegralInRange<int>(0, 2), leer_bei_undefiniert = daten.ConsumeIntegralInRange<int>(0, 2);
    require(ftoa(zahl, breite, n, art, schwellwert, "0.0", leer_bei_nan, leer_bei_undefiniert).size() <= grenze);
    require(ftoa_getrimmt(zahl, breite, n, art, daten.ConsumeBool(), leer_bei_nan, leer_bei_undefiniert).size() <= grenze);
    require(nachkommastellen_bedarf(zahl) >= 0 && nachkommastellen_bedarf(zahl) <= 12);
    return 0;
}
