// Running another program from its argument vector alone, never through a shell, with a timed wait.
#pragma once

#include <QByteArray>

#include <chrono>
#include <optional>
#include <vector>

namespace telvorin::boundary {

struct ChildCommand {
    // The program first, looked up on PATH when it holds no "/"; each
    // argument reaches the program as it is, nothing is expanded or split.
    std::vector<QByteArray> argv;
    int input = -1;  // becomes standard input; -1: /dev/null
    // first_line: standard output is read while the program runs and its
    // first line kept; discard: it goes to /dev/null.
    enum class Output { discard, first_line } output = Output::discard;
    bool keep_stderr = false;  // the caller's standard error, else /dev/null
    // In a process group of its own, the program and everything it starts
    // end together when the limit is reached. A program that talks to the
    // user on the terminal must stay in the caller's group instead.
    bool own_process_group = true;
    std::optional<std::chrono::milliseconds> limit;  // none: wait as long as the program runs
};

// How a run ended. With Output::first_line the output is read up to the
// moment the program itself exits, not until the pipe closes: a background
// process it left behind holds up nothing. More than 64 KiB of output is no
// answer of the kind first_line is for and ends the run.
struct ChildOutcome {
    enum class End { exited, not_started, signalled, timed_out, too_much_output, lost };
    End end = End::not_started;
    int exit_code = -1;     // when exited
    int signal = 0;         // when signalled
    int start_error = 0;    // when not_started: the system's error number, 0 when it gave none
    QByteArray first_line;  // the output up to its first "\n" (and a "\r" before it) or its end

    bool succeeded() const { return end == End::exited && exit_code == 0; }
};

// Starts `command` and waits for it. On timed_out and too_much_output the
// program (with its own group: the whole group) is killed and reaped before
// this returns. `lost` means the exit could not be learnt (a host that
// ignores SIGCHLD). Never throws for a program that fails.
ChildOutcome run_child(const ChildCommand& command);

}  // namespace telvorin::boundary
