// How the explorer export scales with the size of the selection (stand-in Outlook, in process),
// over the mails of examples/outlook-session in turn.
#include "outlook_dateien.h"

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

void BM_ExplorerExport(benchmark::State& state)
{
    const int anzahl = static_cast<int>(state.range(0));
    QTemporaryDir verzeichnis;
    const QDir beispiele(QFileInfo(QStringLiteral(__FILE__)).dir().filePath(QStringLiteral("../examples/outlook-session")));
    const QStringList mails = beispiele.entryList({QStringLiteral("*.eml")}, QDir::Files, QDir::Name);
    QByteArray auswahl;
    for (int i = 0; i < anzahl && !mails.isEmpty(); ++i) {
        const QByteArray n = "m" + QByteArray::number(i) + ".eml";
        if (!QFile::copy(beispiele.filePath(mails[i % mails.size()]), verzeichnis.filePath(n))) {
            state.SkipWithError("cannot write the session");
            return;
        }
        auswahl += (i ? "," : "") + n;
    }
    QFile ini(verzeichnis.filePath("session.ini"));
    if (!ini.open(QIODevice::WriteOnly)) {
        state.SkipWithError("cannot write the session");
        return;
    }
    ini.write("[Application]\nVersion=16.0\n[Explorer]\nSelection=" + auswahl + "\n");
    ini.close();
    qputenv("TELVORIN_OUTLOOK_SESSION", QFile::encodeName(verzeichnis.path()));
    QDir(verzeichnis.path()).mkpath("out");
    const QString ziel = verzeichnis.filePath("out");
    qInstallMessageHandler(still);

    for (auto _ : state) {
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
