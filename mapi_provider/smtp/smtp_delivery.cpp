// Submitting a mail to an SMTP server (libcurl).
#include "mapi_provider/smtp/smtp_delivery.h"

#include "mapi_provider/smtp/message_pipe.h"
#include "mapi_provider/smtp/password_source.h"
#include "mapi_provider/shared/time_limits.h"

#include "boundary/outside_text.h"

#include <QFile>
#include <QSet>
#include <QUrl>

#include <curl/curl.h>
#include <pthread.h>
#include <signal.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>

namespace telvorin::mapi {

namespace {

using Clock = std::chrono::steady_clock;
using std::chrono::minutes;
using std::chrono::seconds;

// Long enough for anything a person would write to a server's face.
constexpr int max_answer_length = 300;

struct CurlCleanup {
    void operator()(CURL* curl) const { curl_easy_cleanup(curl); }
};
struct SlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

// libcurl sends with MSG_NOSIGNAL, yet a TLS library may write to the socket
// itself: a server hanging up mid-upload must not end the host with SIGPIPE.
// Blocked on this thread for the transfer; one raised meanwhile is taken back.
class SigpipeBlocked {
public:
    SigpipeBlocked()
    {
        ::sigemptyset(&m_pipe);
        ::sigaddset(&m_pipe, SIGPIPE);
        ::pthread_sigmask(SIG_BLOCK, &m_pipe, &m_old);
        sigset_t pending;
        ::sigpending(&pending);
        m_was_pending = ::sigismember(&pending, SIGPIPE) == 1;
    }
    SigpipeBlocked(const SigpipeBlocked&) = delete;
    SigpipeBlocked& operator=(const SigpipeBlocked&) = delete;
    ~SigpipeBlocked()
    {
        const timespec none {};
        while (!m_was_pending && ::sigtimedwait(&m_pipe, nullptr, &none) == SIGPIPE) {
        }
        ::pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
    }

private:
    sigset_t m_pipe;
    sigset_t m_old;
    bool m_was_pending = false;
};

bool curl_ready()
{
    // Never cleaned up again, like GMime: the host may outlive any use of ours.
    static const bool ready = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK;
    return ready;
}

// Server text for our standard error: printable ASCII on one line. An answer
// is ASCII by the protocol, so a byte beyond it is shown as "?" rather than
// guessed at.
QByteArray printable(const QByteArray& text)
{
    QByteArray line = text.trimmed().left(max_answer_length);
    for (char& c : line) {
        if (c & 0x80)
            c = '?';
    }
    return boundary::replace_controls(QString::fromLatin1(line), QLatin1Char('?')).toLatin1();
}

struct Failure {
    ULONG code = MAPI_E_FAILURE;
    QByteArray reason;
};

void report(const Profile& profile, const QByteArray& password, const Failure& failure)
{
    QByteArray reason = failure.reason;
    // A server may echo what it was sent.
    if (!password.isEmpty())
        reason.replace(password, "***");
    boundary::write_error_line(QStringLiteral("SMTP-Versand ueber %1 fehlgeschlagen: %2")
                                   .arg(profile.setting_text("Server"), QString::fromLatin1(reason)));
}

bool ascii(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

// `address` as a server without SMTPUTF8 takes it, an international domain in
// its ASCII form as mail clients send it; nullopt when there is none.
std::optional<QString> ascii_address(const QString& address)
{
    if (ascii(address))
        return address;
    const int at = address.lastIndexOf(QLatin1Char('@'));
    if (at < 0 || !ascii(address.left(at)))
        return std::nullopt;
    const QByteArray ace = QUrl::toAce(address.mid(at + 1));
    if (ace.isEmpty())
        return std::nullopt;
    return address.left(at + 1) + QString::fromLatin1(ace);
}

QByteArray command_name(const char* data, size_t size)
{
    static const char* const known[] = {"EHLO", "HELO", "STARTTLS", "AUTH", "MAIL", "RCPT", "DATA", "QUIT", "RSET", "NOOP"};
    const QByteArray line = QByteArray(data, static_cast<int>(size)).toUpper();
    for (const char* name : known) {
        const size_t length = std::strlen(name);
        if (size >= length && line.startsWith(name) && (size == length || line[static_cast<int>(length)] == ' '
                                                        || line[static_cast<int>(length)] == '\r'))
            return name;
    }
    // Continuation lines of a log-in carry credentials.
    return "AUTH";
}

// One transfer as the callbacks see it. Of what we send nothing is kept but
// the command's name, so a log-in never reaches a message.
struct Transfer {
    Transfer(CURL* curl, OutgoingMail& shown, curl_slist* envelope) : curl(curl), shown(shown), envelope(envelope) {}

    CURL* curl;
    OutgoingMail& shown;  // the message as it goes out: no Bcc
    curl_slist* envelope;
    MessagePipe pipe;
    QByteArray command;
    bool smtputf8 = false;  // offered in answer to the last EHLO
    // The command that got the first negative answer, and that answer.
    QByteArray failed_command;
    QByteArray failed_answer;
    int failed_code = 0;
    std::optional<Failure> refusal;  // ours, before the mail went out

    // The step under way and how long the server may take for it.
    QByteArray step = "keine Verbindung";
    Clock::time_point since = Clock::now();
    std::chrono::milliseconds limit = time_limit(seconds(30));
    bool at_end = false;
    bool timed_out = false;

    void begin(const QByteArray& what, std::chrono::milliseconds full)
    {
        step = what;
        since = Clock::now();
        limit = time_limit(full);
    }
    bool overdue()
    {
        curl_off_t connected = 0;
        if (step == "keine Verbindung" && curl_easy_getinfo(curl, CURLINFO_CONNECT_TIME_T, &connected) == CURLE_OK
            && connected > 0)
            begin("keine Begruessung", minutes(5));
        return Clock::now() - since > limit;
    }
    // The timeout as our standard error tells it.
    QByteArray overdue_reason() const
    {
        return step + " nach " + QByteArray::number(static_cast<qlonglong>(limit.count() / 1000)) + " s"
            + (at_end ? ", ob der Server die Mail angenommen hat, ist offen" : "");
    }

    // Just before MAIL FROM, the server's extensions known: whatever cannot go
    // to it is refused before the mail does.
    bool ready_for_mail()
    {
        if (!smtputf8) {
            if (!ascii_address(shown.from.address)) {
                refusal = Failure{MAPI_E_FAILURE, "Absender '" + shown.from.address.toLatin1()
                                                      + "' nur mit SMTPUTF8 moeglich, das der Server nicht anbietet"};
                return false;
            }
            for (curl_slist* entry = envelope; entry; entry = entry->next) {
                // Each entry is "<address>".
                const QString address
                    = QString::fromUtf8(entry->data + 1, static_cast<int>(std::strlen(entry->data)) - 2);
                const std::optional<QString> plain = ascii_address(address);
                if (!plain) {
                    refusal = Failure{MAPI_E_INVALID_RECIPS,
                                      "Empfaenger '" + address.toLatin1()
                                          + "' nur mit SMTPUTF8 moeglich, das der Server nicht anbietet"};
                    return false;
                }
                char* replaced = ::strdup(('<' + plain->toUtf8() + '>').constData());
                if (!replaced) {
                    refusal = Failure{MAPI_E_FAILURE, std::strerror(ENOMEM)};
                    return false;
                }
                std::free(entry->data);
                entry->data = replaced;
            }
            shown.from.address = *ascii_address(shown.from.address);
            for (OutgoingRecipient& recipient : shown.recipients)
                recipient.mailbox.address
                    = ascii_address(recipient.mailbox.address).value_or(recipient.mailbox.address);
        }
        if (!pipe.start(shown)) {
            refusal = Failure{MAPI_E_FAILURE, "Pipe: " + QByteArray(std::strerror(errno))};
            return false;
        }
        return true;
    }
};

int on_debug(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    if (type == CURLINFO_HEADER_OUT) {
        transfer->command = command_name(data, size);
        if (transfer->command == "EHLO")
            transfer->smtputf8 = false;
        transfer->begin("keine Antwort auf " + transfer->command,
                        transfer->command == "DATA" ? minutes(2) : minutes(5));
    } else if (type == CURLINFO_DATA_OUT && !transfer->at_end) {
        transfer->begin("keine Annahme der Daten", minutes(3));
    } else if (type == CURLINFO_HEADER_IN && size >= 3) {
        const QByteArray line(data, static_cast<int>(size));
        if (transfer->command == "EHLO" && line.mid(4).trimmed().toUpper() == "SMTPUTF8")
            transfer->smtputf8 = true;
        bool number = false;
        const int code = line.left(3).toInt(&number);
        if (number && code >= 400 && transfer->failed_code == 0) {
            transfer->failed_code = code;
            transfer->failed_command = transfer->command;
            transfer->failed_answer = printable(line);
        }
    }
    return 0;
}

// RFC 5321 gives each step its own time, a long one for the answer after the final dot: a rule on the transfer's
// speed alone would count a server's slow acceptance of a mail as a loss.
int on_progress(void* user, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
{
    auto* transfer = static_cast<Transfer*>(user);
    transfer->timed_out = transfer->overdue();
    return transfer->timed_out ? 1 : 0;
}

int on_before_mail(void* user, char*, char*, int, int)
{
    return static_cast<Transfer*>(user)->ready_for_mail() ? CURL_PREREQFUNC_OK : CURL_PREREQFUNC_ABORT;
}

size_t on_read(char* buffer, size_t size, size_t count, void* user)
{
    auto* transfer = static_cast<Transfer*>(user);
    const ssize_t got = transfer->pipe.read(buffer, size * count);
    if (got == 0) {
        transfer->at_end = true;
        transfer->begin("keine Antwort auf das Ende der Daten", minutes(10));
    }
    return got < 0 ? CURL_READFUNC_ABORT : static_cast<size_t>(got);
}

// Only a lasting refusal of that very address (55x, or an address status 5.1.x) makes a bad recipient: 421 and
// the other 4xx answers say nothing about it.
bool refuses_recipient(const Transfer& transfer)
{
    const int answer = transfer.failed_code;
    const bool address_status = answer >= 500 && answer < 600 && transfer.failed_answer.mid(4).startsWith("5.1.");
    return transfer.failed_command == "RCPT" && ((answer >= 550 && answer < 560) || address_status);
}

ULONG code_for(CURLcode result, const Transfer& transfer)
{
    const int answer = transfer.failed_code;
    if (result == CURLE_LOGIN_DENIED || answer == 530 || answer == 534 || answer == 535 || answer == 538)
        return MAPI_E_LOGIN_FAILURE;
    if (refuses_recipient(transfer))
        return MAPI_E_INVALID_RECIPS;
    if (transfer.failed_command != "RCPT" && (answer == 552 || transfer.failed_answer.contains(" 5.3.4")))
        return MAPI_E_NOT_SUPPORTED;
    return MAPI_E_FAILURE;
}

std::optional<Failure> submit(const OutgoingMail& mail, const Profile& profile, const QByteArray& password)
{
    QSet<QString> seen;
    std::unique_ptr<curl_slist, SlistFree> envelope;
    for (const OutgoingRecipient& recipient : mail.recipients) {
        if (recipient.mailbox.address.isEmpty() || seen.contains(recipient.mailbox.address))
            continue;
        seen.insert(recipient.mailbox.address);
        const QByteArray address = '<' + recipient.mailbox.address.toUtf8() + '>';
        curl_slist* longer = curl_slist_append(envelope.get(), address.constData());
        if (!longer)
            throw std::bad_alloc();
        (void)envelope.release();
        envelope.reset(longer);
    }
    if (!envelope)
        return Failure{MAPI_E_INVALID_RECIPS, "keine Empfaenger"};
    if (!curl_ready())
        return Failure{MAPI_E_FAILURE, "libcurl nicht verwendbar"};

    // Bcc goes into the envelope only.
    OutgoingMail shown = mail;
    shown.recipients.clear();
    for (const OutgoingRecipient& recipient : mail.recipients) {
        if (recipient.kind != RecipientKind::bcc)
            shown.recipients.push_back(recipient);
    }

    std::unique_ptr<CURL, CurlCleanup> curl(curl_easy_init());
    if (!curl)
        return Failure{MAPI_E_FAILURE, "libcurl nicht verwendbar"};
    char error[CURL_ERROR_SIZE] = {};
    const QByteArray url = profile.setting_text("Server").toUtf8();
    // The envelope sender is set before the server's extensions are known: its domain goes in the ASCII form,
    // which every server takes; a local part that needs SMTPUTF8 is checked once they are.
    const QByteArray from = '<' + ascii_address(mail.from.address).value_or(mail.from.address).toUtf8() + '>';
    const QByteArray user = profile.setting_text("User").toUtf8();
    const QByteArray ca_file = QFile::encodeName(profile.setting_text("CAFile"));
    CURL* c = curl.get();
    curl_easy_setopt(c, CURLOPT_URL, url.constData());
    curl_easy_setopt(c, CURLOPT_PROTOCOLS_STR, "smtp,smtps");
    // The host process owns its signals.
    curl_easy_setopt(c, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(c, CURLOPT_ERRORBUFFER, error);
    curl_easy_setopt(c, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
    curl_easy_setopt(c, CURLOPT_SSLVERSION, static_cast<long>(CURL_SSLVERSION_TLSv1_2));
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(c, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!ca_file.isEmpty())
        curl_easy_setopt(c, CURLOPT_CAINFO, ca_file.constData());
    if (!user.isEmpty()) {
        curl_easy_setopt(c, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(c, CURLOPT_PASSWORD, password.constData());
        // The credentials go with AUTH itself (the initial response every submission server takes): one round
        // trip less than waiting for the server's empty challenge.
        curl_easy_setopt(c, CURLOPT_SASL_IR, 1L);
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, envelope.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_UPLOAD_BUFFERSIZE, 512L * 1024L);
    Transfer transfer(c, shown, envelope.get());
    curl_easy_setopt(c, CURLOPT_READFUNCTION, on_read);
    curl_easy_setopt(c, CURLOPT_READDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, on_debug);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &transfer);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_PREREQFUNCTION, on_before_mail);
    curl_easy_setopt(c, CURLOPT_PREREQDATA, &transfer);
    // The steps' own limits decide (on_progress, called about once a second whatever the state); libcurl's limits
    // on the whole connection phase and on each answer only stand behind them.
    curl_easy_setopt(c, CURLOPT_XFERINFOFUNCTION, on_progress);
    curl_easy_setopt(c, CURLOPT_XFERINFODATA, &transfer);
    curl_easy_setopt(c, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(time_limit(minutes(60)).count()));
    curl_easy_setopt(c, CURLOPT_SERVER_RESPONSE_TIMEOUT, static_cast<long>(time_limit(minutes(20)).count() / 1000));
    // Blocked before the writer starts, so that its thread inherits the mask: its write into a pipe whose reader
    // is gone raises SIGPIPE on that thread.
    const SigpipeBlocked no_sigpipe;
    const CURLcode result = curl_easy_perform(c);
    transfer.pipe.finish();
    if (result == CURLE_OK)
        return std::nullopt;
    if (transfer.refusal)
        return transfer.refusal;
    Failure failure;
    failure.code = code_for(result, transfer);
    if (transfer.timed_out)
        failure.reason = transfer.overdue_reason();
    else if (transfer.failed_code != 0)
        failure.reason = (transfer.failed_code < 500 ? "vorerst abgelehnt, Antwort auf " : "Antwort auf ")
            + transfer.failed_command + ": " + transfer.failed_answer;
    else
        failure.reason = printable(error[0] != '\0' ? QByteArray(error) : QByteArray(curl_easy_strerror(result)));
    return failure;
}

}  // namespace

ULONG deliver_by_smtp(const OutgoingMail& mail, const Profile& profile)
{
    const std::optional<QByteArray> password = smtp_password(profile);
    if (!password) {
        report(profile, QByteArray(),
               Failure{MAPI_E_LOGIN_FAILURE,
                       "Passwortbefehl " + printable(profile.setting("PasswordCommand").first().toUtf8())
                           + " liefert kein Passwort"});
        return MAPI_E_LOGIN_FAILURE;
    }
    const std::optional<Failure> failure = submit(mail, profile, *password);
    if (!failure)
        return SUCCESS_SUCCESS;
    report(profile, *password, *failure);
    return failure->code;
}

}  // namespace telvorin::mapi
