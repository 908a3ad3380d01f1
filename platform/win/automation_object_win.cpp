// The system's automation on Windows: COM through ActiveQt's QAxObject.
#include "automation_system.h"

#include <QAxObject>

#include <memory>

namespace telvorin::platform::automation_system {
namespace {

QAxObject* ax(void* object)
{
    return static_cast<QAxObject*>(object);
}

}  // namespace

AutomationReference create(const QString& control)
{
    auto object = std::make_shared<QAxObject>();
    if (!object->setControl(control) || object->isNull())
        return nullptr;
    return AutomationReference::system(std::move(object));
}

QVariant property(void* object, const char* name)
{
    return ax(object)->property(name);
}

QVariant call(void* object, const char* function, const QVariant& argument)
{
    return ax(object)->dynamicCall(function, argument);
}

AutomationReference object(void* object, const char* name, const QVariant& argument)
{
    // querySubObject resolves properties and methods alike and converts the
    // VARIANT; the new QAxObject holds its own reference to the interface, so
    // it may outlive the object it came from once it has no parent.
    std::shared_ptr<QAxObject> sub(ax(object)->querySubObject(name, argument));
    if (!sub || sub->isNull())
        return nullptr;
    sub->setParent(nullptr);
    return AutomationReference::system(std::move(sub));
}

}  // namespace telvorin::platform::automation_system
