// The explorer export end to end: the real binary against generated stand-in sessions.
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
using testhilfe::Umgebung;

namespace {

const QByteArray kopf("inf;Telvorin (5.9.3.7 08.02.18) Mail\r\ninf;Outlook Version 16.0.0.17328\r\n");

TEST(ExplorerExport, SavesEverySelectedMailAndReportsItThreeWays)
{
    Umgebung u;
    const QString s = lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\n"
                                         "Selection=umlaut.eml, zeichen.eml, mails/anlagen.eml\n");
    u.schreibe("session/umlaut.eml",
               baue_mail("=?UTF-8?Q?Gr=C3=BC=C3=9Fe_aus?=\r\n =?ISO-8859-1?Q?_K=F6ln?=", "Text \xc3\xa4\r\n"));
    u.schreibe("session/zeichen.eml", baue_mail("Re: <A> \"B\" C/D\\E | F?G*H,I'J|K 100%1"));
    const QByteArray pdf("%PDF-1.4\n\x00\x01\xff binary", 20);
    u.schreibe("session/mails/anlagen.eml",
               baue_mail("Mit Anlagen", "Siehe Anlage\r\n",
                         {base64_teil("application/pdf", "attachment; filename=\"r.pdf\"", pdf),
                          base64_teil("text/plain; name=\"=?UTF-8?Q?=C3=9Cbersicht.txt?=\"", "", "eins\r\nzwei")}));
    QDir().mkpath(u.pfad("out"));

    // -name selects nothing in this job.
    const auto e = u.starte({"-mail", "-dest", "out", "-name", "r.pdf", "-back", "r.csv"});

    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(e.standardausgabe, testhilfe::banner()
                                     + "OL-Explorer speichere: out/Gr\xfc\xdf" "e aus K\xf6ln.msg\n"
                                       "OL-Explorer speichere: out/Re A B CDEFGHIJ|K 100%1.msg\n"
                                       "OL-Explorer speichere: out/Mit Anlagen.msg\n");
    EXPECT_EQ(e.standardfehler, "Betreff: 'Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln' 16.0.0.17328\n"
                                "Betreff: 'Re: <A> \"B\" C/D\\E | F?G*H,I'J|K 100%1' 16.0.0.17328\n"
                                "Betreff: 'Mit Anlagen' 16.0.0.17328\n");
    EXPECT_EQ(u.lies("r.csv"), kopf + "file;out/Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln.msg\r\n"
                                      "file;out/Re A B CDEFGHIJ|K 100%1.msg\r\n"
                                      "file;out/Mit Anlagen.msg\r\n");
    EXPECT_EQ(dateien_in(u.pfad("out")),
              (QStringList{QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln.msg"), "Mit Anlagen.msg",
                           "Re A B CDEFGHIJ|K 100%1.msg"}));

