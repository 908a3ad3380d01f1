// The stand-in Outlook: an object model over a session directory of mail files.
#pragma once

#include "automation_object.h"

#include <QByteArray>
#include <QString>
#include <QVariant>

namespace telvorin::platform {

// One object of the stand-in Outlook. Members are called by name, without
// the argument list of the signature ("Item", not "Item(QVariant)"). An
// unknown member yields an invalid QVariant or a null reference.
class AutomationNode {
public:
    virtual ~AutomationNode();
    virtual QVariant property(const QByteArray& name) const;
    virtual QVariant call(const QByteArray& method, const QVariant& argument);
    virtual AutomationReference object(const QByteArray& name, const QVariant& argument);
};

namespace standin {

// Outlook's Application object as the session directory named by
// TELVORIN_OUTLOOK_SESSION describes it, or null when there is no Outlook:
// the variable unset or empty, or no readable session.ini there. A
// malformed session.ini also means no Outlook, after one line on standard
// error naming the file.
//
// session.ini: [Application] Version; [Explorer] present: an explorer is
// active, its Selection key lists mail files separated by commas (absent:
// no selection object, empty: nothing selected); [Inspector] present: an
// inspector is active, CurrentItem names its item's mail file. Paths are
// relative to the directory.
AutomationReference open_outlook();

}  // namespace standin
}  // namespace telvorin::platform
