// AutomationObject over the system's automation and the in-process servers it creates.
#include "platform/automation_object.h"

#include "platform/automation_system_p.h"

namespace telvorin::platform {
namespace {

// "Item(QVariant)" -> "Item": in-process servers do not overload members.
QByteArray member_name(const char* signature)
{
    QByteArray name(signature);
    const int bracket = name.indexOf('(');
    return bracket < 0 ? name : name.left(bracket);
}

}  // namespace

AutomationReference AutomationReference::system(std::shared_ptr<void> object)
{
    AutomationReference reference;
    reference.m_system = std::move(object);
    return reference;
}

AutomationObject::AutomationObject(QObject* parent) : QObject(parent) {}

AutomationObject::AutomationObject(AutomationReference taken, QObject* parent)
    : QObject(parent), m_object(std::move(taken))
{
}

AutomationObject::~AutomationObject() = default;

bool AutomationObject::setControl(const QString& control)
{
    m_object = automation_system::create(control);
    return !isNull();
}

QVariant AutomationObject::dynamicCall(const char* function, const QVariant& var1)
{
    if (AutomationNode* node = m_object.node())
        return node->call(member_name(function), var1);
    if (void* system = m_object.system_object())
        return automation_system::call(system, function, var1);
    return {};
}

AutomationReference AutomationObject::queryReference(const char* name, const QVariant& var1)
{
    if (AutomationNode* node = m_object.node())
        return node->object(member_name(name), var1);
    if (void* system = m_object.system_object())
        return automation_system::object(system, name, var1);
    return nullptr;
}

QVariant AutomationObject::property(const char* name) const
{
    if (AutomationNode* node = m_object.node())
        return node->property(QByteArray(name));
    if (void* system = m_object.system_object())
        return automation_system::property(system, name);
    return {};
}

bool AutomationObject::isNull() const
{
    return !m_object;
}

}  // namespace telvorin::platform
