// The result file end to end: the names it gives under a UTF-8 and a Latin-1 locale, and a place that cannot take it.
#include "tests/support/runner.h"
#include "tests/support/outlook_session.h"
#include "tests/support/precondition.h"
#include <QFile>
#include <QProcess>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace testsupport;

namespace {
// The result file names each saved file in the locale's encoding, as the file system does: every "file;" line, taken
// as a path's bytes, opens a file, and no saved file goes unnamed. Rows: locale, mails selected, lines after the head.
TEST(ErgebnisdateiKodierung, JedeGenannteDateiLaesstSichOeffnen)
{
    const QByteArray gruesse = build_mail("=?utf-8?q?Gr=C3=BC=C3=9Fe_=E2=82=AC?=");
    const struct { const char* gebietsschema; QMap<QString, QByteArray> mails; QByteArray zeilen; } faelle[] = {
        {"C.UTF-8",
         {{"a.eml", build_mail("=?utf-8?q?=D0=9F=D1=80=D0=B8=D0=B2=D0=B5=D1=82?=")},
          {"b.eml", build_mail("=?utf-8?b?5Lya6K2w44Gu5Lu2?=")}, {"c.eml", gruesse}},
         "file;out/\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82.msg\r\n"
         "file;out/\xe4\xbc\x9a\xe8\xad\xb0\xe3\x81\xae\xe4\xbb\xb6.msg\r\n"
         "file;out/Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac.msg\r\n"},
        {"de_DE.ISO-8859-1", {{"a.eml", gruesse}}, "file;out/Gr\xfc\xdf" "e ?.msg\r\n"},
        // ASCII is no choice of encoding: UTF-8 stays, rather than "?" for every umlaut.
        {"C", {{"a.eml", gruesse}}, "file;out/Gr\xc3\xbc\xc3\x9f" "e \xe2\x82\xac.msg\r\n"},
    };
    QTemporaryDir gebietsschemata;
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.gebietsschema);
        TestEnvironment u;
        if (QByteArray(f.gebietsschema).startsWith("de_DE")) {
            const int rc = QProcess::execute("localedef", {"-i", "de_DE", "-f", "ISO-8859-1",
                                                           gebietsschemata.filePath(f.gebietsschema)});
            TELVORIN_PRECONDITION(rc == 0 || rc == 1, "localedef could not make " << f.gebietsschema);  // 1: warnings
            u.set("LOCPATH", gebietsschemata.path());
        }
        for (const char* name : {"LC_ALL", "LANG"})
            u.set(name, f.gebietsschema);
        make_session(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=" + f.mails.keys().join(", ").toUtf8(),
                        f.mails);
        EXPECT_EQ(u.run({"-mail", "-dest", "out", "-back", "r.csv"}).exit_code, 0);
        const QByteArray ergebnis = u.read("r.csv");
        EXPECT_EQ(ergebnis, result_file_head("Mail") + f.zeilen);
        int genannt = 0;
        for (const QByteArray& zeile : ergebnis.split('\n')) {
            if (!zeile.startsWith("file;"))
                continue;
            ++genannt;
            const QByteArray pfad = QFile::encodeName(u.path()) + '/' + zeile.mid(5).chopped(1);
            EXPECT_TRUE(std::ifstream(pfad.constData()).is_open()) << pfad.toStdString();
        }
        // Counted as bytes: Qt in this process would leave out a name that is no UTF-8.
        const auto gespeichert = std::filesystem::directory_iterator(QFile::encodeName(u.path("out")).toStdString());
        EXPECT_EQ(genannt, std::distance(begin(gespeichert), end(gespeichert)));
    }
}

class Ergebnisdatei : public ::testing::TestWithParam<Runner> {};
INSTANTIATE_TEST_SUITE_P(Linux, Ergebnisdatei, ::testing::Values(Runner::linux));
INSTANTIATE_TEST_SUITE_P(Wine, Ergebnisdatei, ::testing::ValuesIn(wine_runners()));
INSTANTIATE_TEST_SUITE_P(Wine32, Ergebnisdatei, ::testing::ValuesIn(wine32_runners()));

TEST_P(Ergebnisdatei, UnbrauchbareWirdStillUebergangen)
{
    // A missing folder, or a link where the result file goes: no result file, the target untouched. Rows: case,
    // -back's value, and where a symbolic link at that path points, if anywhere.
    const struct { const char *name, *back, *ziel; } faelle[] = {
        {"fehlender Ordner", "fehlt/r.csv", nullptr}, {"Link auf eine Datei", "r.csv", "opfer.txt"},
        {"Link als Vorgabedatei", "", "opfer.txt"}};
    for (const auto& f : faelle) {
        // Wine shows a Unix link as its target, never as a reparse point: there link cases would test Wine, not us.
        if (f.ziel != nullptr && GetParam() != Runner::linux)
            continue;
        SCOPED_TRACE(f.name);
        TestEnvironment u(GetParam());
        u.write("opfer.txt", "bleibt");
        const bool vorgabe = *f.back == '\0';  // the environment has made tmp/, where the default one goes
        const QString back = vorgabe ? QStringLiteral("tmp/Telvorin_result.csv") : QString::fromUtf8(f.back);
        const QStringList args = vorgabe ? QStringList{"-mail"} : QStringList{"-mail", "-back", f.back};
        ASSERT_TRUE(f.ziel == nullptr
                    || ::symlink(QFile::encodeName(u.path(f.ziel)).constData(), QFile::encodeName(u.path(back)).constData()) == 0);
        EXPECT_EQ(u.run(args), (RunResult{255, banner(GetParam()), no_outlook_class(GetParam())
                                          + "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + failure_ending}));
        EXPECT_EQ(u.read("opfer.txt"), QByteArray("bleibt"));
        EXPECT_FALSE(QFile::exists(u.path("fehlt/r.csv")));
    }
}
}  // namespace
