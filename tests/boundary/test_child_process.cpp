// The child process runner against real programs: no shell, the first line, the exit that ends the wait, the group.
#include "boundary/child_process.h"
#include "boundary/unique_fd.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

using namespace telvorin::boundary;
using End = ChildOutcome::End;
using Output = ChildCommand::Output;
using namespace std::chrono_literals;

namespace {

struct Case {
    const char* name;
    std::vector<QByteArray> argv;
    Output output;
    std::chrono::milliseconds limit;
    End end;  // and the exit code and first line expected
    int exit_code;
    QByteArray first_line;
    bool from_file = false;  // standard input from a file holding "erste\nzweite\n", else /dev/null
};

TEST(ChildProcess, RunsTheArgumentVectorAndEndsAsTheRulesSay)
{
    QTemporaryDir dir;
    QFile file(dir.filePath("eingabe"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("erste\nzweite\n") > 0 && file.flush());
    const Case cases[] = {
        {"input from a descriptor", {"tail", "-n", "1"}, Output::first_line, 5s, End::exited, 0, "zweite", true},
        {"no shell", {"echo", "$HOME; echo x > /tmp/y"}, Output::first_line, 5s, End::exited, 0, "$HOME; echo x > /tmp/y"},
        {"first line without CR LF", {"printf", "geheim\r\nzweite\n"}, Output::first_line, 5s, End::exited, 0, "geheim"},
        {"exit status passes", {"sh", "-c", "echo a; exit 3"}, Output::first_line, 5s, End::exited, 3, "a"},
        {"not on PATH", {"telvorin-gibt-es-nicht"}, Output::first_line, 5s, End::not_started, -1, ""},
        // A background child keeps the pipe open for three seconds: the wait ends with the command, not the pipe.
        {"exit ends the wait", {"sh", "-c", "echo geheim; sleep 3 &"}, Output::first_line, 2s, End::exited, 0, "geheim"},
        {"limit", {"sleep", "5"}, Output::discard, 300ms, End::timed_out, -1, ""},
        {"endless output", {"yes"}, Output::first_line, 5s, End::too_much_output, -1, ""},
        {"own group", {"sh", "-c", "test $(cut -d' ' -f5 /proc/$$/stat) = $$"}, Output::discard, 5s, End::exited, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const UniqueFd input(c.from_file ? ::open(QFile::encodeName(file.fileName()).constData(), O_RDONLY) : -1);
        const ChildOutcome outcome = run_child({c.argv, input.get(), c.output, false, true, c.limit});
        EXPECT_EQ(outcome.end, c.end);
        EXPECT_EQ(outcome.exit_code, c.exit_code);
        EXPECT_EQ(outcome.first_line, c.first_line);
    }
}

}  // namespace
