// Both export jobs end to end: against generated stand-in Outlook sessions, and under Wine against a COM stand-in.
#include "tests/support/runner.h"
#include "outlook/outlook_objekte.h"
#include "tests/support/outlook_session.h"
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>
#include <numeric>

using namespace testsupport;

namespace {
const QByteArray app("[Application]\nVersion=16.0.0.17328\n");
const QByteArray server_fehler("Automatisierungsserver {0006f03a-0000-0000-c000-000000000046} nicht ladbar: ");

// Unreadable files become empty items, each named once however often selected; -dest gets a separator regardless.
TEST(ExplorerExport, SpeichertJedeMarkierteMailUndMeldetSieDreifach)
{
    TestEnvironment u;
    // A UTF-8 file name and a quoted one holding a comma must reach the stand-in whole.
    const QByteArray s = make_session(u, app + "[Explorer]\nSelection=gr\xc3\xbc\xc3\x9f" "e.eml, fehlt.eml, "
                                                  "\"zeichen,1.eml\", kaputt.eml, mails/c.eml, fehlt.eml\n",
                                         {{QString::fromUtf8("gr\xc3\xbc\xc3\x9f" "e.eml"),
                                           build_mail("=?UTF-8?Q?Gr=C3=BC=C3=9Fe_aus?=\r\n =?ISO-8859-1?Q?_K=F6ln?=")},
                                          {"zeichen,1.eml", build_mail("Re: <A> \"B\" C/D\\E | F?G*H,I'J|K 100%1")},
                                          {"kaputt.eml", QByteArray("\x00\x01\x02 kein Mail \xff", 14)},
                                          {"mails/c.eml", build_mail("Gut")}}).toUtf8();
    const auto e = u.run({"-mail", "-dest", "out/", "-name", "c.eml", "-back", "r.csv"});  // -name: no effect here
    QByteArray konsole = banner(), ergebnis = result_file_head("Mail");
    for (const char* name : {"Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln", "", "Re A B CDEFGHIJ|K 100%1", "", "Gut", ""}) {
        konsole += "OL-Explorer speichere: out//" + QString::fromUtf8(name).toLatin1() + ".msg\n";
        ergebnis += "file;out//" + QByteArray(name) + ".msg\r\n";
    }
    EXPECT_EQ(e, (RunResult{0, konsole, "Betreff: 'Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln' 16.0.0.17328\n"
                                       "Outlook-Ersatz: Maildatei nicht lesbar: " + s + "/fehlt.eml\nBetreff: '' 16.0.0.17328\n"
                                       "Betreff: 'Re: <A> \"B\" C/D\\E | F?G*H,I'J|K 100%1' 16.0.0.17328\n"
                                       "Outlook-Ersatz: Maildatei nicht lesbar: " + s + "/kaputt.eml\nBetreff: '' 16.0.0.17328\n"
                                       "Betreff: 'Gut' 16.0.0.17328\nBetreff: '' 16.0.0.17328\n"}));
    EXPECT_EQ(u.read("r.csv"), ergebnis);
    EXPECT_EQ(files_in(u.path("out")), (QStringList{QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e aus K\xc3\xb6ln.msg"),
                                                      "Gut.msg", "Re A B CDEFGHIJ|K 100%1.msg"}));
}

// Every mail of the example session, as a new user exports it: without -dest, to the temporary folder.
TEST(ExplorerExport, LeserSehenWasDieBeispielmailsEnthalten)
{
    TestEnvironment u;
    const QDir beispiele(source_dir() + "/examples/outlook-session");
    const QStringList mails = beispiele.entryList({"*.eml"}, QDir::Files, QDir::Name);
    make_session(u, app + "[Explorer]\nSelection=" + mails.join(", ").toUtf8() + "\n");
    for (const QString& m : beispiele.entryList({"*.eml", "*.txt"}, QDir::Files))  // a .txt: the text shown of HTML
        QFile::copy(beispiele.filePath(m), u.path("session/" + m));
    EXPECT_EQ(u.run({"-mail", "-back", "r.csv"}).exit_code, 0);
    const QList<QByteArray> zeilen = u.read("r.csv").split('\n');
    ASSERT_EQ(zeilen.size(), mails.size() + 3);
    for (int i = 0; i < mails.size(); ++i) {  // each line names, in the locale's UTF-8, the file holding its mail
        SCOPED_TRACE(mails[i].toStdString());
        ASSERT_TRUE(zeilen[i + 2].startsWith("file;" + u.path("tmp/").toUtf8()) && zeilen[i + 2].endsWith('\r'));
        compare_with_source(u, u.path("session/" + mails[i]), QString::fromUtf8(zeilen[i + 2].mid(5).chopped(1)));
    }
    EXPECT_EQ(files_in(u.path("tmp")).size(), mails.size());
}

// Input a sender or caller controls adds no result line; no run writes through a link or leaves a failed save
// behind; a regular file is replaced as before. `vorher` makes out/NAME: "NAME>ZIEL" a link, "NAME=" a file.
TEST(Export, FeindlicheEingabeFuegtKeineZeileHinzuUndSchreibtDurchKeinenLink)
{
    const QByteArray lang(300, 'x'), pdf("Content-Type: application/pdf\r\nContent-Disposition: attachment; filename=\"r.pdf\"");
    const struct {
        const char *fall, *modus;
        QByteArray betreff, anlage;  // raw Subject; header lines of the one attachment, if any
        QString vorher, dest;
        QByteArray zeile;            // the result line after the two "inf;" lines
        QStringList danach;          // what out/ holds afterwards
    } faelle[] = {
        {"LF in a file name", "-anlage", "A", "Content-Disposition: attachment; filename*=utf-8''x%0Aerr%3Bforged.txt",
         "", "out", "file;out/x err;forged.txt", {"x err;forged.txt"}},
        {"LF in -dest", "-mail", "A", "", "", "out\nerr;x", "file;out err;x/A.msg", {}},
        {"name over the limit", "-mail", lang, "", "", "out", "file;out/" + lang + ".msg", {}},
        {"link as .msg", "-mail", "A", "", "A.msg>opfer", "out", "file;out/A.msg", {"A.msg"}},
        {"link as attachment", "-anlage", "A", pdf, "r.pdf>opfer", "out", "file;out/r.pdf", {"r.pdf"}},
        {"regular file of the same name", "-mail", "A", "", "A.msg=", "out", "file;out/A.msg", {"A.msg"}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        TestEnvironment u;
        const QVector<MailPart> teile{{f.anlage, "%PDF"}};
        make_session(u, app + "[Explorer]\nSelection=m.eml\n[Inspector]\nCurrentItem=m.eml\n",
                        {{"m.eml", build_mail(f.betreff, "Hallo\r\n", f.anlage.isEmpty() ? QVector<MailPart>() : teile)}});
        u.write("opfer", "geheim");
        const QStringList vorher = f.vorher.split('>');
        if (vorher.size() == 2)
            QFile::link(u.path(vorher[1]), u.path("out/" + vorher[0]));
        else if (!f.vorher.isEmpty())
            u.write("out/" + f.vorher.chopped(1), "alt");
        EXPECT_EQ(u.run({f.modus, "-dest", f.dest, "-back", "r.csv"}).exit_code, 0);
        EXPECT_EQ(u.read("r.csv"), result_file_head(f.modus[1] == 'm' ? "Mail" : "Anlage") + f.zeile + "\r\n");
        EXPECT_EQ(files_in(u.path("out")), f.danach);
        EXPECT_EQ(u.read("opfer"), "geheim");
        for (const QString& name : f.danach)
            EXPECT_EQ(QFileInfo(u.path("out/" + name)).isSymLink(), vorher.size() == 2) << name.toStdString();
        EXPECT_TRUE(f.vorher != "A.msg=" || u.read("out/A.msg").startsWith("\xd0\xcf\x11\xe0"));
    }
}

// Both jobs, when what they need of Outlook is missing. A null ini: no session.ini, "-": no session at all.
TEST(Export, FehlendeObjekteBeendenDenJobMitIhrerFehlerzeile)
{
    const struct {
        const char *fall, *modus;
        QByteArray ini, standard_error, fehler;  // stderr before the closing text, <ini>: session.ini; the "err;" text
        const char* modul = nullptr;  // Module= of a registration of our own
    } faelle[] = {
        {"no session.ini", "Mail", QByteArray(), "", "kein Outlook Explorer aktiv"},
        {"malformed session.ini", "Mail", "[Explorer\nSelection=a.eml\n",
         "Outlook-Ersatz: session.ini fehlerhaft, kein Outlook: <ini>\n", "kein Outlook Explorer aktiv"},
        {"no explorer", "Mail", app + "[Inspector]\nCurrentItem=a.eml\n", "", "kein Outlook Explorer aktiv"},
        {"no selection object", "Mail", app + "[Explorer]\n", "", "no Selection-Object"},
        {"empty selection", "Mail", app + "[Explorer]\nSelection=\n", "", "keine Markierung"},
        {"no inspector", "Anlage", app + "[Explorer]\nSelection=a.eml\n", "", "kein Outlook Inspector aktiv"},
        // No item at all: its OutlookVersion reads empty too.
        {"inspector without item", "Anlage", app + "[Inspector]\n", "Betreff: '' \n", "keine Anlage(n)"},
        // The server module is loaded only where a session is configured, and a broken one says why (<f>).
        {"no session: module not loaded", "Mail", "-", "", "kein Outlook Explorer aktiv", TELVORIN_ANNOUNCING_MODULE},
        {"module without entry", "Mail", QByteArray(), "Modul geladen\n<f>undefined symbol: telvorin_automation_server\n",
         "kein Outlook Explorer aktiv", TELVORIN_ANNOUNCING_MODULE},
        {"module missing", "Anlage", QByteArray(), "<f>cannot open shared object file: No such file or directory\n",
         "kein Outlook Inspector aktiv", "fehlt.so"},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall);
        TestEnvironment u;
        const QString s = make_session(u, f.ini, {{"a.eml", build_mail("Ohne")}});
        if (f.ini == "-")
            u.unset("TELVORIN_OUTLOOK_SESSION");
        if (f.modul)  // the class identifier as Outlook documents it, in another letter case than the tool's
            u.set("TELVORIN_AUTOMATION_REGISTRATION", u.write("r.ini", "[{0006F03A-0000-0000-C000-000000000046}]\n"
                    "Module=" + QByteArray(f.modul) + "\nRequiredVariable=TELVORIN_OUTLOOK_SESSION\n"));
        const auto e = u.run({"-" + QString(f.modus).toLower(), "-dest", "out", "-back", "r.csv"});
        const QByteArray job(f.modus[0] == 'M' ? "speichere_explorer_mag: " : "speichere_anlage_msg: ");
        // The debug line's wording differs from the result line's only for the selection object.
        const QByteArray debug = f.fehler == "no Selection-Object" ? "no Selection" : f.fehler;
        EXPECT_EQ(e, (RunResult{255, banner(), QByteArray(f.standard_error).replace("<ini>", s.toUtf8() + "/session.ini")
                                                  .replace("<f>", server_fehler + QDir(u.path()).filePath(f.modul).toUtf8()
                                                      + ": ") + job + debug + "\n" + failure_ending}));
        EXPECT_EQ(u.read("r.csv"),
                  result_file_head(f.modus, f.ini.startsWith(app) ? "16.0.0.17328" : "") + "err;" + f.fehler + "\r\n");
    }
}

// The -name filter is exact and case-sensitive: neither the start nor the end of a name selects it, so x.pdf must
// not bring x.pdf.exe along; every attachment is looked at either way. The mail carries a plain name that holds a
// path, an RFC 2231 name in two continuations, and an RFC 2047 name in Content-Type only.
TEST(AnlagenExport, SpeichertDieAnlagenDieDerNameWaehlt)
{
    QByteArray gross(3000, '\0');
    std::iota(gross.begin(), gross.end(), char(7));  // every byte value
    const QByteArray klein = gross.mid(3, 100);
    const QByteArray mail = build_mail(
        "Drei Anlagen", "Hallo\r\n",
        {{"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"../eins.txt\"", "erste\r\nDatei\r\n"},
         {"Content-Type: application/octet-stream\r\nContent-Disposition: attachment; "
          "filename*0*=UTF-8''Gr%C3%B6%C3%9Fe%20;\r\n filename*1=\"Liste.bin\"", gross},
         {"Content-Type: image/png; name=\"=?ISO-8859-1?Q?B=E4r.png?=\"\r\nContent-Disposition: inline", klein}});
    const QString eins("eins.txt"), liste(QString::fromUtf8("Gr\xc3\xb6\xc3\x9f" "e Liste.bin")),
        baer(QString::fromUtf8("B\xc3\xa4r.png"));
    const QMap<QString, QByteArray> inhalt{{eins, "erste\r\nDatei\r\n"}, {liste, gross}, {baer, klein}};
    const struct { QString name; QStringList gespeichert; } faelle[] = {  // saved in message order; none: the job fails
        {"", {eins, liste, baer}}, {eins, {eins}}, {baer, {baer}}, {"EINS.TXT", {}}, {"eins", {}}, {"Liste.bin", {}},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.name.toStdString());
        TestEnvironment u;
        make_session(u, app + "[Inspector]\nCurrentItem=offen.eml\n", {{"offen.eml", mail}});
        QDir().mkpath(u.path("a/out"));
        const auto e = u.run(QStringList{"-anlage", "-dest", "a/out", "-back", "r.csv"}
                               + (f.name.isEmpty() ? QStringList() : QStringList{"-name", f.name}));
        QByteArray konsole = banner(), ergebnis = result_file_head("Anlage");
        for (const QString& datei : f.gespeichert) {
            konsole += "OL-Inspector speichere: a/out/" + datei.toLatin1() + "\n";
            ergebnis += "file;a/out/" + datei.toUtf8() + "\r\n";
            EXPECT_EQ(u.read("a/out/" + datei), inhalt[datei]);
        }
        const bool gescheitert = f.gespeichert.isEmpty();
        EXPECT_EQ(e, (RunResult{gescheitert ? 255 : 0, konsole, "Betreff: 'Drei Anlagen' 16.0.0.17328\nAnlage 0: 'eins.txt'\n"
                               "Anlage 1: 'Gr\xc3\xb6\xc3\x9f" "e Liste.bin'\nAnlage 2: 'B\xc3\xa4r.png'\n"
                                   + (gescheitert ? "speichere_anlage_msg: keine Anlage(n)\n" + failure_ending : "")}));
        EXPECT_EQ(u.read("r.csv"), ergebnis + (gescheitert ? "err;keine Anlage(n)\r\n" : ""));
        EXPECT_EQ(files_in(u.path("a/out")).size(), f.gespeichert.size());
        EXPECT_EQ(files_in(u.path("a")), QStringList{});
    }
}

