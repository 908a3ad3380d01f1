// Reading an RFC 5322 message with GMime into the fields of a stand-in Outlook item.
#include "standin_outlook/mail_reader.h"

#include "standin_outlook/html_text.h"

#include "boundary/glib_ptr.h"
#include "boundary/gmime_runtime.h"
#include "boundary/outside_text.h"

#include <gmime/gmime.h>

// After GMime: Qt's "signals" keyword would break GIO's headers.
#include <QFile>

#include <fcntl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>

namespace telvorin::standin {

// The part, or the attached mail, as the parser left it: a window onto the
// source, which it keeps open. An attached mail is written out again, with
// the line ends its source has.
struct AttachmentSource {
    boundary::GObjectPtr<GMimeObject> object;
    bool crlf = false;
};

namespace {

using boundary::GObjectPtr;
using boundary::GText;

struct OptionsDeleter {
    void operator()(GMimeParserOptions* o) const { g_mime_parser_options_free(o); }
    void operator()(GMimeFormatOptions* o) const { g_mime_format_options_free(o); }
};

// GMime writes the header fields and boundaries it holds with LF alone
// unless told otherwise, while the parts' bodies keep the source's bytes: a
// CR LF mail would come out with mixed line ends.
std::unique_ptr<GMimeFormatOptions, OptionsDeleter> format_for(bool crlf)
{
    std::unique_ptr<GMimeFormatOptions, OptionsDeleter> options(g_mime_format_options_new());
    g_mime_format_options_set_newline_format(options.get(), crlf ? GMIME_NEWLINE_FORMAT_DOS : GMIME_NEWLINE_FORMAT_UNIX);
    return options;
}

QString utf8(const char* text)
{
    return text != nullptr ? QString::fromUtf8(text) : QString();
}

// A name or subject with every control character as a blank: it never
// breaks a line or a file name.
QString one_line(const char* text)
{
    return boundary::replace_controls(utf8(text), QLatin1Char(' '));
}

void collect_addresses(InternetAddressList* list, QVector<MailAddress>& target)
{
    if (list == nullptr)
        return;
    const int count = internet_address_list_length(list);
    for (int i = 0; i < count; ++i) {
        InternetAddress* entry = internet_address_list_get_address(list, i);
        if (INTERNET_ADDRESS_IS_GROUP(entry)) {
            collect_addresses(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(entry)), target);
        } else if (INTERNET_ADDRESS_IS_MAILBOX(entry)) {
            target.append({one_line(internet_address_get_name(entry)),
                         utf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(entry)))});
        }
    }
}

MailAddress first_address(InternetAddressList* list)
{
    QVector<MailAddress> addresses;
    collect_addresses(list, addresses);
    return addresses.isEmpty() ? MailAddress() : addresses.first();
}

using Piece = std::function<bool(const char*, std::size_t)>;

std::shared_ptr<const AttachmentSource> source_of(GMimeObject* object, bool crlf = false)
{
    g_object_ref(object);
    return std::make_shared<const AttachmentSource>(AttachmentSource{GObjectPtr<GMimeObject>(object), crlf});
}

// The decoded content of `part`, read from the source in pieces.
bool read_part(GMimePart* part, const Piece& piece)
{
    GMimeDataWrapper* content = g_mime_part_get_content(part);
    GMimeStream* encoded = content != nullptr ? g_mime_data_wrapper_get_stream(content) : nullptr;
    if (encoded == nullptr)
        return true;
    if (g_mime_stream_reset(encoded) != 0)
        return false;
    GObjectPtr<GMimeStream> decoded(g_mime_stream_filter_new(encoded));
    const GMimeContentEncoding encoding = g_mime_data_wrapper_get_encoding(content);
    if (encoding == GMIME_CONTENT_ENCODING_BASE64 || encoding == GMIME_CONTENT_ENCODING_QUOTEDPRINTABLE
        || encoding == GMIME_CONTENT_ENCODING_UUENCODE) {
        GObjectPtr<GMimeFilter> decoder(g_mime_filter_basic_new(encoding, FALSE));
        g_mime_stream_filter_add(GMIME_STREAM_FILTER(decoded.get()), decoder.get());
    }
    char buffer[64 * 1024];
    while (!g_mime_stream_eos(decoded.get())) {
        const ssize_t n = g_mime_stream_read(decoded.get(), buffer, sizeof buffer);
        if (n < 0 || (n > 0 && !piece(buffer, std::size_t(n))))
            return false;
    }
    return true;
}

