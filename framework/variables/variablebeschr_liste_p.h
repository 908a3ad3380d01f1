// The descriptor registry itself, for the descriptor code and for tests that damage it on purpose.
#pragma once

#include <vector>

class CVariableBeschr;

// Made on first use and never destroyed.
std::vector<CVariableBeschr*>& variablenbeschreiber_liste();
