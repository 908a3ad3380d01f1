// The automation base of the Outlook wrappers on Windows: ActiveQt's QAxObject.
#pragma once

#include <QAxObject>
#include <QVariant>

struct IDispatch;

namespace telvorin::platform {

// What a member hands back when it yields an object: an IDispatch* carrying
// one reference that the receiver owns. nullptr means "no object".
using AutomationReference = IDispatch*;

// QAxObject with the two additions the typed wrappers need: taking over an
// interface that a member returned, and fetching one for such a wrapper. Like
// every QAxObject subclass it has no Q_OBJECT: its meta-object is built at run
// time from the COM type information.
class AutomationObject : public QAxObject {
public:
    explicit AutomationObject(QObject* parent = nullptr);
    // Wraps an interface that a member returned and takes over its reference.
    explicit AutomationObject(AutomationReference taken, QObject* parent = nullptr);
    ~AutomationObject() override;

    // Like querySubObject, but hands back the interface for a typed wrapper to
    // take over; nullptr when the member yields no object.
    AutomationReference queryReference(const char* name, const QVariant& var1 = QVariant());
};

}  // namespace telvorin::platform