// Where a C stream over `piece` stands: GMime's file stream seeks to where
// it wrote last before each write, which is the one seek that it allows.
struct PieceCookie {
    const Piece* piece;
    off64_t position = 0;
};

ssize_t write_piece(void* cookie, const char* data, std::size_t size)
{
    auto* c = static_cast<PieceCookie*>(cookie);
    if (!(*c->piece)(data, size))
        return 0;
    c->position += off64_t(size);
    return ssize_t(size);
}

int seek_piece(void* cookie, off64_t* offset, int whence)
{
    const auto* c = static_cast<const PieceCookie*>(cookie);
    if (!((whence == SEEK_SET && *offset == c->position) || (whence == SEEK_CUR && *offset == 0)))
        return -1;
    *offset = c->position;
    return 0;
}

// An attached mail as GMime writes it, handed on as the writer fills its
// buffer: GMime writes a whole object into a stream, and a stream over a
// C stream whose writes go to `piece` keeps no more than that buffer.
bool write_object(GMimeObject* object, bool crlf, const Piece& piece)
{
    PieceCookie cookie{&piece};
    std::FILE* file = ::fopencookie(&cookie, "w", {nullptr, write_piece, seek_piece, nullptr});
    if (file == nullptr)
        return false;
    bool ok = false;
    {
        GObjectPtr<GMimeStream> stream(g_mime_stream_file_new(file));
        g_mime_stream_file_set_owner(GMIME_STREAM_FILE(stream.get()), FALSE);
        ok = g_mime_object_write_to_stream(object, format_for(crlf).get(), stream.get()) >= 0;
    }
    return std::fclose(file) == 0 && ok;
}

QString mime_type(GMimeObject* object)
{
    GText type(g_mime_content_type_get_mime_type(g_mime_object_get_content_type(object)));
    return utf8(type.get());
}

QDateTime utc(GDateTime* time)
{
    if (time == nullptr)
        return {};
    QDateTime result = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(time), Qt::UTC);
    g_date_time_unref(time);
    return result;
}

// The header block that starts at `start` in `source`, up to the empty
// line, as it travelled: line ends as they are, in UTF-8 where it is valid
// and else as Latin-1, since raw 8-bit headers follow no rule.
QString header_block(GMimeStream* source, gint64 start)
{
    if (start < 0)
        return QLatin1String("");
    GObjectPtr<GMimeStream> window(g_mime_stream_substream(source, start, -1));
    QByteArray raw;
    int line = 0;
    char buffer[4096];
    for (;;) {
        for (int lf = raw.indexOf('\n', line); lf >= 0; lf = raw.indexOf('\n', line)) {
            if (lf == line || (lf == line + 1 && raw[line] == '\r'))
                return boundary::utf8_or_latin1(raw.left(line));
            line = lf + 1;
        }
        const ssize_t n = g_mime_stream_read(window.get(), buffer, sizeof buffer);
        if (n <= 0)
            return boundary::utf8_or_latin1(raw);
        raw.append(buffer, int(n));
    }
}

// Where the header block of an attached mail starts in the source: its first
// field's offset, as the parser recorded it.
gint64 header_start(GMimeObject* object)
{
    GMimeHeaderList* list = g_mime_object_get_header_list(object);
    if (list == nullptr || g_mime_header_list_get_count(list) == 0)
        return -1;
    return g_mime_header_get_offset(g_mime_header_list_get_header_at(list, 0));
}

