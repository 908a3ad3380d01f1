// Running another program from its argument vector alone, never through a shell, with a timed wait.
#include "boundary/child_process.h"

#include "boundary/unique_fd.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

extern char** environ;

namespace telvorin::boundary {

namespace {

using Clock = std::chrono::steady_clock;

constexpr int max_output = 64 * 1024;
// Without a descriptor for the child's exit the wait looks again this often.
constexpr std::chrono::milliseconds tick(20);

// Makes sure the spawn attributes and file actions are destroyed on every path.
struct SpawnSetup {
    posix_spawn_file_actions_t actions;
    posix_spawnattr_t attributes;
    bool ready = false;
    SpawnSetup()
    {
        ready = ::posix_spawn_file_actions_init(&actions) == 0;
        if (ready && ::posix_spawnattr_init(&attributes) != 0) {
            ::posix_spawn_file_actions_destroy(&actions);
            ready = false;
        }
    }
    SpawnSetup(const SpawnSetup&) = delete;
    SpawnSetup& operator=(const SpawnSetup&) = delete;
    ~SpawnSetup()
    {
        if (ready) {
            ::posix_spawnattr_destroy(&attributes);
            ::posix_spawn_file_actions_destroy(&actions);
        }
    }
};

// Reads what the pipe holds now; false at its end or when the output grew too large.
bool read_available(int fd, QByteArray& output)
{
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got > 0) {
            output.append(buffer, static_cast<int>(got));
            if (output.size() > max_output)
                return false;
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return got < 0 && errno == EAGAIN;
    }
}

QByteArray first_line_of(const QByteArray& output)
{
    const int end = output.indexOf('\n');
    QByteArray line = end < 0 ? output : output.left(end);
    if (end >= 0 && line.endsWith('\r'))
        line.chop(1);
    return line;
}

}  // namespace

ChildOutcome run_child(const ChildCommand& command)
{
    ChildOutcome outcome;
    if (command.argv.empty())
        return outcome;
    std::vector<QByteArray> storage = command.argv;
    std::vector<char*> argv;
    for (QByteArray& argument : storage)
        argv.push_back(argument.data());
    argv.push_back(nullptr);

    const bool reading = command.output == ChildCommand::Output::first_line;
    UniqueFd read_end, write_end;
    if (reading) {
        int ends[2];
        if (::pipe2(ends, O_CLOEXEC) != 0)
            return outcome;
        read_end.reset(ends[0]);
        write_end.reset(ends[1]);
        // Only our end: the program's standard output stays blocking.
        ::fcntl(read_end.get(), F_SETFL, ::fcntl(read_end.get(), F_GETFL) | O_NONBLOCK);
    }
    SpawnSetup setup;
    if (!setup.ready)
        return outcome;
    if (command.input >= 0)
        ::posix_spawn_file_actions_adddup2(&setup.actions, command.input, STDIN_FILENO);
    else
        ::posix_spawn_file_actions_addopen(&setup.actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
    if (reading)
        ::posix_spawn_file_actions_adddup2(&setup.actions, write_end.get(), STDOUT_FILENO);
    else
        ::posix_spawn_file_actions_addopen(&setup.actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    if (!command.keep_stderr)
        ::posix_spawn_file_actions_addopen(&setup.actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    if (command.own_process_group) {
        ::posix_spawnattr_setflags(&setup.attributes, POSIX_SPAWN_SETPGROUP);
        ::posix_spawnattr_setpgroup(&setup.attributes, 0);
    }
    pid_t child = 0;
    outcome.start_error = ::posix_spawnp(&child, argv[0], &setup.actions, &setup.attributes, argv.data(), environ);
    if (outcome.start_error != 0)
        return outcome;
    write_end.reset();

    // A descriptor that becomes readable when the child exits, where the kernel offers one.
    const UniqueFd exit_fd(static_cast<int>(::syscall(SYS_pidfd_open, child, 0)));
    const auto deadline = command.limit ? Clock::now() + *command.limit : Clock::time_point::max();
    const auto end_run = [&](ChildOutcome::End why) {
        ::kill(command.own_process_group ? -child : child, SIGKILL);
        while (::waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
        }
        outcome.end = why;
        return outcome;
    };
    QByteArray output;
    for (;;) {
        int status = 0;
        const pid_t done = ::waitpid(child, &status, WNOHANG);
        if (done == child) {
            // What the program wrote before it exited is in the pipe now; later writes are its children's.
            if (read_end.get() >= 0 && !read_available(read_end.get(), output) && output.size() > max_output) {
                outcome.end = ChildOutcome::End::too_much_output;
                return outcome;
            }
            outcome.first_line = first_line_of(output);
            outcome.end = WIFEXITED(status) ? ChildOutcome::End::exited : ChildOutcome::End::signalled;
            outcome.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
            outcome.signal = WIFSIGNALED(status) ? WTERMSIG(status) : 0;
            return outcome;
        }
        if (done < 0 && errno != EINTR) {
            outcome.end = ChildOutcome::End::lost;
            return outcome;
        }
        const auto now = Clock::now();
        if (now >= deadline)
            return end_run(ChildOutcome::End::timed_out);
        pollfd watched[2];
        nfds_t count = 0;
        if (read_end.get() >= 0)
            watched[count++] = {read_end.get(), POLLIN, 0};
        if (exit_fd.get() >= 0)
            watched[count++] = {exit_fd.get(), POLLIN, 0};
        auto wait = exit_fd.get() >= 0 ? std::chrono::milliseconds(-1) : tick;
        if (command.limit) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - now)
                + std::chrono::milliseconds(1);
            wait = wait.count() < 0 ? left : std::min(wait, left);
        }
        if (::poll(watched, count, static_cast<int>(wait.count())) > 0 && read_end.get() >= 0
            && watched[0].revents != 0 && !read_available(read_end.get(), output)) {
            if (output.size() > max_output)
                return end_run(ChildOutcome::End::too_much_output);
            read_end.reset();  // its end: only the exit is left to wait for
        }
    }
}

}  // namespace telvorin::boundary
