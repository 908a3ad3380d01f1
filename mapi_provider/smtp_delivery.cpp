// Submitting a mail to an SMTP server (libcurl).
#include "smtp_delivery.h"

#include "mime_message.h"

#include <QFile>
#include <QSet>

#include <curl/curl.h>
#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <optional>
#include <thread>

extern char** environ;

namespace telvorin::mapi {

namespace {

// A password is one short line; more output means the wrong command.
constexpr size_t max_password_output = 64 * 1024;
// The command may ask the user for a passphrase first.
constexpr auto password_command_limit = std::chrono::minutes(2);
// Long enough for anything a person would write to a server's face.
constexpr int max_answer_length = 300;

class Fd {
public:
    explicit Fd(int fd = -1) : m_fd(fd) {}
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    ~Fd() { reset(); }
    int get() const { return m_fd; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }

private:
    int m_fd;
};

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

// Server text for our standard error: printable ASCII on one line.
QByteArray printable(const QByteArray& text)
{
    QByteArray line;
    for (const char c : text.trimmed()) {
        if (line.size() >= max_answer_length)
            break;
        line += c >= 0x20 && c < 0x7f ? c : '?';
    }
    return line;
}

struct Failure {
    ULONG code = MAPI_E_FAILURE;
    QByteArray reason;
};

void report(const Profile& profile, const QString& password, const Failure& failure)
{
    QByteArray reason = failure.reason;
    // A server may echo what it was sent.
    if (!password.isEmpty())
        reason.replace(password.toUtf8(), "***");
    const QByteArray line = "SMTP-Versand ueber " + profile.smtp.server.toLatin1() + " fehlgeschlagen: " + reason + '\n';
    std::fwrite(line.constData(), 1, static_cast<size_t>(line.size()), stderr);
    std::fflush(stderr);
}

// Runs the password command without a shell, its standard input from
// /dev/null and its standard error left to the user; the first line of its
// output, nullopt when it fails or says nothing.
std::optional<QString> password_from_command(const QStringList& command)
{
    std::vector<QByteArray> storage;
    for (const QString& argument : command)
        storage.push_back(QFile::encodeName(argument));
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    int pipe_fds[2];
    if (::pipe2(pipe_fds, O_CLOEXEC) != 0)
        return std::nullopt;
    Fd read_end(pipe_fds[0]);
    Fd write_end(pipe_fds[1]);
    posix_spawn_file_actions_t actions;
    if (::posix_spawn_file_actions_init(&actions) != 0)
        return std::nullopt;
    ::posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    ::posix_spawn_file_actions_adddup2(&actions, write_end.get(), STDOUT_FILENO);
    pid_t child = 0;
    const int started = ::posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    ::posix_spawn_file_actions_destroy(&actions);
    write_end.reset();
    if (started != 0)
        return std::nullopt;

    QByteArray output;
    const auto deadline = std::chrono::steady_clock::now() + password_command_limit;
    bool in_time = true;
    for (;;) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) {
            in_time = false;
            break;
        }
        pollfd ready {read_end.get(), POLLIN, 0};
        const int polled = ::poll(&ready, 1, static_cast<int>(left.count()));
        if (polled < 0 && errno == EINTR)
            continue;
        if (polled <= 0)
            continue;
        char buffer[4096];
        const ssize_t got = ::read(read_end.get(), buffer, sizeof buffer);
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            break;
        output.append(buffer, static_cast<int>(got));
        if (static_cast<size_t>(output.size()) > max_password_output) {
            in_time = false;
            break;
        }
    }
    read_end.reset();
    if (!in_time)
        ::kill(child, SIGKILL);
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) {
    }
    if (!in_time || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return std::nullopt;
    QByteArray line = output.left(output.indexOf('\n') < 0 ? output.size() : output.indexOf('\n'));
    if (line.endsWith('\r'))
        line.chop(1);
    if (line.isEmpty())
        return std::nullopt;
    return QString::fromUtf8(line);
}

// What the server said, as far as a failure needs it: the command that got
// the first negative answer, and that answer. Nothing we send is kept but
// the command's name, so a log-in never reaches a message.
struct Dialogue {
    QByteArray command;
    QByteArray failed_command;
    QByteArray failed_answer;
    int failed_code = 0;
};

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

int on_debug(CURL*, curl_infotype type, char* data, size_t size, void* user)
{
    auto* dialogue = static_cast<Dialogue*>(user);
    if (type == CURLINFO_HEADER_OUT) {
        dialogue->command = command_name(data, size);
    } else if (type == CURLINFO_HEADER_IN && dialogue->failed_code == 0 && size >= 3) {
        const QByteArray line(data, static_cast<int>(size));
        bool number = false;
        const int code = line.left(3).toInt(&number);
        if (number && code >= 400) {
            dialogue->failed_code = code;
            dialogue->failed_command = dialogue->command;
            dialogue->failed_answer = printable(line);
        }
    }
    return 0;
}

// The message as libcurl reads it: written by a thread of its own into a pipe, so that encoding and upload run
// side by side and memory stays at the pipe's size whatever the attachments weigh. Without its size up front the
// client cannot announce SIZE=; a server with a limit then refuses after DATA, with the same answer.
class MessageSource {
public:
    MessageSource() = default;
    MessageSource(const MessageSource&) = delete;
    MessageSource& operator=(const MessageSource&) = delete;
    ~MessageSource() { finish(); }

