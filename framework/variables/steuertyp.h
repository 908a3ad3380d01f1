// What the value types of settings have in common: missing-value marker, type name, comparison.
#pragma once

#include "framework/base/ebool.h"

#include <string>

// The value types a setting can have. Every numeric type marks a missing value
// with 99999999; text uses the empty text. A bound that holds the marker is
// no bound at all.
template <typename T>
struct CSteuerTyp;

template <>
struct CSteuerTyp<int> {
    static int fehlwert() { return fehlwert_int; }
    static const char* name() { return "int"; }
};

template <>
struct CSteuerTyp<unsigned> {
    static unsigned fehlwert() { return fehlwert_unsigned; }
    static const char* name() { return "unsigned"; }
};

template <>
struct CSteuerTyp<float> {
    static float fehlwert() { return 99999999.0f; }
    static const char* name() { return "float"; }
};

template <>
struct CSteuerTyp<double> {
    static double fehlwert() { return fehlwert_double; }
    static const char* name() { return "double"; }
};

template <>
struct CSteuerTyp<std::string> {
    static std::string fehlwert() { return std::string(); }
    static const char* name() { return "text"; }
};

template <>
struct CSteuerTyp<EBool> {
    static EBool fehlwert() { return fehlwert_ebool; }
    static const char* name() { return "bool"; }
};

template <typename T>
bool ist_fehlwert(const T& wert)
{
    return wert == CSteuerTyp<T>::fehlwert();
}

// Equality of two doubles with a relative tolerance in percent and an optional
// absolute one. Two values whose magnitudes are both below 1e-100 are equal;
// when only one of them is, they differ (a relative test against zero makes no
// sense). Otherwise they are equal when |a - b| over the larger magnitude is at
// most prozent / 100, or, when absolut is not 0, when |a - b| <= absolut.
bool ist_gleich(double a, double b, double prozent, double absolut = 0.0);
