// How the explorer export scales with the size of the selection: whole -mail runs of the tool against the
// stand-in Outlook, over the mails of examples/outlook-session in turn. Target: time linear in the number of
// items (the same time per mail at every size) and a peak memory of the run that does not grow with it.
// Wall time includes the file system's writing back of what the run wrote; processor time is the run's own.
#include "bench/timed_run.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A session of `count` selected mails, the examples in turn, each with a subject of its own, as a user's
// selection has: the export names its files after the subject and would otherwise overwrite its own files.
bool write_session(const QDir& session, int count)
{
    const QDir examples(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../examples/outlook-session")));
    const QStringList mails = examples.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    QByteArray selection;
    for (int i = 0; i < count && !mails.isEmpty(); ++i) {
        QFile source(examples.filePath(mails[i % mails.size()]));
        if (!source.open(QIODevice::ReadOnly))
            return false;
        QByteArray mail = source.readAll();
        const int subject_at = mail.indexOf("\nSubject:");
        mail.insert(mail.indexOf('\n', subject_at + 1), " " + QByteArray::number(i));
        // Short names: the selection of 100,000 must stay within what session.ini may hold.
        const QByteArray n = QByteArray::number(i, 36);
        QFile copy(session.filePath(n));
        if (subject_at < 0 || !copy.open(QIODevice::WriteOnly) || copy.write(mail) != mail.size())
            return false;
        selection += (i ? "," : "") + n;
    }
    QFile ini(session.filePath("session.ini"));
    return ini.open(QIODevice::WriteOnly)
        && ini.write("[Application]\nVersion=16.0\n[Explorer]\nSelection=" + selection + "\n") > 0;
}

void explorer_export(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    QTemporaryDir dir;  // the session and what the run writes, removed after each size
    const QDir d(dir.path());
    if (!d.mkpath("session") || !write_session(QDir(d.filePath("session")), count)) {
        state.SkipWithError("cannot write the session");
        return;
    }
    long peak_kib = 0;
    double seconds = 0, cpu_seconds = 0;
    int run = 0;
    for (auto _ : state) {
        // A new folder for each run: nothing is overwritten, so each run writes as many files as the first.
        const QString out = d.filePath(QStringLiteral("aus%1").arg(run++));
        QDir().mkpath(out);
        const TimedRun r = run_timed({"TELVORIN_OUTLOOK_SESSION=" + QFile::encodeName(d.filePath("session")),
                                      TELVORIN_BINARY, "-mail", "-dest", QFile::encodeName(out), "-back",
                                      QFile::encodeName(d.filePath("r.csv"))});
        if (!r.ok) {
            state.SkipWithError("telvorin failed");
            return;
        }
        state.SetIterationTime(r.seconds);
        peak_kib = std::max(peak_kib, r.peak_kib);
        seconds += r.seconds;
        cpu_seconds += r.cpu_seconds;
    }
    const double mails = double(state.iterations()) * count;
    state.SetComplexityN(count);
    state.SetItemsProcessed(int64_t(mails));
    state.counters["ms_per_mail"] = 1000 * seconds / mails;
    state.counters["cpu_ms_per_mail"] = 1000 * cpu_seconds / mails;
    state.counters["peak_rss_MiB"] = double(peak_kib) / 1024;
}
BENCHMARK(explorer_export)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(1)->UseManualTime()
    ->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
