// The child process runner against real programs: no shell, the first line, a program that never starts or never stops
// writing, the group. That results reach the caller is left to the provider's delivery and password tests.
#include "boundary/child_process.h"
#include <gtest/gtest.h>

using namespace telvorin::boundary;
using End = ChildOutcome::End;
using Output = ChildCommand::Output;
using namespace std::chrono_literals;

namespace {
TEST(ChildProcess, RunsTheArgumentVectorAndEndsAsTheRulesSay)
{
    const struct { const char* name; std::vector<QByteArray> argv; Output output; End end; int exit_code;
                   QByteArray first_line; } cases[] = {
        {"no shell", {"echo", "$HOME; echo x > /tmp/y"}, Output::first_line, End::exited, 0, "$HOME; echo x > /tmp/y"},
        {"first line without CR LF", {"printf", "geheim\r\nzweite\n"}, Output::first_line, End::exited, 0, "geheim"},
        {"not on PATH", {"telvorin-gibt-es-nicht"}, Output::first_line, End::not_started, -1, ""},
        {"endless output", {"yes"}, Output::first_line, End::too_much_output, -1, ""},
        {"own group", {"sh", "-c", "test $(cut -d' ' -f5 /proc/$$/stat) = $$"}, Output::discard, End::exited, 0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ChildOutcome outcome = run_child({c.argv, -1, c.output, false, true, 5s});
        EXPECT_EQ(std::tuple(static_cast<int>(outcome.end), outcome.exit_code, outcome.first_line.toStdString()),
                  std::tuple(static_cast<int>(c.end), c.exit_code, c.first_line.toStdString()));
    }
}
}  // namespace
