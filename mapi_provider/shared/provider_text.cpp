// Text and path conventions at the provider's 8-bit and 16-bit borders.
#include "mapi_provider/shared/provider_text.h"

#include "boundary/glib_ptr.h"
#include "boundary/outside_text.h"

#include <new>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

namespace telvorin::mapi {

QString decode_8bit(const char* text)
{
    return text ? boundary::utf8_or_latin1(QByteArray(text)) : QString();
}

QByteArray encode_8bit(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return text.toUtf8();
    }
    return text.toLatin1();
}

QStringList handed_back_forms(const QString& text)
{
    const QByteArray bytes = encode_8bit(text);
    const QString read_as_latin1 = QString::fromLatin1(bytes);
    return read_as_latin1 == text ? QStringList{text} : QStringList{text, read_as_latin1};
}

QByteArray caller_path(const char* path)
{
    return QByteArray(path ? path : "").replace('\\', '/');
}

QByteArray caller_path(const char16_t* path)
{
    return path ? QString::fromUtf16(path).toUtf8().replace('\\', '/') : QByteArray();
}

namespace {

// One pass, in place: the text only shrinks, so the write position never
// overtakes the read position.
TextBytes with_unix_line_ends(GByteArray* array)
{
    TextBytes bytes(array, boundary::GByteArrayUnref());
    guint8* const data = bytes->data;
    guint out = 0;
    for (guint in = 0; in < bytes->len; ++in) {
        if (data[in] == '\r') {
            data[out++] = '\n';
            if (in + 1 < bytes->len && data[in + 1] == '\n')
                ++in;
        } else {
            data[out++] = data[in];
        }
    }
    g_byte_array_set_size(bytes.get(), out);
    return bytes;
}

}  // namespace

TextBytes text_bytes(const char* text)
{
    const size_t length = text ? std::strlen(text) : 0;
    if (length > G_MAXUINT / 2)
        throw std::bad_alloc();  // beyond what a GLib byte array holds once converted
    if (length == 0 || boundary::is_utf8(text, static_cast<qsizetype>(length))) {
        GByteArray* array = g_byte_array_sized_new(static_cast<guint>(length));
        g_byte_array_append(array, reinterpret_cast<const guint8*>(text ? text : ""), static_cast<guint>(length));
        return with_unix_line_ends(array);
    }
    return text_bytes(boundary::utf8_or_latin1(QByteArray::fromRawData(text, static_cast<int>(length))));
}

TextBytes text_bytes(const QString& text)
{
    const QByteArray utf8 = text.toUtf8();
    GByteArray* array = g_byte_array_sized_new(static_cast<guint>(utf8.size()));
    g_byte_array_append(array, reinterpret_cast<const guint8*>(utf8.constData()), static_cast<guint>(utf8.size()));
    return with_unix_line_ends(array);
}

QString header_text(const QString& text)
{
    return boundary::replace_controls(text, QChar::ReplacementCharacter, boundary::Tabs::keep);
}

QString last_component(const QString& path)
{
    const int slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
}

QString attachment_name(const QString& title, const QByteArray& path)
{
    const QString name = last_component(title);
    return name.isEmpty() ? last_component(decode_8bit(path.constData())) : name;
}

QByteArray absolute_path(const QByteArray& path)
{
    if (path.startsWith('/'))
        return path;
    std::vector<char> buffer(4096);
    while (::getcwd(buffer.data(), buffer.size()) == nullptr) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return path;
        buffer.resize(buffer.size() * 2);
    }
    QByteArray dir(buffer.data());
    if (!dir.endsWith('/'))
        dir += '/';
    return dir + path;
}

}  // namespace telvorin::mapi
