// How the explorer export scales with the size of the selection (stand-in Outlook, in process),
// over the mails of examples/outlook-session in turn. Target: under 1 ms of CPU per item, time linear in the
// number of items, and a peak memory that does not grow with it.
#include "outlook/outlook_dateien.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace {

void still(QtMsgType, const QMessageLogContext&, const QString&) {}

// The job prints one console line per item; the benchmark's own report must
// stay readable, so standard output goes to /dev/null while the job runs.
class StdoutSilenced {
public:
    StdoutSilenced() : m_saved(::dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    ~StdoutSilenced()
    {
        std::fflush(stdout);
        ::dup2(m_saved, STDOUT_FILENO);
        ::close(m_saved);
    }

private:
    int m_saved;
};

// One folder for the whole run, removed at exit only. Nothing is deleted or overwritten while the benchmark
// runs: on ext4 without a journal every new file then searches past the inodes freed in the last half minute,
// which would time the file system's memory of the benchmark's own clean-up rather than the export.
QTemporaryDir& work_dir()
{
    static QTemporaryDir dir;
    return dir;
}

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
    const QDir session(work_dir().filePath(QStringLiteral("sitzung%1").arg(count)));
    if (!session.exists() && (!QDir().mkpath(session.path()) || !write_session(session, count))) {
        state.SkipWithError("cannot write the session");
        return;
    }
    qputenv("TELVORIN_OUTLOOK_SESSION", QFile::encodeName(session.path()));
    qInstallMessageHandler(still);

    static int run = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString target = work_dir().filePath(QStringLiteral("aus%1").arg(run++));
        QDir().mkpath(target);
        state.ResumeTiming();
        QString output;
        QTextStream out(&output);
        StdoutSilenced silenced;
        COutlook_Dateien outlook;
        outlook.application().setControl("{0006f03a-0000-0000-c000-000000000046}");
        benchmark::DoNotOptimize(outlook.speichere_explorer_mag(&out, target, QString()));
    }
    state.SetComplexityN(count);
    state.SetItemsProcessed(state.iterations() * count);
    state.counters["ms_per_mail"] = benchmark::Counter(double(state.iterations() * count) / 1000,
                                                       benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    // The process's peak so far: the sizes run in ascending order, so a peak that grows with the selection shows.
    rusage usage {};
    ::getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_rss_MiB"] = double(usage.ru_maxrss) / 1024;
}
BENCHMARK(explorer_export)->Arg(1000)->Arg(10000)->Arg(100000)->Iterations(1)->Complexity(benchmark::oN)
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
