// Fixed-width number formatting and number parsing of the framework.
#pragma once

#include <cstddef>
#include <string>

// All functions here report trouble as a warning through melde (free
// function, the method named after the function) and then return a fallback
// text or value; none of them throws. Every formatted result is 8-bit text in
// which the first "." has been replaced by the decimal separator of the
// general switches (read anew at every call).
//
// Common conventions:
// - 99999999 (as int, long, unsigned or 99999999.0) marks a missing value and
//   prints as "-" right-aligned in the field ("-" alone for widths below 2).
// - A number that does not fit gives the star field: "*********************"
//   cut to the width (never more than 21 stars).
// - Width tests are unsigned: a negative width counts as too large and gives
//   the warning and "*".
// - No result is ever longer than 399 characters, whatever the precision asked
//   for (printf output is made in a 400-character working buffer), except a
//   null text that the caller hands to ftoa and the fields of the missing
//   value and of NaN, which come before the width test and are as wide as asked.

// Prints zahl right-aligned in breite columns (0 <= breite < 100; 0 means as
// long as needed). A number wider than the field is returned in full, with a
// warning.
std::string itoa(const int& zahl, const int& breite);

// The second signed entry. It takes the platform's `long`, which is the 32-bit
// integer of the Windows build; on LP64 systems a value beyond 32 bits is
// printed in full rather than cut.
std::string itoa(const long& zahl, const int& breite);

std::string itoa(const unsigned& zahl, const int& breite);

// Notations of dtoa and ftoa: 1 exponential, 2 fixed point, anything else
// variable (fixed, or exponential when fixed does not fit or the number is
// tiny).
enum : int { zahl_exponential = 1, zahl_fixkomma = 2, zahl_variabel = 0 };

// Prints zahl in breite columns (0 <= breite < 400; 0 means as long as needed)
// with nachkommastellen decimals, or with as many as fill the field when
// nachkommastellen < 0. NaN and infinities give "nan". Fixed notation is
// left-aligned inside the field, exponential right-aligned.
std::string dtoa(const double& zahl, const int& breite, const int& nachkommastellen, const int& art);

// Prints zahl with the single printf conversion "%#<gesamtstellen>.<nachkommastellen>"
// followed by E (art 1), f (art 2) or G (other art); 0 <= gesamtstellen < 100.
// A number whose magnitude is below schwellwert gives nullstring; NaN and
// infinities give "nan" right-aligned (or "" when leer_bei_nan is 1); the
// missing value gives the dash field (or "" when leer_bei_undefiniert is 1).
// A negative nachkommastellen leaves the precision out of the pattern, so
// printf's default of 6 applies.
std::string ftoa(const double& zahl, const int& gesamtstellen, const int& nachkommastellen, const int& art,
                 const double& schwellwert, const std::string& nullstring = std::string(),
                 const int& leer_bei_nan = 0, const int& leer_bei_undefiniert = 0);

// ftoa for printing values of control variables: in fixed notation only as many
// decimals as the value needs (at most nachkommastellen), threshold 0.0 and
// null text "0.0"; unless ungetrimmt, blanks are stripped from both ends and
// carriage returns from the end.
std::string ftoa_getrimmt(const double& zahl, const int& gesamtstellen, const int& nachkommastellen,
                          const int& art, const bool& ungetrimmt = false, const int& leer_bei_nan = 0,
                          const int& leer_bei_undefiniert = 0);

// The number of decimals, 0 to 12, that x needs: the smallest k for which
// x * 10^k is a whole number (within 1e-100); 12 when none up to 12 is.
int nachkommastellen_bedarf(const double& x);

// Reads a double from text that may use the decimal separator and carry blanks
// anywhere (around the number, inside it, after a leading "-"). Empty or blank
// text gives 99999999.0. Text that holds anything besides one number gives
// 99999999.0: with ok given, *ok becomes false silently; without it a warning
// is reported. ok, when given, is set to true first. "." and "-." read as 0.0;
// "-" alone is no number.
[[nodiscard]] double string_zu_double(std::string text, bool* ok = nullptr);

// strtod of the leading number of `text` with "." as the decimal point,
// whatever LC_NUMERIC says (Qt sets it from the environment on Unix). Like
// atof it reads what it can and gives 0.0 when nothing is a number;
// `gelesen`, when given, receives the number of characters read.
double lies_mit_punkt(const std::string& text, std::size_t* gelesen = nullptr);
