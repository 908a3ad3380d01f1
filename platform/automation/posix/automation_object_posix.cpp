// Stand-in for ActiveQt's QAxObject on POSIX.
// Leaves out: every object; binding always fails.
#include "automation_object.h"

namespace telvorin::platform {

AutomationObject::AutomationObject(QObject* parent) : QObject(parent) {}
AutomationObject::~AutomationObject() = default;

bool AutomationObject::setControl(const QString&)
{
    return false;
}

QVariant AutomationObject::dynamicCall(const char*, const QVariant&, const QVariant&)
{
    return {};
}

AutomationObject* AutomationObject::querySubObject(const char*, const QVariant&)
{
    return nullptr;
}

QVariant AutomationObject::property(const char*) const
{
    return {};
}

bool AutomationObject::isNull() const
{
    return true;
}

}  // namespace telvorin::platform
