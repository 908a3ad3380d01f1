// Running the real telvorin binary from tests, in a pinned environment.
#include "tests/support/lauf.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTextCodec>

#include <sys/utsname.h>

#include <cstring>

namespace testhilfe {

QString telvorin_binary() { return QStringLiteral(TELVORIN_BINARY); }
QString quellverzeichnis() { return QStringLiteral(TELVORIN_SOURCE_DIR); }
std::vector<Laeufer> wine_laeufer() { return *TELVORIN_WINE ? std::vector{Laeufer::wine} : std::vector<Laeufer>(); }
QString wine() { return QStringLiteral(TELVORIN_WINE); }
QString windows_dist() { return QStringLiteral(TELVORIN_WINDOWS_DIST); }

QByteArray lokal(Laeufer laeufer, const QString& text)
{
    return laeufer == Laeufer::linux ? text.toUtf8() : QTextCodec::codecForName("Windows-1252")->fromUnicode(text);
}

void PrintTo(const Ergebnis& e, std::ostream* os)
{
    *os << "exit " << e.exit_code << ", stdout \"" << e.standardausgabe.toStdString() << "\", stderr \""
        << e.standardfehler.toStdString() << '"';
}

QByteArray banner()
{
    struct utsname name {};
    ::uname(&name);
    const bool bit64 = std::strstr(name.machine, "64") != nullptr || std::strcmp(name.machine, "s390x") == 0;
    return QByteArray("Telvorin ") + (bit64 ? "64bit" : "32bit") + " Version 5.9.3.7 vom 08.02.18\n\n";
}

Umgebung::Umgebung(Laeufer laeufer) : m_laeufer(laeufer)
{
    const QString p = m_verzeichnis.path();
    QDir(p).mkpath(QStringLiteral("home"));
    QDir(p).mkpath(QStringLiteral("tmp"));
    for (const auto& [name, wert] : {std::pair{"PATH", "/usr/local/bin:/usr/bin:/bin"}, {"LC_ALL", "C.UTF-8"},
                                     {"LANG", "C.UTF-8"}, {"TZ", "UTC"}})
        m_variablen[QLatin1String(name)] = QLatin1String(wert);
    for (const auto& [name, relativ] : {std::pair{"HOME", "/home"}, {"TMPDIR", "/tmp"}, {"XDG_RUNTIME_DIR", "/tmp"},
                                        {"XDG_CONFIG_HOME", "/home/.config"}, {"XDG_DATA_HOME", "/home/.local/share"}})
        m_variablen[QLatin1String(name)] = p + QLatin1String(relativ);
    for (const char* name : {"ASAN_OPTIONS", "UBSAN_OPTIONS", "LSAN_OPTIONS"})
        if (qEnvironmentVariableIsSet(name))
            m_variablen[QLatin1String(name)] = qEnvironmentVariable(name);
    if (laeufer == Laeufer::wine) {
        // The prefix's %TEMP% refers to this (wine_prefix.sh): Wine sets TEMP from the registry, not the environment.
        m_variablen[QStringLiteral("TELVORIN_TEST_TEMP")] = QStringLiteral("Z:") + p + QStringLiteral("/tmp");
        m_variablen[QStringLiteral("WINEPREFIX")] = QStringLiteral(TELVORIN_WINE_PREFIX);
        m_variablen[QStringLiteral("WINEDEBUG")] = QStringLiteral("-all");
        // Debian's Wine keeps the server's socket under $TMPDIR: a TMPDIR of each case's own would start a server
        // per case, each with its own copy of the prefix's registry. The tool's %TEMP% comes from the registry.
        m_variablen[QStringLiteral("TMPDIR")] = qEnvironmentVariable("TMPDIR", QStringLiteral("/tmp"));
    }
}

QString Umgebung::pfad(const QString& relativ) const { return m_verzeichnis.path() + QLatin1Char('/') + relativ; }

Ergebnis Umgebung::starte(const QStringList& argumente) const
{
    if (m_laeufer == Laeufer::wine)
        return starte_programm(wine(), QStringList{windows_dist() + "/telvorin.exe"} + argumente);
    return starte_programm(telvorin_binary(), argumente);
}

Ergebnis Umgebung::starte_programm(const QString& programm, const QStringList& argumente,
                                   const QByteArray& eingabe) const
{
    // On a loaded machine Wine now and then ends with 1 before the program ran, saying nothing; every
    // program run under it here writes something (telvorin its banner, reg its verdict), so that is retried.
    for (int versuch = 1;; ++versuch) {
        Ergebnis e = starte_einmal(programm, argumente, eingabe);
        if (programm != wine() || versuch == 3 || e.exit_code != 1 || !e.standardausgabe.isEmpty()
            || !e.standardfehler.isEmpty())
            return e;
    }
}

Ergebnis Umgebung::starte_einmal(const QString& programm, const QStringList& argumente,
                                 const QByteArray& eingabe) const
{
    QProcessEnvironment umgebung;
    for (auto it = m_variablen.cbegin(); it != m_variablen.cend(); ++it)
        umgebung.insert(it.key(), it.value());
    QProcess prozess;
    prozess.setProcessEnvironment(umgebung);
    prozess.setWorkingDirectory(m_verzeichnis.path());
    prozess.start(programm, argumente);
    if (!prozess.waitForStarted(30000))
        return {};
    prozess.write(eingabe);
    prozess.closeWriteChannel();
    if (!prozess.waitForFinished(60000)) {
        prozess.kill();
        prozess.waitForFinished(5000);
        return {};
    }
    const bool normal = prozess.exitStatus() == QProcess::NormalExit;
    return {normal ? prozess.exitCode() : -1000, prozess.readAllStandardOutput(), prozess.readAllStandardError()};
}

QString Umgebung::schreibe(const QString& relativ, const QByteArray& inhalt) const
{
    const QString ziel = pfad(relativ);
    QDir().mkpath(QFileInfo(ziel).absolutePath());
    QFile datei(ziel);
    if (datei.open(QIODevice::WriteOnly | QIODevice::Truncate))
        datei.write(inhalt);
    return ziel;
}

QByteArray Umgebung::lies(const QString& relativ_oder_absolut) const
{
    QFile datei(QFileInfo(relativ_oder_absolut).isAbsolute() ? relativ_oder_absolut : pfad(relativ_oder_absolut));
    const QByteArray inhalt = datei.open(QIODevice::ReadOnly) ? datei.readAll() : QByteArray();
    return inhalt.isNull() && datei.isOpen() ? QByteArray("") : inhalt;
}

}  // namespace testhilfe
