// How the time of one mail job grows with the number of body lines: the real
// binary reads an interface file and the provider writes the mail into an
// outbox. Time per line must stay flat; the peak memory of the run is
// reported per body byte.
#include "bench/timed_run.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>

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
    const std::vector<QByteArray> command{TELVORIN_BINARY, QFile::encodeName(file)};
    long peak_kib = 0;
    for (auto _ : state) {
        const TimedRun run = run_timed(command);
        if (!run.ok) {
            state.SkipWithError("telvorin failed");
            break;
        }
        peak_kib = std::max(peak_kib, run.peak_kib);
        state.PauseTiming();
        QDir(directory.path() + QStringLiteral("/data")).removeRecursively();
        state.ResumeTiming();
    }
    state.counters["time_per_line"] = benchmark::Counter(static_cast<double>(state.range(0)),
                                                         benchmark::Counter::kIsIterationInvariantRate
                                                             | benchmark::Counter::kInvert);
    state.counters["peak_per_body_byte"] = static_cast<double>(peak_kib) * 1024.0 / static_cast<double>(body_bytes);
}

}  // namespace

BENCHMARK(mail_with_lines)->Arg(1 << 20)->Arg(4 << 20)->Arg(16 << 20)->Iterations(2)->UseRealTime()
    ->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
