// The automation base of the Outlook wrappers on POSIX, offering the QAxBase calls they use.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace telvorin::platform {

// One object of the stand-in Outlook (application, explorer, item, ...).
class AutomationNode;

// What a member hands back when it yields an object: on Windows an IDispatch*
// carrying one reference, here a shared handle. A null value means "no object".
using AutomationReference = std::shared_ptr<AutomationNode>;

// Stands in for QAxObject where there is no COM. setControl() with Outlook's
// class identifier binds to the stand-in Outlook that the directory named by
// TELVORIN_OUTLOOK_SESSION describes; without one, binding fails silently as on
// a machine without Outlook, and every read yields null, empty or 0.
class AutomationObject : public QObject {
public:
    explicit AutomationObject(QObject* parent = nullptr);
    // Wraps an object that a member returned and takes over its reference.
    explicit AutomationObject(AutomationReference taken, QObject* parent = nullptr);
    ~AutomationObject() override;

    // Returns false (and stays null) for any other class or without Outlook.
    bool setControl(const QString& control);
    // `function` is a normalized signature such as "SaveAs(QString)". An unknown
    // member or a failing call yields an invalid QVariant, never an error.
    QVariant dynamicCall(const char* function, const QVariant& var1 = QVariant());
    // A property or method ("Selection", "Item(QVariant)") yielding an object,
    // as a new child of this object; nullptr when it yields none.
    AutomationObject* querySubObject(const char* name, const QVariant& var1 = QVariant());
    // Like querySubObject, but hands back the reference for a typed wrapper
    // to take over; null when the member yields no object.
    AutomationReference queryReference(const char* name, const QVariant& var1 = QVariant());
    // A property of the bound object; invalid when unbound or unknown.
    QVariant property(const char* name) const;
    bool isNull() const;

private:
    AutomationReference m_objekt;
};

}  // namespace telvorin::platform
