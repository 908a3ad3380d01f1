// Reading an RFC 5322 message with GMime into the fields of a stand-in Outlook item.
#include "standin_outlook/mail_reader.h"

#include "standin_outlook/html_text.h"

#include "boundary/gmime_runtime.h"
#include "boundary/outside_text.h"

#include <gmime/gmime.h>


#include <algorithm>
#include <cstring>
#include <memory>

namespace telvorin::standin {

namespace {

template <class T>
struct GObjectDeleter {
    void operator()(T* objekt) const { g_object_unref(objekt); }
};
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectDeleter<T>>;

struct GFreeDeleter {
    void operator()(char* text) const { g_free(text); }
};
using GText = std::unique_ptr<char, GFreeDeleter>;

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

void collect_addresses(InternetAddressList* liste, QVector<MailAddress>& ziel)
{
    if (liste == nullptr)
        return;
    const int anzahl = internet_address_list_length(liste);
    for (int i = 0; i < anzahl; ++i) {
        InternetAddress* adresse = internet_address_list_get_address(liste, i);
        if (INTERNET_ADDRESS_IS_GROUP(adresse)) {
            collect_addresses(internet_address_group_get_members(INTERNET_ADDRESS_GROUP(adresse)), ziel);
        } else if (INTERNET_ADDRESS_IS_MAILBOX(adresse)) {
            ziel.append({one_line(internet_address_get_name(adresse)),
                         utf8(internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(adresse)))});
        }
    }
}

MailAddress first_address(InternetAddressList* liste)
{
    QVector<MailAddress> adressen;
    collect_addresses(liste, adressen);
    return adressen.isEmpty() ? MailAddress() : adressen.first();
}

QByteArray stream_bytes(GMimeStream* strom)
{
    GByteArray* bytes = g_mime_stream_mem_get_byte_array(GMIME_STREAM_MEM(strom));
    return QByteArray(reinterpret_cast<const char*>(bytes->data), static_cast<int>(bytes->len));
}

QString mime_type(GMimeObject* objekt)
{
    GText typ(g_mime_content_type_get_mime_type(g_mime_object_get_content_type(objekt)));
    return utf8(typ.get());
}

QDateTime utc(GDateTime* zeit)
{
    if (zeit == nullptr)
        return {};
    QDateTime ergebnis = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(zeit), Qt::UTC);
    g_date_time_unref(zeit);
    return ergebnis;
}

// The header block up to the empty line, in UTF-8 where it is valid and
// else as Latin-1, since raw 8-bit headers follow no rule.
QString header_block(const QByteArray& roh)
{
    int zeile = 0;
    while (zeile < roh.size()) {
        const int lf = roh.indexOf('\n', zeile);
        if (lf < 0)
            zeile = roh.size();
        else if (lf == zeile || (lf == zeile + 1 && roh[zeile] == '\r'))
            break;
        else
            zeile = lf + 1;
    }
    return boundary::utf8_or_latin1(roh.left(zeile));
}

// The name an entity carries, from Content-Disposition "filename" first and
// Content-Type "name" second; GMime has decoded RFC 2231 and RFC 2047 forms.
const char* carried_name(GMimeObject* objekt)
{
    if (GMIME_IS_PART(objekt))
        return g_mime_part_get_filename(GMIME_PART(objekt));
    const char* name = g_mime_object_get_content_disposition_parameter(objekt, "filename");
    return name != nullptr ? name : g_mime_object_get_content_type_parameter(objekt, "name");
}

bool is_attachment_disposition(GMimeObject* objekt)
{
    GMimeContentDisposition* d = g_mime_object_get_content_disposition(objekt);
    return d != nullptr && g_mime_content_disposition_is_attachment(d);
}

// Attached mails deeper than this stay plain attachments: each level writes
// the mail it holds once, so the time stays linear in the mail's size.
constexpr int max_embedding = 16;

MailMessage read_message(GMimeMessage* nachricht, const QByteArray& roh, int tiefe);

