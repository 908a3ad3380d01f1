// Writing an Outlook message file with libgsf's compound-file writer.
//
// What the file carries and where each value comes from (M: message, R: recipient, A: attachment):
//
// | tag  | property                          | in | from the mail                                          |
// |------|-----------------------------------|----|--------------------------------------------------------|
// | 001A | message class                     | M  | always IPM.Note                                        |
// | 0037 | subject                           | M  | Subject, decoded, control characters as blanks         |
// | 003D | subject prefix                    | M  | Subject: 1-3 characters but colon, blank, digit, ":"   |
// | 0E1D | normalized subject                | M  | Subject after the prefix and its blanks                |
// | 0070 | conversation topic                | M  | the normalized subject                                 |
// | 1000 | body                              | M  | the first text/plain part that is no attachment, else  |
// |      |                                   |    | the HTML as plain text (html_text.h)                   |
// | 1013 | HTML body (binary, UTF-8)         | M  | the first text/html part that is no attachment, its    |
// |      |                                   |    | <meta> charset declaration naming utf-8                |
// | 3FDE | internet code page                | M  | 65001, the code page of 1013                           |
// | 007D | transport message headers         | M  | the header block as it travelled                       |
// | 0C1A | sender name                       | M  | Sender, else From: its display name, else its address  |
// | 0C1E 0C1F 5D01 | sender type, address, SMTP | M | Sender, else From: SMTP and its address                |
// | 0042 | sent-representing name            | M  | From: its display name, else its address               |
// | 0064 0065 5D02 | sent-repr. type, address, SMTP | M | From: SMTP and its address                        |
// | 0E04 0E03 0E02 | display To, Cc, Bcc       | M  | names, or the address of a recipient without one       |
// | 1035 | internet message id               | M  | Message-ID, in angle brackets                          |
// | 0039 | client submit time                | M  | Date                                                   |
// | 0E06 | message delivery time             | M  | the newest Received stamp, else Date                   |
// | 3007 3008 | creation, modification time  | M  | as the delivery time: the item came into being then    |
// | 0E08 | message size                      | M  | bytes of the mail as it travelled                      |
// | 0E07 | message flags                     | M  | read, and has-attachments when it has any              |
// | 0E1B | has attachments                   | M  | any attachment                                         |
// | 340D | store support mask                | M  | Unicode strings, which every string here is            |
// | 3000 0C15 0FFE 3900 | row, type, object, display type | R | position; To 1, Cc 2, Bcc 3; mail user       |
// | 3001 5FF6 | display name                 | R  | the address's display name, else the address           |
// | 3002 3003 39FE | type, address, SMTP      | R  | SMTP and the address                                   |
// | 0E21 3705 | number, method               | A  | position; 1 by value, 5 an attached mail               |
// | 3701 | data (binary) or message (object) | A  | the decoded part, or the attached mail's storage       |
// | 3704 3707 3001 3703 | names, extension     | A  | the carried name's last component (long name in both)  |
// | 370E 3712 | MIME type, content id        | A  | Content-Type, Content-ID                               |
// | 370B | rendering position                | A  | 0xFFFFFFFF: nothing is placed in a plain body          |
// | 3714 7FFE | flags, hidden                | A  | 4 and hidden when the HTML refers to the content id    |
// | 0E20 | size                              | A  | bytes of the data                                      |
//
// An attached mail's storage __substg1.0_3701000D holds the M and R rows of
// that mail, under a 24-byte property header. __nameid_version1.0 is written
// at the top level only, with its three streams; no named property is used,
// so they are empty.
#include "standin_outlook/msg_writer.h"

#include "standin_outlook/file_saving.h"
#include "standin_outlook/html_text.h"

#include <QFile>
#include <QSet>
#include <QtEndian>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>

#include <algorithm>
#include <utility>
#include <vector>

