// Outlook's automation objects as the export jobs use them, over the platform's automation base.
#pragma once

#include "platform/automation_object.h"

#include <QString>
#include <QVariant>

#include <memory>

namespace Outlook {

using telvorin::platform::AutomationObject;
using telvorin::platform::AutomationReference;

// Wraps an object reference that a member returned; null stays null.
template <class T>
std::unique_ptr<T> uebernimm(AutomationReference objekt)
{
    if (!objekt)
        return nullptr;
    return std::make_unique<T>(std::move(objekt));
}

// Every wrapper below reads a failed property as an empty value (0, empty
// text, null object) and ignores a failed method call, as COM automation
// gives no more back to these callers.

class Attachment : public AutomationObject {
public:
    explicit Attachment(AutomationReference objekt) : AutomationObject(std::move(objekt)) {}
    QString FileName() const { return property("FileName").toString(); }
    void SaveAsFile(const QString& Path) { dynamicCall("SaveAsFile(QString)", Path); }
};

class Attachments : public AutomationObject {
public:
    explicit Attachments(AutomationReference objekt) : AutomationObject(std::move(objekt)) {}
    int Count() const { return property("Count").toInt(); }
    // Index 1..Count.
    std::unique_ptr<Attachment> Item(const QVariant& Index)
    {
        return uebernimm<Attachment>(queryReference("Item(QVariant)", Index));
    }
};

// Any item is handled as a mail item: its class is never checked. A null
// reference gives an item whose properties all read empty.
class MailItem : public AutomationObject {
public:
    explicit MailItem(AutomationReference objekt) : AutomationObject(std::move(objekt)) {}
    QString Subject() const { return property("Subject").toString(); }
    QString OutlookVersion() const { return property("OutlookVersion").toString(); }
    // Saves in Outlook's default format for the path; no type argument.
    void SaveAs(const QString& Path) { dynamicCall("SaveAs(QString)", Path); }
    std::unique_ptr<Attachments> GetAttachments() { return uebernimm<Attachments>(queryReference("Attachments")); }
};

class Selection : public AutomationObject {
public:
    explicit Selection(AutomationReference objekt) : AutomationObject(std::move(objekt)) {}
    int Count() const { return property("Count").toInt(); }
    // Index 1..Count; the caller owns the returned reference (wrap it in a MailItem).
    AutomationReference Item(const QVariant& Index) { return queryReference("Item(QVariant)", Index); }
};

class _Explorer : public AutomationObject {
public:
    explicit _Explorer(AutomationReference objekt) : AutomationObject(std::move(objekt)) {}
    std::unique_ptr<Outlook::Selection> GetSelection() { return uebernimm<Outlook::Selection>(queryReference("Selection")); }
};

class _Inspector : public AutomationObject {
public:
    explicit _Inspector(AutomationReference objekt) : AutomationObject(std::move(objekt)) {}
    // The caller owns the returned reference (wrap it in a MailItem).
    AutomationReference CurrentItem() { return queryReference("CurrentItem"); }
};

// Bound to Outlook by setControl with the class identifier of its
// Application object; unbound, every call below yields empty or null.
class Application : public AutomationObject {
public:
    // The class identifier under which the system registers Outlook's Application.
    static constexpr const char* klassen_id = "{0006f03a-0000-0000-c000-000000000046}";

    Application() = default;
    QString Version() const { return property("Version").toString(); }
    std::unique_ptr<_Explorer> ActiveExplorer() { return uebernimm<_Explorer>(queryReference("ActiveExplorer()")); }
    std::unique_ptr<_Inspector> ActiveInspector() { return uebernimm<_Inspector>(queryReference("ActiveInspector()")); }
};

}  // namespace Outlook