    // A reader nobody here wrote must see the same mail.
    const auto umlaut = testhilfe::lies_msg_zurueck(u, u.pfad(QString::fromUtf8("out/Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln.msg")));
    ASSERT_TRUE(umlaut.gelesen) << umlaut.fehler.toStdString();
    EXPECT_EQ(umlaut.betreff, QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln"));
    EXPECT_EQ(umlaut.text, QString::fromUtf8("Text \xc3\xa4\r\n"));
    EXPECT_EQ(umlaut.absender, "Erika Muster <erika@example.org>");
    EXPECT_TRUE(umlaut.an.contains("Max Beispiel <max@example.com>")) << umlaut.an.toStdString();
    EXPECT_TRUE(umlaut.an.contains("ohne-name@example.com")) << umlaut.an.toStdString();
    EXPECT_EQ(umlaut.kopie, "Kopie <kopie@example.net>");
    EXPECT_TRUE(umlaut.anlagen.isEmpty());

    const auto zeichen = testhilfe::lies_msg_zurueck(u, u.pfad("out/Re A B CDEFGHIJ|K 100%1.msg"));
    ASSERT_TRUE(zeichen.gelesen) << zeichen.fehler.toStdString();
    EXPECT_EQ(zeichen.betreff, "Re: <A> \"B\" C/D\\E | F?G*H,I'J|K 100%1");

    const auto anlagen = testhilfe::lies_msg_zurueck(u, u.pfad("out/Mit Anlagen.msg"));
    ASSERT_TRUE(anlagen.gelesen) << anlagen.fehler.toStdString();
    EXPECT_EQ(anlagen.betreff, "Mit Anlagen");
    EXPECT_EQ(anlagen.text, "Siehe Anlage\r\n");
    ASSERT_EQ(anlagen.anlagen.size(), 2);
    EXPECT_EQ(anlagen.anlagen[0].first, "r.pdf");
    EXPECT_EQ(anlagen.anlagen[0].second, pdf);
    EXPECT_EQ(anlagen.anlagen[1].first, QString::fromUtf8("\xc3\x9c" "bersicht.txt"));
    EXPECT_EQ(anlagen.anlagen[1].second, QByteArray("eins\r\nzwei"));
}

TEST(ExplorerExport, DestinationRuleAppendsOneSeparator)
{
    struct Fall {
        QStringList ziel;        // the -dest option, if any
        QString erwartet;        // directory part of the listed path
        QString gespeichert_in;  // where the file lands, relative to the working directory
    };
    const Fall faelle[] = {
        {{}, "<tmp>/", "tmp"},
        {{"-dest", "out"}, "out/", "out"},
        {{"-dest", "out/"}, "out//", "out"},
    };
    for (const Fall& f : faelle) {
        Umgebung u;
        lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=a.eml\n");
        u.schreibe("session/a.eml", baue_mail("Hallo"));
        QDir().mkpath(u.pfad("out"));
        const QString verzeichnis = QString(f.erwartet).replace("<tmp>", u.pfad("tmp"));
        const auto e = u.starte(QStringList{"-mail", "-back", "r.csv"} + f.ziel);
        SCOPED_TRACE(f.ziel.join(' ').toStdString());
        EXPECT_EQ(e.exit_code, 0);
        EXPECT_EQ(u.lies("r.csv"), kopf + "file;" + verzeichnis.toUtf8() + "Hallo.msg\r\n");
        EXPECT_EQ(e.standardausgabe, testhilfe::banner() + "OL-Explorer speichere: " + verzeichnis.toUtf8() + "Hallo.msg\n");
        EXPECT_TRUE(QFile::exists(u.pfad(f.gespeichert_in + "/Hallo.msg")));
    }
}

TEST(ExplorerExport, MissingObjectsEndTheJobWithTheirErrorLine)
{
    struct Fall {
        const char* fall;
        QByteArray ini;
        QByteArray debug;
        QByteArray fehlerzeile;
    };
    const QByteArray app("[Application]\nVersion=16.0.0.17328\n");
    const Fall faelle[] = {
        {"no explorer", app + "[Inspector]\nCurrentItem=a.eml\n", "speichere_explorer_mag: kein Outlook Explorer aktiv",
         "err;kein Outlook Explorer aktiv"},
        {"no selection object", app + "[Explorer]\n", "speichere_explorer_mag: no Selection", "err;no Selection-Object"},
        {"no selection object, other key", app + "[Explorer]\nAuswahl=a.eml\n", "speichere_explorer_mag: no Selection",
         "err;no Selection-Object"},
        {"empty selection", app + "[Explorer]\nSelection=\n", "speichere_explorer_mag: keine Markierung",
         "err;keine Markierung"},
        {"blank entries only", app + "[Explorer]\nSelection= , ,\n", "speichere_explorer_mag: keine Markierung",
         "err;keine Markierung"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.fall);
        Umgebung u;
        lege_sitzung_an(u, f.ini);
        u.schreibe("session/a.eml", baue_mail("Hallo"));
        const auto e = u.starte({"-mail", "-dest", "out", "-back", "r.csv"});
        EXPECT_EQ(e.exit_code, 255);
        EXPECT_EQ(e.standardausgabe, testhilfe::banner());
        EXPECT_EQ(e.standardfehler, f.debug + "\n" + programmende);
        EXPECT_EQ(u.lies("r.csv"), kopf + f.fehlerzeile + "\r\n");
    }
}

TEST(ExplorerExport, WithoutOutlookThereIsNoExplorer)
{
    struct Fall {
        const char* fall;
        QByteArray ini;     // null: no session.ini
        bool verzeichnis;   // session.ini is a directory
        QByteArray warnung;  // expected before the job's line, "<ini>" for the file's path
    };
    const Fall faelle[] = {
        {"no session.ini", QByteArray(), false, ""},
        {"session.ini is a directory", QByteArray(), true, ""},
        {"malformed session.ini", "[Explorer\nSelection=a.eml\n", false,
         "Outlook-Ersatz: session.ini fehlerhaft, kein Outlook: <ini>\n"},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.fall);
        Umgebung u;
        u.setze("TELVORIN_OUTLOOK_SESSION", u.pfad("session"));
        QDir().mkpath(u.pfad("session"));
        if (!f.ini.isNull())
            u.schreibe("session/session.ini", f.ini);
        if (f.verzeichnis)
            QDir().mkpath(u.pfad("session/session.ini"));
        const auto e = u.starte({"-mail", "-back", "r.csv"});
        EXPECT_EQ(e.exit_code, 255);
        EXPECT_EQ(e.standardfehler, QByteArray(f.warnung).replace("<ini>", u.pfad("session/session.ini").toUtf8())
                                        + "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + programmende);
        EXPECT_EQ(u.lies("r.csv"), "inf;Telvorin (5.9.3.7 08.02.18) Mail\r\ninf;Outlook Version \r\n"
                                   "err;kein Outlook Explorer aktiv\r\n");
    }
    Umgebung leer;
    leer.setze("TELVORIN_OUTLOOK_SESSION", "");
    EXPECT_EQ(leer.starte({"-mail"}).standardfehler,
              "speichere_explorer_mag: kein Outlook Explorer aktiv\n" + programmende);
}

TEST(ExplorerExport, UnreadableMailsAreEmptyItemsThatSaveNothing)
{
    Umgebung u;
    lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\n"
                       "Selection=fehlt.eml, kaputt.eml, gut.eml, fehlt.eml\n");
    u.schreibe("session/kaputt.eml", QByteArray("\x00\x01\x02 kein Mail \xff", 14));
    u.schreibe("session/gut.eml", baue_mail("Gut"));
    QDir().mkpath(u.pfad("out"));
    const auto e = u.starte({"-mail", "-dest", "out", "-back", "r.csv"});
    EXPECT_EQ(e.exit_code, 0);
    const QByteArray s = u.pfad("session").toUtf8();
    // Each unreadable file is named once, however often it is selected.
    EXPECT_EQ(e.standardfehler, "Outlook-Ersatz: Maildatei nicht lesbar: " + s + "/fehlt.eml\n"
                                "Betreff: '' 16.0.0.17328\n"
                                "Outlook-Ersatz: Maildatei nicht lesbar: " + s + "/kaputt.eml\n"
                                "Betreff: '' 16.0.0.17328\n"
                                "Betreff: 'Gut' 16.0.0.17328\n"
                                "Betreff: '' 16.0.0.17328\n");
    EXPECT_EQ(u.lies("r.csv"), kopf + "file;out/.msg\r\nfile;out/.msg\r\nfile;out/Gut.msg\r\nfile;out/.msg\r\n");
    EXPECT_EQ(dateien_in(u.pfad("out")), QStringList{"Gut.msg"});
}

