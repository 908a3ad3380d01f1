// The stand-in Outlook's own pieces: reading mail, naming attachments, the session's object model.
#include "automation_object.h"
#include "mail_reader.h"
#include "sitzung.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using telvorin::platform::AutomationObject;
using namespace telvorin::platform::standin;

namespace {

std::string text(const QString& s)
{
    return s.toStdString();
}

TEST(MailLesen, SubjectIsDecodedAndUnfolded)
{
    struct Fall {
        QByteArray kopf;
        const char* betreff;  // UTF-8
    };
    const Fall faelle[] = {
        {"Schlicht", "Schlicht"},
        {"Zwei\r\n Zeilen", "Zwei Zeilen"},
        {"=?UTF-8?Q?Gr=C3=BC=C3=9Fe?=", "Gr\xc3\xbc\xc3\x9f" "e"},
        {"=?iso-8859-1?b?5Pb8?=", "\xc3\xa4\xc3\xb6\xc3\xbc"},
        {"=?windows-1252?Q?Preis_=80_10?=", "Preis \xe2\x82\xac 10"},
        {"=?KOI8-R?B?8NLJ18XU?=", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"},
        // Blanks between two encoded words vanish; a fold inside them too.
        {"=?UTF-8?Q?a?= =?UTF-8?Q?b?=\r\n =?UTF-8?Q?c?=", "abc"},
        {"Vor =?UTF-8?Q?=C3=A4?= nach", "Vor \xc3\xa4 nach"},
        // Loose: an encoded word inside a word, as some senders write it.
        {"x=?UTF-8?Q?=C3=A4?=y", "x\xc3\xa4y"},
        // Raw UTF-8 in the header, as 8-bit mailers send it.
        {"Direkt \xc3\xa4", "Direkt \xc3\xa4"},
        {"=?UTF-8?Q?kaputt", "=?UTF-8?Q?kaputt"},
    };
    for (const Fall& f : faelle) {
        MailMessage m;
        ASSERT_TRUE(read_mail(testhilfe::baue_mail(f.kopf), m)) << f.kopf.toStdString();
        EXPECT_EQ(text(m.subject), f.betreff) << f.kopf.toStdString();
    }
}

TEST(MailLesen, AttachmentsAreThePartsCarryingAName)
{
    struct Fall {
        QByteArray kopf;  // header lines of the one extra part
        const char* name;  // nullptr: the part is no attachment
    };
    const Fall faelle[] = {
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"a.txt\"", "a.txt"},
        {"Content-Type: image/png; name=\"bild.png\"", "bild.png"},
        // The disposition's name wins over the type's.
        {"Content-Type: image/png; name=\"typ.png\"\r\nContent-Disposition: inline; filename=\"disp.png\"", "disp.png"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename*=iso-8859-1''B%E4r%201.txt", "B\xc3\xa4r 1.txt"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment;\r\n filename*0=\"lang\";\r\n filename*1=\"er Name.txt\"",
         "langer Name.txt"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"=?UTF-8?B?w5xiZXIudHh0?=\"",
         "\xc3\x9c" "ber.txt"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"ordner/unter/datei.txt\"", "datei.txt"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"..\\\\..\\\\x.txt\"", "x.txt"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\".\"", "Anlage1"},
        {"Content-Type: application/pdf\r\nContent-Disposition: attachment", nullptr},
        {"Content-Type: text/html", nullptr},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.kopf.toStdString());
        MailMessage m;
        ASSERT_TRUE(read_mail(testhilfe::baue_mail("Anlage", "Text\r\n", {{f.kopf + "\r\nContent-Transfer-Encoding: base64", "ZGF0ZW4="}}), m));
        EXPECT_EQ(text(m.body), "Text\r\n");
        if (f.name == nullptr) {
            EXPECT_TRUE(m.attachments.isEmpty());
            continue;
        }
        ASSERT_EQ(m.attachments.size(), 1);
        EXPECT_EQ(text(m.attachments[0].file_name), f.name);
        EXPECT_EQ(m.attachments[0].data, QByteArray("daten"));
    }
}

