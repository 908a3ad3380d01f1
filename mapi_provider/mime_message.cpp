// Building the RFC 5322 / MIME form of an outgoing mail with GMime.
#include "mime_message.h"

#include "gmime_support.h"

#include <QMimeDatabase>

#include <cerrno>

namespace telvorin::mapi {

namespace {

GMimeAddressType address_type(RecipientKind kind)
{
    switch (kind) {
    case RecipientKind::cc:
        return GMIME_ADDRESS_TYPE_CC;
    case RecipientKind::bcc:
        return GMIME_ADDRESS_TYPE_BCC;
    case RecipientKind::to:
        break;
    }
    return GMIME_ADDRESS_TYPE_TO;
}

void add_mailbox(GMimeMessage* message, GMimeAddressType type, const Mailbox& mailbox)
{
    const QByteArray name = mailbox.name.toUtf8();
    const QByteArray address = mailbox.address.toUtf8();
    g_mime_message_add_mailbox(message, type, name.isEmpty() ? nullptr : name.constData(), address.constData());
}

// Only the name decides the type: the content may be anything, and the
// recipient's program opens the attachment by its name anyway.
QByteArray content_type_for(const QString& file_name)
{
    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(file_name, QMimeDatabase::MatchExtension);
    const QByteArray name = type.isValid() ? type.name().toLatin1() : QByteArray();
    return name.contains('/') ? name : QByteArrayLiteral("application/octet-stream");
}

GPtr<GMimeObject> text_part(const QString& body)
{
    GPtr<GMimePart> part(g_mime_part_new_with_type("text", "plain"));
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part.get()), "charset", "utf-8");
    const QByteArray utf8 = body.toUtf8();
    GPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(utf8.constData(), static_cast<size_t>(utf8.size())));
    GPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part.get(), content.get());
    // Quoted-printable for mostly readable text, base64 when that is shorter;
    // either way the message stays 7-bit for every transport.
    g_mime_part_set_content_encoding(part.get(),
                                     g_mime_part_get_best_content_encoding(part.get(), GMIME_ENCODING_CONSTRAINT_7BIT));
    return GPtr<GMimeObject>(GMIME_OBJECT(part.release()));
}

GPtr<GMimeObject> attachment_part(const OutgoingAttachment& attachment)
{
    const QByteArray type = content_type_for(attachment.name);
    const int slash = type.indexOf('/');
    GPtr<GMimePart> part(g_mime_part_new_with_type(type.left(slash).constData(), type.mid(slash + 1).constData()));
    g_mime_object_set_disposition(GMIME_OBJECT(part.get()), GMIME_DISPOSITION_ATTACHMENT);
    const QByteArray name = attachment.name.toUtf8();
    g_mime_part_set_filename(part.get(), name.constData());
    GPtr<GMimeStream> stream(g_mime_stream_fs_new(attachment.fd));
    g_mime_stream_fs_set_owner(GMIME_STREAM_FS(stream.get()), FALSE);
    GPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part.get(), content.get());
    g_mime_part_set_content_encoding(part.get(), GMIME_CONTENT_ENCODING_BASE64);
    return GPtr<GMimeObject>(GMIME_OBJECT(part.release()));
}

QByteArray domain_of(const QString& address)
{
    const int at = address.lastIndexOf(QLatin1Char('@'));
    const QString domain = at >= 0 ? address.mid(at + 1) : QString();
    return domain.isEmpty() ? QByteArrayLiteral("localhost") : domain.toUtf8();
}

GPtr<GMimeMessage> build(const OutgoingMail& mail)
{
    GPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    add_mailbox(message.get(), GMIME_ADDRESS_TYPE_FROM, mail.from);
    for (const OutgoingRecipient& recipient : mail.recipients)
        add_mailbox(message.get(), address_type(recipient.kind), recipient.mailbox);
    const QByteArray subject = mail.subject.toUtf8();
    g_mime_message_set_subject(message.get(), subject.constData(), "utf-8");
    GDateTime* now = g_date_time_new_now_local();
    g_mime_message_set_date(message.get(), now);
    g_date_time_unref(now);
    GString_ptr id(g_mime_utils_generate_message_id(domain_of(mail.from.address).constData()));
    g_mime_message_set_message_id(message.get(), id.get());

    GPtr<GMimeObject> body = text_part(mail.body);
    if (mail.attachments.empty()) {
        g_mime_message_set_mime_part(message.get(), body.get());
        return message;
    }
    GPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
    g_mime_multipart_add(mixed.get(), body.get());
    for (const OutgoingAttachment& attachment : mail.attachments)
        g_mime_multipart_add(mixed.get(), attachment_part(attachment).get());
    g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));
    return message;
}

}  // namespace

int write_message(const OutgoingMail& mail, int fd, LineEnds line_ends)
{
    ensure_gmime();
    GPtr<GMimeMessage> message = build(mail);
    GMimeFormatOptions* options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(
        options, line_ends == LineEnds::crlf ? GMIME_NEWLINE_FORMAT_DOS : GMIME_NEWLINE_FORMAT_UNIX);
    GPtr<GMimeStream> out(g_mime_stream_fs_new(fd));
    g_mime_stream_fs_set_owner(GMIME_STREAM_FS(out.get()), FALSE);
    errno = 0;
    const gint64 written = g_mime_object_write_to_stream(GMIME_OBJECT(message.get()), options, out.get());
    int error = written < 0 ? errno : 0;
    if (error == 0 && g_mime_stream_flush(out.get()) != 0)
        error = errno != 0 ? errno : EIO;
    g_mime_format_options_free(options);
    if (written < 0 && error == 0)
        error = EIO;
    return error;
}

}  // namespace telvorin::mapi
