// Checking a Simple MAPI message, turning it into a mail and delivering it.
#include "mapi_provider/provider/send_mail.h"

#include "mapi_provider/provider/delivery.h"
#include "mapi_provider/provider/send_dialog_surface.h"
#include "mapi_provider/shared/provider_text.h"

#include "boundary/outside_text.h"
#include "boundary/unique_fd.h"


#include <fcntl.h>
#include <sys/stat.h>

#include <cerrno>
#include <memory>
#include <utility>

namespace telvorin::mapi {

namespace {

RecipientKind kind_of(ULONG recip_class)
{
    return recip_class == MAPI_CC ? RecipientKind::cc : recip_class == MAPI_BCC ? RecipientKind::bcc : RecipientKind::to;
}

QString without_smtp_prefix(const QString& address)
{
    const QString prefix = QStringLiteral("SMTP:");
    return address.startsWith(prefix, Qt::CaseInsensitive) ? address.mid(prefix.size()) : address;
}

ULONG resolve_recipient(const IncomingRecipient& incoming, const std::vector<AddressEntry>& address_book,
                        const ResolvedNames& resolved, bool unresolved_allowed, OutgoingRecipient& outgoing)
{
    outgoing.kind = kind_of(incoming.recip_class);
    outgoing.as_written = incoming.name;
    const QString address = without_smtp_prefix(incoming.address).trimmed();
    if (!address.isEmpty()) {
        const auto mailbox = parse_mailbox(address);
        if (!mailbox)
            return MAPI_E_INVALID_RECIPS;
        outgoing.mailbox.address = mailbox->address;
        outgoing.mailbox.name = incoming.name.trimmed() == mailbox->address ? mailbox->name : incoming.name.trimmed();
        return SUCCESS_SUCCESS;
    }
    if (const auto known = resolved.find(incoming.name.trimmed()); known != resolved.end()) {
        outgoing.mailbox = known->second;
        return SUCCESS_SUCCESS;
    }
    const Resolution resolution = resolve_name(address_book, incoming.name);
    if (resolution.status == ResolveStatus::resolved) {
        outgoing.mailbox = resolution.mailbox;
        return SUCCESS_SUCCESS;
    }
    if (unresolved_allowed)
        return SUCCESS_SUCCESS;
    return resolution.status == ResolveStatus::ambiguous ? MAPI_E_AMBIGUOUS_RECIPIENT : MAPI_E_UNKNOWN_RECIPIENT;
}

ULONG attachment_refused(const QByteArray& path, const QString& reason, ULONG code)
{
    boundary::write_error_line(QStringLiteral("MAPI: Anlage '%1' nicht lesbar: %2").arg(decode_8bit(path.constData()), reason));
    return code;
}

ULONG open_attachment(const IncomingFile& file, OutgoingAttachment& attachment)
{
    const QByteArray& path = file.path;
    struct stat info {};
    if (path.isEmpty() || ::stat(path.constData(), &info) != 0) {
        const int error = path.isEmpty() ? ENOENT : errno;
        return attachment_refused(path, boundary::system_reason(error),
                                  error == EACCES ? MAPI_E_ATTACHMENT_OPEN_FAILURE : MAPI_E_ATTACHMENT_NOT_FOUND);
    }
    // O_NONBLOCK keeps a FIFO given as attachment from blocking the open;
    // anything but a regular file is refused right after.
    boundary::UniqueFd fd(::open(path.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0 || ::fstat(fd.get(), &info) != 0)
        return attachment_refused(path, boundary::system_reason(errno), MAPI_E_ATTACHMENT_OPEN_FAILURE);
    if (!S_ISREG(info.st_mode))
        return attachment_refused(path, QStringLiteral("keine Datei"), MAPI_E_ATTACHMENT_OPEN_FAILURE);
    ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
    attachment.file = std::make_shared<const boundary::UniqueFd>(std::move(fd));
    attachment.path = absolute_path(path);
    attachment.name = attachment_name(file.file_name, path);
    return SUCCESS_SUCCESS;
}

}  // namespace

ULONG send_mail(const Profile& profile, const std::vector<AddressEntry>& address_book, const ResolvedNames& resolved,
                const IncomingMail& incoming, bool dialog)
{
    for (const IncomingRecipient& recipient : incoming.recipients) {
        if (recipient.recip_class != MAPI_TO && recipient.recip_class != MAPI_CC && recipient.recip_class != MAPI_BCC) {
            boundary::write_error_line(QStringLiteral("MAPI: Empfaengerart %1 fuer '%2' nicht moeglich (nur An, Cc, Bcc)")
                                           .arg(recipient.recip_class)
                                           .arg(recipient.name));
            return MAPI_E_BAD_RECIPTYPE;
        }
    }
    // A delivery that always waits for the user runs without MAPI_DIALOG
    // only by mistake: a caller asking for a silent send does not expect it.
    const Delivery& delivery = *profile.delivery;
    if (!delivery.without_dialog && !dialog) {
        boundary::write_error_line(QStringLiteral("MAPI: Zustellart '%1' nur mit Dialog (MAPI_DIALOG)")
                                       .arg(QLatin1String(delivery.name)));
        return MAPI_E_FAILURE;
    }
    bool show_dialog = false;
    DisplayHold display;
    if (dialog) {
        const ULONG wanted = send_dialog_wanted(profile, show_dialog, display);
        if (wanted != SUCCESS_SUCCESS)
            return wanted;
    }
    // Names that do not resolve can still be put right in a dialog, the
    // send dialog or the delivery's own window.
    const bool unresolved_allowed = delivery.dialog == DialogUse::own_window || show_dialog;

    OutgoingMail mail;
    mail.from = profile.from;
    mail.subject = incoming.subject;
    mail.body = incoming.body;
    for (const IncomingRecipient& recipient : incoming.recipients) {
        OutgoingRecipient outgoing;
        const ULONG result = resolve_recipient(recipient, address_book, resolved, unresolved_allowed, outgoing);
        if (result != SUCCESS_SUCCESS) {
            const QString why = result == MAPI_E_INVALID_RECIPS    ? QStringLiteral("ist keine Adresse")
                : result == MAPI_E_AMBIGUOUS_RECIPIENT ? QStringLiteral("ist im Adressbuch nicht eindeutig")
                                                       : QStringLiteral("steht nicht im Adressbuch");
            boundary::write_error_line(QStringLiteral("MAPI: Empfaenger '%1' %2")
                                           .arg(result == MAPI_E_INVALID_RECIPS ? recipient.address : recipient.name, why));
            return result;
        }
        mail.recipients.push_back(outgoing);
    }
    if (delivery.recipients == Recipients::checked_first && mail.recipients.empty()) {
        boundary::write_error_line(QStringLiteral("MAPI: Zustellart '%1' braucht einen Empfaenger")
                                       .arg(QLatin1String(delivery.name)));
        return MAPI_E_INVALID_RECIPS;
    }

    for (const IncomingFile& file : incoming.files) {
        OutgoingAttachment attachment;
        const ULONG result = open_attachment(file, attachment);
        if (result != SUCCESS_SUCCESS)
            return result;
        mail.attachments.push_back(attachment);
    }
    if (show_dialog) {
        const RecipientResolver resolve = [&](const IncomingRecipient& recipient, OutgoingRecipient& outgoing) {
            return resolve_recipient(recipient, address_book, resolved, false, outgoing);
        };
        const ULONG confirmed = confirm_in_send_dialog(mail, delivery.recipients != Recipients::optional, resolve);
        display.reset();
        if (confirmed != SUCCESS_SUCCESS)
            return confirmed;
    }

    return delivery.deliver(mail, profile);
}

}  // namespace telvorin::mapi
