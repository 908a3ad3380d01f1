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
QString wine() { return QStringLiteral(TELVORIN_WINE); }
QString windows_dist() { return QStringLiteral(TELVORIN_WINDOWS_DIST); }

QByteArray local_8bit(Runner runner, const QString& text)
{
    return runner == Runner::linux ? text.toUtf8() : QTextCodec::codecForName("Windows-1252")->fromUnicode(text);
}

void PrintTo(const RunResult& r, std::ostream* os)
{
    *os << "exit " << r.exit_code << ", stdout \"" << r.standard_output.toStdString() << "\", stderr \""
        << r.standard_error.toStdString() << '"';
}

QByteArray banner()
{
    struct utsname name {};
    ::uname(&name);
    const bool bit64 = std::strstr(name.machine, "64") != nullptr || std::strcmp(name.machine, "s390x") == 0;
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
    if (runner == Runner::wine) {
        // The prefix's %TEMP% refers to this (wine_prefix.sh): Wine sets TEMP from the registry, not the environment.
        m_variables[QStringLiteral("TELVORIN_TEST_TEMP")] = QStringLiteral("Z:") + p + QStringLiteral("/tmp");
        m_variables[QStringLiteral("WINEPREFIX")] = QStringLiteral(TELVORIN_WINE_PREFIX);
        m_variables[QStringLiteral("WINEDEBUG")] = QStringLiteral("-all");
        // Debian's Wine keeps the server's socket under $TMPDIR: a TMPDIR of each case's own would start a server
        // per case, each with its own copy of the prefix's registry. The tool's %TEMP% comes from the registry.
        m_variables[QStringLiteral("TMPDIR")] = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    }
}

QString TestEnvironment::path(const QString& relative) const { return m_directory.path() + QLatin1Char('/') + relative; }

RunResult TestEnvironment::run(const QStringList& arguments) const
{
    if (m_runner == Runner::wine)
        return run_program(wine(), QStringList{windows_dist() + "/telvorin.exe"} + arguments);
    return run_program(telvorin_binary(), arguments);
}

RunResult TestEnvironment::run_program(const QString& program, const QStringList& arguments,
                                       const QByteArray& input) const
{
    // On a loaded machine Wine now and then ends with 1 before the program ran, saying nothing; every
    // program run under it here writes something (telvorin its banner, reg its verdict), so that is retried.
    for (int attempt = 1;; ++attempt) {
        RunResult r = run_once(program, arguments, input);
        if (program != wine() || attempt == 3 || r.exit_code != 1 || !r.standard_output.isEmpty()
            || !r.standard_error.isEmpty())
            return r;
    }
}

RunResult TestEnvironment::run_once(const QString& program, const QStringList& arguments,
                                    const QByteArray& input) const
{
    QProcessEnvironment environment;
    for (auto it = m_variables.cbegin(); it != m_variables.cend(); ++it)
        environment.insert(it.key(), it.value());
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_directory.path());
    process.start(program, arguments);
    if (!process.waitForStarted(30000))
        return {};
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished(5000);
        return {};
    }
    const bool normal = process.exitStatus() == QProcess::NormalExit;
    return {normal ? process.exitCode() : -1000, process.readAllStandardOutput(), process.readAllStandardError()};
}

QString TestEnvironment::write(const QString& relative, const QByteArray& content) const
{
    const QString target = path(relative);
    QDir().mkpath(QFileInfo(target).absolutePath());
    QFile file(target);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(content);
    return target;
}

QByteArray TestEnvironment::read(const QString& relative_or_absolute) const
{
    QFile file(QFileInfo(relative_or_absolute).isAbsolute() ? relative_or_absolute : path(relative_or_absolute));
    const QByteArray content = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    return content.isNull() && file.isOpen() ? QByteArray("") : content;
}

}  // namespace testsupport