// The name an entity carries, from Content-Disposition "filename" first and
// Content-Type "name" second; GMime has decoded RFC 2231 and RFC 2047 forms.
const char* carried_name(GMimeObject* object)
{
    if (GMIME_IS_PART(object))
        return g_mime_part_get_filename(GMIME_PART(object));
    const char* name = g_mime_object_get_content_disposition_parameter(object, "filename");
    return name != nullptr ? name : g_mime_object_get_content_type_parameter(object, "name");
}

bool is_attachment_disposition(GMimeObject* object)
{
    GMimeContentDisposition* d = g_mime_object_get_content_disposition(object);
    return d != nullptr && g_mime_content_disposition_is_attachment(d);
}

// Attached mails deeper than this stay plain attachments: each level writes
// the mail it holds once, so the time stays linear in the mail's size.
constexpr int max_embedding = 16;

MailMessage read_message(GMimeMessage* message, GMimeStream* source, const QString& headers, qint64 size, int depth);

// A part is an attachment when it carries a name, is an attached mail, or is
// a non-text part that the HTML can refer to by its content id.
void walk(GMimeObject* object, MailMessage& message, GMimeStream* source, int depth)
{
    if (object == nullptr)
        return;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        const int count = g_mime_multipart_get_count(multipart);
        for (int i = 0; i < count; ++i)
            walk(g_mime_multipart_get_part(multipart, i), message, source, depth);
        return;
    }

    const char* name = carried_name(object);
    const char* cid = g_mime_object_get_content_id(object);
    if (name != nullptr || GMIME_IS_MESSAGE_PART(object) || (cid != nullptr && !GMIME_IS_TEXT_PART(object))) {
        MailAttachment attachment;
        if (GMIME_IS_PART(object)) {
            attachment.source = source_of(object);
        } else if (GMIME_IS_MESSAGE_PART(object)) {
            // An attached mail keeps what it carries; it is an item of its own.
            if (GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object))) {
                const QString headers = header_block(source, header_start(GMIME_OBJECT(inner)));
                const bool crlf = headers.indexOf(QLatin1Char('\n')) > 0
                                  && headers.at(headers.indexOf(QLatin1Char('\n')) - 1) == QLatin1Char('\r');
                attachment.source = source_of(GMIME_OBJECT(inner), crlf);
                if (depth < max_embedding) {
                    GObjectPtr<GMimeStream> counted(g_mime_stream_null_new());
                    g_mime_object_write_to_stream(GMIME_OBJECT(inner), format_for(crlf).get(), counted.get());
                    const auto size = qint64(GMIME_STREAM_NULL(counted.get())->written);
                    attachment.message = std::make_shared<MailMessage>(
                        read_message(inner, source, headers, size, depth + 1));
                }
            }
        }
        attachment.file_name = attachment_file_name(one_line(name), message.attachments.size() + 1);
        attachment.mime_type = mime_type(object);
        attachment.content_id = utf8(cid);
        message.attachments.append(std::move(attachment));
        return;
    }

    if (!GMIME_IS_TEXT_PART(object) || is_attachment_disposition(object))
        return;
    GMimeContentType* type = g_mime_object_get_content_type(object);
    for (auto [subtype, target] : {std::pair{"plain", &message.body}, std::pair{"html", &message.html}}) {
        if (target->isNull() && g_mime_content_type_is_type(type, "text", subtype)) {
            GText text(g_mime_text_part_get_text(GMIME_TEXT_PART(object)));
            *target = text ? utf8(text.get()) : QString(QLatin1String(""));
        }
    }
}

