// Text from outside: bytes of unknown encoding, control characters, and the one line a refusal writes to standard error.
#pragma once

#include <QByteArray>
#include <QString>

namespace telvorin::boundary {

// Whether `bytes` are UTF-8 as RFC 3629 defines it: no overlong form, no
// surrogate, nothing beyond U+10FFFF, and no sequence cut off at the end.
// Noncharacters and NUL are characters like any other.
[[nodiscard]] bool is_utf8(const char* bytes, qsizetype size);
[[nodiscard]] inline bool is_utf8(const QByteArray& bytes)
{
    return is_utf8(bytes.constData(), bytes.size());
}

// Checks UTF-8 that arrives in pieces (a file read block by block), with a
// sequence allowed to run over from one piece into the next.
class Utf8Check {
public:
    void add(const char* bytes, qsizetype size);
    // No invalid sequence so far; what was added may end inside a sequence.
    bool valid_so_far() const { return m_valid; }
    // Valid, and the last sequence is complete.
    bool valid() const { return m_valid && m_pending == 0; }

private:
    bool m_valid = true;
    int m_pending = 0;        // continuation bytes still expected
    unsigned char m_low = 0;  // the range the next continuation byte must lie in
    unsigned char m_high = 0;
};

// `bytes` as UTF-8 when they are valid UTF-8 (a byte-order mark stays a
// character), otherwise as Latin-1, in which every byte is a character:
// programs and people hand over text in either.
QString utf8_or_latin1(const QByteArray& bytes);

// C0 controls, DEL and C1 controls: what a terminal or a mail reader may
// take for a line break or an escape.
constexpr bool is_control(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

enum class Tabs { replace, keep };

// `text` with every control character replaced by `replacement`. A tab is
// white space in a mail header and may be kept there.
QString replace_controls(QString text, QChar replacement, Tabs tabs = Tabs::replace);

// `text` with CR and LF replaced by `replacement` and nothing else: the one
// exception to the rule above, for a line of the result file, which names a
// saved file by its full path and so keeps whatever else that name holds.
QString replace_line_ends(QString text, QChar replacement);

// Writes `line` and "\n" to standard error at once, in Latin-1 (a character
// beyond it as "?") and control characters as "?", so that nothing a caller,
// a server or a file name brings along can start a line or a terminal
// escape of its own.
void write_error_line(const QString& line);

// The system's text for the error number `error`, as a line names a cause.
QString system_reason(int error);

}  // namespace telvorin::boundary
