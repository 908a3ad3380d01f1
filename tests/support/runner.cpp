// Running the real telvorin binary from tests, in a pinned environment.
#include "tests/support/runner.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTextCodec>
#include <sys/utsname.h>
#include <cstring>

namespace testsupport {

QString telvorin_binary() { return QStringLiteral(TELVORIN_BINARY); }
QString source_dir() { return QStringLiteral(TELVORIN_SOURCE_DIR); }
std::vector<Runner> wine_runners() { return *TELVORIN_WINE ? std::vector{Runner::wine} : std::vector<Runner>(); }
std::vector<Runner> wine32_runners() { return *TELVORIN_WINE32 ? std::vector{Runner::wine32} : std::vector<Runner>(); }
static QString pick(Runner r, const char* w32, const char* w) { return r == Runner::wine32 ? w32 : w; }
QString wine(Runner r) { return pick(r, TELVORIN_WINE32, TELVORIN_WINE); }
QString windows_dist(Runner r) { return pick(r, TELVORIN_WINDOWS_DIST_X86, TELVORIN_WINDOWS_DIST); }
QString wine_prefix(Runner r) { return pick(r, TELVORIN_WINE32_PREFIX, TELVORIN_WINE_PREFIX); }

QByteArray local_8bit(Runner runner, const QString& text)
{
    return runner == Runner::linux ? text.toUtf8() : QTextCodec::codecForName("Windows-1252")->fromUnicode(text);
}

void PrintTo(const RunResult& r, std::ostream* os)
{
    *os << "exit " << r.exit_code << ", stdout \"" << r.standard_output.toStdString() << "\", stderr \""
        << r.standard_error.toStdString() << '"';
}

QByteArray banner(Runner runner)
{
    struct utsname name {};
    ::uname(&name);
    const bool bit64 = runner != Runner::wine32
                       && (std::strstr(name.machine, "64") != nullptr || std::strcmp(name.machine, "s390x") == 0);
    return QByteArray("Telvorin ") + (bit64 ? "64bit" : "32bit") + " Version 5.9.3.7 vom 08.02.18\n\n";
}

TestEnvironment::TestEnvironment(Runner runner) : m_runner(runner)
{
    const QString p = m_directory.path();
    QDir(p).mkpath(QStringLiteral("home"));
    QDir(p).mkpath(QStringLiteral("tmp"));
    for (const auto& [name, value] : {std::pair{"PATH", "/usr/local/bin:/usr/bin:/bin"}, {"LC_ALL", "C.UTF-8"},
                                      {"LANG", "C.UTF-8"}, {"TZ", "UTC"}})
        m_variables[QLatin1String(name)] = QLatin1String(value);
    for (const auto& [name, relative] : {std::pair{"HOME", "/home"}, {"TMPDIR", "/tmp"}, {"XDG_RUNTIME_DIR", "/tmp"},
                                         {"XDG_CONFIG_HOME", "/home/.config"}, {"XDG_DATA_HOME", "/home/.local/share"}})
        m_variables[QLatin1String(name)] = p + QLatin1String(relative);
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (qEnvironmentVariableIsSet(name))
            m_variables[QLatin1String(name)] = qEnvironmentVariable(name);
    if (runner != Runner::linux) {
        // Wine takes TEMP from the registry, where wine_prefix.sh made it refer to this.
        m_variables[QStringLiteral("TELVORIN_TEST_TEMP")] = QStringLiteral("Z:") + p + QStringLiteral("/tmp");
        m_variables[QStringLiteral("WINEPREFIX")] = wine_prefix(runner);
        m_variables[QStringLiteral("WINEDEBUG")] = QStringLiteral("-all");
        // Wine keeps the server's socket under $TMPDIR: one per case would start a server, and a registry, per case.
        m_variables[QStringLiteral("TMPDIR")] = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    }
}

QString TestEnvironment::path(const QString& relative) const { return m_directory.path() + QLatin1Char('/') + relative; }

RunResult TestEnvironment::run(const QStringList& arguments) const
{
    if (m_runner != Runner::linux)
        return run_program(wine(m_runner), QStringList{windows_dist(m_runner) + "/telvorin.exe"} + arguments);
    return run_program(telvorin_binary(), arguments);
}

RunResult TestEnvironment::run_program(const QString& program, const QStringList& arguments,
                                       const QByteArray& input, int seconds) const
{
    QProcessEnvironment environment;
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it)
        environment.insert(it.key(), it.value());
    // Loaded, Wine may end with 1 before the program ran, silently; every program here writes something: retried.
    for (int attempt = 1;; ++attempt) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.setWorkingDirectory(m_directory.path());
        process.start(program, arguments);
        if (!process.waitForStarted(30000))
            return {};
        process.write(input);
        process.closeWriteChannel();
        if (!process.waitForFinished(seconds * 1000)) {
            process.kill();
            process.waitForFinished(5000);
            const QByteArray killed = "\n[no end within " + QByteArray::number(seconds) + " s: killed]\n";
            return {-1000, process.readAllStandardOutput(), process.readAllStandardError() + killed};
        }
        const bool normal = process.exitStatus() == QProcess::NormalExit;
        const RunResult r{normal ? process.exitCode() : -1000, process.readAllStandardOutput(),
                          process.readAllStandardError()};
        if (m_runner == Runner::linux || program != wine(m_runner) || attempt == 3 || r.exit_code != 1
            || !r.standard_output.isEmpty() || !r.standard_error.isEmpty())
            return r;
    }
}

QString TestEnvironment::write(const QString& relative, const QByteArray& content) const
{
    QFile file(path(relative));
    QDir().mkpath(QFileInfo(file).absolutePath());
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
    return file.fileName();
}

QByteArray TestEnvironment::read(const QString& relative_or_absolute) const
{
    QFile file(QFileInfo(relative_or_absolute).isAbsolute() ? relative_or_absolute : path(relative_or_absolute));
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return content.isNull() && file.isOpen() ? QByteArray("") : content;
}

}  // namespace testsupport