TEST(ExplorerExport, SubjectsCannotLeaveTheDestination)
{
    Umgebung u;
    lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=a.eml,b.eml,c.eml\n");
    u.schreibe("session/a.eml", baue_mail("../../ausbruch"));
    u.schreibe("session/b.eml", baue_mail("/tmp/absolut"));
    u.schreibe("session/c.eml", baue_mail("..\\..\\rueckwaerts"));
    QDir().mkpath(u.pfad("tief/out"));
    const auto e = u.starte({"-mail", "-dest", "tief/out", "-back", "r.csv"});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(dateien_in(u.pfad("tief/out")), (QStringList{"....ausbruch.msg", "....rueckwaerts.msg", "tmpabsolut.msg"}));
    EXPECT_EQ(dateien_in(u.pfad("tief")), QStringList{});
    EXPECT_EQ(dateien_in(u.pfad(".")), QStringList{"r.csv"});
}

TEST(ExplorerExport, MissingDestinationOrResultFileDoesNotStopTheJob)
{
    Umgebung u;
    lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=a.eml\n");
    u.schreibe("session/a.eml", baue_mail("Hallo"));

    // Outlook's failing SaveAs goes unnoticed: the line stands, nothing is made.
    const auto ohne_ziel = u.starte({"-mail", "-dest", "gibtsnicht", "-back", "r.csv"});
    EXPECT_EQ(ohne_ziel.exit_code, 0);
    EXPECT_EQ(u.lies("r.csv"), kopf + "file;gibtsnicht/Hallo.msg\r\n");
    EXPECT_FALSE(QFileInfo::exists(u.pfad("gibtsnicht")));

    QDir().mkpath(u.pfad("out"));
    const auto ohne_ergebnis = u.starte({"-mail", "-dest", "out", "-back", "fehlt/r.csv"});
    EXPECT_EQ(ohne_ergebnis.exit_code, 0);
    EXPECT_EQ(ohne_ergebnis.standardausgabe, testhilfe::banner() + "OL-Explorer speichere: out/Hallo.msg\n");
    EXPECT_TRUE(QFile::exists(u.pfad("out/Hallo.msg")));
}

TEST(ExplorerExport, AThousandSelectedItemsAreAllSaved)
{
    Umgebung u;
    QByteArray auswahl;
    QByteArray erwartet = kopf;
    for (int i = 0; i < 1000; ++i) {
        const QByteArray n = QByteArray::number(i).rightJustified(4, '0');
        u.schreibe("session/m" + n + ".eml", baue_mail("Mail " + n));
        auswahl += (i ? "," : "") + QByteArray("m") + n + ".eml";
        erwartet += "file;out/Mail " + n + ".msg\r\n";
    }
    lege_sitzung_an(u, "[Application]\nVersion=16.0.0.17328\n[Explorer]\nSelection=" + auswahl + "\n");
    QDir().mkpath(u.pfad("out"));
    const auto e = u.starte({"-mail", "-dest", "out", "-back", "r.csv"});
    EXPECT_EQ(e.exit_code, 0);
    EXPECT_EQ(u.lies("r.csv"), erwartet);
    EXPECT_EQ(dateien_in(u.pfad("out")).size(), 1000);
}

}  // namespace
