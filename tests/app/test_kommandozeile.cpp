// The real binary's start, exit codes, console and result file.
#include "lauf.h"

#include <QFile>

#include <gtest/gtest.h>

using testhilfe::Umgebung;

namespace {

const QByteArray programmende("\n\n- Programmende mit Fehlern -\n\n");
const QByteArray kopf_mail("inf;Telvorin (5.9.3.7 08.02.18) Mail\r\n");
const QByteArray kopf_anlage("inf;Telvorin (5.9.3.7 08.02.18) Anlage\r\n");

TEST(Kommandozeile, VersionPrintsTheBannerAndEndsWithZero)
{
    Umgebung u;
    for (const QStringList& args : {QStringList{"-version"}, QStringList{"-mail", "-version"},
                                    QStringList{"-Version", "-mail"}}) {
        const auto e = u.starte(args);
        EXPECT_EQ(e.exit_code, 0) << args.join(' ').toStdString();
        EXPECT_EQ(e.standardausgabe, testhilfe::banner());
        EXPECT_EQ(e.standardfehler, QByteArray());
    }
    EXPECT_FALSE(QFile::exists(u.pfad("tmp/Telvorin_result.csv")));
}

TEST(Kommandozeile, MissingInterfaceFileFails)
{
    Umgebung u;
    for (const QStringList& args : {QStringList{}, QStringList{"-mapi"}, QStringList{"-mail", "-mapi"},
                                    QStringList{"-unbekannt", "-"}}) {
        const auto e = u.starte(args);
        EXPECT_EQ(e.exit_code, 255) << args.join(' ').toStdString();
        EXPECT_EQ(e.standardausgabe, testhilfe::banner());
        EXPECT_EQ(e.standardfehler, "Fehlende Angabe fuer Interfacedatei\n" + programmende);
    }
}

TEST(Kommandozeile, WithoutADisplayTheToolRunsOffscreenSilently)
{
    Umgebung u;
    u.entferne("XDG_RUNTIME_DIR");
    const auto e = u.starte({"-version"});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardfehler, QByteArray());
}

TEST(Kommandozeile, ExplorerExportWithoutOutlookWritesHeaderAndError)
{
    Umgebung u;
    const auto e = u.starte({"-mail", "-back", "r.csv"});
    EXPECT_EQ(e.exit_code, 255);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner());
    EXPECT_EQ(e.standardfehler, "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + programmende);
    EXPECT_EQ(u.lies("r.csv"), kopf_mail + "inf;Outlook Version \r\nerr;kein Outlook Explorer aktiv\r\n");
}

TEST(Kommandozeile, AttachmentExportWritesTheDefaultResultFileReplacingAnOldOne)
{
    Umgebung u;
    u.schreibe("tmp/Telvorin_result.csv", QByteArray(5000, 'x'));
    const auto e = u.starte({"-ANLAGE"});
    EXPECT_EQ(e.exit_code, 255);
    EXPECT_EQ(e.standardfehler, "speichere_anlage_msg: kein Outlook Inspector aktiv\n" + programmende);
    EXPECT_EQ(u.lies("tmp/Telvorin_result.csv"),
              kopf_anlage + "inf;Outlook Version \r\nerr;kein Outlook Inspector aktiv\r\n");
}

TEST(Kommandozeile, UnopenableResultFileIsSilentlySkipped)
{
    Umgebung u;
    const auto e = u.starte({"-mail", "-back", "fehlt/r.csv"});
    EXPECT_EQ(e.exit_code, 255);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner());
    EXPECT_EQ(e.standardfehler, "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + programmende);
    EXPECT_FALSE(QFile::exists(u.pfad("fehlt/r.csv")));
}

TEST(Kommandozeile, MailModeLeavesTheResultFileAlone)
{
    Umgebung u;
    u.schreibe("tmp/Telvorin_result.csv", "alt");
    u.schreibe("r.csv", "alt");
    const auto e = u.starte({"-back", "r.csv", "nichtda.txt"});
    EXPECT_EQ(e.exit_code, 255);
    EXPECT_TRUE(e.standardfehler.startsWith("Interfacedatei 'nichtda.txt'\n"));
    EXPECT_TRUE(e.standardfehler.endsWith(programmende));
    EXPECT_EQ(u.lies("r.csv"), QByteArray("alt"));
    EXPECT_EQ(u.lies("tmp/Telvorin_result.csv"), QByteArray("alt"));
}

}  // namespace
