// How long telvorin.exe -version takes under Wine against a bare widgets application built the same way.
//
// Both run from one copy of the Windows build's folder, in one prefix, with
// one Wine server kept running, alternately, so that a slow moment of the
// machine hits both sides of a pair. Reported: the median of the per-pair
// ratios (target: at most 1.5) and the median time of each side.
#include <QByteArray>
#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QString>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <vector>

namespace {

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 == 1 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// Runs `program` in `folder` under Wine; the seconds it took, or a negative value when it failed.
double run(const QString& folder, const QString& program, const QStringList& arguments,
           const QProcessEnvironment& environment)
{
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.setStandardErrorFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(QStringLiteral(TELVORIN_WINE), QStringList{folder + QLatin1Char('/') + program} + arguments);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return -1;
    return double(clock.nsecsElapsed()) / 1e9;
}

void wine_server(const QProcessEnvironment& environment, const QString& option)
{
    QProcess server;
    server.setProcessEnvironment(environment);
    server.start(QStringLiteral(TELVORIN_WINE_SERVER), {option});
    server.waitForFinished(120000);
}

void wine_start_ratio(benchmark::State& state)
{
    QTemporaryDir work;
    const QString folder = work.path() + QStringLiteral("/dist");
    std::error_code error;
    std::filesystem::copy(TELVORIN_WINDOWS_DIST, folder.toStdString(), std::filesystem::copy_options::recursive, error);
    if (!error)
        std::filesystem::copy_file(TELVORIN_BARE_QAPPLICATION,
                                   (folder + QStringLiteral("/bare_qapplication.exe")).toStdString(), error);
    if (error) {
        state.SkipWithError("cannot copy the Windows build");
        return;
    }
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("WINEPREFIX"), QStringLiteral(TELVORIN_BENCH_WINE_PREFIX));
    environment.insert(QStringLiteral("WINEDEBUG"), QStringLiteral("-all"));
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    environment.remove(QStringLiteral("DISPLAY"));
    // The first run makes the prefix; then the server is kept up between runs. Neither is timed.
    const QString telvorin = QStringLiteral("telvorin.exe"), bare = QStringLiteral("bare_qapplication.exe");
    const QStringList version{QStringLiteral("-version")};
    if (run(folder, bare, {}, environment) < 0 || run(folder, telvorin, version, environment) < 0) {
        state.SkipWithError("a program does not run under Wine");
        return;
    }
    wine_server(environment, QStringLiteral("-p"));
    std::vector<double> ratios, telvorin_seconds, bare_seconds;
    for (auto _ : state) {
        const double t = run(folder, telvorin, version, environment);
        const double b = run(folder, bare, {}, environment);
        if (t < 0 || b < 0) {
            state.SkipWithError("a run failed");
            break;
        }
        telvorin_seconds.push_back(t);
        bare_seconds.push_back(b);
        ratios.push_back(t / b);
    }
    wine_server(environment, QStringLiteral("-k"));
    if (ratios.empty())
        return;
    state.counters["ratio_median"] = median(ratios);
    state.counters["telvorin_s"] = median(telvorin_seconds);
    state.counters["bare_s"] = median(bare_seconds);
}

}  // namespace

// Each iteration is one pair; at least 20 pairs for a stable median.
BENCHMARK(wine_start_ratio)->Iterations(25)->Unit(benchmark::kMillisecond)->UseRealTime();

BENCHMARK_MAIN();
