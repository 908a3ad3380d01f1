// Simple MAPI provider for POSIX: stands in for MAPI32.DLL and really delivers the mail.
// Leaves out the message store (MAPIFindNext, MAPIReadMail, MAPISaveMail,
// MAPIDeleteMail), the address dialogs (MAPIAddress, MAPIDetails) and MAPISendDocuments.
#include "mapi_provider/provider/delivery.h"
#include "mapi_provider/provider/provider_config.h"
#include "mapi_provider/provider/send_mail.h"
#include "mapi_provider/shared/provider_text.h"
#include "simple_mapi/simple_mapi.h"

#include "boundary/outside_text.h"

#include <QSet>

#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <new>
#include <unordered_set>
#include <vector>

#define TELVORIN_MAPI_EXPORT extern "C" __attribute__((visibility("default")))

namespace telvorin::mapi {
namespace {

// Limits that keep a broken caller (a count read from the wrong field) from
// exhausting memory or file descriptors.
constexpr ULONG max_recipients = 10000;
constexpr ULONG max_files = 500;
constexpr size_t max_sessions = 1000;

struct Session {
    Profile profile;
    std::vector<AddressEntry> address_book;
    // What MAPIResolveName handed back, so that a send of the same name
    // (the mailer replaces each entry by it) is not looked up again. Bounded
    // like the recipients of one mail: a caller resolving ever new addresses
    // only finds the later ones looked up twice.
    mutable std::mutex resolved_mutex;
    mutable ResolvedNames resolved;

