// Stand-in for ActiveQt's QAxObject on POSIX, dispatching to the stand-in Outlook.
// Leaves out: every COM class but Outlook's Application, events, and argument lists beyond one value.
#include "automation_object.h"

#include "standin_outlook.h"

namespace telvorin::platform {

namespace {

const QLatin1String outlook_application("{0006f03a-0000-0000-c000-000000000046}");

// "Item(QVariant)" -> "Item": the stand-in's members are not overloaded.
QByteArray member_name(const char* signature)
{
    QByteArray name(signature);
    const int klammer = name.indexOf('(');
    return klammer < 0 ? name : name.left(klammer);
}

}  // namespace

AutomationObject::AutomationObject(QObject* parent) : QObject(parent) {}

AutomationObject::AutomationObject(AutomationReference taken, QObject* parent)
    : QObject(parent), m_objekt(std::move(taken))
{
}

AutomationObject::~AutomationObject() = default;

bool AutomationObject::setControl(const QString& control)
{
    // ActiveQt accepts the class identifier in any letter case.
    m_objekt = control.compare(outlook_application, Qt::CaseInsensitive) == 0 ? standin::open_outlook() : nullptr;
    return !isNull();
}

QVariant AutomationObject::dynamicCall(const char* function, const QVariant& var1)
{
    return m_objekt ? m_objekt->call(member_name(function), var1) : QVariant();
}

AutomationObject* AutomationObject::querySubObject(const char* name, const QVariant& var1)
{
    AutomationReference objekt = queryReference(name, var1);
    return objekt ? new AutomationObject(std::move(objekt), this) : nullptr;
}

AutomationReference AutomationObject::queryReference(const char* name, const QVariant& var1)
{
    return m_objekt ? m_objekt->object(member_name(name), var1) : nullptr;
}

QVariant AutomationObject::property(const char* name) const
{
    return m_objekt ? m_objekt->property(QByteArray(name)) : QVariant();
}

bool AutomationObject::isNull() const
{
    return !m_objekt;
}

}  // namespace telvorin::platform
