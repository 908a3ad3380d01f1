// Running the real telvorin binary from tests, in a pinned environment.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <vector>

namespace testsupport {

// Which build of the tool a run starts: the Linux binary, the Windows build's telvorin.exe under Wine in the test
// run's prefix, or the 32-bit Windows build under WOW64 in a prefix of its own. End-to-end tests take it as their
// parameter and are instantiated as "Linux", "Wine" and "Wine32".
enum class Runner { linux, wine, wine32 };
inline void PrintTo(Runner r, std::ostream* os) { *os << (r == Runner::linux ? "telvorin" : "telvorin.exe"); }
// {Runner::wine} when the build found a Windows build and Wine, else empty; wine32_runners() the same for the
// 32-bit build.
std::vector<Runner> wine_runners();
std::vector<Runner> wine32_runners();
// Wine, the Windows build's folder and the Wine prefix of a Windows runner, for tests that start other programs
// there.
QString wine(Runner runner);
QString windows_dist(Runner runner);
QString wine_prefix(Runner runner);
// Text in the local 8-bit encoding of the runner's tool: UTF-8 here, Windows-1252 under Wine.
QByteArray local_8bit(Runner runner, const QString& text);

struct RunResult {
    int exit_code = -1000;    // the process's exit status (0..255), -1000 when it did not finish
    QByteArray standard_output;
    QByteArray standard_error;
};
// A whole run compared at once, shown as text when it differs.
inline bool operator==(const RunResult& a, const RunResult& b)
{
    return a.exit_code == b.exit_code && a.standard_output == b.standard_output && a.standard_error == b.standard_error;
}
void PrintTo(const RunResult& r, std::ostream* os);

// A temporary working directory with a pinned environment: LC_ALL=C.UTF-8, TZ=UTC, HOME, TMPDIR and the XDG folders
// inside the directory, no display, no variable of the tool set. Sanitizer options of the test process pass through.
// Tests add or override variables with set(). Under Wine the Windows temporary folder (%TEMP%) is the same tmp/
// folder, and the prefix takes the code page 1252 from the pinned locale.
class TestEnvironment {
public:
    explicit TestEnvironment(Runner runner = Runner::linux);
    Runner runner() const { return m_runner; }

    // Path of the working directory (absolute, no trailing slash), or of `relative` inside it.
    QString path() const { return m_directory.path(); }
    QString path(const QString& relative) const;

    void set(const QString& name, const QString& value) { m_variables[name] = value; }
    void unset(const QString& name) { m_variables.remove(name); }

    // Runs telvorin (telvorin.exe under Wine) with `arguments` in the working directory; a run that takes longer than
    // a minute is killed and reported as not finished, with what it wrote until then. run_program runs any program so
    // (standard input `input`; `seconds` for a run that waits on a display).
    RunResult run(const QStringList& arguments) const;
    RunResult run_program(const QString& program, const QStringList& arguments,
                          const QByteArray& input = QByteArray(), int seconds = 60) const;
    // Writes `content` to `relative` (folders created); returns the full path.
    QString write(const QString& relative, const QByteArray& content) const;
    // Reads a file; a missing file reads as a null QByteArray.
    QByteArray read(const QString& relative_or_absolute) const;

private:
    RunResult run_once(const QString& program, const QStringList& arguments, const QByteArray& input, int seconds) const;

    Runner m_runner;
    QTemporaryDir m_directory;
    QMap<QString, QString> m_variables;
};

// The path of the built binary, and the source tree.
QString telvorin_binary();
QString source_dir();

// How a run that failed ends its standard error.
inline const QByteArray failure_ending("\n\n- Programmende mit Fehlern -\n\n");
// How a failed mail job ends its standard error: the mailer's text for the code, twice.
inline QByteArray mail_failure(const QByteArray& text)
{
    return "Fehler beim Mailinterface !\nMail-Error: " + text + "\n" + text + "\n" + failure_ending;
}

// The debug line of a run that cannot create Outlook's Application, with the HRESULT and what it means: the
// Windows bridge's under Wine; the Linux stand-in gives its own reasons, and none without a session.
inline QByteArray bridge_failure(const char* hresult, const QByteArray& meaning)
{
    return QByteArray("CoCreateInstance {0006f03a-0000-0000-c000-000000000046} fehlgeschlagen (0x") + hresult + "): "
           + meaning + "\n";
}
inline QByteArray no_outlook_class(Runner runner)
{
    return runner == Runner::linux ? QByteArray()
                                   : bridge_failure("80040154", "Klasse nicht registriert: kein klassisches Outlook "
                                                                "auf diesem Rechner (das neue Outlook hat keine "
                                                                "Automatisierungsschnittstelle)");
}

// The result file's two "inf;" lines; the version is the one the export tests' sessions name.
inline QByteArray result_file_head(const char* mode, const QByteArray& version = "16.0.0.17328")
{
    return QByteArray("inf;Telvorin (5.9.3.7 08.02.18) ") + mode + "\r\ninf;Outlook Version " + version + "\r\n";
}

// The banner the runner's build prints on this machine, as bytes: the 32-bit Windows build says 32bit under WOW64.
QByteArray banner(Runner runner = Runner::linux);

}  // namespace testsupport
