// The console writer against what really reaches the process's standard output and standard error.
#include "boundary/console.h"

#include <QString>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

#include <functional>
#include <utility>

using namespace telvorin::boundary;

namespace {

// What `write` puts on standard output and on standard error, each read back from a file put in its place.
std::pair<QByteArray, QByteArray> captured(const std::function<void()>& write)
{
    QTemporaryFile files[2];
    const int fds[2] = {STDOUT_FILENO, STDERR_FILENO};
    int saved[2];
    for (int i = 0; i < 2; ++i) {
        if (!files[i].open())
            return {"no temporary file", "no temporary file"};
        saved[i] = ::dup(fds[i]);
        ::dup2(files[i].handle(), fds[i]);
    }
    write();
    QByteArray written[2];
    for (int i = 0; i < 2; ++i) {
        ::dup2(saved[i], fds[i]);
        ::close(saved[i]);
        files[i].seek(0);
        written[i] = files[i].readAll();
    }
    return {written[0], written[1]};
}

}  // namespace

TEST(Console, EachLineReachesItsStreamWhole)
{
    // A text longer than one conversion part, with a Latin-1 and a non-Latin-1 character on either side of the
    // part boundary at 65536, and a body line's prefix and suffix as pieces of their own.
    QString long_text(65535, QLatin1Char('a'));
    long_text += QChar(0xE4);
    long_text += QChar(0x20AC);
    long_text += QStringLiteral("zz");
    const QByteArray long_line = "BODY '" + QByteArray(65535, 'a') + "\xe4?zz'\n";
    const struct {
        const char* name;
        Console console;
        std::function<void()> write;
        QByteArray expected;
    } cases[] = {
        {"bytes as they are", Console::output, [] { write_console_bytes(Console::output, "\xe4\r\x1b", 3); },
         "\xe4\r\x1b\n"},
        {"no bytes, one line end", Console::error, [] { write_console_bytes(Console::error, "", 0); }, "\n"},
        {"Latin-1, beyond it ?", Console::error,
         [] { write_console_latin1(Console::error, {u"Gr\u00fc\u00dfe \u20ac"}); }, "Gr\xfc\xdf" "e ?\n"},
        {"pieces in one line across a part boundary", Console::output,
         [&] { write_console_latin1(Console::output, {u"BODY '", long_text, u"'"}); }, long_line},
        {"no pieces", Console::output, [] { write_console_latin1(Console::output, {}); }, "\n"},
    };
    for (const auto& c : cases) {
        const auto [output, error] = captured(c.write);
        EXPECT_EQ(output, c.console == Console::output ? c.expected : QByteArray()) << c.name;
        EXPECT_EQ(error, c.console == Console::error ? c.expected : QByteArray()) << c.name;
    }
}
