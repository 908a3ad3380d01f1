// What a calling program waits for per mail: whole runs of the tool against a bare QApplication program and
// against each other, in alternating pairs, each ratio the median of the pairs' ratios. Targets: -version at
// most 1.05 times the bare program on the same platform plugin, with at most 1 MiB more peak memory; the mail
// job into an outbox at most 1.25 times -version. Two more pairs split the job: the same job through a library
// that delivers nothing (the tool's own share), and through one that also loads GMime's libraries.
// Usage: bench_start [benchmark options] [TELVORIN] (another build of the tool, to compare before and after).
#include "bench/timed_run.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

constexpr int pairs = 30;
QByteArray tool = TELVORIN_BINARY;

// A command line; a leading NAME=value is put into the command's environment instead.
using Command = std::vector<QByteArray>;

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The pairs run first `a`, then `b`, and the other way round every second pair, so that neither profits from
// the page cache the other warmed. Counters: the median ratio b/a, both medians and the median peak memory
// difference b - a.
void compare(benchmark::State& state, const Command& a, const Command& b,
             const char* ratio_name)
{
    if (!run_timed(a).ok || !run_timed(b).ok) {
        state.SkipWithError("a command failed");
        return;
    }
    std::vector<double> ratios, a_ms, b_ms, extra_kib;
    for (auto _ : state) {
        for (int i = 0; i < pairs; ++i) {
            TimedRun ra, rb;
            if (i % 2) {
                rb = run_timed(b);
                ra = run_timed(a);
            } else {
                ra = run_timed(a);
                rb = run_timed(b);
            }
            if (!ra.ok || !rb.ok) {
                state.SkipWithError("a command failed");
                return;
            }
            ratios.push_back(rb.seconds / ra.seconds);
            a_ms.push_back(1000 * ra.seconds);
            b_ms.push_back(1000 * rb.seconds);
            extra_kib.push_back(static_cast<double>(rb.peak_kib - ra.peak_kib));
        }
    }
    state.counters[ratio_name] = median(ratios);
    state.counters["first_ms"] = median(a_ms);
    state.counters["second_ms"] = median(b_ms);
    state.counters["extra_peak_KiB"] = median(extra_kib);
}

// Without a display, where the tool picks its platform itself; the bare program is given the one it picks.
void headless()
{
    ::unsetenv("DISPLAY");
    ::unsetenv("WAYLAND_DISPLAY");
    ::unsetenv("QT_QPA_PLATFORM");
}

void version_against_bare_qapplication(benchmark::State& state)
{
    headless();
    compare(state, {"QT_QPA_PLATFORM=minimal", TELVORIN_BENCH_BARE_QAPPLICATION}, {tool, "-version"},
            "version_per_bare");
}
BENCHMARK(version_against_bare_qapplication)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The mail of examples/mail.txt with its attachment into an outbox, as a calling program starts the job
// without a display; through the provider, or through `library` in its place when given.
void outbox_mail(benchmark::State& state, const char* library, const char* ratio_name)
{
    QTemporaryDir dir;
    const QByteArray outbox = QFile::encodeName(dir.filePath(QStringLiteral("outbox")));
    QFile ini(dir.filePath(QStringLiteral("mapi.ini"))), mail(dir.filePath(QStringLiteral("mail.txt")));
    if (!ini.open(QIODevice::WriteOnly) || ini.write("[Standard]\nOutbox=" + outbox + "\n") <= 0
        || !mail.open(QIODevice::WriteOnly)
        || mail.write("Standard\n\nAngebot Nr. 4711\n1\nkunde@example.com\n0\n0\n1\n" TELVORIN_EXAMPLES_DIR
                      "/anhang.txt\n1\nAngebot.txt\nSehr geehrte Damen und Herren,\n\nanbei unser Angebot.\n")
            <= 0) {
        state.SkipWithError("cannot write mapi.ini or the interface file");
        return;
    }
    ini.close();
    mail.close();
    ::setenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(ini.fileName()).constData(), 1);
    if (library != nullptr)
        ::setenv("TELVORIN_MAPI_LIBRARY", library, 1);
    else
        ::unsetenv("TELVORIN_MAPI_LIBRARY");
    headless();
    compare(state, {tool, "-version"}, {tool, QFile::encodeName(mail.fileName())}, ratio_name);
    ::unsetenv("TELVORIN_MAPI_LIBRARY");
    const QStringList written = QDir(QFile::decodeName(outbox)).entryList(QDir::Files);
    if (written.size() != (library != nullptr ? 0 : pairs + 1))
        state.SkipWithError("the outbox does not hold one mail per run of the provider");
}

void outbox_mail_against_version(benchmark::State& state)
{
    outbox_mail(state, nullptr, "mail_per_version");
}
BENCHMARK(outbox_mail_against_version)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// What the tool itself adds to -version for a mail job: reading the interface file, the console lines, loading
// a Simple MAPI library and calling it.
void tool_share_against_version(benchmark::State& state)
{
    outbox_mail(state, TELVORIN_BENCH_STUB_MAPI, "tool_share_per_version");
}
BENCHMARK(tool_share_against_version)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

// The floor under mail_per_version for any provider that builds its mails with GMime: the tool's own share of
// the job and the loading of GMime's libraries, nothing else.
void gmime_loading_against_version(benchmark::State& state)
{
    outbox_mail(state, TELVORIN_BENCH_GMIME_ONLY_MAPI, "gmime_loading_per_version");
}
BENCHMARK(gmime_loading_against_version)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    if (argc > 2 || (argc == 2 && argv[1][0] == '-')) {
        std::fprintf(stderr, "usage: %s [benchmark options] [telvorin]\n", argv[0]);
        return 2;
    }
    if (argc == 2)
        tool = argv[1];
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
