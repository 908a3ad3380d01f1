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

// The build a run starts: Linux, the Windows build under Wine, or the 32-bit one under WOW64 in its own prefix.
enum class Runner { linux, wine, wine32 };
inline void PrintTo(Runner r, std::ostream* os) { *os << (r == Runner::linux ? "telvorin" : "telvorin.exe"); }
// {Runner::wine} (or wine32) when the build found that Windows build and Wine, else empty.
std::vector<Runner> wine_runners();
std::vector<Runner> wine32_runners();
// Wine, the Windows build's folder and the prefix of a Windows runner, for tests starting other programs there.
QString wine(Runner runner);
QString windows_dist(Runner runner);
QString wine_prefix(Runner runner);
// Text in the local 8-bit encoding of the runner's tool: UTF-8 here, Windows-1252 under Wine.
QByteArray local_8bit(Runner runner, const QString& text);

struct RunResult {
    int exit_code = -1000;  // -1000: did not finish
    QByteArray standard_output;
    QByteArray standard_error;
};
inline bool operator==(const RunResult& a, const RunResult& b)
{
    return a.exit_code == b.exit_code && a.standard_output == b.standard_output && a.standard_error == b.standard_error;
}
void PrintTo(const RunResult& r, std::ostream* os);

// A temporary working directory with a pinned environment (C.UTF-8, UTC, HOME, TMPDIR and XDG inside, no display,
// no tool variable; sanitizer options pass). Under Wine %TEMP% is the same tmp/, and the code page 1252.
class TestEnvironment {
public:
    explicit TestEnvironment(Runner runner = Runner::linux);
    Runner runner() const { return m_runner; }
    // Absolute, no trailing slash.
    QString path() const { return m_directory.path(); }
    QString path(const QString& relative) const;
    void set(const QString& name, const QString& value) { m_variables[name] = value; }
    void unset(const QString& name) { m_variables.remove(name); }
    // Runs telvorin, or any program, in the directory; past `seconds` it is killed and reported unfinished.
    RunResult run(const QStringList& arguments) const;
    RunResult run_program(const QString& program, const QStringList& arguments,
                          const QByteArray& input = QByteArray(), int seconds = 60) const;
    // Creates folders; returns the full path.
    QString write(const QString& relative, const QByteArray& content) const;
    // A missing file reads as a null QByteArray.
    QByteArray read(const QString& relative_or_absolute) const;

private:
    Runner m_runner;
    QTemporaryDir m_directory;
    QMap<QString, QString> m_variables;
};

QString telvorin_binary();
QString source_dir();

// How a failed run ends its standard error; a failed mail job gives the mailer's text twice before it.
inline const QByteArray failure_ending("\n\n- Programmende mit Fehlern -\n\n");
inline QByteArray mail_failure(const QByteArray& text)
{
    return "Fehler beim Mailinterface !\nMail-Error: " + text + "\n" + text + "\n" + failure_ending;
}

// The Windows bridge's debug line when Outlook's Application cannot be made; the Linux stand-in gives none.
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

// The result file's two "inf;" lines; the default version is the export tests' sessions'.
inline QByteArray result_file_head(const char* mode, const QByteArray& version = "16.0.0.17328")
{
    return QByteArray("inf;Telvorin (5.9.3.7 08.02.18) ") + mode + "\r\ninf;Outlook Version " + version + "\r\n";
}

// The 32-bit Windows build says 32bit under WOW64.
QByteArray banner(Runner runner = Runner::linux);

}  // namespace testsupport
