// Writing an Outlook message file with libgsf's compound-file writer.
#include "msg_writer.h"

#include <QFile>
#include <QtEndian>

#include <gsf/gsf-outfile-msole.h>
#include <gsf/gsf-outfile.h>
#include <gsf/gsf-output-stdio.h>
#include <gsf/gsf-output.h>

#include <vector>

namespace telvorin::standin {

namespace {

// Property types of the MAPI property tags used here.
constexpr quint16 pt_long = 0x0003;
constexpr quint16 pt_boolean = 0x000B;
constexpr quint16 pt_systime = 0x0040;
constexpr quint16 pt_unicode = 0x001F;
constexpr quint16 pt_binary = 0x0102;

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

QString display_name(const MailAddress& a)
{
    return a.name.isEmpty() ? a.address : a.name;
}

QString display_list(const QVector<MailAddress>& liste)
{
    QStringList namen;
    for (const MailAddress& a : liste)
        namen << display_name(a);
    return namen.join(QLatin1String("; "));
}

// Writes storages and streams and remembers the first failure, so that the
// caller checks once at the end.
class CompoundWriter {
public:
    explicit CompoundWriter(GsfOutfile* wurzel) : m_wurzel(wurzel) {}

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

    // A sub-storage holding `satz`, with the 8-byte header of recipients and attachments.
    void storage(const QByteArray& name, const PropertySet& satz)
    {
        GsfOutput* ordner = gsf_outfile_new_child(m_wurzel, name.constData(), TRUE);
        if (ordner == nullptr) {
            m_ok = false;
            return;
        }
        properties(GSF_OUTFILE(ordner), satz, QByteArray(8, '\0'));
        if (!gsf_output_close(ordner))
            m_ok = false;
        g_object_unref(ordner);
    }

    // The named-property mapping; readers expect it even when it maps nothing.
    void empty_name_map()
    {
        GsfOutput* ordner = gsf_outfile_new_child(m_wurzel, "__nameid_version1.0", TRUE);
        if (ordner == nullptr) {
            m_ok = false;
            return;
        }
        for (const char* name : {"__substg1.0_00020102", "__substg1.0_00030102", "__substg1.0_00040102"})
            stream(GSF_OUTFILE(ordner), name, QByteArray());
        if (!gsf_output_close(ordner))
            m_ok = false;
        g_object_unref(ordner);
    }

    GsfOutfile* root() const { return m_wurzel; }
    bool ok() const { return m_ok; }

private:
    GsfOutfile* m_wurzel;
    bool m_ok = true;
};

PropertySet message_properties(const MailMessage& m)
{
    PropertySet p;
    p.text(0x001A, QStringLiteral("IPM.Note"));
    p.text(0x0037, m.subject);
    p.text(0x0E1D, m.subject);
    p.text(0x1000, m.body);
    p.text(0x0C1A, display_name(m.sender));
    p.text(0x0C1F, m.sender.address);
    p.text(0x0C1E, QStringLiteral("SMTP"));
    p.text(0x5D01, m.sender.address);
    p.text(0x0042, display_name(m.sender));
    p.text(0x0065, m.sender.address);
    p.text(0x0064, QStringLiteral("SMTP"));
    p.text(0x0E04, display_list(m.to));
    p.text(0x0E03, display_list(m.cc));
    p.text(0x0E02, QString());
    if (!m.message_id.isEmpty())
        p.text(0x1035, QLatin1Char('<') + m.message_id + QLatin1Char('>'));
    p.time(0x0039, m.date);
    p.time(0x0E06, m.date);
    // Read; has attachments.
    p.number(0x0E07, m.attachments.isEmpty() ? 0x01 : 0x11);
    p.flag(0x0E1B, !m.attachments.isEmpty());
    // The store supports Unicode strings, which every string here is.
    p.number(0x340D, 0x00040000);
    p.number(0x3FDE, 65001);
    return p;
}

PropertySet recipient_properties(const MailAddress& a, quint32 art, quint32 nummer)
{
    PropertySet p;
    p.number(0x3000, nummer);
    p.number(0x0C15, art);
    p.number(0x0FFE, 6);  // a mail user
    p.number(0x3900, 0);  // shown as a plain user
    p.text(0x3001, display_name(a));
    p.text(0x3FFF, display_name(a));
    p.text(0x3002, QStringLiteral("SMTP"));
    p.text(0x3003, a.address);
    p.text(0x39FE, a.address);
    return p;
}

PropertySet attachment_properties(const MailAttachment& a, quint32 nummer)
{
    PropertySet p;
    p.number(0x0E21, nummer);
    p.number(0x3705, 1);              // attached by value
    p.number(0x370B, 0xFFFFFFFFu);    // not rendered in the body
    p.number(0x0E20, quint32(a.data.size()));
    p.binary(0x3701, a.data);
    p.text(0x3704, a.file_name);
    p.text(0x3707, a.file_name);
    p.text(0x3001, a.file_name);
    const int punkt = a.file_name.lastIndexOf(QLatin1Char('.'));
    if (punkt >= 0)
        p.text(0x3703, a.file_name.mid(punkt));
    if (!a.mime_type.isEmpty())
        p.text(0x370E, a.mime_type);
    return p;
}

QByteArray storage_name(const char* art, quint32 nummer)
{
    return QByteArray(art) + QByteArray::number(nummer, 16).toUpper().rightJustified(8, '0');
}

// The 32-byte header of a top-level message's property stream.
QByteArray message_header(quint32 empfaenger, quint32 anlagen)
{
    QByteArray kopf(32, '\0');
    qToLittleEndian<quint32>(empfaenger, kopf.data() + 8);   // next recipient id
    qToLittleEndian<quint32>(anlagen, kopf.data() + 12);     // next attachment id
    qToLittleEndian<quint32>(empfaenger, kopf.data() + 16);  // recipient count
    qToLittleEndian<quint32>(anlagen, kopf.data() + 20);     // attachment count
    return kopf;
}

}  // namespace

bool write_msg(const MailMessage& message, const QString& path)
{
    GError* fehler = nullptr;
    GsfOutput* ziel = gsf_output_stdio_new(QFile::encodeName(path).constData(), &fehler);
    if (ziel == nullptr) {
        g_clear_error(&fehler);
        return false;
    }
    GsfOutfile* wurzel = gsf_outfile_msole_new(ziel);
    g_object_unref(ziel);  // the compound file holds its own reference
    if (wurzel == nullptr)
        return false;
    gsf_outfile_msole_set_class_id(GSF_OUTFILE_MSOLE(wurzel), message_class_id);

    CompoundWriter schreiber(wurzel);
    quint32 empfaenger = 0;
    for (const auto& [liste, art] : {std::pair{&message.to, 1u}, std::pair{&message.cc, 2u}})
        for (const MailAddress& a : *liste) {
            schreiber.storage(storage_name("__recip_version1.0_#", empfaenger),
                              recipient_properties(a, art, empfaenger));
            ++empfaenger;
        }
    quint32 anlagen = 0;
    for (const MailAttachment& a : message.attachments) {
        schreiber.storage(storage_name("__attach_version1.0_#", anlagen), attachment_properties(a, anlagen));
        ++anlagen;
    }
    schreiber.empty_name_map();
    schreiber.properties(wurzel, message_properties(message), message_header(empfaenger, anlagen));

    const bool geschlossen = gsf_output_close(GSF_OUTPUT(wurzel));
    g_object_unref(wurzel);
    return schreiber.ok() && geschlossen;
}

}  // namespace telvorin::standin
