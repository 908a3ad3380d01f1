// The framework's three-valued boolean and its markers for a missing value.
#pragma once

#include <cstdint>

// Ja and Nein, plus a third state for "no value" (a setting that was never
// given). A switch counts as set only when it holds Ja; Nein and the missing
// value both count as not set.
enum EBool : std::int32_t {
    Nein = 0,
    Ja = 1,
    EBool_fehlwert = 99999999,
};

// One marker for "no value" throughout the framework, in each value type.
// Formatting prints it as a right-aligned "-", parsing yields it for empty text.
constexpr int FEHLWERT_INT = 99999999;
constexpr unsigned FEHLWERT_UNSIGNED = 99999999u;
constexpr double FEHLWERT_DOUBLE = 99999999.0;
constexpr EBool FEHLWERT_EBOOL = EBool_fehlwert;

// True only for Ja.
constexpr bool ist_ja(EBool wert) { return wert == Ja; }
