// The result file end to end: its code page under any locale, and a place that cannot take it.
#include "tests/support/lauf.h"
#include "tests/support/sitzung.h"

#include <QFile>

#include <unistd.h>

#include <gtest/gtest.h>

using namespace testhilfe;

namespace {

// Latin-1 under the C locale too (the export tests run under C.UTF-8): a "\xfc" from -dest is one byte, a Euro sign
// from the subject "?".
TEST(ErgebnisdateiKodierung, InLatin1UnterJedemGebietsschema)
{
    Umgebung u;
    for (const char* name : {"LC_ALL", "LANG"})
        u.setze(name, "C");
    lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=m.eml\n",
                    {{"m.eml", baue_mail("=?utf-8?q?Gr=C3=BC=C3=9Fe_=E2=82=AC?=")}});
    EXPECT_EQ(u.starte({"-mail", "-dest", QString::fromUtf8("\xc3\xbc"), "-back", "r.csv"}).exit_code, 0);
    EXPECT_EQ(u.lies("r.csv"), ergebnis_kopf("Mail") + "file;\xfc/Gr\xfc\xdf" "e ?.msg\r\n");
}

class Ergebnisdatei : public ::testing::TestWithParam<Laeufer> {};
INSTANTIATE_TEST_SUITE_P(Linux, Ergebnisdatei, ::testing::Values(Laeufer::linux));
INSTANTIATE_TEST_SUITE_P(Wine, Ergebnisdatei, ::testing::ValuesIn(wine_laeufer()));

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
        if (f.ziel != nullptr && GetParam() == Laeufer::wine)
            continue;
        SCOPED_TRACE(f.name);
        Umgebung u(GetParam());
        u.schreibe("opfer.txt", "bleibt");
        QStringList args{"-mail"};
        const QString back = *f.back != '\0' ? QString::fromUtf8(f.back) : QStringLiteral("tmp/Telvorin_result.csv");
        if (*f.back != '\0')
            args << "-back" << f.back;
        else
            u.schreibe("tmp/x", "");
        ASSERT_TRUE(f.ziel == nullptr
                    || ::symlink(QFile::encodeName(u.pfad(f.ziel)).constData(), QFile::encodeName(u.pfad(back)).constData()) == 0);
        EXPECT_EQ(u.starte(args),
                  (Ergebnis{255, banner(), "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + programmende}));
        EXPECT_EQ(u.lies("opfer.txt"), QByteArray("bleibt"));
        EXPECT_FALSE(QFile::exists(u.pfad("fehlt/r.csv")));
    }
}

}  // namespace
