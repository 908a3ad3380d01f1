// Building the RFC 5322 / MIME form of an outgoing mail with GMime.
#include "mapi_provider/shared/mime_message.h"

#include "boundary/glib_ptr.h"
#include "boundary/gmime_runtime.h"

#include "boundary/outside_text.h"

// Before Qt, whose keyword macros (signals) break GIO's headers.
#include <gmime/gmime.h>

#include <QMimeDatabase>

#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace telvorin::mapi {

namespace {

using boundary::GObjectPtr;
using boundary::GText;

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

// GMime writes a word that already looks like an encoded word as it is,
// and readers would decode it into text the caller never wrote. Such a text
// goes as encoded words of its own (base64 of UTF-8, whole characters, at
// most 75 characters each), which GMime then keeps and folds; any other text
// GMime encodes as it needs.
QByteArray header_value(const QString& text)
{
    const QString clean = header_text(text);
    if (!clean.contains(QLatin1String("=?")))
        return clean.toUtf8();
    QByteArray value;
    QByteArray chunk;
    for (int i = 0; i < clean.size(); ++i) {
        const int units = clean[i].isHighSurrogate() && i + 1 < clean.size() ? 2 : 1;
        const QByteArray character = clean.mid(i, units).toUtf8();
        i += units - 1;
        if (chunk.size() + character.size() > 45) {
            value += "=?utf-8?b?" + chunk.toBase64() + "?= ";
            chunk.clear();
        }
        chunk += character;
    }
    return value + "=?utf-8?b?" + chunk.toBase64() + "?=";
}

void add_mailbox(GMimeMessage* message, GMimeAddressType type, const Mailbox& mailbox)
{
    const QByteArray name = header_value(mailbox.name);
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

// True when a line of `text` begins with "From ", which mbox delivery would
// turn into ">From ".
bool has_from_line(const GByteArray& text)
{
    static const char from[] = "From ";
    const size_t n = sizeof from - 1;
    for (size_t i = 0; i + n <= text.len; ++i) {
        if ((i == 0 || text.data[i - 1] == '\n') && std::memcmp(text.data + i, from, n) == 0)
            return true;
    }
    return false;
}

GObjectPtr<GMimeObject> text_part(const TextBytes& body)
{
    GObjectPtr<GMimePart> part(g_mime_part_new_with_type("text", "plain"));
    g_mime_object_set_content_type_parameter(GMIME_OBJECT(part.get()), "charset", "utf-8");
    // The stream reads the body where it is; no copy of a large text.
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_byte_array(body.get()));
    g_mime_stream_mem_set_owner(GMIME_STREAM_MEM(stream.get()), FALSE);
    GObjectPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part.get(), content.get());
    // Quoted-printable for mostly readable text, base64 when that is shorter;
    // either way the message stays 7-bit for every transport. GMime's
    // quoted-printable keeps "From " at a line start, base64 has no blank.
    const GMimeContentEncoding best = has_from_line(*body)
        ? GMIME_CONTENT_ENCODING_BASE64
        : g_mime_part_get_best_content_encoding(part.get(), GMIME_ENCODING_CONSTRAINT_7BIT);
    g_mime_part_set_content_encoding(part.get(), best);
    return GObjectPtr<GMimeObject>(GMIME_OBJECT(part.release()));
}

// The charset of a text attachment: UTF-8 when its bytes are valid UTF-8,
// else ISO 8859-1, in which every byte is a character. Reads the file once
// and leaves it at its start.
const char* charset_of(int fd)
{
    boundary::Utf8Check check;
    char buffer[65536];
    ssize_t got = 0;
    while (check.valid_so_far() && (got = ::read(fd, buffer, sizeof buffer)) > 0)
        check.add(buffer, got);
    ::lseek(fd, 0, SEEK_SET);
    return check.valid() && got == 0 ? "utf-8" : "iso-8859-1";
}