namespace telvorin::standin {

namespace {

// Property types of the MAPI property tags used here.
constexpr quint16 pt_long = 0x0003;
constexpr quint16 pt_boolean = 0x000B;
constexpr quint16 pt_systime = 0x0040;
constexpr quint16 pt_unicode = 0x001F;
constexpr quint16 pt_binary = 0x0102;
constexpr quint16 pt_object = 0x000D;

constexpr quint32 tag(quint16 id, quint16 type)
{
    return (quint32(id) << 16) | type;
}

// Readable and writable, as Outlook marks the properties it saves.
constexpr quint32 property_flags = 0x00000006;

// The class identifier of a message file's root storage.
constexpr guint8 message_class_id[16] = {0x0B, 0x0D, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

struct Property {
    quint32 tag;
    quint64 fixed;      // value of a fixed-size property, or the size of a stream written beforehand
    QByteArray stream;  // contents of a variable-size one
    bool written = false;  // its stream is written already, `fixed` bytes long
};

// The properties of one storage (message, recipient or attachment). Fixed
// values go into the property stream; strings and binaries each get a
// stream of their own whose size the property stream records.
class PropertySet {
public:
    void number(quint16 id, quint32 value) { m_properties.push_back({tag(id, pt_long), value, {}}); }
    void flag(quint16 id, bool value) { m_properties.push_back({tag(id, pt_boolean), value ? 1u : 0u, {}}); }
    void time(quint16 id, const QDateTime& value)
    {
        if (!value.isValid())
            return;
        // FILETIME: 100 ns ticks since 1601-01-01 UTC.
        const quint64 ticks = (quint64(value.toSecsSinceEpoch() + 11644473600LL)) * 10000000ULL;
        m_properties.push_back({tag(id, pt_systime), ticks, {}});
    }
    void text(quint16 id, const QString& value)
    {
        QByteArray utf16;
        utf16.resize(value.size() * 2);
        qToLittleEndian<quint16>(value.utf16(), value.size(), utf16.data());
        m_properties.push_back({tag(id, pt_unicode), 0, utf16});
    }
    void binary(quint16 id, const QByteArray& value) { m_properties.push_back({tag(id, pt_binary), 0, value}); }
    void written_binary(quint16 id, quint32 size) { m_properties.push_back({tag(id, pt_binary), size, {}, true}); }
    // An attached mail: its entry has no value, its storage follows separately.
    void object(quint16 id) { m_properties.push_back({tag(id, pt_object), 0, {}}); }

    // The property stream: `header` followed by one 16-byte entry per property.
    QByteArray property_stream(const QByteArray& header) const
    {
        QByteArray bytes = header;
        for (const Property& p : m_properties) {
            char entry[16] = {};
            qToLittleEndian<quint32>(p.tag, entry);
            qToLittleEndian<quint32>(property_flags, entry + 4);
            const quint16 type = quint16(p.tag & 0xFFFF);
            if (type == pt_unicode)  // the size counts the terminating NUL that the stream leaves out
                qToLittleEndian<quint32>(quint32(p.stream.size() + 2), entry + 8);
            else if (type == pt_object)
                qToLittleEndian<quint32>(0xFFFFFFFFu, entry + 8);
            else if (type == pt_binary)
                qToLittleEndian<quint32>(p.written ? quint32(p.fixed) : quint32(p.stream.size()), entry + 8);
            else
                qToLittleEndian<quint64>(p.fixed, entry + 8);
            bytes.append(entry, sizeof entry);
        }
        return bytes;
    }

    const std::vector<Property>& properties() const { return m_properties; }

private:
    std::vector<Property> m_properties;
};

// A mailbox without a display name is shown by its address, as mail clients
// show it; readers expect every recipient and the sender to have a name.
QString shown_name(const MailAddress& a)
{
    return a.name.isEmpty() ? a.address : a.name;
}

QString display_list(const QVector<MailAddress>& list)
{
    QStringList names;
    for (const MailAddress& a : list)
        names << shown_name(a);
    return names.join(QLatin1String("; "));
}

// Writes storages and streams and remembers the first failure, so that the
// caller checks once at the end.
QByteArray stream_name(quint32 property_tag)
{
    return "__substg1.0_" + QByteArray::number(property_tag, 16).toUpper().rightJustified(8, '0');
}

class CompoundWriter {
public:
    // The stream of `a`'s data, written as it is read from the source mail;
    // returns its size.
    quint64 attachment_data(GsfOutfile* dir, const MailAttachment& a)
    {
        GsfOutput* child = gsf_outfile_new_child(dir, stream_name(tag(0x3701, pt_binary)).constData(), FALSE);
        if (child == nullptr) {
            m_ok = false;
            return 0;
        }
        quint64 size = 0;
        if (!read_attachment(a, [&](const char* data, std::size_t n) {
                size += n;
                return bool(gsf_output_write(child, n, reinterpret_cast<const guint8*>(data)));
            }))
            m_ok = false;
        if (!gsf_output_close(child))
            m_ok = false;
        g_object_unref(child);
        return size;
    }

    void stream(GsfOutfile* dir, const QByteArray& name, const QByteArray& content)
    {
        GsfOutput* child = gsf_outfile_new_child(dir, name.constData(), FALSE);
        if (child == nullptr) {
            m_ok = false;
            return;
        }
        if (!content.isEmpty()
            && !gsf_output_write(child, static_cast<size_t>(content.size()), reinterpret_cast<const guint8*>(content.constData())))
            m_ok = false;
        if (!gsf_output_close(child))
            m_ok = false;
        g_object_unref(child);
    }

    void properties(GsfOutfile* dir, const PropertySet& set, const QByteArray& header)
    {
        stream(dir, "__properties_version1.0", set.property_stream(header));
        for (const Property& p : set.properties()) {
            const quint16 type = quint16(p.tag & 0xFFFF);
            if ((type == pt_unicode || type == pt_binary) && !p.written)
                stream(dir, stream_name(p.tag), p.stream);
        }
    }

    // A sub-storage of `parent` that `content` fills.
    template <class Fill>
    void storage(GsfOutfile* parent, const QByteArray& name, Fill&& content)
    {
        GsfOutput* dir = gsf_outfile_new_child(parent, name.constData(), TRUE);
        if (dir == nullptr) {
            m_ok = false;
            return;
        }
        content(GSF_OUTFILE(dir));
        if (!gsf_output_close(dir))
            m_ok = false;
        g_object_unref(dir);
    }

    bool ok() const { return m_ok; }

private:
    bool m_ok = true;
};

// The prefix that a store derives from a subject: one to three characters
// other than colon, blank and digit, then a colon and any blanks; it is kept
// as those characters and ": ". Returns {prefix, normalized subject}.
std::pair<QString, QString> split_subject(const QString& subject)
{
    for (int n = 1; n <= 3 && n < subject.size(); ++n) {
        const QChar c = subject[n - 1];
        if (c == QLatin1Char(':') || c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            break;
        if (subject[n] == QLatin1Char(':')) {
            int rest = n + 1;
            while (rest < subject.size() && subject[rest] == QLatin1Char(' '))
                ++rest;
            return {subject.left(n) + QLatin1String(": "), subject.mid(rest)};
        }
    }
    return {QLatin1String(""), subject};
}

void address_properties(PropertySet& p, const MailAddress& a, quint16 name, quint16 type, quint16 address_id, quint16 smtp)
{
    if (!shown_name(a).isEmpty())
        p.text(name, shown_name(a));
    if (a.address.isEmpty())
        return;
    p.text(type, QStringLiteral("SMTP"));
    p.text(address_id, a.address);
    p.text(smtp, a.address);
}

PropertySet message_properties(const MailMessage& m)
{
    PropertySet p;
    p.text(0x001A, QStringLiteral("IPM.Note"));
    const auto [prefix, normalized] = split_subject(m.subject);
    p.text(0x0037, m.subject);
    p.text(0x003D, prefix);
    p.text(0x0E1D, normalized);
    p.text(0x0070, normalized);
    if (!m.body.isNull())
        p.text(0x1000, m.body);
    // Stored as UTF-8 under code page 65001 for every mail, with the
    // document's own declaration rewritten to match: one code page needs no
    // table from charset names to code pages, and a part whose bytes did not
    // fit its label stays as it was decoded. Readers that follow the
    // document's declaration then read what the others read.
    if (!m.html.isNull())
        p.binary(0x1013, html_declaring_utf8(m.html).toUtf8());
    p.number(0x3FDE, 65001);
    p.text(0x007D, m.headers);
    address_properties(p, m.sender, 0x0C1A, 0x0C1E, 0x0C1F, 0x5D01);
    address_properties(p, m.from, 0x0042, 0x0064, 0x0065, 0x5D02);
    p.text(0x0E04, display_list(m.to));
    p.text(0x0E03, display_list(m.cc));
    p.text(0x0E02, display_list(m.bcc));
    if (!m.message_id.isEmpty())
        p.text(0x1035, QLatin1Char('<') + m.message_id + QLatin1Char('>'));
    p.time(0x0039, m.date);
    for (quint16 id : {0x0E06, 0x3007, 0x3008})
        p.time(id, m.received);
    p.number(0x0E08, quint32(std::min<qint64>(m.size, 0x7FFFFFFF)));
    p.number(0x0E07, m.attachments.isEmpty() ? 0x01 : 0x11);  // read; has attachments
    p.flag(0x0E1B, !m.attachments.isEmpty());
    p.number(0x340D, 0x00040000);
    return p;
}

PropertySet recipient_properties(const MailAddress& a, quint32 kind, quint32 index)
{
    PropertySet p;
    p.number(0x3000, index);
    p.number(0x0C15, kind);
    p.number(0x0FFE, 6);  // a mail user
    p.number(0x3900, 0);  // shown as a plain user
    address_properties(p, a, 0x3001, 0x3002, 0x3003, 0x39FE);
    if (!shown_name(a).isEmpty())
        p.text(0x5FF6, shown_name(a));
    return p;
}

// The content ids that the HTML refers to: "cid:" up to a quote, bracket or
// blank, found in one pass however many attachments there are.
QSet<QString> referenced_ids(const QString& html)
{
    QSet<QString> ids;
    const QLatin1String cid("cid:");
    const QString delimiters = QStringLiteral("\"'()<> \t\r\n");
    for (int i = html.indexOf(cid, 0, Qt::CaseInsensitive); i >= 0;) {
        int stop = i + cid.size();
        while (stop < html.size() && !delimiters.contains(html[stop]))
            ++stop;
        ids.insert(html.mid(i + cid.size(), stop - i - cid.size()));
        i = html.indexOf(cid, stop, Qt::CaseInsensitive);
    }
    return ids;
}

// `size`: the bytes of its data, whose stream is written already unless it
// is an attached mail.
PropertySet attachment_properties(const MailAttachment& a, quint64 size, const QSet<QString>& in_html, quint32 index)
{
    PropertySet p;
    p.number(0x0E21, index);
    p.number(0x370B, 0xFFFFFFFFu);
    const quint32 shown_size = quint32(std::min<quint64>(size, 0xFFFFFFFFu));
    p.number(0x0E20, shown_size);
    if (a.message) {
        p.number(0x3705, 5);
        p.object(0x3701);
    } else {
        p.number(0x3705, 1);
        p.written_binary(0x3701, shown_size);
    }
    for (quint16 id : {0x3704, 0x3707, 0x3001})
        p.text(id, a.file_name);
    const int dot = a.file_name.lastIndexOf(QLatin1Char('.'));
    if (dot >= 0)
        p.text(0x3703, a.file_name.mid(dot));
    if (!a.mime_type.isEmpty())
        p.text(0x370E, a.mime_type);
    if (!a.content_id.isEmpty()) {
        p.text(0x3712, a.content_id);
        // Shown in the HTML, not in the attachment list.
        const bool shown = in_html.contains(a.content_id);
        p.number(0x3714, shown ? 4 : 0);
        p.flag(0x7FFE, shown);
    }
    return p;
}

QByteArray storage_name(const char* kind, quint32 index)
{
    return QByteArray(kind) + QByteArray::number(index, 16).toUpper().rightJustified(8, '0');
}

// The header of a message's property stream: 32 bytes at the top level, 24
// for an attached mail.
QByteArray message_header(quint32 recipient_count, quint32 attachment_count, bool top_level)
{
    QByteArray header(top_level ? 32 : 24, '\0');
    qToLittleEndian<quint32>(recipient_count, header.data() + 8);    // next recipient id
    qToLittleEndian<quint32>(attachment_count, header.data() + 12);  // next attachment id
    qToLittleEndian<quint32>(recipient_count, header.data() + 16);   // recipient count
    qToLittleEndian<quint32>(attachment_count, header.data() + 20);  // attachment count
    return header;
}

void write_message(CompoundWriter& writer, GsfOutfile* dir, const MailMessage& m, bool top_level)
{
    const QByteArray short_header(8, '\0');
    quint32 recipient_count = 0;
    for (const auto& [list, kind] : {std::pair{&m.to, 1u}, std::pair{&m.cc, 2u}, std::pair{&m.bcc, 3u}})
        for (const MailAddress& a : *list) {
            const PropertySet set = recipient_properties(a, kind, recipient_count);
            writer.storage(dir, storage_name("__recip_version1.0_#", recipient_count),
                              [&](GsfOutfile* r) { writer.properties(r, set, short_header); });
            ++recipient_count;
        }
    quint32 attachment_count = 0;
    const QSet<QString> in_html = referenced_ids(m.html);
    for (const MailAttachment& a : m.attachments) {
        writer.storage(dir, storage_name("__attach_version1.0_#", attachment_count), [&](GsfOutfile* s) {
            // The data goes first, so that the property stream after it knows its size.
            quint64 size = 0;
            if (a.message) {
                writer.storage(s, "__substg1.0_3701000D",
                                  [&](GsfOutfile* inner) { write_message(writer, inner, *a.message, false); });
                size = quint64(a.message->size);
            } else {
                size = writer.attachment_data(s, a);
            }
            writer.properties(s, attachment_properties(a, size, in_html, attachment_count), short_header);
        });
        ++attachment_count;
    }
    if (top_level)
        writer.storage(dir, "__nameid_version1.0", [&](GsfOutfile* n) {
            for (const char* name : {"__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102"})
                writer.stream(n, name, QByteArray());
        });
    writer.properties(dir, message_properties(m), message_header(recipient_count, attachment_count, top_level));
}

}  // namespace

bool write_msg(const MailMessage& message, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    return save_file(path, [&](std::FILE* file) {
        GsfOutput* output = gsf_output_stdio_new_FILE(name.constData(), file, TRUE);
        if (output == nullptr)
            return false;
        GsfOutfile* root = gsf_outfile_msole_new(output);
        g_object_unref(output);  // the compound file holds its own reference
        if (root == nullptr)
            return false;
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(root), message_class_id);
        CompoundWriter writer;
        write_message(writer, root, message, true);
        const bool closed = gsf_output_close(GSF_OUTPUT(root));
        g_object_unref(root);
        return writer.ok() && closed;
    });
}

}  // namespace telvorin::standin