    // Starts the writer; false when no pipe could be had.
    bool start(const OutgoingMail& mail)
    {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return false;
        m_read.reset(ends[0]);
        auto write_end = std::make_shared<Fd>(ends[1]);
        m_writer = std::thread([this, &mail, write_end] {
            try {
                m_error = write_message(mail, write_end->get(), LineEnds::crlf);
            } catch (const std::bad_alloc&) {
                m_error = ENOMEM;
            }
            write_end->reset();
        });
        return true;
    }
    // Closing the read end first makes a writer still at work fail with EPIPE instead of waiting for a reader.
    void finish()
    {
        m_read.reset();
        if (m_writer.joinable())
            m_writer.join();
    }
    static size_t on_read(char* buffer, size_t size, size_t count, void* user)
    {
        auto* source = static_cast<MessageSource*>(user);
        for (;;) {
            const ssize_t got = ::read(source->m_read.get(), buffer, size * count);
            if (got > 0)
                return static_cast<size_t>(got);
            if (got == 0) {
                // The end of the pipe ends the mail only if the writer wrote all of it: a clean end after a
                // failed write would hand the server a truncated mail to deliver.
                if (source->m_writer.joinable())
                    source->m_writer.join();
                return source->m_error == 0 ? 0 : CURL_READFUNC_ABORT;
            }
            if (errno != EINTR)
                return CURL_READFUNC_ABORT;
        }
    }

private:
    Fd m_read;
    std::thread m_writer;
    int m_error = 0;
};

ULONG code_for(CURLcode result, const Dialogue& dialogue)
{
    const int answer = dialogue.failed_code;
    if (result == CURLE_LOGIN_DENIED || answer == 530 || answer == 534 || answer == 535 || answer == 538)
        return MAPI_E_LOGIN_FAILURE;
    if (answer != 0 && dialogue.failed_command == "RCPT")
        return MAPI_E_INVALID_RECIPS;
    if (answer == 552 || dialogue.failed_answer.contains(" 5.3.4"))
        return MAPI_E_NOT_SUPPORTED;
    return MAPI_E_FAILURE;
}

std::optional<Failure> submit(const OutgoingMail& mail, const Profile& profile, const QString& password)
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
    Dialogue dialogue;
    const QByteArray url = profile.smtp.server.toUtf8();
    const QByteArray from = '<' + mail.from.address.toUtf8() + '>';
    const QByteArray user = profile.smtp.user.toUtf8();
    const QByteArray secret = password.toUtf8();
    const QByteArray ca_file = QFile::encodeName(profile.smtp.ca_file);
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
        curl_easy_setopt(c, CURLOPT_PASSWORD, secret.constData());
        // The credentials go with AUTH itself (the initial response every submission server takes): one round
        // trip less than waiting for the server's empty challenge.
        curl_easy_setopt(c, CURLOPT_SASL_IR, 1L);
    }
    curl_easy_setopt(c, CURLOPT_MAIL_FROM, from.constData());
    curl_easy_setopt(c, CURLOPT_MAIL_RCPT, envelope.get());
    curl_easy_setopt(c, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(c, CURLOPT_UPLOAD_BUFFERSIZE, 512L * 1024L);
    curl_easy_setopt(c, CURLOPT_READFUNCTION, MessageSource::on_read);
    curl_easy_setopt(c, CURLOPT_DEBUGFUNCTION, on_debug);
    curl_easy_setopt(c, CURLOPT_DEBUGDATA, &dialogue);
    curl_easy_setopt(c, CURLOPT_VERBOSE, 1L);
    curl_easy_setopt(c, CURLOPT_CONNECTTIMEOUT, 30L);
    // A server that stops answering ends the send; a slow but moving upload does not.
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(c, CURLOPT_LOW_SPEED_TIME, 60L);
    // Blocked before the writer starts, so that its thread inherits the mask: its write into a pipe whose reader
    // is gone raises SIGPIPE on that thread.
    const SigpipeBlocked no_sigpipe;
    MessageSource source;
    if (!source.start(shown))
        return Failure{MAPI_E_FAILURE, "Pipe: " + QByteArray(std::strerror(errno))};
    curl_easy_setopt(c, CURLOPT_READDATA, &source);
    const CURLcode result = curl_easy_perform(c);
    source.finish();
    if (result == CURLE_OK)
        return std::nullopt;
    Failure failure;
    failure.code = code_for(result, dialogue);
    if (dialogue.failed_code != 0)
        failure.reason = "Antwort auf " + dialogue.failed_command + ": " + dialogue.failed_answer;
    else
        failure.reason = printable(error[0] != '\0' ? QByteArray(error) : QByteArray(curl_easy_strerror(result)));
    return failure;
}

}  // namespace

ULONG deliver_by_smtp(const OutgoingMail& mail, const Profile& profile)
{
    QString password = profile.logon_password;
    if (password.isEmpty() && !profile.smtp.user.isEmpty() && !profile.smtp.password_command.isEmpty()) {
        const std::optional<QString> answer = password_from_command(profile.smtp.password_command);
        if (!answer) {
            report(profile, QString(),
                   Failure{MAPI_E_LOGIN_FAILURE,
                           "Passwortbefehl " + printable(profile.smtp.password_command.first().toUtf8())
                               + " liefert kein Passwort"});
            return MAPI_E_LOGIN_FAILURE;
        }
        password = *answer;
    }
    if (password.isEmpty())
        password = profile.password;
    const std::optional<Failure> failure = submit(mail, profile, password);
    if (!failure)
        return SUCCESS_SUCCESS;
    report(profile, password, *failure);
    return failure->code;
}

}  // namespace telvorin::mapi