    void remember(const Resolution& resolution) const
    {
        std::lock_guard<std::mutex> lock(resolved_mutex);
        for (const QString& form : handed_back_forms(resolution.display)) {
            if (resolved.size() < max_recipients)
                resolved.emplace(form, resolution.mailbox);
        }
    }
    ResolvedNames resolved_names() const
    {
        std::lock_guard<std::mutex> lock(resolved_mutex);
        return resolved;
    }
};
using SessionPtr = std::shared_ptr<const Session>;

// Provider-wide state: sessions and the buffers handed out. Callers may use
// Simple MAPI from several threads; a send runs outside the lock so that a
// composer waiting for the user blocks nobody else.
struct ProviderState {
    std::mutex mutex;
    std::map<LHANDLE, SessionPtr> sessions;
    LHANDLE last_handle = 0;
    std::unordered_set<void*> buffers;
    QSet<QString> reported;
};

ProviderState& state()
{
    static ProviderState instance;
    return instance;
}

// The one line on standard error that a broken configuration earns. The
// mailer retries a failed log-on at once, so each distinct line is written
// only once per process.
void report_configuration_error(const QString& line)
{
    ProviderState& s = state();
    {
        std::lock_guard<std::mutex> lock(s.mutex);
        if (s.reported.contains(line))
            return;
        s.reported.insert(line);
    }
    boundary::write_error_line(line);
}

// A session for `profile_name` (empty: the default profile); the result code
// says why there is none.
SessionPtr open_session(const QString& profile_name, const QString& password, ULONG& result)
{
    const LoadResult loaded = load_configuration();
    if (!loaded.ok) {
        report_configuration_error(loaded.error);
        result = MAPI_E_FAILURE;
        return nullptr;
    }
    const Configuration& configuration = loaded.configuration;
    const QString name = profile_name.trimmed();
    const Profile* profile = configuration.find_profile(name.isEmpty() ? configuration.default_profile : name);
    if (!profile
        || (profile->delivery->password == PasswordUse::compared && !profile->password.isEmpty()
            && !password.isEmpty() && password != profile->password)) {
        result = MAPI_E_LOGIN_FAILURE;
        return nullptr;
    }
    result = SUCCESS_SUCCESS;
    auto session = std::make_shared<Session>();
    session->profile = *profile;
    session->profile.logon_password = password;
    session->address_book = configuration.address_book;
    return session;
}

// The session behind `handle`; handle 0 logs on to the default profile just
// for this call. Null with `result` set when there is none.
SessionPtr session_for(LHANDLE handle, ULONG& result)
{
    if (handle == 0)
        return open_session(QString(), QString(), result);
    ProviderState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    const auto found = s.sessions.find(handle);
    if (found == s.sessions.end()) {
        result = MAPI_E_INVALID_SESSION;
        return nullptr;
    }
    result = SUCCESS_SUCCESS;
    return found->second;
}

template <typename Function>
ULONG guarded(Function&& function) noexcept
{
    // Nothing may escape into a C caller.
    try {
        return function();
    } catch (const std::bad_alloc&) {
        return MAPI_E_INSUFFICIENT_MEMORY;
    } catch (...) {
        return MAPI_E_FAILURE;
    }
}

// One block holding the descriptor and its two strings, so that a single
// MAPIFreeBuffer releases everything.
MapiRecipDesc* new_recipient(const QByteArray& name, const QByteArray& address)
{
    const size_t size = sizeof(MapiRecipDesc) + static_cast<size_t>(name.size()) + 1
        + static_cast<size_t>(address.size()) + 1;
    void* block = std::calloc(1, size);
    if (!block)
        throw std::bad_alloc();
    auto* recipient = static_cast<MapiRecipDesc*>(block);
    char* text = static_cast<char*>(block) + sizeof(MapiRecipDesc);
    std::memcpy(text, name.constData(), static_cast<size_t>(name.size()));
    recipient->lpszName = text;
    text += name.size() + 1;
    std::memcpy(text, address.constData(), static_cast<size_t>(address.size()));
    recipient->lpszAddress = text;
    recipient->ulRecipClass = MAPI_TO;
    ProviderState& s = state();
    std::lock_guard<std::mutex> lock(s.mutex);
    try {
        s.buffers.insert(block);
    } catch (...) {
        std::free(block);
        throw;
    }
    return recipient;
}

template <typename Text>
QString decode(Text text);

template <>
QString decode(LPSTR text)
{
    return decode_8bit(text);
}

template <>
QString decode(PWSTR text)
{
    return text ? QString::fromUtf16(text) : QString();
}

// The body goes straight from the caller's bytes to UTF-8: it may be large.
TextBytes body_of(LPSTR text)
{
    return text_bytes(static_cast<const char*>(text));
}

TextBytes body_of(PWSTR text)
{
    return text_bytes(decode(text));
}

// The 8-bit and the wide message differ only in their string type.
template <typename Message>
ULONG send(LHANDLE session_handle, const Message* message, FLAGS flags)
{
    if (!message)
        return MAPI_E_FAILURE;
    if (message->nRecipCount > max_recipients)
        return MAPI_E_TOO_MANY_RECIPIENTS;
    if (message->nFileCount > max_files)
        return MAPI_E_TOO_MANY_FILES;
    if ((message->nRecipCount > 0 && !message->lpRecips) || (message->nFileCount > 0 && !message->lpFiles))
        return MAPI_E_FAILURE;
    IncomingMail incoming;
    incoming.subject = decode(message->lpszSubject);
    incoming.body = body_of(message->lpszNoteText);
    for (ULONG i = 0; i < message->nRecipCount; ++i) {
        const auto& recipient = message->lpRecips[i];
        incoming.recipients.push_back(
            IncomingRecipient{recipient.ulRecipClass, decode(recipient.lpszName), decode(recipient.lpszAddress)});
    }
    for (ULONG i = 0; i < message->nFileCount; ++i) {
        const auto& file = message->lpFiles[i];
        incoming.files.push_back(IncomingFile{caller_path(file.lpszPathName), decode(file.lpszFileName)});
    }
    ULONG result = SUCCESS_SUCCESS;
    const SessionPtr session = session_for(session_handle, result);
    if (!session)
        return result;
    return send_mail(session->profile, session->address_book, session->resolved_names(), incoming,
                     (flags & MAPI_DIALOG) != 0);
}

}  // namespace
}  // namespace telvorin::mapi

using namespace telvorin::mapi;

TELVORIN_MAPI_EXPORT ULONG MAPILogon(ULONG_PTR, LPSTR lpszProfileName, LPSTR lpszPassword, FLAGS, ULONG,
                                     LPLHANDLE lplhSession)
{
    return guarded([&]() -> ULONG {
        if (!lplhSession)
            return MAPI_E_FAILURE;
        *lplhSession = 0;
        ULONG result = SUCCESS_SUCCESS;
        SessionPtr session = open_session(decode_8bit(lpszProfileName), decode_8bit(lpszPassword), result);
        if (!session)
            return result;
        ProviderState& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        if (s.sessions.size() >= max_sessions)
            return MAPI_E_TOO_MANY_SESSIONS;
        do {
            ++s.last_handle;
        } while (s.last_handle == 0 || s.sessions.count(s.last_handle) != 0);
        s.sessions.emplace(s.last_handle, std::move(session));
        *lplhSession = s.last_handle;
        return SUCCESS_SUCCESS;
    });
}

