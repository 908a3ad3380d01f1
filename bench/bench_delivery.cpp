// The provider's deliveries against each other: the outbox, and the smtp delivery to a local SMTP server
// (STARTTLS and AUTH; the tests' server, taking in DATA as an MTA does: smtp_server_fast.py). Target: a mail to
// the local server takes at most 1.5 times as long as the outbox delivery of the same mail, as a calling program
// waits for the tool; the provider call alone is timed as well, where the fixed cost of TLS and the SMTP dialogue
// shows undiluted. The tool's peak memory does not grow with the attachment.
#include "bench/timed_run.h"
#include "simple_mapi/simple_mapi.h"
#include "tests/mapi_provider/smtp_test_server.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <dlfcn.h>

#include <algorithm>
#include <chrono>
#include <ctime>
#include <cstdlib>
#include <memory>

namespace {

constexpr qint64 big = 50 << 20;
// A bare text, a typical office attachment and a large one.
constexpr qint64 sizes[] = {39, 64 << 10, 1 << 20, big};

// A folder with the configuration, one attachment per size, the outbox and a running server.
struct Setup {
    QTemporaryDir dir;
    std::unique_ptr<SmtpTestServer> server;
    LPMAPILOGON logon = nullptr;
    LPMAPISENDMAIL send = nullptr;
    LPMAPILOGOFF logoff = nullptr;

    Setup()
    {
        server = std::make_unique<SmtpTestServer>(dir.filePath(QStringLiteral("server")));
        for (const qint64 size : sizes) {
            QFile file(attachment(size));
            file.open(QIODevice::WriteOnly);
            QByteArray block(1 << 20, '\0');
            quint32 noise = 1;
            for (char& byte : block)
                byte = static_cast<char>((noise = noise * 1664525u + 1013904223u) >> 24);
            for (qint64 left = size; left > 0; left -= block.size())
                file.write(block.constData(), std::min<qint64>(left, block.size()));
        }
        QFile ini(dir.filePath(QStringLiteral("mapi.ini")));
        ini.open(QIODevice::WriteOnly);
        const QByteArray smtp = "Delivery=smtp\nFrom=max@example.com\nDialog=never\nServer=smtp://127.0.0.1:"
            + QByteArray::number(server->port()) + "\nUser=max\nCAFile="
            + QFile::encodeName(dir.filePath(QStringLiteral("server/cert.pem"))) + "\n";
        // [Smtp] is used with the password given at log-on, which goes before Password=; the tool logs on
        // without one and uses [SmtpTool].
        ini.write("[Ausgang]\nOutbox=" + QFile::encodeName(dir.filePath(QStringLiteral("outbox")))
                  + "\nFrom=max@example.com\nDialog=never\n[Smtp]\n" + smtp + "Password=falsch\n[SmtpTool]\n" + smtp
                  + "Password=geheim\n");
        ini.close();
        ::setenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(ini.fileName()).constData(), 1);
        void* provider = ::dlopen(TELVORIN_MAPI_PROVIDER, RTLD_NOW | RTLD_LOCAL);
        logon = reinterpret_cast<LPMAPILOGON>(::dlsym(provider, "MAPILogon"));
        send = reinterpret_cast<LPMAPISENDMAIL>(::dlsym(provider, "MAPISendMail"));
        logoff = reinterpret_cast<LPMAPILOGOFF>(::dlsym(provider, "MAPILogoff"));
    }
    QString attachment(qint64 size) const { return dir.filePath(QStringLiteral("anlage-%1.bin").arg(size)); }

