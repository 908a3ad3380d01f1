// Stands in for Outlook's object model on POSIX, read from a session directory of RFC 5322 mail files.
// Leaves out: every other part of Outlook's object model, folders and stores, and events.
#include "standin_outlook/standin_outlook.h"

#include "standin_outlook/file_saving.h"
#include "standin_outlook/mail_reader.h"
#include "standin_outlook/msg_writer.h"

#include "boundary/outside_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>
#include <QSettings>
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
    bool read(const QString& datei, MailMessage& nachricht)
    {
        QFile f(directory.filePath(datei));
        if (f.open(QIODevice::ReadOnly) && read_mail(f.readAll(), nachricht))
            return true;
        if (!m_gemeldet.contains(datei)) {
            m_gemeldet.insert(datei);
            boundary::write_error_line(QStringLiteral("Outlook-Ersatz: Maildatei nicht lesbar: %1").arg(QDir::toNativeSeparators(f.fileName())));
        }
        return false;
    }

private:
    QSet<QString> m_gemeldet;
};

int index_of(const QVariant& argument)
{
    bool ok = false;
    const int i = argument.toInt(&ok);
    return ok ? i : 0;
}

class AttachmentNode : public AutomationNode {
public:
    explicit AttachmentNode(MailAttachment anlage) : m_anlage(std::move(anlage)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "FileName")
            return m_anlage.file_name;
        return {};
    }

    QVariant call(const QByteArray& method, const QVariant& argument) override
    {
        if (method == "SaveAsFile")
            (void)save_file(argument.toString(), [this](std::FILE* datei) {
                return std::fwrite(m_anlage.data.constData(), 1, size_t(m_anlage.data.size()), datei)
                       == size_t(m_anlage.data.size());
            });
        return {};
    }

private:
    MailAttachment m_anlage;
};

class AttachmentsNode : public AutomationNode {
public:
    explicit AttachmentsNode(std::shared_ptr<const MailMessage> nachricht) : m_nachricht(std::move(nachricht)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Count")
            return m_nachricht->attachments.size();
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant& argument) override
    {
        const int i = index_of(argument);
        if (name != "Item" || i < 1 || i > m_nachricht->attachments.size())
            return nullptr;
        return std::make_shared<AttachmentNode>(m_nachricht->attachments.at(i - 1));
    }

private:
    std::shared_ptr<const MailMessage> m_nachricht;
};

// The objects that answer from the session hold it; they share this base.
class SessionNode : public AutomationNode {
protected:
    explicit SessionNode(std::shared_ptr<Session> sitzung) : m_sitzung(std::move(sitzung)) {}
    std::shared_ptr<Session> m_sitzung;
};

class MailItemNode : public SessionNode {
public:
    MailItemNode(std::shared_ptr<Session> sitzung, const QString& datei) : SessionNode(std::move(sitzung))
    {
        auto nachricht = std::make_shared<MailMessage>();
        m_gelesen = m_sitzung->read(datei, *nachricht);
        m_nachricht = std::move(nachricht);
    }

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Subject")
            return m_nachricht->subject;
        if (name == "OutlookVersion")
            return m_sitzung->version;
        return {};
    }

    QVariant call(const QByteArray& method, const QVariant& argument) override
    {
        // Outlook cannot save what it could not open: nothing is written.
        if (method == "SaveAs" && m_gelesen)
            (void)write_msg(*m_nachricht, argument.toString());
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "Attachments")
            return std::make_shared<AttachmentsNode>(m_nachricht);
        return nullptr;
    }

private:
    std::shared_ptr<const MailMessage> m_nachricht;
    bool m_gelesen = false;
};

class SelectionNode : public SessionNode {
public:
    explicit SelectionNode(std::shared_ptr<Session> sitzung) : SessionNode(std::move(sitzung)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Count")
            return m_sitzung->selection->size();
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant& argument) override
    {
        const int i = index_of(argument);
        if (name != "Item" || i < 1 || i > m_sitzung->selection->size())
            return nullptr;
        return std::make_shared<MailItemNode>(m_sitzung, m_sitzung->selection->at(i - 1));
    }

};