TEST(MailLesen, NestedPartsKeepMessageOrderAndAnAttachedMailIsOneAttachment)
{
    const QByteArray roh =
        "Subject: Verschachtelt\r\nMIME-Version: 1.0\r\nContent-Type: multipart/mixed; boundary=A\r\n\r\n"
        "--A\r\nContent-Type: multipart/alternative; boundary=B\r\n\r\n"
        "--B\r\nContent-Type: text/html\r\n\r\n<p>html</p>\r\n"
        "--B\r\nContent-Type: text/plain; charset=ISO-8859-1\r\nContent-Transfer-Encoding: quoted-printable\r\n\r\nK=E4se\r\n"
        "--B--\r\n"
        "--A\r\nContent-Type: multipart/related; boundary=C\r\n\r\n"
        "--C\r\nContent-Type: image/gif; name=\"eins.gif\"\r\n\r\nGIF\r\n"
        "--C\r\nContent-Type: text/plain; name=\"zwei.txt\"\r\n\r\nzwei\r\n"
        "--C--\r\n"
        "--A\r\nContent-Type: message/rfc822; name=\"weiter.eml\"\r\n\r\n"
        "Subject: Innen\r\nContent-Type: multipart/mixed; boundary=D\r\n\r\n"
        "--D\r\nContent-Type: text/plain; name=\"innen.txt\"\r\n\r\ninnen\r\n--D--\r\n"
        "--A\r\nContent-Type: text/plain; name=\"drei.txt\"\r\n\r\ndrei\r\n"
        "--A--\r\n";
    MailMessage m;
    ASSERT_TRUE(read_mail(roh, m));
    EXPECT_EQ(text(m.body), "K\xc3\xa4se");
    ASSERT_EQ(m.attachments.size(), 4);
    EXPECT_EQ(text(m.attachments[0].file_name), "eins.gif");
    EXPECT_EQ(text(m.attachments[0].mime_type), "image/gif");
    EXPECT_EQ(text(m.attachments[1].file_name), "zwei.txt");
    EXPECT_EQ(m.attachments[1].data, QByteArray("zwei"));
    EXPECT_EQ(text(m.attachments[2].file_name), "weiter.eml");
    EXPECT_TRUE(m.attachments[2].data.contains("Subject: Innen")) << m.attachments[2].data.toStdString();
    EXPECT_EQ(text(m.attachments[3].file_name), "drei.txt");
}

TEST(MailLesen, WhatIsNoMessageIsRejected)
{
    for (const QByteArray& roh : {QByteArray(), QByteArray("\x00\x01\x02 binaer", 10), QByteArray("keine Kopfzeile\r\n\r\nText")}) {
        MailMessage m;
        m.subject = "unberuehrt";
        EXPECT_FALSE(read_mail(roh, m)) << roh.toStdString();
        EXPECT_EQ(text(m.subject), "unberuehrt");
    }
}

TEST(AnlagenName, IsTheLastPathComponent)
{
    struct Fall {
        const char* getragen;
        const char* name;
    };
    const Fall faelle[] = {
        {"a.txt", "a.txt"},       {"d/a.txt", "a.txt"},   {"d\\a.txt", "a.txt"},  {"/a/b\\c/d.txt", "d.txt"},
        {"x/../..", "Anlage7"},   {".", "Anlage7"},       {"..", "Anlage7"},      {"", "Anlage7"},
        {"d/", "Anlage7"},        {"...", "..."},         {".versteckt", ".versteckt"}, {" ", " "},
    };
    for (const Fall& f : faelle)
        EXPECT_EQ(text(attachment_file_name(QString::fromUtf8(f.getragen), 7)), f.name) << f.getragen;
}

// The object model in process, as the wrappers reach it.
class Sitzung : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_verzeichnis.isValid()); }
    void TearDown() override { qunsetenv("TELVORIN_OUTLOOK_SESSION"); }

    void schreibe(const QString& name, const QByteArray& inhalt)
    {
        QFile f(m_verzeichnis.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(inhalt);
    }

    // Binds an Application to a session with `ini`.
    bool binde(AutomationObject& outlook, const QByteArray& ini)
    {
        schreibe(QStringLiteral("session.ini"), ini);
        qputenv("TELVORIN_OUTLOOK_SESSION", QFile::encodeName(m_verzeichnis.path()));
        return outlook.setControl(QStringLiteral("{0006F03A-0000-0000-C000-000000000046}"));
    }

    QTemporaryDir m_verzeichnis;
};

TEST_F(Sitzung, OnlyOutlooksClassBinds)
{
    schreibe(QStringLiteral("session.ini"), "[Application]\nVersion=1\n");
    qputenv("TELVORIN_OUTLOOK_SESSION", QFile::encodeName(m_verzeichnis.path()));
    AutomationObject fremd;
    EXPECT_FALSE(fremd.setControl(QStringLiteral("{00000000-0000-0000-c000-000000000046}")));
    EXPECT_TRUE(fremd.isNull());
    EXPECT_FALSE(fremd.property("Version").isValid());
    EXPECT_EQ(fremd.querySubObject("ActiveExplorer()"), nullptr);
    EXPECT_FALSE(fremd.dynamicCall("SaveAs(QString)", QStringLiteral("x")).isValid());

    AutomationObject outlook;
    EXPECT_TRUE(outlook.setControl(QStringLiteral("{0006f03a-0000-0000-c000-000000000046}")));
    EXPECT_EQ(outlook.property("Version").toString(), QStringLiteral("1"));
    EXPECT_FALSE(outlook.property("Unbekannt").isValid());
}

