// How the time of one mail job grows with the number of body lines: the real
// binary reads an interface file and the provider writes the mail into an
// outbox. Time per line must stay flat; the peak memory of the run is
// reported per body byte.
#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>

#include <fcntl.h>

#include <algorithm>

#include <cstdlib>

extern char** environ;

namespace {

void mail_with_lines(benchmark::State& state)
{
    QTemporaryDir directory;
    const QString file = directory.path() + QStringLiteral("/mail.txt");
    qint64 body_bytes = 0;
    {
        QFile out(file);
        if (!out.open(QIODevice::WriteOnly)) {
            state.SkipWithError("no interface file");
            return;
        }
        out.write("\n\nBenchmark\n1\nkunde@example.com\n0\n0\n0\n0\n");
        // Windows line ends, as callers write them, in blocks of 4096 lines.
        const QByteArray block = QByteArray("Zeile\r\n").repeated(4096);
        for (int64_t i = 0; i < state.range(0); i += 4096)
            body_bytes += out.write(block);
    }
    ::setenv("HOME", QFile::encodeName(directory.path()).constData(), 1);
    ::setenv("XDG_DATA_HOME", QFile::encodeName(directory.path() + QStringLiteral("/data")).constData(), 1);
    ::unsetenv("TELVORIN_MAPI_CONFIG");
    const QByteArray path = QFile::encodeName(file);
    char* argv[] = {const_cast<char*>(TELVORIN_BINARY), const_cast<char*>(path.constData()), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
    long peak_kib = 0;
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        rusage usage {};
        if (::posix_spawn(&child, argv[0], &actions, nullptr, argv, environ) != 0
            || ::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
            state.SkipWithError("telvorin failed");
            break;
        }
        peak_kib = std::max(peak_kib, usage.ru_maxrss);
        state.PauseTiming();
        QDir(directory.path() + QStringLiteral("/data")).removeRecursively();
        state.ResumeTiming();
    }
    posix_spawn_file_actions_destroy(&actions);
    state.counters["time_per_line"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                         benchmark::Counter::kIsIterationInvariantRate
                                                             | benchmark::Counter::kInvert);
    state.counters["peak_per_body_byte"] = static_cast<double>(peak_kib) * 1024.0 / static_cast<double>(body_bytes);
}

}  // namespace

BENCHMARK(mail_with_lines)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Iterations(2)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
