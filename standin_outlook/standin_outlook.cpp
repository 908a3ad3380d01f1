// Stands in for Outlook's object model on POSIX, read from a session directory of RFC 5322 mail files.
// Leaves out: every other part of Outlook's object model, folders and stores, and events.
#include "standin_outlook/standin_outlook.h"

#include "standin_outlook/file_saving.h"
#include "standin_outlook/mail_reader.h"
#include "standin_outlook/msg_writer.h"

#include "boundary/ini_file.h"
#include "boundary/outside_text.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QStringList>
#include <QVector>

#include <cstdio>
#include <memory>
#include <optional>

namespace telvorin::standin {

using platform::AutomationNode;
using NodeRef = std::shared_ptr<AutomationNode>;

namespace {

// What session.ini says, plus the one-time reports about unreadable mail.
class Session {
public:
    QDir directory;
    QString version;
    bool explorer = false;
    std::optional<QStringList> selection;  // empty optional: no selection object
    bool inspector = false;
    std::optional<QString> current_item;

    // Reads one mail file; false (and one line on standard error for the
    // first failure per file) when it is missing or no message.
    bool read(const QString& file, MailMessage& message)
    {
        const QString path = directory.filePath(file);
        if (read_mail_file(path, message))
            return true;
        if (!m_reported.contains(file)) {
            m_reported.insert(file);
            boundary::write_error_line(QStringLiteral("Outlook-Ersatz: Maildatei nicht lesbar: %1").arg(QDir::toNativeSeparators(path)));
        }
        return false;
    }

private:
    QSet<QString> m_reported;
};

int index_of(const QVariant& argument)
{
    bool ok = false;
    const int i = argument.toInt(&ok);
    return ok ? i : 0;
}

class AttachmentNode : public AutomationNode {
public:
    explicit AttachmentNode(MailAttachment attachment) : m_attachment(std::move(attachment)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "FileName")
            return m_attachment.file_name;
        return {};
    }

    QVariant call(const QByteArray& method, const QVariant& argument) override
    {
        if (method == "SaveAsFile")
            (void)save_file(argument.toString(), [this](std::FILE* file) {
                return read_attachment(m_attachment, [file](const char* data, std::size_t size) {
                    return std::fwrite(data, 1, size, file) == size;
                });
            });
        return {};
    }

private:
    MailAttachment m_attachment;
};

class AttachmentsNode : public AutomationNode {
public:
    explicit AttachmentsNode(std::shared_ptr<const MailMessage> message) : m_message(std::move(message)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Count")
            return m_message->attachments.size();
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant& argument) override
    {
        const int i = index_of(argument);
        if (name != "Item" || i < 1 || i > m_message->attachments.size())
            return nullptr;
        return std::make_shared<AttachmentNode>(m_message->attachments.at(i - 1));
    }

private:
    std::shared_ptr<const MailMessage> m_message;
};

// The objects that answer from the session hold it; they share this base.
class SessionNode : public AutomationNode {
protected:
    explicit SessionNode(std::shared_ptr<Session> session) : m_session(std::move(session)) {}
    std::shared_ptr<Session> m_session;
};

class MailItemNode : public SessionNode {
public:
    MailItemNode(std::shared_ptr<Session> session, const QString& file) : SessionNode(std::move(session))
    {
        auto message = std::make_shared<MailMessage>();
        m_read = m_session->read(file, *message);
        m_message = std::move(message);
    }

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Subject")
            return m_message->subject;
        if (name == "OutlookVersion")
            return m_session->version;
        return {};
    }

    QVariant call(const QByteArray& method, const QVariant& argument) override
    {
        // Outlook cannot save what it could not open: nothing is written.
        if (method == "SaveAs" && m_read)
            (void)write_msg(*m_message, argument.toString());
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "Attachments")
            return std::make_shared<AttachmentsNode>(m_message);
        return nullptr;
    }

private:
    std::shared_ptr<const MailMessage> m_message;
    bool m_read = false;
};

class SelectionNode : public SessionNode {
public:
    explicit SelectionNode(std::shared_ptr<Session> session) : SessionNode(std::move(session)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Count")
            return m_session->selection->size();
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant& argument) override
    {
        const int i = index_of(argument);
        if (name != "Item" || i < 1 || i > m_session->selection->size())
            return nullptr;
        return std::make_shared<MailItemNode>(m_session, m_session->selection->at(i - 1));
    }

};

class ExplorerNode : public SessionNode {
public:
    explicit ExplorerNode(std::shared_ptr<Session> session) : SessionNode(std::move(session)) {}

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "Selection" && m_session->selection)
            return std::make_shared<SelectionNode>(m_session);
        return nullptr;
    }

};

class InspectorNode : public SessionNode {
public:
    explicit InspectorNode(std::shared_ptr<Session> session) : SessionNode(std::move(session)) {}

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "CurrentItem" && m_session->current_item)
            return std::make_shared<MailItemNode>(m_session, *m_session->current_item);
        return nullptr;
    }

};

class ApplicationNode : public SessionNode {
public:
    explicit ApplicationNode(std::shared_ptr<Session> session) : SessionNode(std::move(session)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Version")
            return m_session->version;
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "ActiveExplorer" && m_session->explorer)
            return std::make_shared<ExplorerNode>(m_session);
        if (name == "ActiveInspector" && m_session->inspector)
            return std::make_shared<InspectorNode>(m_session);
        return nullptr;
    }

};

}  // namespace

std::shared_ptr<platform::AutomationNode> open_outlook()
{
    const QString dir = qEnvironmentVariable("TELVORIN_OUTLOOK_SESSION");
    if (dir.isEmpty())
        return nullptr;
    const QString ini = QDir(dir).filePath(QStringLiteral("session.ini"));
    const QFileInfo info(ini);
    if (!info.isFile() || !info.isReadable())
        return nullptr;

    const boundary::IniFile settings = boundary::read_ini_file(ini);
    if (!settings.error.isEmpty()) {
        boundary::write_error_line(QStringLiteral("Outlook-Ersatz: session.ini fehlerhaft, kein Outlook: %1").arg(QDir::toNativeSeparators(ini)));
        return nullptr;
    }
    const auto entry = [&settings](const char* section, const char* key) -> const boundary::IniEntry* {
        const boundary::IniSection* found = settings.find(QLatin1String(section));
        return found ? found->find(QLatin1String(key)) : nullptr;
    };

    auto session = std::make_shared<Session>();
    session->directory = QDir(dir);
    if (const boundary::IniEntry* version = entry("Application", "Version"))
        session->version = version->value;
    session->explorer = settings.find(QStringLiteral("Explorer")) != nullptr;
    if (const boundary::IniEntry* selection = entry("Explorer", "Selection")) {
        // Blank entries name no file, so "Selection=" is an empty selection.
        session->selection = selection->list();
        session->selection->removeAll(QString());
    }
    session->inspector = settings.find(QStringLiteral("Inspector")) != nullptr;
    // An empty CurrentItem names no file: the inspector then shows no item.
    if (const boundary::IniEntry* current = entry("Inspector", "CurrentItem"); current && !current->value.isEmpty())
        session->current_item = current->value;
    return std::make_shared<ApplicationNode>(std::move(session));
}

}  // namespace telvorin::standin