TEST_F(Sitzung, SelectionListsFilesAndBoundsItsItems)
{
    struct Fall {
        QByteArray zeile;
        QStringList betreffe;
    };
    schreibe(QStringLiteral("a.eml"), testhilfe::baue_mail("A"));
    schreibe(QStringLiteral("b c.eml"), testhilfe::baue_mail("B C"));
    schreibe(QStringLiteral("d,e.eml"), testhilfe::baue_mail("D,E"));
    schreibe(QString::fromUtf8("gr\xc3\xbcn.eml"), testhilfe::baue_mail("Gruen"));
    const Fall faelle[] = {
        {"Selection=a.eml", {"A"}},
        {"Selection=a.eml,b c.eml", {"A", "B C"}},
        {"Selection= a.eml ,  b c.eml ", {"A", "B C"}},
        {"Selection=\"d,e.eml\", a.eml", {"D,E", "A"}},
        {"Selection=a.eml,,a.eml", {"A", "A"}},
        {"Selection=gr\xc3\xbcn.eml", {"Gruen"}},
        {"Selection=", {}},
    };
    for (const Fall& f : faelle) {
        SCOPED_TRACE(f.zeile.toStdString());
        AutomationObject outlook;
        ASSERT_TRUE(binde(outlook, "[Explorer]\n" + f.zeile + "\n"));
        std::unique_ptr<AutomationObject> explorer(outlook.querySubObject("ActiveExplorer()"));
        ASSERT_NE(explorer, nullptr);
        std::unique_ptr<AutomationObject> auswahl(explorer->querySubObject("Selection"));
        ASSERT_NE(auswahl, nullptr);
        ASSERT_EQ(auswahl->property("Count").toInt(), f.betreffe.size());
        EXPECT_EQ(auswahl->queryReference("Item(QVariant)", 0), nullptr);
        EXPECT_EQ(auswahl->queryReference("Item(QVariant)", f.betreffe.size() + 1), nullptr);
        for (int i = 1; i <= f.betreffe.size(); ++i) {
            AutomationObject element(auswahl->queryReference("Item(QVariant)", i));
            EXPECT_EQ(element.property("Subject").toString(), f.betreffe.at(i - 1));
        }
    }
}

TEST_F(Sitzung, AttachmentsAreCountedFromOneAndSavedAsTheirBytes)
{
    schreibe(QStringLiteral("m.eml"),
             testhilfe::baue_mail("M", "x\r\n",
                                  {testhilfe::base64_teil("application/octet-stream", "attachment; filename=\"n.bin\"",
                                                          QByteArray("\x00\xff\r\n", 4))}));
    AutomationObject outlook;
    ASSERT_TRUE(binde(outlook, "[Application]\nVersion=16.1\n[Inspector]\nCurrentItem=m.eml\n"));
    EXPECT_EQ(outlook.querySubObject("ActiveExplorer()"), nullptr);
    std::unique_ptr<AutomationObject> inspector(outlook.querySubObject("ActiveInspector()"));
    ASSERT_NE(inspector, nullptr);
    AutomationObject element(inspector->queryReference("CurrentItem"));
    EXPECT_EQ(element.property("OutlookVersion").toString(), QStringLiteral("16.1"));
    std::unique_ptr<AutomationObject> anlagen(element.querySubObject("Attachments"));
    ASSERT_NE(anlagen, nullptr);
    ASSERT_EQ(anlagen->property("Count").toInt(), 1);
    EXPECT_EQ(anlagen->querySubObject("Item(QVariant)", 0), nullptr);
    EXPECT_EQ(anlagen->querySubObject("Item(QVariant)", 2), nullptr);
    EXPECT_EQ(anlagen->querySubObject("Item(QVariant)", QStringLiteral("eins")), nullptr);
    AutomationObject* anlage = anlagen->querySubObject("Item(QVariant)", 1);
    ASSERT_NE(anlage, nullptr);
    EXPECT_EQ(anlage->parent(), anlagen.get());
    EXPECT_EQ(anlage->property("FileName").toString(), QStringLiteral("n.bin"));
    const QString ziel = m_verzeichnis.filePath(QStringLiteral("gespeichert.bin"));
    anlage->dynamicCall("SaveAsFile(QString)", ziel);
    QFile f(ziel);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_EQ(f.readAll(), QByteArray("\x00\xff\r\n", 4));
}

}  // namespace
