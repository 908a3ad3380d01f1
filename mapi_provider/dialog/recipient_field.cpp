// Recipients as one line of text that a person edits: "Name <address>; other@example.com".
#include "mapi_provider/dialog/recipient_field.h"

namespace telvorin::mapi {

QString shown_mailbox(const Mailbox& mailbox)
{
    if (mailbox.name.isEmpty())
        return mailbox.address;
    // Only letters, digits and single blanks between words are safe unquoted.
    bool quote = mailbox.name.contains(QLatin1String("  "));
    for (const QChar c : mailbox.name)
        quote = quote || !(c.isLetterOrNumber() || c == QLatin1Char(' '));
    QString name = mailbox.name;
    if (quote) {
        name.replace(QLatin1Char('\\'), QLatin1String("\\\\")).replace(QLatin1Char('"'), QLatin1String("\\\""));
        name = QLatin1Char('"') + name + QLatin1Char('"');
    }
    return name + QStringLiteral(" <") + mailbox.address + QLatin1Char('>');
}

QStringList entries_of(const QString& field)
{
    QStringList entries;
    QString entry;
    bool quoted = false;
    for (int i = 0; i < field.size(); ++i) {
        const QChar c = field[i];
        if (c == QLatin1Char('\\') && quoted && i + 1 < field.size()) {
            entry += c;
            entry += field[++i];
            continue;
        }
        if (c == QLatin1Char('"'))
            quoted = !quoted;
        if (c == QLatin1Char(';') && !quoted) {
            entries << entry.trimmed();
            entry.clear();
        } else {
            entry += c;
        }
    }
    entries << entry.trimmed();
    entries.removeAll(QString());
    return entries;
}

}  // namespace telvorin::mapi
