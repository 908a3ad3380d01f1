// The descriptor registry itself, for the descriptor code and for tests that damage it on purpose.
#pragma once

#include <vector>

class CVariableBeschr;

// Made on first use, which is the making of the first descriptor, so it
// outlives every descriptor made during static initialisation.
std::vector<CVariableBeschr*>& variablenbeschreiber_liste();
