// The stand-in Outlook: an object model over a session directory of mail files.
#pragma once

#include "platform/automation_object.h"

#include <memory>

namespace telvorin::standin {

// Outlook's Application object as the session directory named by
// TELVORIN_OUTLOOK_SESSION describes it, or null when there is no Outlook:
// the variable unset or empty, or no readable session.ini there. A
// malformed session.ini also means no Outlook, after one line on standard
// error naming the file.
//
// session.ini: [Application] Version; [Explorer] present: an explorer is
// active, its Selection key lists mail files separated by commas (absent:
// no selection object, empty: nothing selected); [Inspector] present: an
// inspector is active, CurrentItem names its item's mail file. Paths are
// relative to the directory.
std::shared_ptr<platform::AutomationNode> open_outlook();

}  // namespace telvorin::standin
