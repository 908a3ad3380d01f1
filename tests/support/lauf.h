// Running the real telvorin binary from tests, in a pinned environment.
#pragma once

#include <QByteArray>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <ostream>
#include <vector>

namespace testhilfe {

// Which build of the tool a run starts: the Linux binary, or the Windows build's telvorin.exe under Wine in the test
// run's prefix. End-to-end tests take it as their parameter and are instantiated as "Linux" and "Wine".
enum class Laeufer { linux, wine };
inline void PrintTo(Laeufer l, std::ostream* os) { *os << (l == Laeufer::wine ? "telvorin.exe" : "telvorin"); }
// {Laeufer::wine} when the build found a Windows build and Wine, else empty.
std::vector<Laeufer> wine_laeufer();
// Wine and the Windows build's folder, for tests that start other programs there.
QString wine();
QString windows_dist();
// Text in the local 8-bit encoding of the runner's tool: UTF-8 here, Windows-1252 under Wine.
QByteArray lokal(Laeufer laeufer, const QString& text);

struct Ergebnis {
    int exit_code = -1000;    // the process's exit status (0..255), -1000 when it did not finish
    QByteArray standardausgabe;
    QByteArray standardfehler;
};
// A whole run compared at once, shown as text when it differs.
inline bool operator==(const Ergebnis& a, const Ergebnis& b)
{
    return a.exit_code == b.exit_code && a.standardausgabe == b.standardausgabe && a.standardfehler == b.standardfehler;
}
void PrintTo(const Ergebnis& e, std::ostream* os);

// A temporary working directory with a pinned environment: LC_ALL=C.UTF-8, TZ=UTC, HOME, TMPDIR and the XDG folders
// inside the directory, no display, no variable of the tool set. Sanitizer options of the test process pass through.
// Tests add or override variables with setze(). Under Wine the Windows temporary folder (%TEMP%) is the same tmp/
// folder, and the prefix takes the code page 1252 from the pinned locale.
class Umgebung {
public:
    explicit Umgebung(Laeufer laeufer = Laeufer::linux);

    // Path of the working directory (absolute, no trailing slash), or of `relativ` inside it.
    QString pfad() const { return m_verzeichnis.path(); }
    QString pfad(const QString& relativ) const;

    void setze(const QString& name, const QString& wert) { m_variablen[name] = wert; }
    void entferne(const QString& name) { m_variablen.remove(name); }

    // Runs telvorin (telvorin.exe under Wine) with `argumente` in the working directory; a run that takes longer than
    // a minute is killed and reported as not finished. starte_programm runs any program so (standard input `eingabe`).
    Ergebnis starte(const QStringList& argumente) const;
    Ergebnis starte_programm(const QString& programm, const QStringList& argumente,
                             const QByteArray& eingabe = QByteArray()) const;
    // Writes `inhalt` to `relativ` (folders created); returns the full path.
    QString schreibe(const QString& relativ, const QByteArray& inhalt) const;
    // Reads a file; a missing file reads as a null QByteArray.
    QByteArray lies(const QString& relativ_oder_absolut) const;

private:
    Ergebnis starte_einmal(const QString& programm, const QStringList& argumente, const QByteArray& eingabe) const;

    Laeufer m_laeufer;
    QTemporaryDir m_verzeichnis;
    QMap<QString, QString> m_variablen;
};

// The path of the built binary, and the source tree.
QString telvorin_binary();
QString quellverzeichnis();

// How a run that failed ends its standard error.
inline const QByteArray programmende("\n\n- Programmende mit Fehlern -\n\n");
// How a failed mail job ends its standard error: the mailer's text for the code, twice.
inline QByteArray mail_fehler(const QByteArray& text)
{
    return "Fehler beim Mailinterface !\nMail-Error: " + text + "\n" + text + "\n" + programmende;
}

// The result file's two "inf;" lines; the version is the one the export tests' sessions name.
inline QByteArray ergebnis_kopf(const char* modus, const QByteArray& version = "16.0.0.17328")
{
    return QByteArray("inf;Telvorin (5.9.3.7 08.02.18) ") + modus + "\r\ninf;Outlook Version " + version + "\r\n";
}

// The banner the binary prints on this machine, as bytes.
QByteArray banner();

}  // namespace testhilfe
