// Reading an RFC 5322 message into the fields that the stand-in Outlook shows of an item.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

#include <cstddef>
#include <functional>
#include <memory>

namespace telvorin::standin {

struct MailAddress {
    QString name;     // display name, may be empty
    QString address;  // the bare address (local@domain), may be empty for a bare name
};

struct MailMessage;
struct AttachmentSource;  // where the attachment's bytes are in the source mail

struct MailAttachment {
    QString file_name;   // the last path component only, never "", "." or ".."
    QString mime_type;   // such as "image/png"
    QString content_id;  // without angle brackets, may be empty
    std::shared_ptr<const AttachmentSource> source;  // read through read_attachment
    std::shared_ptr<const MailMessage> message;  // set for an attached mail (message/rfc822)
};

struct MailMessage {
    QString subject;  // decoded, unfolded, control characters as blanks
    QString body;     // the first plain-text part that is no attachment, else the HTML as plain text
    QString html;     // the first HTML part that is no attachment
    QString headers;  // the header block as it travelled, without the empty line after it
    MailAddress from;    // the author (From)
    MailAddress sender;  // who sent it (Sender, else From)
    QVector<MailAddress> to;
    QVector<MailAddress> cc;
    QVector<MailAddress> bcc;
    QString message_id;   // without angle brackets
    QDateTime date;       // Date; invalid when the message has none
    QDateTime received;   // the newest Received stamp, else Date
    qint64 size = 0;      // bytes of the message as it travelled
    QVector<MailAttachment> attachments;  // in message order
};

// Parses `raw`. Returns false, leaving `out` untouched, when `raw` is no
// message: empty, or without any header field. The first call initialises
// GMime for the rest of the process.
[[nodiscard]] bool read_mail(const QByteArray& raw, MailMessage& out);

// Parses the mail file at `path` as read_mail does, also false when it
// cannot be opened. The parts stay in the file: `out` keeps it open, and
// its attachments are read from it only when read_attachment asks, so a
// mail of any size costs the same memory.
[[nodiscard]] bool read_mail_file(const QString& path, MailMessage& out);

// Hands the bytes of `attachment` to `piece` in order, a piece at a time:
// the decoded part, or for an attached mail the mail as it travels. False
// when the source cannot be read or `piece` returns false.
[[nodiscard]] bool read_attachment(const MailAttachment& attachment,
                                   const std::function<bool(const char*, std::size_t)>& piece);

// The FileName of an attachment whose part carries `carried` as its name:
// the last component after "/" or "\", as Outlook never shows a path. When
// nothing usable is left ("", "." or ".."), "Anlage<position>" (1-based).
QString attachment_file_name(const QString& carried, int position);

}  // namespace telvorin::standin
