// The numeric arg() overloads of CString, which format through the framework's number functions.
#include "framework/text/cstring.h"

#include "framework/text/zahlen.h"

// Width 0 everywhere: a placeholder takes the number as long as it needs, with
// no padding. The missing value therefore appears as "-", as in every other
// place where the framework prints numbers.

CString& CString::arg(int zahl)
{
    return arg(itoa(zahl, 0));
}

CString& CString::arg(unsigned zahl)
{
    return arg(itoa(zahl, 0));
}

// The variable notation with printf's default six decimals: fixed point for
// ordinary magnitudes, exponential for tiny ones, the separator applied.
CString& CString::arg(double zahl)
{
    return arg(dtoa(zahl, 0, -1, zahl_variabel));
}