// A few MiB, read in pieces, reach every reader whole: the saved file, and the .msg via msgconvert and msgreader.
TEST(AnlagenExport, GrosseAnlageKommtBeiJedemLeserGanzAn)
{
    QByteArray gross(3 * 1024 * 1024 + 17, '\0');
    quint32 x = 1;
    for (char& c : gross)
        c = char((x = x * 1103515245u + 12345u) >> 24);
    TestEnvironment u;
    make_session(u, app + "[Explorer]\nSelection=g.eml\n[Inspector]\nCurrentItem=g.eml\n",
                 {{"g.eml", build_mail("Gross", "Hallo\r\n", {{"Content-Type: application/octet-stream\r\n"
                                                                "Content-Disposition: attachment; filename=\"g.bin\"", gross}})}});
    EXPECT_EQ(u.run({"-anlage", "-dest", "out", "-back", "r.csv"}).exit_code, 0);
    EXPECT_TRUE(u.read("out/g.bin") == gross);
    EXPECT_EQ(u.run({"-mail", "-dest", "out", "-back", "r.csv"}).exit_code, 0);
    compare_with_source(u, u.path("session/g.eml"), u.path("out/Gross.msg"));
}

// Registers com_outlook.cpp as Outlook's Application in the prefix, or removes it; wine32: 32-bit view and DLL.
void registriere(const TestEnvironment& u, bool ja)
{
    const bool bit32 = u.runner() == Runner::wine32;
    const QString klasse = QStringLiteral("HKLM\\Software\\Classes\\CLSID\\") + Outlook::Application::klassen_id;
    const QString dll = QString::fromUtf8("Z:" + QByteArray(bit32 ? TELVORIN_COM_OUTLOOK_DLL32 : TELVORIN_COM_OUTLOOK_DLL))
                            .replace('/', '\\');
    const QString sicht = bit32 ? QStringLiteral("/reg:32") : QStringLiteral("/reg:64");
    const QList<QStringList> aufrufe{{"add", klasse + "\\InprocServer32", "/ve", "/d", dll, "/f", sicht},
                                     {"add", klasse + "\\InprocServer32", "/v", "ThreadingModel", "/d", "Apartment", "/f", sicht}};
    for (const QStringList& a : ja ? aufrufe : QList<QStringList>{{"delete", klasse, "/f", sicht}})
        EXPECT_TRUE(u.run_program(wine(u.runner()), QStringList{"reg"} + a).exit_code == 0 || !ja) << a.join(' ').toStdString();
    EXPECT_EQ(u.run_program(wine(u.runner()), {"reg", "query", klasse, sicht}).exit_code, ja ? 0 : 1);
}

