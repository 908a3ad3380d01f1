// Text from outside: UTF-8 or Latin-1, control characters, and the line for standard error.
#include "boundary/outside_text.h"

#include "boundary/console.h"

#include <QTextCodec>

#include <system_error>

namespace telvorin::boundary {

// RFC 3629's table of well-formed sequences: the lead byte fixes the
// length and the range of the first continuation byte, which is what rules
// out overlong forms, surrogates and values beyond U+10FFFF.
void Utf8Check::add(const char* bytes, qsizetype size)
{
    for (qsizetype i = 0; i < size && m_valid; ++i) {
        const auto b = static_cast<unsigned char>(bytes[i]);
        if (m_pending > 0) {
            m_valid = b >= m_low && b <= m_high;
            m_low = 0x80;
            m_high = 0xBF;
            --m_pending;
            continue;
        }
        m_low = 0x80;
        m_high = 0xBF;
        if (b < 0x80)
            continue;
        if (b >= 0xC2 && b <= 0xDF) {
            m_pending = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            m_pending = 2;
            if (b == 0xE0)
                m_low = 0xA0;
            else if (b == 0xED)
                m_high = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            m_pending = 3;
            if (b == 0xF0)
                m_low = 0x90;
            else if (b == 0xF4)
                m_high = 0x8F;
        } else {
            m_valid = false;
        }
    }
}

bool is_utf8(const char* bytes, qsizetype size)
{
    Utf8Check check;
    check.add(bytes, size);
    return check.valid();
}

QString utf8_or_latin1(const QByteArray& bytes)
{
    if (!is_utf8(bytes))
        return QString::fromLatin1(bytes);
    // QString::fromUtf8() would drop a leading byte-order mark.
    QTextCodec::ConverterState state(QTextCodec::IgnoreHeader);
    return QTextCodec::codecForMib(106)->toUnicode(bytes.constData(), bytes.size(), &state);
}

QString replace_controls(QString text, QChar replacement, Tabs tabs)
{
    for (QChar& c : text) {
        if (is_control(c.unicode()) && !(tabs == Tabs::keep && c == QLatin1Char('\t')))
            c = replacement;
    }
    return text;
}

QString replace_line_ends(QString text, QChar replacement)
{
    for (QChar& c : text) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\n'))
            c = replacement;
    }
    return text;
}

void write_error_line(const QString& line)
{
    write_console_latin1(Console::error, {replace_controls(line, QLatin1Char('?'))});
}

QString system_reason(int error)
{
    // Unlike strerror(), safe while another thread asks too.
    return QString::fromLocal8Bit(std::generic_category().message(error).c_str());
}

}  // namespace telvorin::boundary
