// The key table: the key paths of all settings of the framework's modules, each with a fixed id.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

// Key path to id. Ids run from 1 in ascending byte-wise order of the paths
// (so upper-case groups come before lower-case ones); a new setting therefore
// shifts the ids of the paths after it, and ids must not be stored across
// versions of the program.
using CSchluesseltabelle = std::map<std::string, std::int32_t>;

// Made on first use and kept for the run.
const CSchluesseltabelle& schluesseltabelle();

// The id of a key path; nothing for a path that is not in the table.
std::optional<std::int32_t> schluessel_id(const std::string& pfad);
