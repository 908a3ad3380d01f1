// The attachment export end to end: the real binary against generated stand-in sessions.
#include "lauf.h"
#include "sitzung.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using testhilfe::baue_mail;
using testhilfe::dateien_in;
using testhilfe::programmende;
using testhilfe::base64_teil;
using testhilfe::lege_sitzung_an;
using testhilfe::Teil;
using testhilfe::Umgebung;

namespace {

const QByteArray kopf("inf;Telvorin (5.9.3.7 08.02.18) Anlage\r\ninf;Outlook Version 16.0.0.17328\r\n");
const QByteArray app("[Application]\nVersion=16.0.0.17328\n");

QByteArray binaer(int laenge, int saat)
{
    QByteArray b(laenge, '\0');
    for (int i = 0; i < laenge; ++i)
        b[i] = char((i * 31 + saat) & 0xFF);
    return b;
}

// Three attachments: a plain one, one with an RFC 2231 name split in two
// continuations inside a nested multipart, and one named by an RFC 2047 word
// in Content-Type only.
QByteArray drei_anlagen()
{
    const Teil verschachtelt{
        "Content-Type: multipart/related; boundary=\"innen\"",
        "--innen\r\n"
        "Content-Type: application/octet-stream\r\n"
        "Content-Disposition: attachment; filename*0*=UTF-8''Gr%C3%B6%C3%9Fe%20;\r\n"
        " filename*1=\"Liste.bin\"\r\n"
        "Content-Transfer-Encoding: base64\r\n\r\n"
            + binaer(3000, 7).toBase64() + "\r\n--innen--"};
    return baue_mail("Drei Anlagen", "Hallo\r\n",
                     {base64_teil("text/plain", "attachment; filename=\"eins.txt\"", "erste\r\nDatei\r\n"),
                      verschachtelt,
                      base64_teil("image/png; name=\"=?ISO-8859-1?Q?B=E4r.png?=\"", "inline", binaer(100, 3))});
}

TEST(AnlagenExport, SavesEveryAttachmentInOrder)
{
    Umgebung u;
    lege_sitzung_an(u, app + "[Inspector]\nCurrentItem=offen.eml\n");
    u.schreibe("session/offen.eml", drei_anlagen());
    QDir().mkpath(u.pfad("out"));

    const auto e = u.starte({"-anlage", "-dest", "out", "-back", "r.csv"});

    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner()
                                     + "OL-Inspector speichere: out/eins.txt\n"
                                       "OL-Inspector speichere: out/Gr\xf6\xdf" "e Liste.bin\n"
                                       "OL-Inspector speichere: out/B\xe4r.png\n");
    EXPECT_EQ(e.standardfehler, "Betreff: 'Drei Anlagen' 16.0.0.17328\n"
                                "Anlage 0: 'eins.txt'\n"
                                "Anlage 1: 'Gr\xc3\xb6\xc3\x9f" "e Liste.bin'\n"
                                "Anlage 2: 'B\xc3\xa4r.png'\n");
    EXPECT_EQ(u.lies("r.csv"), kopf + "file;out/eins.txt\r\n"
                                      "file;out/Gr\xc3\xb6\xc3\x9f" "e Liste.bin\r\n"
                                      "file;out/B\xc3\xa4r.png\r\n");
    EXPECT_EQ(u.lies("out/eins.txt"), QByteArray("erste\r\nDatei\r\n"));
    EXPECT_EQ(u.lies(QString::fromUtf8("out/Gr\xc3\xb6\xc3\x9f" "e Liste.bin")), binaer(3000, 7));
    EXPECT_EQ(u.lies(QString::fromUtf8("out/B\xc3\xa4r.png")), binaer(100, 3));
}

