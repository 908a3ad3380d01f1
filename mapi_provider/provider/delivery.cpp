// The table of deliveries, and the three the provider makes itself: outbox, mail composer, sendmail.
#include "mapi_provider/provider/delivery.h"

#include "mapi_provider/provider/provider_config.h"
#include "mapi_provider/provider/provider_modules.h"

#include "mapi_provider/shared/mime_message.h"
#include "mapi_provider/shared/provider_text.h"
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
// program ran and exited with 0; otherwise one line names `what` ran, the
// program and how it ended.
bool run(const char* what, const QList<QByteArray>& arguments, int input, bool own_group,
         std::optional<std::chrono::milliseconds> limit)
{
    boundary::ChildCommand command;
    command.argv.assign(arguments.begin(), arguments.end());
    command.input = input;
    command.own_process_group = own_group;
    command.limit = limit;
    const boundary::ChildOutcome outcome = boundary::run_child(command);
    if (outcome.succeeded())
        return true;
    using End = boundary::ChildOutcome::End;
    QString how;
    switch (outcome.end) {
    case End::exited:
        how = QStringLiteral("endete mit Status %1").arg(outcome.exit_code);
        break;
    case End::signalled:
        how = QStringLiteral("endete durch Signal %1").arg(outcome.signal);
        break;
    case End::not_started:
        how = QStringLiteral("nicht startbar: %1").arg(boundary::system_reason(outcome.start_error));
        break;
    case End::timed_out:
        how = QStringLiteral("nach %1 s abgebrochen").arg(limit ? limit->count() / 1000 : 0);
        break;
    case End::too_much_output:
    case End::lost:
        how = QStringLiteral("Ende nicht feststellbar");
        break;
    }
    boundary::write_error_line(QStringLiteral("MAPI: %1 '%2' %3").arg(QLatin1String(what), decode_8bit(arguments.first().constData()), how));
    return false;
}

QList<QByteArray> command_of(const QStringList& setting)
{
    QList<QByteArray> command;
    for (const QString& argument : setting)
        command << argument.toUtf8();  // the composer is told --utf8
    return command;
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

namespace {

ULONG outbox_refused(const QString& directory, int error)
{
    boundary::write_error_line(
        QStringLiteral("MAPI: Ausgangsordner '%1' nicht beschreibbar: %2").arg(directory, boundary::system_reason(error)));
    return code_for_write_error(error);
}

// Why `folder` could not be made: mkpath() keeps it to itself.
int folder_error(const QByteArray& folder)
{
    struct stat info {};
    if (::stat(folder.constData(), &info) == 0)
        return S_ISDIR(info.st_mode) ? EACCES : ENOTDIR;
    return ::mkdir(folder.constData(), 0700) == 0 ? 0 : errno;
}

}  // namespace

ULONG deliver_to_outbox(const OutgoingMail& mail, const Profile& profile)
{
    const QString directory = profile.setting_text("Outbox");
    const QByteArray folder = QFile::encodeName(directory);
    if (!QDir().mkpath(directory))
        return outbox_refused(directory, folder_error(folder));
    boundary::remove_stale_temporaries(folder);
    boundary::NewFile file(folder);
    if (file.fd() < 0)
        return outbox_refused(directory, errno);
    ::flock(file.fd(), LOCK_EX);
    int error = write_message(mail, file.fd(), LineEnds::crlf);
    if (error == 0)
        error = file.finish();
    if (error != 0)
        return outbox_refused(directory, error);
    const QDateTime now = QDateTime::currentDateTime();
    for (int attempt = 0; attempt < 1000; ++attempt) {
        if (file.place(folder + '/' + outbox_name(now, attempt)))
            return SUCCESS_SUCCESS;
        if (errno != EEXIST)
            break;
    }
    return outbox_refused(directory, errno);
}

ULONG deliver_to_sendmail(const OutgoingMail& mail, const Profile& profile)
{
    UniqueFd message = message_in_temporary_file(mail, LineEnds::lf);
    if (message.get() < 0)
        return MAPI_E_FAILURE;
    QList<QByteArray> arguments = command_of(profile.setting("Sendmail"));
    arguments << "-t" << "-oi";
    return run("Sendmail", arguments, message.get(), true, time_limit(std::chrono::minutes(10))) ? SUCCESS_SUCCESS
                                                                                                 : MAPI_E_FAILURE;
}

ULONG deliver_to_composer(const OutgoingMail& mail, const Profile& profile)
{
    // Every argument is an option of ours followed by its value, or the
    // mailto: URI built here: nothing the caller wrote can become an option.
    QStringList arguments = profile.setting("Composer");
    arguments << QStringLiteral("--utf8");
    QList<QByteArray> tail;  // after the options: bytes as they are
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
    // Their paths go over as the bytes the file system knows them by.
    for (const OutgoingAttachment& attachment : mail.attachments)
        tail << "--attach" << attachment.path;
    if (!to.isEmpty())
        tail << (QStringLiteral("mailto:") + to.join(QLatin1Char(','))).toUtf8();
    // The user composes at leisure; like a modal send dialog this waits
    // without a time limit. A composer may run in the caller's terminal,
    // which only the caller's process group may read.
    return run("Mail-Composer", command_of(arguments) + tail, -1, false, std::nullopt) ? SUCCESS_SUCCESS
                                                                                              : MAPI_E_FAILURE;
}

}  // namespace telvorin::mapi
