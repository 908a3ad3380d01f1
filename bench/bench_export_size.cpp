// Whole -mail and -anlage runs of the tool over one mail with one attachment of 16 MiB to 1 GiB, against the
// stand-in Outlook: time and peak memory of the run. Target: the peak stays under 64 MiB and the same at every
// size but for a constant; the time grows linearly with the attachment.
#include "bench/timed_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

// A mail whose attachment of `mib` MiB of varied bytes travels in base64 lines of 76 characters, as mail
// clients send it.
bool write_mail(const QString& path, qint64 mib)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    bool ok = f.write("From: Erika <erika@example.org>\r\nTo: max@example.com\r\nSubject: Gross\r\n"
                      "Date: Mon, 02 Dec 2024 10:00:00 +0100\r\nMIME-Version: 1.0\r\n"
                      "Content-Type: multipart/mixed; boundary=\"g\"\r\n\r\n--g\r\n"
                      "Content-Type: text/plain; charset=UTF-8\r\n\r\nHallo\r\n--g\r\n"
                      "Content-Type: application/octet-stream\r\nContent-Disposition: attachment; filename=\"g.bin\"\r\n"
                      "Content-Transfer-Encoding: base64\r\n\r\n") > 0;
    quint32 x = 1;
    QByteArray raw(57 * 16384, '\0');  // whole lines of 57 bytes each
    for (qint64 left = mib << 20; ok && left > 0; left -= raw.size()) {
        raw.resize(int(std::min<qint64>(left, raw.size())));
        for (char& c : raw)
            c = char((x = x * 1103515245u + 12345u) >> 24);
        const QByteArray encoded = raw.toBase64();
        QByteArray lines;
        for (int i = 0; i < encoded.size(); i += 76)
            lines += encoded.mid(i, 76) + "\r\n";
        ok = f.write(lines) == lines.size();
    }
    return ok && f.write("--g--\r\n") > 0 && f.flush();
}

void export_size(benchmark::State& state)
{
    const bool mail = state.range(0) == 0;
    const qint64 mib = state.range(1);
    QTemporaryDir dir;  // the mail and what the run writes: up to 2.5 GiB, removed after each size
    const QDir d(dir.path());
    if (!d.mkpath("session") || !d.mkpath("out") || !write_mail(d.filePath("session/m.eml"), mib)) {
        state.SkipWithError("cannot write the session");
        return;
    }
    QFile ini(d.filePath("session/session.ini"));
    if (!ini.open(QIODevice::WriteOnly)
        || ini.write("[Application]\nVersion=16.0\n[Explorer]\nSelection=m.eml\n[Inspector]\nCurrentItem=m.eml\n") <= 0) {
        state.SkipWithError("cannot write the session");
        return;
    }
    ini.close();
    long peak_kib = 0;
    for (auto _ : state) {
        const TimedRun run = run_timed({"TELVORIN_OUTLOOK_SESSION=" + QFile::encodeName(d.filePath("session")),
                                        TELVORIN_BINARY, mail ? "-mail" : "-anlage", "-dest",
                                        QFile::encodeName(d.filePath("out")), "-back", QFile::encodeName(d.filePath("r.csv"))});
        if (!run.ok) {
            state.SkipWithError("telvorin failed");
            return;
        }
        state.SetIterationTime(run.seconds);
        peak_kib = std::max(peak_kib, run.peak_kib);
        QDir(d.filePath("out")).removeRecursively();
        QDir().mkpath(d.filePath("out"));
    }
    state.counters["peak_rss_MiB"] = double(peak_kib) / 1024;
    state.counters["s_per_GiB"] = benchmark::Counter(double(state.iterations()) * double(mib) / 1024,
                                                     benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}
// range(0): 0 -mail, 1 -anlage; range(1): the attachment in MiB.
BENCHMARK(export_size)
    ->ArgNames({"anlage", "MiB"})
    ->ArgsProduct({{0, 1}, {16, 256, 1024}})
    ->UseManualTime()
    ->Iterations(1)
    ->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
