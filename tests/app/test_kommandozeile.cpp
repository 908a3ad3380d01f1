// The real binary's start, exit codes, console and result file.
#include "lauf.h"

#include <QFile>

#include <unistd.h>

#include <gtest/gtest.h>

using testhilfe::programmende;
using testhilfe::Umgebung;

namespace {

const QByteArray kopf_anlage("inf;Telvorin (5.9.3.7 08.02.18) Anlage\r\n");

TEST(Kommandozeile, VersionZeigtDasBannerUndEndetMitNull)
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

TEST(Kommandozeile, FehlendeInterfacedateiScheitert)
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

TEST(Kommandozeile, OhneBildschirmLaeuftDasWerkzeugStill)
{
    Umgebung u;
    u.entferne("XDG_RUNTIME_DIR");
    const auto e = u.starte({"-version"});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardfehler, QByteArray());
}

TEST(Kommandozeile, AnlagenExportErsetztDieVorgabeErgebnisdatei)
{
    Umgebung u;
    u.schreibe("tmp/Telvorin_result.csv", QByteArray(5000, 'x'));
    const auto e = u.starte({"-ANLAGE"});
    EXPECT_EQ(e.exit_code, 255);
    EXPECT_EQ(e.standardfehler, "speichere_anlage_msg: kein Outlook Inspector aktiv\n" + programmende);
    EXPECT_EQ(u.lies("tmp/Telvorin_result.csv"),
              kopf_anlage + "inf;Outlook Version \r\nerr;kein Outlook Inspector aktiv\r\n");
}

TEST(Kommandozeile, UnbrauchbareErgebnisdateiWirdStillUebergangen)
{
    // A missing folder, and links planted where the result file goes: the run
    // goes on without a result file and the link's target stays untouched.
    struct Fall {
        const char* name;
        const char* back;
        const char* ziel;  // a symbolic link at `back` points here, if set
    } const faelle[] = {
        {"fehlender Ordner", "fehlt/r.csv", nullptr},
        {"Link auf eine Datei", "r.csv", "opfer.txt"},
        {"Link ins Leere", "r.csv", "neu.txt"},
        {"Link als Vorgabedatei", "", "opfer.txt"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name);
        Umgebung u;
        u.schreibe("opfer.txt", "bleibt");
        QStringList args{"-mail"};
        const QString back = *f.back != '\0' ? QString::fromUtf8(f.back) : QStringLiteral("tmp/Telvorin_result.csv");
        if (*f.back != '\0')
            args << "-back" << f.back;
        else
            u.schreibe("tmp/x", "");
        if (f.ziel != nullptr) {
            ASSERT_EQ(::symlink(QFile::encodeName(u.pfad(f.ziel)).constData(), QFile::encodeName(u.pfad(back)).constData()),
                      0);
        }
        const auto e = u.starte(args);
        EXPECT_EQ(e.exit_code, 255);
        EXPECT_EQ(e.standardausgabe, testhilfe::banner());
        EXPECT_EQ(e.standardfehler, "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + programmende);
        EXPECT_EQ(u.lies("opfer.txt"), QByteArray("bleibt"));
        EXPECT_FALSE(QFile::exists(u.pfad("neu.txt")));
        EXPECT_FALSE(QFile::exists(u.pfad("fehlt/r.csv")));
    }
}

TEST(Kommandozeile, MailModusLaesstDieErgebnisdateiInRuhe)
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