    // One mail with one attachment through `profile`; the delivered copies are removed again.
    ULONG deliver(const char* profile, qint64 size) const
    {
        LHANDLE session = 0;
        // The server's password comes with the log-on, as a caller with a password dialog hands it over.
        if (logon(0, const_cast<char*>(profile), const_cast<char*>("geheim"), 0, 0, &session) != SUCCESS_SUCCESS)
            return MAPI_E_LOGIN_FAILURE;
        QByteArray to = "kunde@example.com", subject = "Angebot", body = "Hallo\n", title = "Daten.bin",
                   path = QFile::encodeName(attachment(size));
        MapiRecipDesc recipient {0, MAPI_TO, to.data(), nullptr, 0, nullptr};
        MapiFileDesc file {0, 0, 0xFFFFFFFF, path.data(), title.data(), nullptr};
        MapiMessage message {0, subject.data(), body.data(), nullptr, nullptr, nullptr, 0, nullptr, 1, &recipient, 1, &file};
        const ULONG result = send(session, 0, &message, 0, 0);
        logoff(session, 0, 0, 0);
        return result;
    }
    void clean() const
    {
        for (const char* folder : {"outbox", "server"}) {
            QDir d(dir.filePath(QLatin1String(folder)));
            for (const QString& name : d.entryList({QStringLiteral("*.eml"), QStringLiteral("received-*")}, QDir::Files))
                d.remove(name);
        }
    }
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

double process_cpu_seconds()
{
    timespec now {};
    ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Wall time of one delivery; `cpu` grows by this process's CPU time for it (the provider's own work, as
// against the time spent waiting for the server).
double seconds_for(const char* profile, qint64 size, benchmark::State& state, double& cpu)
{
    const double cpu_start = process_cpu_seconds();
    const auto start = std::chrono::steady_clock::now();
    const ULONG result = setup().deliver(profile, size);
    const std::chrono::duration<double> taken = std::chrono::steady_clock::now() - start;
    cpu += process_cpu_seconds() - cpu_start;
    if (result != SUCCESS_SUCCESS)
        state.SkipWithError("delivery failed");
    setup().clean();
    return taken.count();
}

// The real telvorin sending the mail through a profile, as a calling program starts it: the wall time of the
// whole run; `peak_kib` grows to the child's peak resident memory.
double tool_seconds(const char* profile, qint64 size, benchmark::State& state, long& peak_kib)
{
    const QString mail = setup().dir.filePath(QStringLiteral("mail.txt"));
    QFile file(mail);
    file.open(QIODevice::WriteOnly);
    file.write(QByteArray(profile) + "\n\nAngebot\n1\nkunde@example.com\n0\n0\n1\n"
               + QFile::encodeName(setup().attachment(size)) + "\n1\nDaten.bin\nHallo\n");
    file.close();
    const TimedRun run = run_timed({TELVORIN_BINARY, QFile::encodeName(mail)});
    if (!run.ok)
        state.SkipWithError("telvorin failed");
    peak_kib = std::max(peak_kib, run.peak_kib);
    setup().clean();
    return run.seconds;
}

// Both deliveries of the same mail in turn, by one provider call each or (tool:1) by one run of the tool each, as a
// calling program waits for it; the counter smtp_per_outbox is the target's ratio.
void smtp_against_outbox(benchmark::State& state)
{
    const qint64 size = state.range(0);
    const bool tool = state.range(1) != 0;
    double outbox = 0, smtp = 0, outbox_cpu = 0, smtp_cpu = 0;
    long peak_kib = 0;
    for (auto _ : state) {
        outbox += tool ? tool_seconds("Ausgang", size, state, peak_kib) : seconds_for("Ausgang", size, state, outbox_cpu);
        smtp += tool ? tool_seconds("SmtpTool", size, state, peak_kib) : seconds_for("Smtp", size, state, smtp_cpu);
    }
    const double n = static_cast<double>(state.iterations());
    state.counters["outbox_ms"] = 1000 * outbox / n;
    state.counters["smtp_ms"] = 1000 * smtp / n;
    state.counters["smtp_per_outbox"] = smtp / outbox;
    if (!tool) {
        state.counters["outbox_cpu_ms"] = 1000 * outbox_cpu / n;
        state.counters["smtp_cpu_ms"] = 1000 * smtp_cpu / n;
    }
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * size * 2);
}
BENCHMARK(smtp_against_outbox)
    ->ArgNames({"attachment", "tool"})
    ->ArgsProduct({{sizes[0], sizes[1], sizes[2], sizes[3]}, {0, 1}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5)
    ->UseRealTime();

// The tool's peak resident memory per delivery and attachment.
void tool_peak_memory(benchmark::State& state)
{
    long peak_kib = 0;
    for (auto _ : state)
        tool_seconds(state.range(0) ? "SmtpTool" : "Ausgang", state.range(1), state, peak_kib);
    state.counters["peak_rss_MiB"] = static_cast<double>(peak_kib) / 1024;
}
BENCHMARK(tool_peak_memory)
    ->ArgNames({"smtp", "attachment"})
    ->ArgsProduct({{0, 1}, {39, big}})
    ->Unit(benchmark::kMillisecond)
    ->Iterations(2)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