TEST(AnlagenExport, NameSelectsExactlyAndCaseSensitively)
{
    struct Fall {
        QString name;
        QStringList gespeichert;  // empty: the job fails with "err;keine Anlage(n)"
    };
    const Fall faelle[] = {
        {"eins.txt", {"eins.txt"}},
        {QString::fromUtf8("B\xc3\xa4r.png"), {QString::fromUtf8("B\xc3\xa4r.png")}},
        {"EINS.TXT", {}},
        {"eins", {}},
        {"eins.txt ", {}},
        {"out/eins.txt", {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.name.toStdString());
        Umgebung u;
        lege_sitzung_an(u, app + "[Inspector]\nCurrentItem=offen.eml\n");
        u.schreibe("session/offen.eml", drei_anlagen());
        QDir().mkpath(u.pfad("out"));
        const auto e = u.starte({"-anlage", "-dest", "out", "-name", f.name, "-back", "r.csv"});
        EXPECT_EQ(dateien_in(u.pfad("out")), f.gespeichert);
        // Every attachment is still looked at and named.
        EXPECT_EQ(e.standardfehler.count("\nAnlage "), 3);
        if (f.gespeichert.isEmpty()) {
            EXPECT_EQ(e.exit_code, 255);
            EXPECT_EQ(e.standardausgabe, testhilfe::banner());
            EXPECT_TRUE(e.standardfehler.endsWith("speichere_anlage_msg: keine Anlage(n)\n" + programmende));
            EXPECT_EQ(u.lies("r.csv"), kopf + "err;keine Anlage(n)\r\n");
        } else {
            EXPECT_EQ(e.exit_code, 0);
            EXPECT_EQ(e.standardausgabe, testhilfe::banner() + "OL-Inspector speichere: out/"
                                             + f.gespeichert.first().toLatin1() + "\n");
            EXPECT_EQ(u.lies("r.csv"), kopf + "file;out/" + f.gespeichert.first().toUtf8() + "\r\n");
        }
    }
}

TEST(AnlagenExport, MissingInspectorItemOrAttachmentsFail)
{
    struct Fall {
        const char* fall;
        QByteArray ini;
        QByteArray stderr_vor_ende;  // before the closing text
        QByteArray fehlerzeile;
    };
    const QByteArray keine("speichere_anlage_msg: keine Anlage(n)\n");
    const Fall faelle[] = {
        {"no inspector", app + "[Explorer]\nSelection=ohne.eml\n",
         "speichere_anlage_msg: kein Outlook Inspector aktiv\n", "err;kein Outlook Inspector aktiv"},
        {"mail without attachments", app + "[Inspector]\nCurrentItem=ohne.eml\n",
         "Betreff: 'Ohne' 16.0.0.17328\n" + keine, "err;keine Anlage(n)"},
        // No item at all: its OutlookVersion reads empty too.
        {"inspector without item", app + "[Inspector]\n", "Betreff: '' \n" + keine, "err;keine Anlage(n)"},
        {"empty item key", app + "[Inspector]\nCurrentItem=\n", "Betreff: '' \n" + keine,
         "err;keine Anlage(n)"},
        {"unreadable item", app + "[Inspector]\nCurrentItem=fehlt.eml\n",
         "Outlook-Ersatz: Maildatei nicht lesbar: <s>/fehlt.eml\nBetreff: '' 16.0.0.17328\n" + keine,
         "err;keine Anlage(n)"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.fall);
        Umgebung u;
        const QString s = lege_sitzung_an(u, f.ini);
        u.schreibe("session/ohne.eml", baue_mail("Ohne"));
        const auto e = u.starte({"-anlage", "-dest", "out", "-back", "r.csv"});
        EXPECT_EQ(e.exit_code, 255);
        EXPECT_EQ(e.standardausgabe, testhilfe::banner());
        EXPECT_EQ(e.standardfehler, QByteArray(f.stderr_vor_ende).replace("<s>", s.toUtf8()) + programmende);
        EXPECT_EQ(u.lies("r.csv"), kopf + f.fehlerzeile + "\r\n");
    }
}

TEST(AnlagenExport, AttachmentNamesAreReducedToTheirLastComponent)
{
    struct Fall {
        QByteArray disposition;
        QString datei;
    };
    const Fall faelle[] = {
        {"attachment; filename=\"../../ausbruch.txt\"", "ausbruch.txt"},
        {"attachment; filename=\"/etc/absolut.txt\"", "absolut.txt"},
        {"attachment; filename=\"C:\\\\Users\\\\x\\\\win.txt\"", "win.txt"},
        {"attachment; filename=\"..\"", "Anlage4"},
        {"attachment; filename=\"ordner/\"", "Anlage5"},
    };
    QVector<Teil> teile;
    for (const Fall& f : faelle)
        teile.append(base64_teil("application/octet-stream", f.disposition, f.datei.toUtf8()));
    Umgebung u;
    lege_sitzung_an(u, app + "[Inspector]\nCurrentItem=pfade.eml\n");
    u.schreibe("session/pfade.eml", baue_mail("Pfade", "x\r\n", teile));
    QDir().mkpath(u.pfad("a/b/out"));
    const auto e = u.starte({"-anlage", "-dest", "a/b/out", "-back", "r.csv"});
    EXPECT_EQ(e.exit_code, 0) << e.standardfehler.toStdString();
    // Each file holds its own expected name, so a mix-up shows too.
    for (const Fall& f : faelle)
        EXPECT_EQ(u.lies("a/b/out/" + f.datei), f.datei.toUtf8()) << f.disposition.toStdString();
    EXPECT_EQ(dateien_in(u.pfad("a/b/out")).size(), 5);
    EXPECT_EQ(dateien_in(u.pfad("a/b")), QStringList{});
    EXPECT_EQ(dateien_in(u.pfad("a")), QStringList{});
    EXPECT_EQ(dateien_in(u.pfad(".")), QStringList{"r.csv"});
}

TEST(AnlagenExport, WithoutDestinationTheTempDirectoryIsUsed)
{
    Umgebung u;
    lege_sitzung_an(u, app + "[Inspector]\nCurrentItem=offen.eml\n");
    u.schreibe("session/offen.eml", drei_anlagen());
    const auto e = u.starte({"-anlage", "-name", "eins.txt", "-back", "r.csv"});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(u.lies("r.csv"), kopf + "file;" + u.pfad("tmp").toUtf8() + "/eins.txt\r\n");
    EXPECT_EQ(u.lies("tmp/eins.txt"), QByteArray("erste\r\nDatei\r\n"));
}

}  // namespace
