// AutomationObject over in-process servers and the system's automation.
#include "automation_object.h"

#include "automation_system.h"

#include <QHash>

namespace telvorin::platform {
namespace {

QHash<QString, AutomationServer>& servers()
{
    static QHash<QString, AutomationServer> registered;
    return registered;
}

// "Item(QVariant)" -> "Item": in-process servers do not overload members.
QByteArray member_name(const char* signature)
{
    QByteArray name(signature);
    const int bracket = name.indexOf('(');
    return bracket < 0 ? name : name.left(bracket);
}

}  // namespace

AutomationNode::~AutomationNode() = default;

QVariant AutomationNode::property(const QByteArray&) const
{
    return {};
}

QVariant AutomationNode::call(const QByteArray&, const QVariant&)
{
    return {};
}

std::shared_ptr<AutomationNode> AutomationNode::object(const QByteArray&, const QVariant&)
{
    return nullptr;
}

bool register_automation_server(const QString& class_id, AutomationServer server)
{
    servers().insert(class_id.toLower(), server);
    return true;
}

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
    const AutomationServer server = servers().value(control.toLower(), nullptr);
    m_object = server != nullptr ? AutomationReference(server()) : automation_system::create(control);
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