GObjectPtr<GMimeObject> attachment_part(const OutgoingAttachment& attachment)
{
    const QByteArray type = content_type_for(attachment.name);
    const int slash = type.indexOf('/');
    GObjectPtr<GMimePart> part(g_mime_part_new_with_type(type.left(slash).constData(), type.mid(slash + 1).constData()));
    g_mime_object_set_disposition(GMIME_OBJECT(part.get()), GMIME_DISPOSITION_ATTACHMENT);
    if (type.startsWith("text/"))
        g_mime_object_set_content_type_parameter(GMIME_OBJECT(part.get()), "charset", charset_of(attachment.file->get()));
    const QByteArray name = header_value(attachment.name);
    g_mime_part_set_filename(part.get(), name.constData());
    GObjectPtr<GMimeStream> stream(g_mime_stream_fs_new(attachment.file->get()));
    g_mime_stream_fs_set_owner(GMIME_STREAM_FS(stream.get()), FALSE);
    GObjectPtr<GMimeDataWrapper> content(g_mime_data_wrapper_new_with_stream(stream.get(), GMIME_CONTENT_ENCODING_DEFAULT));
    g_mime_part_set_content(part.get(), content.get());
    g_mime_part_set_content_encoding(part.get(), GMIME_CONTENT_ENCODING_BASE64);
    return GObjectPtr<GMimeObject>(GMIME_OBJECT(part.release()));
}

QByteArray domain_of(const QString& address)
{
    const int at = address.lastIndexOf(QLatin1Char('@'));
    const QString domain = at >= 0 ? address.mid(at + 1) : QString();
    return domain.isEmpty() ? QByteArrayLiteral("localhost") : domain.toUtf8();
}

GObjectPtr<GMimeMessage> build(const OutgoingMail& mail)
{
    GObjectPtr<GMimeMessage> message(g_mime_message_new(TRUE));
    add_mailbox(message.get(), GMIME_ADDRESS_TYPE_FROM, mail.from);
    for (const OutgoingRecipient& recipient : mail.recipients)
        add_mailbox(message.get(), address_type(recipient.kind), recipient.mailbox);
    const QByteArray subject = header_value(mail.subject);
    g_mime_message_set_subject(message.get(), subject.constData(), "utf-8");
    GDateTime* now = g_date_time_new_now_local();
    g_mime_message_set_date(message.get(), now);
    g_date_time_unref(now);
    GText id(g_mime_utils_generate_message_id(domain_of(mail.from.address).constData()));
    g_mime_message_set_message_id(message.get(), id.get());

    GObjectPtr<GMimeObject> body = text_part(mail.body);  // reads mail.body, which outlives the message
    if (mail.attachments.empty()) {
        g_mime_message_set_mime_part(message.get(), body.get());
        return message;
    }
    GObjectPtr<GMimeMultipart> mixed(g_mime_multipart_new_with_subtype("mixed"));
    g_mime_multipart_add(mixed.get(), body.get());
    for (const OutgoingAttachment& attachment : mail.attachments)
        g_mime_multipart_add(mixed.get(), attachment_part(attachment).get());
    g_mime_message_set_mime_part(message.get(), GMIME_OBJECT(mixed.get()));
    return message;
}

}  // namespace

int write_message(const OutgoingMail& mail, int fd, LineEnds line_ends)
{
    boundary::ensure_gmime_started();
    GObjectPtr<GMimeMessage> message = build(mail);
    GMimeFormatOptions* options = g_mime_format_options_new();
    g_mime_format_options_set_newline_format(
        options, line_ends == LineEnds::crlf ? GMIME_NEWLINE_FORMAT_DOS : GMIME_NEWLINE_FORMAT_UNIX);
    // A pipe stream writes and never seeks or syncs: the fs stream would fsync on flush, which only the outbox
    // needs (it syncs before its rename) and which costs a temporary file its whole size in disk writes.
    GObjectPtr<GMimeStream> out(g_mime_stream_pipe_new(fd));
    g_mime_stream_pipe_set_owner(GMIME_STREAM_PIPE(out.get()), FALSE);
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
