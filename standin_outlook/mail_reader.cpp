// Reading an RFC 5322 message with GMime into the fields of a stand-in Outlook item.
#include "standin_outlook/mail_reader.h"

#include "standin_outlook/html_text.h"

#include "boundary/glib_ptr.h"
#include "boundary/gmime_runtime.h"
#include "boundary/outside_text.h"

#include <gmime/gmime.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace telvorin::standin {

namespace {

using boundary::GObjectPtr;
using boundary::GText;

struct OptionsDeleter {
    void operator()(GMimeParserOptions* o) const { g_mime_parser_options_free(o); }
};

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

QByteArray stream_bytes(GMimeStream* stream)
{
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(stream));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), static_cast<int>(bytes->len));
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

// The header block up to the empty line, in UTF-8 where it is valid and
// else as Latin-1, since raw 8-bit headers follow no rule.
QString header_block(const QByteArray& raw)
{
    int line = 0;
    while (line < raw.size()) {
        const int lf = raw.indexOf('\n', line);
        if (lf < 0)
            line = raw.size();
        else if (lf == line || (lf == line + 1 && raw[line] == '\r'))
            break;
        else
            line = lf + 1;
    }
    return boundary::utf8_or_latin1(raw.left(line));
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

MailMessage read_message(GMimeMessage* message, const QByteArray& raw, int depth);

// A part is an attachment when it carries a name, is an attached mail, or is
// a non-text part that the HTML can refer to by its content id.
void walk(GMimeObject* object, MailMessage& message, int depth)
{
    if (object == nullptr)
        return;
    if (GMIME_IS_MULTIPART(object)) {
        GMimeMultipart* multipart = GMIME_MULTIPART(object);
        const int count = g_mime_multipart_get_count(multipart);
        for (int i = 0; i < count; ++i)
            walk(g_mime_multipart_get_part(multipart, i), message, depth);
        return;
    }

    const char* name = carried_name(object);
    const char* cid = g_mime_object_get_content_id(object);
    if (name != nullptr || GMIME_IS_MESSAGE_PART(object) || (cid != nullptr && !GMIME_IS_TEXT_PART(object))) {
        GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new());
        MailAttachment attachment;
        if (GMIME_IS_PART(object)) {
            if (GMimeDataWrapper* content = g_mime_part_get_content(GMIME_PART(object)))
                g_mime_data_wrapper_write_to_stream(content, stream.get());
            attachment.data = stream_bytes(stream.get());
        } else if (GMIME_IS_MESSAGE_PART(object)) {
            // An attached mail keeps what it carries; it is an item of its own.
            if (GMimeMessage* inner = g_mime_message_part_get_message(GMIME_MESSAGE_PART(object))) {
                g_mime_object_write_to_stream(GMIME_OBJECT(inner), nullptr, stream.get());
                attachment.data = stream_bytes(stream.get());
                if (depth < max_embedding)
                    attachment.message = std::make_shared<MailMessage>(read_message(inner, attachment.data, depth + 1));
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

MailMessage read_message(GMimeMessage* message, const QByteArray& raw, int depth)
{
    MailMessage m;
    m.subject = one_line(g_mime_message_get_subject(message));
    m.message_id = utf8(g_mime_message_get_message_id(message));
    m.headers = header_block(raw);
    m.size = raw.size();
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
    walk(g_mime_message_get_mime_part(message), m, depth);
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

bool read_mail(const QByteArray& raw, MailMessage& out)
{
    if (raw.isEmpty())
        return false;
    boundary::ensure_gmime_started();
    GObjectPtr<GMimeStream> stream(g_mime_stream_mem_new_with_buffer(raw.constData(), static_cast<size_t>(raw.size())));
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(stream.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);

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

    MailMessage result = read_message(message.get(), raw, 0);
    out = std::move(result);
    return true;
}

}  // namespace telvorin::standin
