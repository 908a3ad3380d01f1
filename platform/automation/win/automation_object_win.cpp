// The automation base of the Outlook wrappers on Windows, over ActiveQt.
#include "automation_object.h"

#include <QUuid>

#include <memory>

#include <oaidl.h>

namespace telvorin::platform {

AutomationObject::AutomationObject(QObject* parent) : QAxObject(parent) {}

AutomationObject::AutomationObject(AutomationReference taken, QObject* parent)
    : QAxObject(static_cast<IUnknown*>(taken), parent)
{
    // QAxBase added a reference of its own to the interface; the one we were
    // handed is ours to give back, as the wrappers that dumpcpp generates do.
    if (taken != nullptr)
        taken->Release();
}

AutomationObject::~AutomationObject() = default;

AutomationReference AutomationObject::queryReference(const char* name, const QVariant& var1)
{
    // querySubObject resolves properties and methods alike and converts the
    // VARIANT for us; the temporary wrapper is dropped once we hold the
    // interface ourselves.
    const std::unique_ptr<QAxObject> objekt(querySubObject(name, var1));
    if (!objekt || objekt->isNull())
        return nullptr;
    IDispatch* schnittstelle = nullptr;
    if (FAILED(objekt->queryInterface(QUuid(IID_IDispatch), reinterpret_cast<void**>(&schnittstelle))))
        return nullptr;
    return schnittstelle;
}

}  // namespace telvorin::platform
