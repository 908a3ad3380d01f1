// The table of deliveries, and the three the provider makes itself: outbox, mail composer, sendmail.
#include "mapi_provider/provider/delivery.h"

#include "mapi_provider/provider/provider_config.h"
#include "mapi_provider/provider/provider_modules.h"

#include "mapi_provider/shared/mime_message.h"
#include "mapi_provider/shared/time_limits.h"

#include "boundary/child_process.h"
#include "boundary/new_file.h"
#include "boundary/outside_text.h"
#include "boundary/unique_fd.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QUrl>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <optional>

namespace telvorin::mapi {

namespace {

using boundary::UniqueFd;

ULONG code_for_write_error(int error)
{
    return error == ENOSPC || error == EDQUOT ? MAPI_E_DISK_FULL : MAPI_E_FAILURE;
}

// The file name tells when the mail was written; the counter keeps two
// mails of the same second apart.
QByteArray outbox_name(const QDateTime& when, int attempt)
{
    QByteArray name = when.toString(QStringLiteral("yyyyMMdd-HHmmss")).toLatin1();
    name += '-' + QByteArray::number(static_cast<qlonglong>(::getpid()));
    if (attempt > 0)
        name += '-' + QByteArray::number(attempt);
    return name + ".eml";
}

// Runs `arguments` (program first, looked up on PATH when it has no "/")
// with standard input from `input` (or /dev/null when -1) and its output
// discarded: the host process's console belongs to the host. True when the
// program ran and exited with 0.
bool run(const QStringList& arguments, int input, bool own_group, std::optional<std::chrono::milliseconds> limit)
{
    boundary::ChildCommand command;
    for (const QString& argument : arguments)
        command.argv.push_back(argument.toUtf8());  // the composer is told --utf8
    command.input = input;
    command.own_process_group = own_group;
    command.limit = limit;
    return boundary::run_child(command).succeeded();
}

// A temporary file without a name holding the message: the command reads it as
// its standard input, so nothing can block on a full pipe and no SIGPIPE can
// reach the host process when the command ends early.
UniqueFd message_in_temporary_file(const OutgoingMail& mail, LineEnds line_ends)
{
    UniqueFd fd = boundary::unnamed_file(QFile::encodeName(QDir::tempPath()));
    if (fd.get() < 0)
        return UniqueFd();
    if (write_message(mail, fd.get(), line_ends) != 0 || ::lseek(fd.get(), 0, SEEK_SET) != 0)
        return UniqueFd();
    return fd;
}

// The composer takes a recipient only as a plain dot-atom address
// (local@domain, non-ASCII allowed): nothing that a URI, an option or an
// address list could read as more than one address.
bool composer_address(const QString& address)
{
    const int at = address.indexOf(QLatin1Char('@'));
    if (at <= 0 || at != address.lastIndexOf(QLatin1Char('@')) || at == address.size() - 1)
        return false;
    static const QString atext = QStringLiteral("!#$%&'*+-/=?^_`{|}~");
    for (int i = 0; i < address.size(); ++i) {
        const QChar c = address[i];
        const bool dot = c == QLatin1Char('.');
        if (dot && (i == 0 || i == at - 1 || i == at + 1 || i == address.size() - 1 || address[i - 1] == c))
            return false;
        if (c.unicode() >= 0x80 ? boundary::is_control(c.unicode()) || c.isSpace()
                                : !(c.isLetterOrNumber() || dot || c == QLatin1Char('@')
                                    || (i < at && atext.contains(c)) || (i > at && c == QLatin1Char('-'))))
            return false;
    }
    return true;
}

// A single argument longer than this (terminating NUL included) makes the
// kernel refuse the whole command with E2BIG.
size_t longest_argument()
{
    return 32 * static_cast<size_t>(::sysconf(_SC_PAGESIZE));
}

}  // namespace

const std::vector<Delivery>& deliveries()
{
    // name; keys (name, kind, default, required); recipients; may send without a dialog; log-on password;
    // dialog; function
    static const std::vector<Delivery> table{
        {"outbox",
         {{"Outbox", KeyKind::path, [] { return QStringList{data_home() + QStringLiteral("/telvorin/outbox")}; }, false}},
         Recipients::optional, true, PasswordUse::compared, DialogUse::send_dialog, deliver_to_outbox},
        {"composer",
         {{"Composer", KeyKind::command, [] { return QStringList{QStringLiteral("xdg-email")}; }, false}},
         Recipients::optional, false, PasswordUse::compared, DialogUse::own_window, deliver_to_composer},
        // sendmail -t takes its recipients from the headers and has nothing to do without any.
        {"sendmail",
         {{"Sendmail", KeyKind::command, [] { return QStringList{QStringLiteral("/usr/sbin/sendmail")}; }, false}},
         Recipients::checked_first, true, PasswordUse::compared, DialogUse::send_dialog, deliver_to_sendmail},
        {"smtp",
         {{"Server", KeyKind::server, nullptr, true},
          {"User", KeyKind::text, nullptr, false},
          {"PasswordCommand", KeyKind::command, nullptr, false},
          {"CAFile", KeyKind::path, nullptr, false}},
         Recipients::required, true, PasswordUse::for_server, DialogUse::send_dialog, deliver_by_smtp_in_module},
    };
    return table;
}

ULONG deliver_to_outbox(const OutgoingMail& mail, const Profile& profile)
{
    const QString directory = profile.setting_text("Outbox");
    if (!QDir().mkpath(directory))
        return MAPI_E_FAILURE;
    const QByteArray folder = QFile::encodeName(directory);
    boundary::remove_stale_temporaries(folder);
    boundary::NewFile file(folder);
    if (file.fd() < 0)
        return code_for_write_error(errno);
    ::flock(file.fd(), LOCK_EX);
    int error = write_message(mail, file.fd(), LineEnds::crlf);
    if (error == 0)
        error = file.finish();
    if (error != 0)
        return code_for_write_error(error);
    const QDateTime now = QDateTime::currentDateTime();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (file.place(folder + '/' + outbox_name(now, attempt)))
            return SUCCESS_SUCCESS;
        if (errno != EEXIST)
            break;
    }
    return code_for_write_error(errno);
}

