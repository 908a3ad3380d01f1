// The console writer against what really reaches the process's standard output.
#include "boundary/console.h"

#include <QString>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <unistd.h>

using namespace telvorin::boundary;

// A text longer than one conversion part, with a Latin-1 and a non-Latin-1 character on either side of the part
// boundary at 65536, and a body line's prefix and suffix as pieces of their own: one whole line, read back from a file
// put in standard output's place.
TEST(Console, ALineOfPiecesAcrossAPartBoundaryReachesItsStreamWhole)
{
    QString long_text(65535, QLatin1Char('a'));
    long_text += QChar(0xE4);
    long_text += QChar(0x20AC);
    long_text += QStringLiteral("zz");
    QTemporaryFile file;
    ASSERT_TRUE(file.open());
    const int saved = ::dup(STDOUT_FILENO);
    ::dup2(file.handle(), STDOUT_FILENO);
    write_console_latin1(Console::output, {u"BODY '", long_text, u"'"});
    ::dup2(saved, STDOUT_FILENO);
    ::close(saved);
    file.seek(0);
    EXPECT_EQ(file.readAll(), "BODY '" + QByteArray(65535, 'a') + "\xe4?zz'\n");
}
