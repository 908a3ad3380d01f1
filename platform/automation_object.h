// Automation objects: calling members of another program's objects by name.
#pragma once

#include <QObject>
#include <QString>
#include <QVariant>

#include <memory>

namespace telvorin::platform {

// One object of an in-process automation server, the way a program of our own
// serves a class that the system does not (a stand-in for another program).
// Members are called by name without the argument list ("Item", not
// "Item(QVariant)"). An unknown member yields an invalid QVariant or null.
class AutomationNode {
public:
    virtual ~AutomationNode();
    virtual QVariant property(const QByteArray& name) const;
    virtual QVariant call(const QByteArray& method, const QVariant& argument);
    virtual std::shared_ptr<AutomationNode> object(const QByteArray& name, const QVariant& argument);
};

using AutomationServer = std::shared_ptr<AutomationNode> (*)();

// Makes `server` the in-process server of the class `class_id` (a class
// identifier in braces, any letter case). It wins over the system's
// registration; on systems without COM it is the only way to serve a class.
// Meant for static initialisation; returns true.
bool register_automation_server(const QString& class_id, AutomationServer server);

// What a member hands back when it yields an object, holding one reference to
// it until the last copy goes. Null means "no object".
class AutomationReference {
public:
    AutomationReference() = default;
    AutomationReference(std::nullptr_t) {}
    AutomationReference(std::shared_ptr<AutomationNode> node) : m_node(std::move(node)) {}
    // An object of the system's automation (a COM IDispatch on Windows);
    // the deleter releases the system's reference.
    static AutomationReference system(std::shared_ptr<void> object);

    explicit operator bool() const { return m_node != nullptr || m_system != nullptr; }
    AutomationNode* node() const { return m_node.get(); }
    void* system_object() const { return m_system.get(); }

private:
    std::shared_ptr<AutomationNode> m_node;
    std::shared_ptr<void> m_system;
};

// The base of typed wrappers over automation objects: calls by name with
// Qt's normalized signatures. It holds the object, so that one declaration
// serves every platform. Every read of an
// unbound object or an unknown member yields an invalid QVariant or null,
// never an error, as COM automation gives no more back to these callers.
class AutomationObject : public QObject {
public:
    explicit AutomationObject(QObject* parent = nullptr);
    // Wraps an object that a member returned and shares its reference.
    explicit AutomationObject(AutomationReference taken, QObject* parent = nullptr);
    ~AutomationObject() override;

    // Binds to a new object of the class `control` (a class identifier):
    // an in-process server's, else the system's. False (and null) when
    // neither serves the class.
    bool setControl(const QString& control);
    // `function` is a normalized signature such as "SaveAs(QString)"; a read
    // or call that yields an object gives the QVariant an AutomationReference.
    QVariant dynamicCall(const char* function, const QVariant& var1 = QVariant());
    // A property or method ("Selection", "Item(QVariant)") that yields an
    // object, for a typed wrapper to take over; null when it yields none.
    AutomationReference queryReference(const char* name, const QVariant& var1 = QVariant());
    QVariant property(const char* name) const;
    bool isNull() const;

private:
    AutomationReference m_object;
};

}  // namespace telvorin::platform

Q_DECLARE_METATYPE(telvorin::platform::AutomationReference)