// Both jobs through the Windows build's COM bridge; unregistered or refused, the debug line says why. SaveAs gets the
// path, no type, after its "file;" line (a hanging save still shows its item), SaveAsFile before; all is released.
class ComExport : public ::testing::TestWithParam<Runner> {};
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(ComExport);
INSTANTIATE_TEST_SUITE_P(Wine, ComExport, ::testing::ValuesIn(wine_runners()));
INSTANTIATE_TEST_SUITE_P(Wine32, ComExport, ::testing::ValuesIn(wine32_runners()));

TEST_P(ComExport, SpeichertUndMeldetWieUnterLinuxUndGibtAllesFrei)
{
    const QString baer = QString::fromUtf8("B\xc3\xa4r.png"), gruesse = QString::fromUtf8("Gr\xc3\xbc\xc3\x9f" "e.msg");
    const QByteArray v("Version 16.0.0.17328\n"), inspector = v + "Item Drei\nAnlage eins.txt\nAnlage B\xc3\xa4r.png\n";
    const QByteArray explorer = v + "Explorer\nMail Gr\xc3\xbc\xc3\x9f" "e\nMail Re: <A> \"B\" C/D\\E | F?G*H,I'J\nMail \n";
    const struct {
        const char* fall;
        bool registriert;
        QByteArray sitzung;  // in com_outlook.cpp's format
        QStringList args, dateien;  // dateien: saved in this order
        QByteArray debug, fehler;   // UTF-8 stderr before a failed job's closing lines; the "err;" text, none: success
        const char* ablehnung = nullptr;  // the HRESULT the server refuses the Application with
    } faelle[] = {
        {"not registered", false, explorer + inspector, {"-mail"}, {}, no_outlook_class(GetParam()),
         "kein Outlook Explorer aktiv"},
        {"elevated on one side only", true, explorer, {"-mail"}, {},
         bridge_failure("80080005", "Serverausfuehrung fehlgeschlagen: Outlook liess sich nicht starten oder erreichen, "
                                    "etwa weil es mit anderen Rechten laeuft als der Aufrufer (eines als Administrator, "
                                    "das andere nicht)"), "kein Outlook Explorer aktiv", "80080005"},
        {"damaged registration", true, inspector, {"-anlage"}, {},
         bridge_failure("80040155", "Schnittstelle nicht registriert: die Registrierung von Outlook ist beschaedigt "
                                    "(Office reparieren)"), "kein Outlook Inspector aktiv", "80040155"},
        // Any other code: the system's text, here Wine's.
        {"access denied", true, explorer, {"-mail"}, {}, bridge_failure("80070005", "Access denied."),
         "kein Outlook Explorer aktiv", "80070005"},
        {"a code without a text", true, explorer, {"-mail"}, {},
         bridge_failure("8004FFFF", "kein Text des Systems zu diesem Code"), "kein Outlook Explorer aktiv", "8004ffff"},
        {"explorer", true, explorer, {"-mail"}, {gruesse, "Re A B CDEFGHIJ.msg", ".msg"},
         "Betreff: 'Gr\xc3\xbc\xc3\x9f" "e' 16.0.0.17328\nBetreff: 'Re: <A> \"B\" C/D\\E | F?G*H,I'J' 16.0.0.17328\n"
         "Betreff: '' 16.0.0.17328\n", ""},
        {"attachments", true, inspector, {"-anlage"}, {"eins.txt", baer},
         "Betreff: 'Drei' 16.0.0.17328\nAnlage 0: 'eins.txt'\nAnlage 1: 'B\xc3\xa4r.png'\n", ""},
        {"no explorer", true, inspector, {"-mail"}, {}, "", "kein Outlook Explorer aktiv"},
        {"inspector without item", true, v, {"-anlage"}, {}, "Betreff: '' \n", "keine Anlage(n)"},
    };
    bool registriert = true;  // whatever an earlier run left: removed first
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.fall + (" " + f.args.join(' ')).toStdString());
        TestEnvironment u(GetParam());
        if (f.registriert != registriert)
            registriere(u, registriert = f.registriert);
        u.set("TELVORIN_COM_SITZUNG", u.write("sitzung.txt", f.sitzung));
        u.set("TELVORIN_COM_PROTOKOLL", u.path("com.txt"));
        u.set("TELVORIN_COM_ERGEBNIS", u.path("r.csv"));
        u.set("TELVORIN_COM_ABLEHNUNG", f.ablehnung);  // empty: the stand-in refuses nothing
        QDir().mkpath(u.path("out"));
        const RunResult e = u.run(f.args + QStringList{"-dest", "out", "-back", "r.csv"});
        const bool mail = f.args[0] == "-mail", gebunden = f.registriert && !f.ablehnung;
        QByteArray konsole = banner(GetParam()), protokoll,
                   ergebnis = result_file_head(mail ? "Mail" : "Anlage", gebunden ? "16.0.0.17328" : "");
        int gemeldet = mail ? 1 : 0;  // "file;" lines in the result file when the save is called
        for (const QString& d : f.dateien) {
            konsole += (mail ? "OL-Explorer" : "OL-Inspector") + (" speichere: out\\" + d.toLatin1()) + "\n";
            ergebnis += "file;out\\" + local_8bit(GetParam(), d) + "\r\n";
            protokoll += (mail ? "SaveAs" : "SaveAsFile") + (" args=1 path=out\\" + d.toUtf8()) + " file="
                         + QByteArray::number(gemeldet++) + "\n";
            // The stand-in writes the name of the attachment saved: another one's object shows.
            EXPECT_TRUE(mail || u.read("out/" + d) == "anlage:" + d.toUtf8()) << d.toStdString();
        }
        const QByteArray job(mail ? "speichere_explorer_mag: " : "speichere_anlage_msg: ");
        EXPECT_EQ(e, (RunResult{f.fehler.isEmpty() ? 0 : 255, konsole, local_8bit(GetParam(), QString::fromUtf8(f.debug))
                               + (f.fehler.isEmpty() ? QByteArray() : job + f.fehler + "\n" + failure_ending)}));
        EXPECT_EQ(u.read("r.csv"), ergebnis + (f.fehler.isEmpty() ? QByteArray() : "err;" + f.fehler + "\r\n"));
        EXPECT_EQ(u.read("com.txt"), f.registriert ? protokoll + "lebend=0\n" : QByteArray());
        QStringList gespeichert = f.dateien;
        gespeichert.sort();
        EXPECT_EQ(files_in(u.path("out")), gespeichert);
    }
    registriere(TestEnvironment(GetParam()), false);
}
}  // namespace
