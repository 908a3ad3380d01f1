// One whole run of another program for the benchmarks: its wall time, its processor time and its peak memory.
#pragma once

#include <QByteArray>

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <vector>

extern char** environ;

struct TimedRun {
    bool ok = false;  // started and ended with 0
    double seconds = 0;
    double cpu_seconds = 0;  // user and system
    long peak_kib = 0;
};

// Runs `command`, the program by its path first, with standard output and error discarded, so that the
// benchmark's own report stays readable. Leading NAME=value entries go into the program's environment, beside
// this process's own.
inline TimedRun run_timed(std::vector<QByteArray> command)
{
    std::vector<char*> envp;
    for (char** entry = environ; *entry != nullptr; ++entry)
        envp.push_back(*entry);
    auto program = command.begin();
    for (; program != command.end() && program->contains('='); ++program)
        envp.push_back(program->data());
    envp.push_back(nullptr);
    std::vector<char*> argv;
    for (auto argument = program; argument != command.end(); ++argument)
        argv.push_back(argument->data());
    argv.push_back(nullptr);
    TimedRun run;
    if (argv.front() == nullptr)
        return run;
    posix_spawn_file_actions_t actions;
    ::posix_spawn_file_actions_init(&actions);
    ::posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    ::posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    int status = 0;
    rusage usage {};
    const auto start = std::chrono::steady_clock::now();
    run.ok = ::posix_spawn(&child, argv.front(), &actions, nullptr, argv.data(), envp.data()) == 0
        && ::wait4(child, &status, 0, &usage) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
    run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    run.peak_kib = usage.ru_maxrss;
    run.cpu_seconds = double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
        + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    ::posix_spawn_file_actions_destroy(&actions);
    return run;
}
