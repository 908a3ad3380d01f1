// The system's own automation, behind AutomationObject: one source per platform.
#pragma once

#include "platform/automation_object.h"

namespace telvorin::platform::automation_system {

// A new object of the class `control`, or null when the system serves none.
// A server that is registered for the class but cannot be loaded is reported
// with one line on standard error and serves nothing (POSIX); on Windows a
// class that cannot be created is reported with one debug line that names the
// HRESULT and what it means.
AutomationReference create(const QString& control);
QVariant property(void* object, const char* name);
QVariant call(void* object, const char* function, const QVariant& argument);
AutomationReference object(void* object, const char* name, const QVariant& argument);

}  // namespace telvorin::platform::automation_system
