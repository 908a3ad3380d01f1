// How long the provider waits for anything outside it, and the one setting that shortens every limit for tests.
#include "mapi_provider/shared/time_limits.h"

#include <QtGlobal>

namespace telvorin::mapi {

std::chrono::milliseconds time_limit(std::chrono::milliseconds full)
{
    bool number = false;
    const int seconds_per_minute = qEnvironmentVariableIntValue("TELVORIN_MAPI_SECONDS_PER_MINUTE", &number);
    // Only ever shorter: a stray value can make no wait longer than it is meant to be.
    if (!number || seconds_per_minute < 1 || seconds_per_minute > 59)
        return full;
    return full * seconds_per_minute / 60;
}

}  // namespace telvorin::mapi
