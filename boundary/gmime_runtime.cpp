// GMime started once per component for the life of the process.
#include "boundary/gmime_runtime.h"

#include <gmime/gmime.h>

namespace telvorin::boundary {

void ensure_gmime_started()
{
    // Each component that links this has its own flag, so the provider and
    // the stand-in in one process count two starts: harmless, as nobody
    // counts back down.
    static const bool started = (g_mime_init(), true);
    static_cast<void>(started);
}

}  // namespace telvorin::boundary
