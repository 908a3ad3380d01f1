// The framework's three-valued boolean and its markers for a missing value.
#pragma once

#include <cstdint>

// Ja and Nein, plus a third state for "no value" (a setting that was never
// given). A switch counts as set only when it holds Ja; Nein and the missing
// value both count as not set.
// One marker for "no value" throughout the framework, in each value type
// (fehlwert_ebool is EBool's own). Formatting prints it as a right-aligned
// "-", parsing yields it for empty text.
enum EBool : std::int32_t {
    nein = 0,
    ja = 1,
    fehlwert_ebool = 99999999,
};

constexpr int fehlwert_int = 99999999;
constexpr unsigned fehlwert_unsigned = 99999999u;
constexpr double fehlwert_double = 99999999.0;

// True only for Ja.
constexpr bool ist_ja(EBool wert) { return wert == ja; }
