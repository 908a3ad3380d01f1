// Outlook's automation objects as the export jobs use them.
#pragma once

#include "automation_object.h"

namespace Outlook {

class Application : public telvorin::platform::AutomationObject {
public:
    using AutomationObject::AutomationObject;
};

}  // namespace Outlook
