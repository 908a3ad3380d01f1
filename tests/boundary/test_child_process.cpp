// The child process runner against real programs: no shell, the first line, a program that never starts or never stops
// writing, the group. That input, exit status, the end of the wait and the limit reach the caller is the provider's
// delivery and password command tests'.
#include "boundary/child_process.h"

#include <gtest/gtest.h>

using namespace telvorin::boundary;
using End = ChildOutcome::End;
using Output = ChildCommand::Output;
using namespace std::chrono_literals;

namespace {

struct Case {
    const char* name;
    std::vector<QByteArray> argv;
    Output output;
    End end;  // and the exit code and first line expected
    int exit_code;
    QByteArray first_line;
};

TEST(ChildProcess, RunsTheArgumentVectorAndEndsAsTheRulesSay)
{
    const Case cases[] = {
        {"no shell", {"echo", "$HOME; echo x > /tmp/y"}, Output::first_line, End::exited, 0, "$HOME; echo x > /tmp/y"},
        {"first line without CR LF", {"printf", "geheim\r\nzweite\n"}, Output::first_line, End::exited, 0, "geheim"},
        {"not on PATH", {"telvorin-gibt-es-nicht"}, Output::first_line, End::not_started, -1, ""},
        {"endless output", {"yes"}, Output::first_line, End::too_much_output, -1, ""},
        {"own group", {"sh", "-c", "test $(cut -d' ' -f5 /proc/$$/stat) = $$"}, Output::discard, End::exited, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const ChildOutcome outcome = run_child({c.argv, -1, c.output, false, true, 5s});
        EXPECT_EQ(outcome.end, c.end);
        EXPECT_EQ(outcome.exit_code, c.exit_code);
        EXPECT_EQ(outcome.first_line, c.first_line);
    }
}

}  // namespace
