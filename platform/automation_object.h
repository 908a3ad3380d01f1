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
// Defined here in full, so that a server module needs nothing but this header.
class AutomationNode {
public:
    virtual ~AutomationNode() = default;
    virtual QVariant property(const QByteArray&) const { return {}; }
    virtual QVariant call(const QByteArray&, const QVariant&) { return {}; }
    virtual std::shared_ptr<AutomationNode> object(const QByteArray&, const QVariant&) { return nullptr; }
};

// Where the system has no automation of its own, a class is served by a
// module that a registration names for its class identifier, loaded when an
// object of the class is first created. The module exports this function as
// extern "C" under the name automation_server_entry; it sets `object` to a
// new object of the class, or to null when it has none to give (the program
// it stands in for is not there). Nothing may escape it as an exception.
using AutomationServerEntry = void (*)(std::shared_ptr<AutomationNode>* object);
inline constexpr const char automation_server_entry[] = "telvorin_automation_server";

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

    // Binds to a new object of the class `control` (a class identifier), as
    // the system creates it. False (and null) when nothing serves the class.
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
