// Reading an RFC 5322 message into the fields that the stand-in Outlook shows of an item.
#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QVector>

namespace telvorin::standin {

struct MailAddress {
    QString name;     // display name, may be empty
    QString address;  // the bare address (local@domain), may be empty for a bare name
};

struct MailAttachment {
    QString file_name;  // the last path component only, never "", "." or ".."
    QString mime_type;  // such as "image/png"
    QByteArray data;    // the decoded bytes
};

struct MailMessage {
    QString subject;  // decoded, unfolded
    QString body;     // the first plain-text part that is no attachment
    MailAddress sender;
    QVector<MailAddress> to;
    QVector<MailAddress> cc;
    QString message_id;
    QDateTime date;   // invalid when the message has none
    QVector<MailAttachment> attachments;  // in message order
};

// Parses `raw`. Returns false, leaving `out` untouched, when `raw` is no
// message: empty, or without any header field. The first call initialises
// GMime for the rest of the process.
[[nodiscard]] bool read_mail(const QByteArray& raw, MailMessage& out);

// The FileName of an attachment whose part carries `carried` as its name:
// the last component after "/" or "\", as Outlook never shows a path. When
// nothing usable is left ("", "." or ".."), "Anlage<position>" (1-based).
QString attachment_file_name(const QString& carried, int position);

}  // namespace telvorin::standin
