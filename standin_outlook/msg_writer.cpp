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
// | 1013 | HTML body (binary, UTF-8)         | M  | the first text/html part that is no attachment         |
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

constexpr quint32 tag(quint16 id, quint16 typ)
{
    return (quint32(id) << 16) | typ;
}

// Readable and writable, as Outlook marks the properties it saves.
constexpr quint32 property_flags = 0x00000006;

// The class identifier of a message file's root storage.
constexpr guint8 message_class_id[16] = {0x0B, 0x0D, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00,
                                         0xC0, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x46};

struct Property {
    quint32 tag;
    quint64 fixed;      // value of a fixed-size property
    QByteArray stream;  // contents of a variable-size one
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
    // An attached mail: its entry has no value, its storage follows separately.
    void object(quint16 id) { m_properties.push_back({tag(id, pt_object), 0, {}}); }

    // The property stream: `header` followed by one 16-byte entry per property.
    QByteArray property_stream(const QByteArray& header) const
    {
        QByteArray strom = header;
        for (const Property& p : m_properties) {
            char eintrag[16] = {};
            qToLittleEndian<quint32>(p.tag, eintrag);
            qToLittleEndian<quint32>(property_flags, eintrag + 4);
            const quint16 typ = quint16(p.tag & 0xFFFF);
            if (typ == pt_unicode)  // the size counts the terminating NUL that the stream leaves out
                qToLittleEndian<quint32>(quint32(p.stream.size() + 2), eintrag + 8);
            else if (typ == pt_object)
                qToLittleEndian<quint32>(0xFFFFFFFFu, eintrag + 8);
            else if (typ == pt_binary)
                qToLittleEndian<quint32>(quint32(p.stream.size()), eintrag + 8);
            else
                qToLittleEndian<quint64>(p.fixed, eintrag + 8);
            strom.append(eintrag, sizeof eintrag);
        }
        return strom;
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

QString display_list(const QVector<MailAddress>& liste)
{
    QStringList namen;
    for (const MailAddress& a : liste)
        namen << shown_name(a);
    return namen.join(QLatin1String("; "));
}

// Writes storages and streams and remembers the first failure, so that the
// caller checks once at the end.
class CompoundWriter {
public:
    void stream(GsfOutfile* ordner, const QByteArray& name, const QByteArray& inhalt)
    {
        GsfOutput* strom = gsf_outfile_new_child(ordner, name.constData(), FALSE);
        if (strom == nullptr) {
            m_ok = false;
            return;
        }
        if (!inhalt.isEmpty()
            && !gsf_output_write(strom, static_cast<size_t>(inhalt.size()), reinterpret_cast<const guint8*>(inhalt.constData())))
            m_ok = false;
        if (!gsf_output_close(strom))
            m_ok = false;
        g_object_unref(strom);
    }

    void properties(GsfOutfile* ordner, const PropertySet& satz, const QByteArray& kopf)
    {
        stream(ordner, "__properties_version1.0", satz.property_stream(kopf));
        for (const Property& p : satz.properties()) {
            const quint16 typ = quint16(p.tag & 0xFFFF);
            if (typ == pt_unicode || typ == pt_binary)
                stream(ordner, "__substg1.0_" + QByteArray::number(p.tag, 16).toUpper().rightJustified(8, '0'), p.stream);
        }
    }

    // A sub-storage of `eltern` that `inhalt` fills.
    template <class Inhalt>
    void storage(GsfOutfile* eltern, const QByteArray& name, Inhalt&& inhalt)
    {
        GsfOutput* ordner = gsf_outfile_new_child(eltern, name.constData(), TRUE);
        if (ordner == nullptr) {
            m_ok = false;
            return;
        }
        inhalt(GSF_OUTFILE(ordner));
        if (!gsf_output_close(ordner))
            m_ok = false;
        g_object_unref(ordner);
    }

    bool ok() const { return m_ok; }

private:
    bool m_ok = true;
};

// The prefix that a store derives from a subject: one to three characters
// other than colon, blank and digit, then a colon and any blanks; it is kept
// as those characters and ": ". Returns {prefix, normalized subject}.
std::pair<QString, QString> split_subject(const QString& betreff)
{
    for (int n = 1; n <= 3 && n < betreff.size(); ++n) {
        const QChar c = betreff[n - 1];
        if (c == QLatin1Char(':') || c == QLatin1Char(' ') || (c >= QLatin1Char('0') && c <= QLatin1Char('9')))
            break;
        if (betreff[n] == QLatin1Char(':')) {
            int rest = n + 1;
            while (rest < betreff.size() && betreff[rest] == QLatin1Char(' '))
                ++rest;
            return {betreff.left(n) + QLatin1String(": "), betreff.mid(rest)};
        }
    }
    return {QLatin1String(""), betreff};
}

void address_properties(PropertySet& p, const MailAddress& a, quint16 name, quint16 typ, quint16 adresse, quint16 smtp)
{
    if (!shown_name(a).isEmpty())
        p.text(name, shown_name(a));
    if (a.address.isEmpty())
        return;
    p.text(typ, QStringLiteral("SMTP"));
    p.text(adresse, a.address);
    p.text(smtp, a.address);
}

PropertySet message_properties(const MailMessage& m)
{
    PropertySet p;
    p.text(0x001A, QStringLiteral("IPM.Note"));
    const auto [praefix, normalisiert] = split_subject(m.subject);
    p.text(0x0037, m.subject);
    p.text(0x003D, praefix);
    p.text(0x0E1D, normalisiert);
    p.text(0x0070, normalisiert);
    if (!m.body.isNull())
        p.text(0x1000, m.body);
    if (!m.html.isNull())
        p.binary(0x1013, m.html.toUtf8());
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

PropertySet recipient_properties(const MailAddress& a, quint32 art, quint32 nummer)
{
    PropertySet p;
    p.number(0x3000, nummer);
    p.number(0x0C15, art);
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
    QSet<QString> kennungen;
    const QLatin1String cid("cid:");
    const QString trenner = QStringLiteral("\"'()<> \t\r\n");
    for (int i = html.indexOf(cid, 0, Qt::CaseInsensitive); i >= 0;) {
        int ende = i + cid.size();
        while (ende < html.size() && !trenner.contains(html[ende]))
            ++ende;
        kennungen.insert(html.mid(i + cid.size(), ende - i - cid.size()));
        i = html.indexOf(cid, ende, Qt::CaseInsensitive);
    }
    return kennungen;
}

PropertySet attachment_properties(const MailAttachment& a, const QSet<QString>& im_html, quint32 nummer)
{
    PropertySet p;
    p.number(0x0E21, nummer);
    p.number(0x370B, 0xFFFFFFFFu);
    p.number(0x0E20, quint32(a.data.size()));
    if (a.message) {
        p.number(0x3705, 5);
        p.object(0x3701);
    } else {
        p.number(0x3705, 1);
        p.binary(0x3701, a.data);
    }
    for (quint16 id : {0x3704, 0x3707, 0x3001})
        p.text(id, a.file_name);
    const int punkt = a.file_name.lastIndexOf(QLatin1Char('.'));
    if (punkt >= 0)
        p.text(0x3703, a.file_name.mid(punkt));
    if (!a.mime_type.isEmpty())
        p.text(0x370E, a.mime_type);
    if (!a.content_id.isEmpty()) {
        p.text(0x3712, a.content_id);
        // Shown in the HTML, not in the attachment list.
        const bool gezeigt = im_html.contains(a.content_id);
        p.number(0x3714, gezeigt ? 4 : 0);
        p.flag(0x7FFE, gezeigt);
    }
    return p;
}

QByteArray storage_name(const char* art, quint32 nummer)
{
    return QByteArray(art) + QByteArray::number(nummer, 16).toUpper().rightJustified(8, '0');
}

// The header of a message's property stream: 32 bytes at the top level, 24
// for an attached mail.
QByteArray message_header(quint32 empfaenger, quint32 anlagen, bool oben)
{
    QByteArray kopf(oben ? 32 : 24, '\0');
    qToLittleEndian<quint32>(empfaenger, kopf.data() + 8);   // next recipient id
    qToLittleEndian<quint32>(anlagen, kopf.data() + 12);     // next attachment id
    qToLittleEndian<quint32>(empfaenger, kopf.data() + 16);  // recipient count
    qToLittleEndian<quint32>(anlagen, kopf.data() + 20);     // attachment count
    return kopf;
}

void write_message(CompoundWriter& schreiber, GsfOutfile* ordner, const MailMessage& m, bool oben)
{
    const QByteArray kopf8(8, '\0');
    quint32 empfaenger = 0;
    for (const auto& [liste, art] : {std::pair{&m.to, 1u}, std::pair{&m.cc, 2u}, std::pair{&m.bcc, 3u}})
        for (const MailAddress& a : *liste) {
            const PropertySet satz = recipient_properties(a, art, empfaenger);
            schreiber.storage(ordner, storage_name("__recip_version1.0_#", empfaenger),
                              [&](GsfOutfile* r) { schreiber.properties(r, satz, kopf8); });
            ++empfaenger;
        }
    quint32 anlagen = 0;
    const QSet<QString> im_html = referenced_ids(m.html);
    for (const MailAttachment& a : m.attachments) {
        schreiber.storage(ordner, storage_name("__attach_version1.0_#", anlagen), [&](GsfOutfile* s) {
            if (a.message)
                schreiber.storage(s, "__substg1.0_3701000D",
                                  [&](GsfOutfile* innen) { write_message(schreiber, innen, *a.message, false); });
            schreiber.properties(s, attachment_properties(a, im_html, anlagen), kopf8);
        });
        ++anlagen;
    }
    if (oben)
        schreiber.storage(ordner, "__nameid_version1.0", [&](GsfOutfile* n) {
            for (const char* name : {"__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102"})
                schreiber.stream(n, name, QByteArray());
        });
    schreiber.properties(ordner, message_properties(m), message_header(empfaenger, anlagen, oben));
}

}  // namespace

bool write_msg(const MailMessage& message, const QString& path)
{
    const QByteArray name = QFile::encodeName(path);
    return save_file(path, [&](std::FILE* datei) {
        GsfOutput* ziel = gsf_output_stdio_new_FILE(name.constData(), datei, TRUE);
        if (ziel == nullptr)
            return false;
        GsfOutfile* wurzel = gsf_outfile_msole_new(ziel);
        g_object_unref(ziel);  // the compound file holds its own reference
        if (wurzel == nullptr)
            return false;
        gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(wurzel), message_class_id);
        CompoundWriter schreiber;
        write_message(schreiber, wurzel, message, true);
        const bool geschlossen = gsf_output_close(GSF_OUTPUT(wurzel));
        g_object_unref(wurzel);
        return schreiber.ok() && geschlossen;
    });
}

}  // namespace telvorin::standin
