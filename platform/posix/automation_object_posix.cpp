// The system's automation on POSIX: there is none, so only in-process servers serve classes.
#include "automation_system.h"

namespace telvorin::platform::automation_system {

AutomationReference create(const QString&)
{
    return nullptr;
}

QVariant property(void*, const char*)
{
    return {};
}

QVariant call(void*, const char*, const QVariant&)
{
    return {};
}

AutomationReference object(void*, const char*, const QVariant&)
{
    return nullptr;
}

}  // namespace telvorin::platform::automation_system
