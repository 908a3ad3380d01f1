// The one rule for GMime's process-wide state: started on first use, never shut down.
#pragma once

namespace telvorin::boundary {

// Starts GMime for this component, once, from whichever thread asks first;
// every GMime call of ours comes after it. There is deliberately no shutdown:
// - g_mime_init and g_mime_shutdown are counted, so a host that uses GMime
//   itself keeps working beside us and may shut down its own use at any time;
// - once the count reaches zero, a later g_mime_init in the same process
//   leaves GMime's type table freed and every new object fails. A provider is
//   loaded into programs we do not know, and may be unloaded and loaded again
//   there; a shutdown of ours could be the one that reaches zero and would
//   break the host's next start, or ours.
// What GMime keeps stays reachable from its globals until the process ends,
// so a leak checker does not count it.
void ensure_gmime_started();

}  // namespace telvorin::boundary