ULONG deliver_to_sendmail(const OutgoingMail& mail, const Profile& profile)
{
    UniqueFd message = message_in_temporary_file(mail, LineEnds::lf);
    if (message.get() < 0)
        return MAPI_E_FAILURE;
    QStringList arguments = profile.setting("Sendmail");
    arguments << QStringLiteral("-t") << QStringLiteral("-oi");
    return run(arguments, message.get(), true, time_limit(std::chrono::minutes(10))) ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}

ULONG deliver_to_composer(const OutgoingMail& mail, const Profile& profile)
{
    // Every argument is an option of ours followed by its value, or the
    // mailto: URI built here: nothing the caller wrote can become an option.
    QStringList arguments = profile.setting("Composer");
    arguments << QStringLiteral("--utf8");
    QStringList to;
    for (const OutgoingRecipient& recipient : mail.recipients) {
        const QString& address = recipient.mailbox.address;
        if (!composer_address(address)) {
            boundary::write_error_line(QStringLiteral("MAPI: Empfaenger '%1' ist keine Adresse fuer den Mail-Composer")
                            .arg(address.isEmpty() ? recipient.as_written : address));
            return MAPI_E_INVALID_RECIPS;
        }
        switch (recipient.kind) {
        case RecipientKind::to:
            to << QString::fromLatin1(QUrl::toPercentEncoding(address, "@"));
            break;
        case RecipientKind::cc:
            arguments << QStringLiteral("--cc") << address;
            break;
        case RecipientKind::bcc:
            arguments << QStringLiteral("--bcc") << address;
            break;
        }
    }
    if (!mail.subject.isEmpty())
        arguments << QStringLiteral("--subject") << header_text(mail.subject);
    if (mail.body->len > 0) {
        if (mail.body->len >= longest_argument()) {
            boundary::write_error_line(QStringLiteral("MAPI: Text mit %1 Bytes zu gross fuer die Befehlszeile des Mail-Composers "
                                       "(hoechstens %2)")
                            .arg(mail.body->len)
                            .arg(longest_argument() - 1));
            return MAPI_E_TEXT_TOO_LARGE;
        }
        arguments << QStringLiteral("--body")
                  << QString::fromUtf8(reinterpret_cast<const char*>(mail.body->data), static_cast<int>(mail.body->len));
    }
    // The composer attaches the files themselves, so a title the caller gave
    // does not reach it: the recipient sees the file's own name.
    for (const OutgoingAttachment& attachment : mail.attachments)
        arguments << QStringLiteral("--attach") << QFile::decodeName(attachment.path);
    if (!to.isEmpty())
        arguments << QStringLiteral("mailto:") + to.join(QLatin1Char(','));
    // The user composes at leisure; like a modal send dialog this waits
    // without a time limit. A composer may run in the caller's terminal,
    // which only the caller's process group may read.
    return run(arguments, -1, false, std::nullopt) ? SUCCESS_SUCCESS : MAPI_E_FAILURE;
}

}  // namespace telvorin::mapi
