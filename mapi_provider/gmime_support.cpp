// GMime set-up and ownership helpers shared by the provider's sources.
#include "gmime_support.h"

#include <mutex>

namespace telvorin::mapi {

void ensure_gmime()
{
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

}  // namespace telvorin::mapi