TELVORIN_MAPI_EXPORT ULONG MAPILogoff(LHANDLE lhSession, ULONG_PTR, FLAGS, ULONG)
{
    return guarded([&]() -> ULONG {
        ProviderState& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        return s.sessions.erase(lhSession) == 1 ? SUCCESS_SUCCESS : MAPI_E_INVALID_SESSION;
    });
}

TELVORIN_MAPI_EXPORT ULONG MAPISendMail(LHANDLE lhSession, ULONG_PTR, lpMapiMessage lpMessage, FLAGS flFlags, ULONG)
{
    return guarded([&] { return send(lhSession, lpMessage, flFlags); });
}

TELVORIN_MAPI_EXPORT ULONG MAPISendMailW(LHANDLE lhSession, ULONG_PTR, lpMapiMessageW lpMessage, FLAGS flFlags,
                                         ULONG)
{
    return guarded([&] { return send(lhSession, lpMessage, flFlags); });
}

TELVORIN_MAPI_EXPORT ULONG MAPIResolveName(LHANDLE lhSession, ULONG_PTR, LPSTR lpszName, FLAGS, ULONG,
                                           lpMapiRecipDesc* lppRecip)
{
    return guarded([&]() -> ULONG {
        if (!lppRecip)
            return MAPI_E_FAILURE;
        *lppRecip = nullptr;
        ULONG result = SUCCESS_SUCCESS;
        const SessionPtr session = session_for(lhSession, result);
        if (!session)
            return result;
        const Resolution resolution = resolve_name(session->address_book, decode_8bit(lpszName));
        if (resolution.status == ResolveStatus::ambiguous)
            return MAPI_E_AMBIGUOUS_RECIPIENT;
        if (resolution.status == ResolveStatus::unknown)
            return MAPI_E_UNKNOWN_RECIPIENT;
        *lppRecip = new_recipient(encode_8bit(resolution.display),
                                  "SMTP:" + encode_8bit(resolution.mailbox.address));
        session->remember(resolution);
        return SUCCESS_SUCCESS;
    });
}

TELVORIN_MAPI_EXPORT ULONG MAPIFreeBuffer(LPVOID pv)
{
    return guarded([&]() -> ULONG {
        if (!pv)
            return SUCCESS_SUCCESS;
        ProviderState& s = state();
        std::lock_guard<std::mutex> lock(s.mutex);
        // Only what we handed out and still own is freed; anything else is
        // refused instead of corrupting the heap.
        if (s.buffers.erase(pv) == 0)
            return MAPI_E_FAILURE;
        std::free(pv);
        return SUCCESS_SUCCESS;
    });
}

TELVORIN_MAPI_EXPORT ULONG MAPISendDocuments(ULONG_PTR, LPSTR, LPSTR, LPSTR, ULONG)
{
    return MAPI_E_NOT_SUPPORTED;
}

TELVORIN_MAPI_EXPORT ULONG MAPIFindNext(LHANDLE, ULONG_PTR, LPSTR, LPSTR, FLAGS, ULONG, LPSTR)
{
    return MAPI_E_NOT_SUPPORTED;
}

TELVORIN_MAPI_EXPORT ULONG MAPIReadMail(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG, lpMapiMessage*)
{
    return MAPI_E_NOT_SUPPORTED;
}

TELVORIN_MAPI_EXPORT ULONG MAPISaveMail(LHANDLE, ULONG_PTR, lpMapiMessage, FLAGS, ULONG, LPSTR)
{
    return MAPI_E_NOT_SUPPORTED;
}

TELVORIN_MAPI_EXPORT ULONG MAPIDeleteMail(LHANDLE, ULONG_PTR, LPSTR, FLAGS, ULONG)
{
    return MAPI_E_NOT_SUPPORTED;
}

TELVORIN_MAPI_EXPORT ULONG MAPIAddress(LHANDLE, ULONG_PTR, LPSTR, ULONG, LPSTR, ULONG, lpMapiRecipDesc, FLAGS, ULONG,
                                       LPULONG, lpMapiRecipDesc*)
{
    return MAPI_E_NOT_SUPPORTED;
}

TELVORIN_MAPI_EXPORT ULONG MAPIDetails(LHANDLE, ULONG_PTR, lpMapiRecipDesc, FLAGS, ULONG)
{
    return MAPI_E_NOT_SUPPORTED;
}
