// Helpers shared by the number formatting and parsing files; not for other callers.
#pragma once

#include <string>

namespace zahlen_intern {

// A fixed message piece, translated for the free-function descriptor.
std::string uebersetzt(const char* stueck);

// Reports `text` as a warning of the free function `methode`.
void warne(const char* methode, const std::string& text);

// `wert` in plain decimal, for message texts: never the dash field, so that a
// width of 99999999 is readable in the message that rejects it.
std::string dezimal(long long wert);

// The C library's decimal point of the current LC_NUMERIC when it is a single
// character other than '.', else '\0'. Qt sets LC_NUMERIC from the environment
// on Unix, so printf and strtod may use ',' unless we undo it.
char fremder_dezimalpunkt();

}  // namespace zahlen_intern
