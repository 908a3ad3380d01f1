// The Windows tree's notices for every program file, and its MSI's life under msiexec in the test run's prefix.
#include "tests/support/runner.h"
#include <algorithm>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <QSet>
#include <gtest/gtest.h>
using namespace testsupport;
namespace {
// Every file under `root` by its path relative to it, with its bytes.
QMap<QString, QByteArray> tree(const QString& root)
{
    QMap<QString, QByteArray> files;
    QDirIterator it(root, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile f(it.next());
        files[QDir(root).relativeFilePath(f.fileName())] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
    return files;
}
// Each program file names its Debian source package, version and licences in licenses/SOURCES.txt, as its makers do.
TEST(Notices, EveryProgramFileNamesItsSourceAndItsLicencesAreThere)
{
    const struct { const char* files; const char* package; QStringList licences; } rules[] = {
        {"(Qt5[A-Za-z]+|platforms/[a-z]+|styles/[a-z]+)\\.dll", "qtbase-opensource-src", {"LGPL-3.0.txt", "GPL-3.0.txt"}},
        {"lib(stdc\\+\\+-6|gcc_s_seh-1|gcc_s_dw2-1)\\.dll", "gcc-mingw-w64", {"GPL-3.0.txt", "GCC-RUNTIME-LIBRARY-EXCEPTION-3.1.txt"}},
        {"libwinpthread-1\\.dll", "mingw-w64", {"winpthreads.txt"}},
        {"telvorin\\.exe", "telvorin", {"LICENSE.txt"}},
    };
    for (const QString& root : {windows_dist(Runner::wine), windows_dist(Runner::wine32)}) {
        if (root != windows_dist(Runner::wine) && !QFileInfo::exists(root + "/telvorin.exe"))
            continue;
        SCOPED_TRACE(root.toStdString());
        const QMap<QString, QByteArray> dist = tree(root);
        EXPECT_EQ(dist.value("licenses/LICENSE.txt"), TestEnvironment().read(source_dir() + "/LICENSE"));
        QMap<QString, QStringList> lines;
        for (const QByteArray& line : dist.value("licenses/SOURCES.txt").split('\n')) {
            const QStringList fields = QString::fromUtf8(line).split(' ', Qt::SkipEmptyParts);
            if (!fields.isEmpty() && fields[0].contains(QRegularExpression("\\.(dll|exe)$")))
                lines[fields[0]] = fields.mid(1);
        }
        const QStringList programs = QStringList(dist.keys()).filter(
            QRegularExpression("\\.(dll|exe)$", QRegularExpression::CaseInsensitiveOption));
        EXPECT_GE(programs.size(), 9);  // the tool, three Qt DLLs, two plugins, three runtime DLLs
        for (const QString& file : programs) {
            SCOPED_TRACE(file.toStdString());
            const QStringList fields = lines.value(file);
            ASSERT_GE(fields.size(), 3) << "its line in licenses/SOURCES.txt: " << fields.join(' ').toStdString();
            // A Debian version starts with a digit: a name that could not be found would show as a word.
            EXPECT_TRUE(fields[1].contains(QRegularExpression("^[0-9][A-Za-z0-9.+~:-]*$"))) << fields[1].toStdString();
            for (const QString& licence : fields.mid(2))
                EXPECT_FALSE(dist.value("licenses/" + licence).isEmpty()) << licence.toStdString();
            const auto rule = std::find_if(std::begin(rules), std::end(rules), [&](const auto& r) {
                return QRegularExpression(QStringLiteral("^(%1)$").arg(r.files)).match(file).hasMatch();
            });
            ASSERT_NE(rule, std::end(rules)) << "a program file from a source nobody has looked at";
            EXPECT_EQ(fields[0], rule->package);
            for (const QString& licence : rule->licences)
                EXPECT_TRUE(fields.contains(licence)) << licence.toStdString();
        }
    }
}
// The rows of one table of an MSI as msitools reads it; a table the package lacks has none.
QList<QStringList> rows(const char* msi, const char* table)
{
    const RunResult e = TestEnvironment().run_program(TELVORIN_MSIINFO, {"export", msi, table});
    if (e.exit_code != 0) {
        EXPECT_TRUE(e.standard_error.contains("table not found")) << table << ": " << e.standard_error.toStdString();
        return {};
    }
    QList<QStringList> result;
    // Lines end in CR LF; the first three give the column names, their types, and the table's name and keys.
    for (const QByteArray& line : e.standard_output.split('\n').mid(3))
        if (!line.trimmed().isEmpty())
            result << QString::fromUtf8(line).chopped(line.endsWith('\r') ? 1 : 0).split('\t');
    return result;
}
// Read from the packages: Wine's installer would neither need components of the other bitness nor show stray
// registry values. The x86 package is the x64 one's product, so that Windows Installer refuses the other bitness (see
// MsiBeide), but its components are its own.
TEST(MsiPackage, InstallsOnlyFilesOfItsBitnessPerMachineAndNothingElse)
{
    const auto property = [](const char* msi, const char* name) {
        for (const QStringList& p : rows(msi, "Property"))
            if (p.value(0) == name)
                return p.value(1).toStdString();
        return std::string();
    };
    const QString about = "Command-line tool that hands e-mail work from other programs to the desktop mail system: "
                          "saves mails and attachments from Outlook, sends mail through Simple MAPI. ";
    const struct { const char* msi; bool x64; const char* office; } packages[] = {
        {TELVORIN_MSI_OLD, true, "For 64-bit Office; 32-bit Office needs the x86 package."},
        {TELVORIN_MSI_NEW, true, "For 64-bit Office; 32-bit Office needs the x86 package."},
        {TELVORIN_MSI_X86, false, "For 32-bit Office; 64-bit Office needs the x64 package."},
    };
    QSet<QString> x64_codes;
    for (const auto& package : packages) {
        SCOPED_TRACE(package.msi);
        const QList<QStringList> components = rows(package.msi, "Component");
        EXPECT_GE(components.size(), 15);
        for (const QStringList& c : components) {
            ASSERT_GE(c.size(), 4);
            EXPECT_EQ(c[3].toInt() & 0x100, package.x64 ? 0x100 : 0) << "attributes: " << c.join(' ').toStdString();
            if (package.x64)
                x64_codes << c[1];
            else
                EXPECT_FALSE(x64_codes.contains(c[1])) << "an x64 package's code: " << c.join(' ').toStdString();
        }
        for (const char* table : {"Registry", "RemoveRegistry", "Environment", "ServiceInstall", "ServiceControl",
                                  "CustomAction", "Shortcut", "IniFile"})
            EXPECT_EQ(rows(package.msi, table), QList<QStringList>()) << table;
        // Programs and Features shows who made it, whom to ask and what it is, and offers neither change nor repair.
        const QList<QStringList> properties = rows(package.msi, "Property");
        for (const QStringList& p : QList<QStringList>{
                 {"ALLUSERS", "1"}, {"Manufacturer", "The Telvorin developers"}, {"ARPNOMODIFY", "1"},
                 {"ARPNOREPAIR", "1"}, {"ARPCONTACT", "The Telvorin developers <telvorin@example.org>"},
                 {"ARPCOMMENTS", about + package.office}})
            EXPECT_TRUE(properties.contains(p)) << p.join('=').toStdString();
    }
    EXPECT_FALSE(property(TELVORIN_MSI_OLD, "ProductCode").empty());
    for (const char* code : {"ProductCode", "UpgradeCode"})
        EXPECT_EQ(property(TELVORIN_MSI_X86, code), property(TELVORIN_MSI_OLD, code)) << code;
}
// Per build: its packages, its folder on drive C: (a folder of the prefix), its bitness's fixtures and registry view.
struct Build { const char *old_msi, *new_msi, *folder, *com_dll, *mapi32, *view; };
const Build x86_build{TELVORIN_MSI_X86, TELVORIN_MSI_X86_NEW, "Program Files (x86)/Telvorin",
                      TELVORIN_COM_OUTLOOK_DLL32, TELVORIN_RECORDING_MAPI32_32, "/reg:32"};
const Build x64_build{TELVORIN_MSI_OLD, TELVORIN_MSI_NEW, "Program Files/Telvorin", TELVORIN_COM_OUTLOOK_DLL,
                      TELVORIN_RECORDING_MAPI32, "/reg:64"};
Build build(Runner runner) { return runner == Runner::wine32 ? x86_build : x64_build; }
QString installed(Runner prefix, const Build& b) { return wine_prefix(prefix) + "/drive_c/" + b.folder; }
QString windows_path(const QString& unix_path) { return "Z:" + QString(unix_path).replace('/', '\\'); }
// The versions of the products named Telvorin the installer lists, as the Control Panel would, space-separated.
QString products(const TestEnvironment& u, const QString& view = QString())
{
    const RunResult e = u.run_program(wine(u.runner()), {"reg", "query",
                                                  "HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall", "/s",
                                                  view.isEmpty() ? build(u.runner()).view : view});
    // Each key's values by name; a value's line is its name, its type and its data.
    QList<QMap<QString, QString>> keys;
    for (const QByteArray& raw : e.standard_output.split('\n')) {
        const QStringList fields = QString::fromLatin1(raw).simplified().split(' ');
        if (fields[0].startsWith("HKEY_"))
            keys.append(QMap<QString, QString>());
        else if (fields.size() >= 3 && !keys.isEmpty())
            keys.last()[fields[0]] = fields.mid(2).join(' ');
    }
    QStringList versions;
    for (const QMap<QString, QString>& key : keys)
        if (key.value("DisplayName") == "Telvorin")
            versions << key.value("DisplayVersion").section(' ', 0, 0);
    return versions.join(' ');
}
RunResult msiexec(const TestEnvironment& u, const char* action, const char* package, const QString& log)
{
    return u.run_program(wine(u.runner()), {"msiexec", action, windows_path(package), "/qn", "/l*v", windows_path(u.path(log))});
}
class Msi : public ::testing::TestWithParam<Runner> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(Msi);
INSTANTIATE_TEST_SUITE_P(Wine, Msi, ::testing::ValuesIn(wine_runners()));
INSTANTIATE_TEST_SUITE_P(Wine32, Msi, ::testing::ValuesIn(wine32_runners()));
// One product's life in order, as an administrator sees it: each step stands on the one before.
TEST_P(Msi, InstallsRunsUpgradesRefusesADowngradeAndRemovesItself)
{
    const TestEnvironment u(GetParam());
    const Build b = build(GetParam());
    const QString installed = ::installed(GetParam(), b);
    const QString exe = "C:\\" + QString(b.folder).replace('/', '\\') + "\\telvorin.exe";
    // Whatever an earlier, interrupted run left installed goes first.
    for (const char* msi : {b.new_msi, b.old_msi})
        msiexec(u, "/x", msi, "before.log");
    ASSERT_EQ(products(u), QString());
    ASSERT_FALSE(QFileInfo::exists(installed));
    const QMap<QString, QByteArray> dist = tree(windows_dist(GetParam()));
    ASSERT_EQ(msiexec(u, "/i", b.old_msi, "install.log").exit_code, 0) << u.read("install.log").toStdString();
    EXPECT_EQ(products(u), QString(TELVORIN_PROJECT_VERSION));
    EXPECT_EQ(tree(installed), dist);
    EXPECT_EQ(u.run_program(wine(GetParam()), {exe, "-version"}), (RunResult{0, banner(GetParam()), ""}));
    TestEnvironment outlook(GetParam());
    // Outlook's Application is the COM stand-in, in the prefix for this job only.
    const QString clsid = "HKLM\\Software\\Classes\\CLSID\\{0006F03A-0000-0000-C000-000000000046}";
    const auto reg = [&](const QStringList& args) {
        return outlook.run_program(wine(GetParam()), QStringList{"reg"} + args + QStringList{"/f", b.view}).exit_code;
    };
    ASSERT_EQ(reg({"add", clsid + "\\InprocServer32", "/ve", "/d", windows_path(b.com_dll)}), 0);
    ASSERT_EQ(reg({"add", clsid + "\\InprocServer32", "/v", "ThreadingModel", "/d", "Apartment"}), 0);
    outlook.set("TELVORIN_COM_SITZUNG", outlook.write("sitzung.txt", "Version 16.0.0.17328\nExplorer\nMail Hallo\n"));
    outlook.set("TELVORIN_COM_PROTOKOLL", outlook.path("com.txt"));
    QDir().mkpath(outlook.path("out"));
    const RunResult saved = outlook.run_program(wine(GetParam()), {exe, "-mail", "-dest", "out"});
    reg({"delete", clsid});
    EXPECT_EQ(saved, (RunResult{0, banner(GetParam()) + "OL-Explorer speichere: out\\Hallo.msg\n", "Betreff: 'Hallo' 16.0.0.17328\n"}));
    EXPECT_EQ(outlook.read("com.txt"), "SaveAs args=1 path=out\\Hallo.msg\nlebend=0\n");
    // The recording MAPI32.DLL goes into the program's folder: Wine takes it as the program's own only from there.
    TestEnvironment mapi(GetParam());
    ASSERT_TRUE(QFile::copy(b.mapi32, installed + "/mapi32.dll"));
    mapi.set("WINEDLLOVERRIDES", "mapi32=n");
    mapi.set("TELVORIN_TEST_PROTOKOLL", mapi.path("protokoll.txt"));
    mapi.write("mail.txt", "Standard\n\nBetreff\n1\nkunde\n0\n0\n0\n0\nText\n");
    const RunResult sent = mapi.run_program(wine(GetParam()), {exe, "mail.txt"});
    QFile::remove(installed + "/mapi32.dll");
    EXPECT_EQ(sent.exit_code, 0) << sent.standard_error.toStdString();
    EXPECT_TRUE(sent.standard_output.endsWith("Email gesendet: Betreff\n")) << sent.standard_output.toStdString();
    EXPECT_TRUE(mapi.read("protokoll.txt").startsWith("loaded\nMAPILogon ")) << mapi.read("protokoll.txt").toStdString();
    EXPECT_TRUE(mapi.read("protokoll.txt").contains("\nMAPISendMail ")) << mapi.read("protokoll.txt").toStdString();
    ASSERT_EQ(msiexec(u, "/i", b.new_msi, "upgrade.log").exit_code, 0) << u.read("upgrade.log").toStdString();
    EXPECT_EQ(products(u), QString(TELVORIN_MSI_NEW_VERSION));
    EXPECT_EQ(tree(installed), dist);
    // Wine's msiexec shows a refusal only in a message box, never in its log: the box is traced on a display of its
    // own and closed. msiexec needs a desktop of its own there, whose exit status is explorer's: hence the trace.
    TestEnvironment x(GetParam());
    x.set("WINEDEBUG", "+msgbox");
    // Return is pressed until msiexec ends: the box may take the focus late, which a waiting xdotool would miss.
    const char* script = R"(Xvfb -displayfd 3 -nolisten tcp 3>display 2>/dev/null & xvfb=$!
trap 'kill $xvfb' EXIT
for i in $(seq 600); do [ -s display ] && break; sleep 0.1; done
export DISPLAY=:$(cat display)
"$0" explorer /desktop=telvorin-msi,800x600 msiexec /i "$1" /qb & msiexec=$!
for i in $(seq 500); do
  kill -0 $msiexec 2>/dev/null || break
  xdotool search --name '^Install Failed$' windowfocus key Return 2>/dev/null; sleep 0.2
done
kill $msiexec 2>/dev/null; wait $msiexec)";
    const RunResult e = x.run_program("/bin/sh", {"-c", script, wine(GetParam()), windows_path(b.old_msi)}, {}, 150);
    for (const char* trace : {"trace:msgbox:MSGBOX_OnInit L\"Eine neuere Version von Telvorin ist bereits installiert.\"",
                              "Execution halted, action L\"LaunchConditions\" returned 1603"})
        EXPECT_TRUE(e.standard_error.contains(trace)) << trace << "\n" << e.standard_error.toStdString();
    EXPECT_EQ(products(u), QString(TELVORIN_MSI_NEW_VERSION));
    ASSERT_EQ(msiexec(u, "/x", b.new_msi, "remove.log").exit_code, 0) << u.read("remove.log").toStdString();
    EXPECT_EQ(products(u), QString());
    EXPECT_FALSE(QFileInfo::exists(installed));
}
// One Telvorin per machine whichever bitness, under WOW64 where both packages install.
class MsiBeide : public ::testing::TestWithParam<Runner> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(MsiBeide);
INSTANTIATE_TEST_SUITE_P(Wine32, MsiBeide, ::testing::ValuesIn(wine32_runners()));
TEST_P(MsiBeide, OnlyOneBitnessIsEverInstalled)
{
    const TestEnvironment u(GetParam());
    const Build x86 = build(Runner::wine32), x64 = build(Runner::wine);
    const QString x86_installed = installed(GetParam(), x86), x64_installed = installed(GetParam(), x64);
    const auto both = [&] { return products(u, "/reg:32") + "|" + products(u, "/reg:64"); };
    for (const char* msi : {x64.new_msi, x64.old_msi, x86.new_msi, x86.old_msi})
        msiexec(u, "/x", msi, "before.log");
    ASSERT_EQ(both(), "|");
    ASSERT_EQ(msiexec(u, "/i", x86.old_msi, "x86.log").exit_code, 0) << u.read("x86.log").toStdString();
    EXPECT_EQ(msiexec(u, "/i", x64.old_msi, "x64.log").exit_code, 0) << u.read("x64.log").toStdString();
    EXPECT_EQ(both(), QString(TELVORIN_PROJECT_VERSION "|"));
    EXPECT_TRUE(QFileInfo::exists(x86_installed + "/telvorin.exe"));
    EXPECT_FALSE(QFileInfo::exists(x64_installed));
    ASSERT_EQ(msiexec(u, "/i", x64.new_msi, "x64-new.log").exit_code, 0) << u.read("x64-new.log").toStdString();
    EXPECT_EQ(both(), QString("|" TELVORIN_MSI_NEW_VERSION));
    EXPECT_FALSE(QFileInfo::exists(x86_installed));
    EXPECT_TRUE(QFileInfo::exists(x64_installed + "/telvorin.exe"));
    ASSERT_EQ(msiexec(u, "/x", x64.new_msi, "remove.log").exit_code, 0) << u.read("remove.log").toStdString();
    EXPECT_EQ(both(), "|");
}
}  // namespace
