// The console writer against what really reaches the process's standard output.
#include "boundary/console.h"
#include <QString>
#include <QTemporaryFile>
#include <gtest/gtest.h>
#include <unistd.h>

using namespace telvorin::boundary;

// A text longer than one conversion part, a Latin-1 and a non-Latin-1 character either side of its boundary at 65536,
// and a body line's prefix and suffix as pieces: one whole line, read back from a file put in standard output's place.
TEST(Console, ALineOfPiecesAcrossAPartBoundaryReachesItsStreamWhole)
{
    const QString long_text = QString(65535, QLatin1Char('a')) + QChar(0xE4) + QChar(0x20AC) + QStringLiteral("zz");
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