// A part is an attachment when it carries a name, is an attached mail, or is
// a non-text part that the HTML can refer to by its content id.
void walk(GMimeObject* objekt, MailMessage& nachricht, int tiefe)
{
    if (objekt == nullptr)
        return;
    if (GMIME_IS_MULTIPART(objekt)) {
        GMimeMultipart* mehrteilig = GMIME_MULTIPART(objekt);
        const int anzahl = g_mime_multipart_get_count(mehrteilig);
        for (int i = 0; i < anzahl; ++i)
            walk(g_mime_multipart_get_part(mehrteilig, i), nachricht, tiefe);
        return;
    }

    const char* name = carried_name(objekt);
    const char* kennung = g_mime_object_get_content_id(objekt);
    if (name != nullptr || GMIME_IS_MESSAGE_PART(objekt) || (kennung != nullptr && !GMIME_IS_TEXT_PART(objekt))) {
        GObjectPtr<GMimeStream> strom(g_mime_stream_mem_new());
        MailAttachment anlage;
        if (GMIME_IS_PART(objekt)) {
            if (GMimeDataWrapper* inhalt = g_mime_part_get_content(GMIME_PART(objekt)))
                g_mime_data_wrapper_write_to_stream(inhalt, strom.get());
            anlage.data = stream_bytes(strom.get());
        } else if (GMIME_IS_MESSAGE_PART(objekt)) {
            // An attached mail keeps what it carries; it is an item of its own.
            if (GMimeMessage* innere = g_mime_message_part_get_message(GMIME_MESSAGE_PART(objekt))) {
                g_mime_object_write_to_stream(GMIME_OBJECT(innere), nullptr, strom.get());
                anlage.data = stream_bytes(strom.get());
                if (tiefe < max_embedding)
                    anlage.message = std::make_shared<MailMessage>(read_message(innere, anlage.data, tiefe + 1));
            }
        }
        anlage.file_name = attachment_file_name(one_line(name), nachricht.attachments.size() + 1);
        anlage.mime_type = mime_type(objekt);
        anlage.content_id = utf8(kennung);
        nachricht.attachments.append(std::move(anlage));
        return;
    }

    if (!GMIME_IS_TEXT_PART(objekt) || is_attachment_disposition(objekt))
        return;
    GMimeContentType* typ = g_mime_object_get_content_type(objekt);
    for (auto [untertyp, ziel] : {std::pair{"plain", &nachricht.body}, std::pair{"html", &nachricht.html}}) {
        if (ziel->isNull() && g_mime_content_type_is_type(typ, "text", untertyp)) {
            GText text(g_mime_text_part_get_text(GMIME_TEXT_PART(objekt)));
            *ziel = text ? utf8(text.get()) : QString(QLatin1String(""));
        }
    }
}

MailMessage read_message(GMimeMessage* nachricht, const QByteArray& roh, int tiefe)
{
    MailMessage m;
    m.subject = one_line(g_mime_message_get_subject(nachricht));
    m.message_id = utf8(g_mime_message_get_message_id(nachricht));
    m.headers = header_block(roh);
    m.size = roh.size();
    if (GDateTime* datum = g_mime_message_get_date(nachricht))
        m.date = QDateTime::fromSecsSinceEpoch(g_date_time_to_unix(datum), Qt::UTC);
    // The first Received field is the newest: the stamp of the delivery.
    if (const char* empfangen = g_mime_object_get_header(GMIME_OBJECT(nachricht), "Received")) {
        const char* stempel = std::strrchr(empfangen, ';');
        m.received = utc(stempel != nullptr ? g_mime_utils_header_decode_date(stempel + 1) : nullptr);
    }
    if (!m.received.isValid())
        m.received = m.date;

    m.from = first_address(g_mime_message_get_from(nachricht));
    m.sender = first_address(g_mime_message_get_sender(nachricht));
    if (m.sender.address.isEmpty())
        m.sender = m.from;
    collect_addresses(g_mime_message_get_to(nachricht), m.to);
    collect_addresses(g_mime_message_get_cc(nachricht), m.cc);
    collect_addresses(g_mime_message_get_bcc(nachricht), m.bcc);
    walk(g_mime_message_get_mime_part(nachricht), m, tiefe);
    // Readers that show plain text only would show an HTML-only mail empty.
    if (m.body.isNull() && !m.html.isNull())
        m.body = html_as_text(m.html);
    return m;
}

}  // namespace

QString attachment_file_name(const QString& carried, int position)
{
    const int trenner = std::max(carried.lastIndexOf(QLatin1Char('/')), carried.lastIndexOf(QLatin1Char('\\')));
    const QString name = carried.mid(trenner + 1);
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return QStringLiteral("Anlage%1").arg(position);
    return name;
}

bool read_mail(const QByteArray& raw, MailMessage& out)
{
    if (raw.isEmpty())
        return false;
    boundary::ensure_gmime_started();
    GObjectPtr<GMimeStream> strom(g_mime_stream_mem_new_with_buffer(raw.constData(), static_cast<size_t>(raw.size())));
    GObjectPtr<GMimeParser> parser(g_mime_parser_new_with_stream(strom.get()));
    g_mime_parser_set_format(parser.get(), GMIME_FORMAT_MESSAGE);

    // Real mail often breaks the encoded-word and parameter rules; read it as
    // a mail client would rather than reject it.
    std::unique_ptr<GMimeParserOptions, OptionsDeleter> optionen(g_mime_parser_options_new());
    g_mime_parser_options_set_rfc2047_compliance_mode(optionen.get(), GMIME_RFC_COMPLIANCE_LOOSE);
    g_mime_parser_options_set_parameter_compliance_mode(optionen.get(), GMIME_RFC_COMPLIANCE_LOOSE);

    GObjectPtr<GMimeMessage> nachricht(g_mime_parser_construct_message(parser.get(), optionen.get()));
    if (!nachricht)
        return false;
    GMimeHeaderList* kopf = g_mime_object_get_header_list(GMIME_OBJECT(nachricht.get()));
    if (kopf == nullptr || g_mime_header_list_get_count(kopf) == 0)
        return false;

    MailMessage ergebnis = read_message(nachricht.get(), raw, 0);
    out = std::move(ergebnis);
    return true;
}

}  // namespace telvorin::standin
