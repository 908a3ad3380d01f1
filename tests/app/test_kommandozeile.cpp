// The command line: the option walk case by case, and the real binary's start, exit codes, console and which runs
// write the result file.
#include "tests/support/runner.h"
#include "app/optionen.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {
TEST(Optionslauf, LegtModusUndWerteFest)
{
    using M = ELaufmodus;
    const struct {  // arguments without the program path
        const char* beschreibung; QStringList argumente; M modus; bool version;
        std::string ziel, name, back, interfacedatei;
    } faelle[] = {
        {"nothing", {}, M::ms_mapi, false, "", "", "", ""},
        {"bare file", {"a.txt"}, M::ms_mapi, false, "", "", "", "a.txt"},
        {"-mapi takes a dash value", {"-mapi", "-x"}, M::ms_mapi, false, "", "", "", "-x"},
        {"mail then version", {"-mail", "-version"}, M::mail, true, "", "", "", ""},
        {"last mode wins", {"-mail", "-anlage"}, M::anlage, false, "", "", "", ""},
        {"anlage then mapi file", {"-anlage", "-mapi", "f.txt"}, M::ms_mapi, false, "", "", "", "f.txt"},
        {"dest last", {"-mail", "-dest"}, M::mail, false, "", "", "", ""},
        {"dest value is bare in mode 2", {"-dest", "out"}, M::ms_mapi, false, "out", "", "", "out"},
        {"bare before mail stays", {"m.txt", "-mail"}, M::mail, false, "", "", "", "m.txt"},
        {"bare after mail ignored", {"-mail", "m.txt"}, M::mail, false, "", "", "", ""},
        {"prefix is no option", {"-mailx", "-destination", "d"}, M::ms_mapi, false, "", "", "", "d"},
        {"repeated value keeps last", {"-mail", "-dest", "a", "-dest", "b", "-name", "x", "-name", "y"}, M::mail, false, "b", "y", "", ""},
        {"value option eats an option name", {"-dest", "-mail"}, M::mail, false, "-mail", "", "", ""},
        {"later bare replaces mapi value", {"-mapi", "a", "b"}, M::ms_mapi, false, "", "", "", "b"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.beschreibung);
        const Optionen o = lies_optionen(QStringList{QStringLiteral("/usr/bin/telvorin")} + f.argumente);
        EXPECT_EQ(std::tuple(static_cast<int>(o.laufmodus), o.version, o.zielverzeichnis.toStdString(),
                             o.dateiname.toStdString(), o.ergebnisdatei.toStdString(), o.interfacedatei.toStdString()),
                  std::tuple(static_cast<int>(f.modus), f.version, f.ziel, f.name, f.back, f.interfacedatei));
    }
}

// The real binary, the Linux one and the Windows one under Wine, against the same expected bytes.
class Kommandozeile : public ::testing::TestWithParam<Runner> {};
INSTANTIATE_TEST_SUITE_P(Linux, Kommandozeile, ::testing::Values(Runner::linux));
INSTANTIATE_TEST_SUITE_P(Wine, Kommandozeile, ::testing::ValuesIn(wine_runners()));
INSTANTIATE_TEST_SUITE_P(Wine32, Kommandozeile, ::testing::ValuesIn(wine32_runners()));

// Asking for the version ends after the banner with success; a missing interface file, with the error.
TEST_P(Kommandozeile, VersionOderFehlendeInterfacedateiEndenNachDemBanner)
{
    const QByteArray fehlt = "Fehlende Angabe fuer Interfacedatei\n" + failure_ending;
    const struct { QStringList args; QByteArray standard_error; } faelle[] = {  // standard error not empty: exit code -1
        {{"-version"}, ""}, {{"-Version", "-mail"}, ""}, {{}, fehlt}, {{"-mapi"}, fehlt}, {{"-unbekannt", "-"}, fehlt},
    };
    TestEnvironment u(GetParam());
    for (const auto& f : faelle)
        EXPECT_EQ(u.run(f.args), (RunResult{f.standard_error.isEmpty() ? 0 : 255, banner(GetParam()),
                                            f.standard_error})) << f.args.join(' ').toStdString();
    EXPECT_FALSE(QFile::exists(u.path("tmp/Telvorin_result.csv")));
    // Without a screen's runtime folder as well, the tool runs quietly.
    u.unset("XDG_RUNTIME_DIR");
    EXPECT_EQ(u.run({"-version"}), (RunResult{0, banner(GetParam()), ""}));
    EXPECT_EQ(QDir(u.path("tmp")).entryList({"runtime-*"}, QDir::AllEntries | QDir::Hidden), QStringList());
}

// A display that is named but served by nobody (a stale DISPLAY over ssh, a Wayland socket that is gone) leaves
// every job as it is without any display: same exit code, console and result, and the mail is delivered.
TEST(Bildschirm, UnerreichbarWieKeiner)
{
    int nummer = 90;
    while (QFileInfo::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(nummer))
           || QFileInfo::exists(QStringLiteral("/tmp/.X%1-lock").arg(nummer)))
        ++nummer;
    const QByteArray interfacedatei = "Standard\n\nBetreff\n1\nkunde@example.com\n0\n0\n0\n0\nText\n";
    const QString ausgang = QStringLiteral("home/.local/share/telvorin/outbox");
    for (const auto& [name, wert] : {std::pair{"DISPLAY", QStringLiteral(":%1").arg(nummer)},
                                     {"WAYLAND_DISPLAY", QStringLiteral("telvorin-nirgends")}}) {
        for (const QStringList& args : {QStringList{"-version"}, QStringList{"-anlage"}, QStringList{"i.txt"}}) {
            SCOPED_TRACE(QStringLiteral("%1=%2 %3").arg(name, wert, args.join(' ')).toStdString());
            TestEnvironment ohne, mit;
            mit.set(name, wert);
            for (const TestEnvironment* u : {&ohne, &mit})
                u->write("i.txt", interfacedatei);
            EXPECT_EQ(mit.run(args), ohne.run(args));
            EXPECT_EQ(mit.read("tmp/Telvorin_result.csv"), ohne.read("tmp/Telvorin_result.csv"));
            EXPECT_EQ(QDir(mit.path(ausgang)).entryList(QDir::Files).size(), args[0] == "i.txt" ? 1 : 0);
        }
    }
}

// The mail job leaves every result file alone; the attachment export replaces the default one, longer as it was.
TEST_P(Kommandozeile, NurDieExportjobsSchreibenDieErgebnisdatei)
{
    TestEnvironment u(GetParam());
    u.write("tmp/Telvorin_result.csv", QByteArray(5000, 'x'));
    u.write("r.csv", "alt");
    EXPECT_TRUE(u.run({"-back", "r.csv", "nichtda.txt"}).standard_error.startsWith("Interfacedatei 'nichtda.txt'\n"));
    EXPECT_EQ(u.read("r.csv"), QByteArray("alt"));
    EXPECT_EQ(u.read("tmp/Telvorin_result.csv"), QByteArray(5000, 'x'));
    u.run({"-ANLAGE"});
    EXPECT_EQ(u.read("tmp/Telvorin_result.csv"),
              result_file_head("Anlage", "") + "err;kein Outlook Inspector aktiv\r\n");
}
}  // namespace
