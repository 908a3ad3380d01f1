// How the explorer export scales with the size of the selection (stand-in Outlook, in process),
// over the mails of examples/outlook-session in turn. Target: under 1 ms of CPU per item.
#include "outlook/outlook_dateien.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

namespace {

void still(QtMsgType, const QMessageLogContext&, const QString&) {}

// The job prints one console line per item; the benchmark's own report must
// stay readable, so standard output goes to /dev/null while the job runs.
class OhneAusgabe {
public:
    OhneAusgabe() : m_alt(::dup(STDOUT_FILENO))
    {
        std::fflush(stdout);
        const int null = ::open("/dev/null", O_WRONLY);
        ::dup2(null, STDOUT_FILENO);
        ::close(null);
    }
    ~OhneAusgabe()
    {
        std::fflush(stdout);
        ::dup2(m_alt, STDOUT_FILENO);
        ::close(m_alt);
    }

private:
    int m_alt;
};

// One folder for the whole run, removed at exit only. Nothing is deleted or overwritten while the benchmark
// runs: on ext4 without a journal every new file then searches past the inodes freed in the last half minute,
// which would time the file system's memory of the benchmark's own clean-up rather than the export.
QTemporaryDir& arbeitsordner()
{
    static QTemporaryDir ordner;
    return ordner;
}

// A session of `anzahl` selected mails, the examples in turn, each with a subject of its own, as a user's
// selection has: the export names its files after the subject and would otherwise overwrite its own files.
bool schreibe_sitzung(const QDir& sitzung, int anzahl)
{
    const QDir beispiele(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../examples/outlook-session")));
    const QStringList mails = beispiele.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    QByteArray auswahl;
    for (int i = 0; i < anzahl && !mails.isEmpty(); ++i) {
        QFile quelle(beispiele.filePath(mails[i % mails.size()]));
        if (!quelle.open(QIODevice::ReadOnly))
            return false;
        QByteArray mail = quelle.readAll();
        const int betreff = mail.indexOf("\nSubject:");
        mail.insert(mail.indexOf('\n', betreff + 1), " " + QByteArray::number(i));
        const QByteArray n = "m" + QByteArray::number(i) + ".eml";
        QFile kopie(sitzung.filePath(n));
        if (betreff < 0 || !kopie.open(QIODevice::WriteOnly) || kopie.write(mail) != mail.size())
            return false;
        auswahl += (i ? "," : "") + n;
    }
    QFile ini(sitzung.filePath("session.ini"));
    return ini.open(QIODevice::WriteOnly)
        && ini.write("[Application]\nVersion=16.0\n[Explorer]\nSelection=" + auswahl + "\n") > 0;
}

void BM_ExplorerExport(benchmark::State& state)
{
    const int anzahl = static_cast<int>(state.range(0));
    const QDir sitzung(arbeitsordner().filePath(QStringLiteral("sitzung%1").arg(anzahl)));
    if (!sitzung.exists() && (!QDir().mkpath(sitzung.path()) || !schreibe_sitzung(sitzung, anzahl))) {
        state.SkipWithError("cannot write the session");
        return;
    }
    qputenv("TELVORIN_OUTLOOK_SESSION", QFile::encodeName(sitzung.path()));
    qInstallMessageHandler(still);

    static int lauf = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QString ziel = arbeitsordner().filePath(QStringLiteral("aus%1").arg(lauf++));
        QDir().mkpath(ziel);
        state.ResumeTiming();
        QString ergebnis;
        QTextStream out(&ergebnis);
        OhneAusgabe ohne;
        COutlook_Dateien outlook;
        outlook.application().setControl("{0006f03a-0000-0000-c000-000000000046}");
        benchmark::DoNotOptimize(outlook.speichere_explorer_mag(&out, ziel, QString()));
    }
    state.SetComplexityN(anzahl);
    state.SetItemsProcessed(state.iterations() * anzahl);
}
BENCHMARK(BM_ExplorerExport)->RangeMultiplier(4)->Range(16, 1024)->Complexity(benchmark::oN)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
