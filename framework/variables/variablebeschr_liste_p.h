// The descriptor registry itself, private to the descriptor code.
#pragma once

#include <vector>

class CVariableBeschr;

// Made on first use and never destroyed.
std::vector<CVariableBeschr*>& variablenbeschreiber_liste();