class ExplorerNode : public SessionNode {
public:
    explicit ExplorerNode(std::shared_ptr<Session> sitzung) : SessionNode(std::move(sitzung)) {}

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "Selection" && m_sitzung->selection)
            return std::make_shared<SelectionNode>(m_sitzung);
        return nullptr;
    }

};

class InspectorNode : public SessionNode {
public:
    explicit InspectorNode(std::shared_ptr<Session> sitzung) : SessionNode(std::move(sitzung)) {}

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "CurrentItem" && m_sitzung->current_item)
            return std::make_shared<MailItemNode>(m_sitzung, *m_sitzung->current_item);
        return nullptr;
    }

};

class ApplicationNode : public SessionNode {
public:
    explicit ApplicationNode(std::shared_ptr<Session> sitzung) : SessionNode(std::move(sitzung)) {}

    QVariant property(const QByteArray& name) const override
    {
        if (name == "Version")
            return m_sitzung->version;
        return {};
    }

    NodeRef object(const QByteArray& name, const QVariant&) override
    {
        if (name == "ActiveExplorer" && m_sitzung->explorer)
            return std::make_shared<ExplorerNode>(m_sitzung);
        if (name == "ActiveInspector" && m_sitzung->inspector)
            return std::make_shared<InspectorNode>(m_sitzung);
        return nullptr;
    }

};

// QSettings drops a group that holds no key, but "[Explorer]" alone already
// means an active explorer; so the section headers are read from the file.
QSet<QString> section_names(const QString& pfad)
{
    QSet<QString> namen;
    QFile f(pfad);
    if (!f.open(QIODevice::ReadOnly))
        return namen;
    while (!f.atEnd()) {
        const QString zeile = QString::fromUtf8(f.readLine()).trimmed();
        if (zeile.startsWith(QLatin1Char('[')) && zeile.endsWith(QLatin1Char(']')))
            namen.insert(zeile.mid(1, zeile.size() - 2).trimmed());
    }
    return namen;
}

// QSettings hands a value with commas back as a list and one without as a
// string. Blank entries name no file and are dropped, so "Selection=" is an
// empty selection.
QStringList file_list(const QVariant& wert)
{
    QStringList dateien;
    for (const QString& eintrag : wert.toStringList())
        if (!eintrag.trimmed().isEmpty())
            dateien << eintrag.trimmed();
    return dateien;
}

}  // namespace

std::shared_ptr<platform::AutomationNode> open_outlook()
{
    const QString verzeichnis = qEnvironmentVariable("TELVORIN_OUTLOOK_SESSION");
    if (verzeichnis.isEmpty())
        return nullptr;
    const QString ini = QDir(verzeichnis).filePath(QStringLiteral("session.ini"));
    const QFileInfo info(ini);
    if (!info.isFile() || !info.isReadable())
        return nullptr;

    QSettings einstellungen(ini, QSettings::IniFormat);
    // Without a codec Qt 5 reads the file as Latin-1, which garbles the
    // UTF-8 names of mail files.
    einstellungen.setIniCodec("UTF-8");
    if (einstellungen.status() != QSettings::NoError) {
        boundary::write_error_line(QStringLiteral("Outlook-Ersatz: session.ini fehlerhaft, kein Outlook: %1").arg(QDir::toNativeSeparators(ini)));
        return nullptr;
    }

    auto sitzung = std::make_shared<Session>();
    sitzung->directory = QDir(verzeichnis);
    const QSet<QString> gruppen = section_names(ini);
    sitzung->version = einstellungen.value(QStringLiteral("Application/Version")).toString();
    sitzung->explorer = gruppen.contains(QStringLiteral("Explorer"));
    if (sitzung->explorer && einstellungen.contains(QStringLiteral("Explorer/Selection")))
        sitzung->selection = file_list(einstellungen.value(QStringLiteral("Explorer/Selection")));
    sitzung->inspector = gruppen.contains(QStringLiteral("Inspector"));
    // An empty CurrentItem names no file: the inspector then shows no item.
    const QString aktuell = einstellungen.value(QStringLiteral("Inspector/CurrentItem")).toString().trimmed();
    if (sitzung->inspector && !aktuell.isEmpty())
        sitzung->current_item = aktuell;
    return std::make_shared<ApplicationNode>(std::move(sitzung));
}

}  // namespace telvorin::standin