MailMessage read_message(GMimeMessage* message, GMimeStream* source, const QString& headers, qint64 size, int depth)
{
    MailMessage m;
    m.subject = one_line(g_mime_message_get_subject(message));
    m.message_id = utf8(g_mime_message_get_message_id(message));
    m.headers = headers;
    m.size = size;
    if (GDateTime* date = g_mime_message_get_date(message))
        m.date = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(date), Qt::UTC);
    // The first Received field is the newest: the stamp of the delivery.
    if (const char* received_field = g_mime_object_get_header(GMIME_OBJECT(message), "Received")) {
        const char* stamp = std::strrchr(received_field, ';');
        m.received = utc(stamp != nullptr ? g_mime_utils_header_decode_date(stamp + 1) : nullptr);
    }
    if (!m.received.isValid())
        m.received = m.date;

    m.from = first_address(g_mime_message_get_from(message));
    m.sender = first_address(g_mime_message_get_sender(message));
    if (m.sender.address.isEmpty())
        m.sender = m.from;
    collect_addresses(g_mime_message_get_to(message), m.to);
    collect_addresses(g_mime_message_get_cc(message), m.cc);
    collect_addresses(g_mime_message_get_bcc(message), m.bcc);
    walk(g_mime_message_get_mime_part(message), m, source, depth);
    // Readers that show plain text only would show an HTML-only mail empty.
    if (m.body.isNull() && !m.html.isNull())
        m.body = html_as_text(m.html);
    return m;
}

}  // namespace

QString attachment_file_name(const QString& carried, int position)
{
    const int separator = std::max(carried.lastIndexOf(QLatin1Char('/')), carried.lastIndexOf(QLatin1Char('\\')));
    const QString name = carried.mid(separator + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Anlage%1").arg(position);
    return name;
}

namespace {

bool parse(GMimeStream* stream, MailMessage& out)
{
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);
    // The parts stay windows onto the source instead of copies of it.
    g_mime_parser_set_persist_stream(parser.get(), TRUE);

    // Real mail often breaks the encoded-word and parameter rules; read it as
    // a mail client would rather than reject it.
    std::unique_ptr<GMimeParserOptions, OptionsDeleter> options(g_mime_parser_options_new());
    g_mime_parser_options_set_rfc2047_compliance_mode(options.get(), GMIME_RFC_COMPLIANCE_LOOSE);
    g_mime_parser_options_set_parameter_compliance_mode(options.get(), GMIME_RFC_COMPLIANCE_LOOSE);

    GObjectPtr<GMimeMessage> message(g_mime_parser_construct_message(parser.get(), options.get()));
    if (!message)
        return false;
    GMimeHeaderList* header_list = g_mime_object_get_header_list(GMIME_OBJECT(message.get()));
    if (header_list == nullptr || g_mime_header_list_get_count(header_list) == 0)
        return false;

    MailMessage result = read_message(message.get(), stream, header_block(stream, 0),
                                      std::max<gint64>(g_mime_stream_length(stream), 0), 0);
    out = std::move(result);
    return true;
}

}  // namespace

bool read_mail(const QByteArray& raw, MailMessage& out)
{
    if (raw.isEmpty())
        return false;
    boundary::ensure_gmime_started();
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(raw.constData(), static_cast<size_t>(raw.size())));
    return parse(stream.get(), out);
}

bool read_mail_file(const QString& path, MailMessage& out)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    boundary::ensure_gmime_started();
    // Read, not mapped: a mapped file would count in the memory of the run
    // as it is read.
    GObjectPtr<GMimeStream> stream(g_mime_stream_fs_new(fd));  // owns the descriptor
    return parse(stream.get(), out);
}

bool read_attachment(const MailAttachment& attachment, const Piece& piece)
{
    if (!attachment.source)
        return true;
    GMimeObject* object = attachment.source->object.get();
    return GMIME_IS_PART(object) ? read_part(GMIME_PART(object), piece)
                                 : write_object(object, attachment.source->crlf, piece);
}

}  // namespace telvorin::standin
