// How long the provider waits for anything outside it, and the one setting that shortens every limit for tests.
#pragma once

#include <chrono>

namespace telvorin::mapi {

// `full` as it applies in this run: with TELVORIN_MAPI_SECONDS_PER_MINUTE
// set to a whole number from 1 to 59, each minute of the limit lasts that
// many seconds (so that tests need not wait for real minutes); otherwise,
// and for any other value, `full` itself. Reads the environment on each call.
std::chrono::milliseconds time_limit(std::chrono::milliseconds full);

}  // namespace telvorin::mapi
