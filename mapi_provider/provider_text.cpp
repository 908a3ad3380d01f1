// Text and path conventions at the provider's 8-bit and 16-bit borders.
#include "provider_text.h"

#include <QTextCodec>

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <vector>

namespace telvorin::mapi {

QString decode_8bit(const QByteArray& text)
{
    QTextCodec* utf8 = QTextCodec::codecForMib(106);
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    const QString decoded = utf8->toUnicode(text.constData(), text.size(), &state);
    // remainingChars catches a sequence cut off at the end, which is no
    // valid UTF-8 either.
    if (state.invalidChars == 0 && state.remainingChars == 0)
        return decoded;
    return QString::fromLatin1(text);
}

QString decode_8bit(const char* text)
{
    return text ? decode_8bit(QByteArray(text)) : QString();
}

QByteArray encode_8bit(const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() > 0xFF)
            return text.toUtf8();
    }
    return text.toLatin1();
}

QByteArray posix_path(const QByteArray& windows_path)
{
    QByteArray path = windows_path;
    path.replace('\\', '/');
    return path;
}

QString last_component(const QString& path)
{
    const int slash = std::max(path.lastIndexOf(QLatin1Char('/')), path.lastIndexOf(QLatin1Char('\\')));
    return path.mid(slash + 1);
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
