// The result file end to end: its code page under any locale, and a place that cannot take it.
#include "tests/support/runner.h"
#include "tests/support/outlook_session.h"

#include <QFile>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace testsupport;

namespace {

// Latin-1 under the C locale too (the export tests run under C.UTF-8): a "\xfc" from -dest is one byte, a Euro sign
// from the subject "?".
TEST(ErgebnisdateiKodierung, InLatin1UnterJedemGebietsschema)
{
    TestEnvironment u;
    for (const char* name : {"LC_ALL", "LANG"})
        u.set(name, "C");
    make_session(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=m.eml\n",
                    {{"m.eml", build_mail("=?utf-8?q?Gr=C3=BC=C3=9Fe_=E2=82=AC?=")}});
    EXPECT_EQ(u.run({"-mail", "-dest", QString::fromUtf8("\xc3\xbc"), "-back", "r.csv"}).exit_code, 0);
    EXPECT_EQ(u.read("r.csv"), result_file_head("Mail") + "file;\xfc/Gr\xfc\xdf" "e ?.msg\r\n");
}

class Ergebnisdatei : public ::testing::TestWithParam<Runner> {};
INSTANTIATE_TEST_SUITE_P(Linux, Ergebnisdatei, ::testing::Values(Runner::linux));
INSTANTIATE_TEST_SUITE_P(Wine, Ergebnisdatei, ::testing::ValuesIn(wine_runners()));

TEST_P(Ergebnisdatei, UnbrauchbareWirdStillUebergangen)
{
    // A missing folder, and links planted where the result file goes: the run goes on without a result file and the
    // link's target stays untouched. The case, -back's value, and where a symbolic link at that path points, if anywhere.
    const struct { const char *name, *back, *ziel; } faelle[] = {
        {"fehlender Ordner", "fehlt/r.csv", nullptr}, {"Link auf eine Datei", "r.csv", "opfer.txt"},
        {"Link als Vorgabedatei", "", "opfer.txt"}};
    for (const auto& f : faelle) {
        // Wine shows a Unix symbolic link to a Windows program as the file it points to, never as a reparse point:
        // there the link cases would test Wine, not the tool, so telvorin.exe meets only the missing folder.
        if (f.ziel != nullptr && GetParam() == Runner::wine)
            continue;
        SCOPED_TRACE(f.name);
        TestEnvironment u(GetParam());
        u.write("opfer.txt", "bleibt");
        QStringList args{"-mail"};
        const QString back = *f.back != '\0' ? QString::fromUtf8(f.back) : QStringLiteral("tmp/Telvorin_result.csv");
        if (*f.back != '\0')
            args << "-back" << f.back;
        else
            u.write("tmp/x", "");
        ASSERT_TRUE(f.ziel == nullptr
                    || ::symlink(QFile::encodeName(u.path(f.ziel)).constData(), QFile::encodeName(u.path(back)).constData()) == 0);
        EXPECT_EQ(u.run(args),
                  (RunResult{255, banner(), "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + failure_ending}));
        EXPECT_EQ(u.read("opfer.txt"), QByteArray("bleibt"));
        EXPECT_FALSE(QFile::exists(u.path("fehlt/r.csv")));
    }
}

}  // namespace
