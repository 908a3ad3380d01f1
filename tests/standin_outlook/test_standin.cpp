// The stand-in Outlook's mail reading: subjects, bodies and which parts are attachments under which name.
#include "mail_reader.h"
#include "sitzung.h"

#include <gtest/gtest.h>

using namespace telvorin::standin;

namespace {

TEST(MailLesen, SubjectIsDecodedAndUnfolded)
{
    const struct {
        QByteArray kopf;
        const char* betreff;  // UTF-8
    } faelle[] = {
        {"Zwei\r\n Zeilen", "Zwei Zeilen"}, {"=?iso-8859-1?b?5Pb8?=", "\xc3\xa4\xc3\xb6\xc3\xbc"},
        {"=?windows-1252?Q?Preis_=80_10?=", "Preis \xe2\x82\xac 10"},
        {"=?KOI8-R?B?8NLJ18XU?=", "\xd0\x9f\xd1\x80\xd0\xb8\xd0\xb2\xd0\xb5\xd1\x82"},
        // Blanks between two encoded words vanish; a fold inside them too.
        {"=?UTF-8?Q?a?= =?UTF-8?Q?b?=\r\n =?UTF-8?Q?c?=", "abc"},
        {"Vor =?UTF-8?Q?=C3=A4?= nach", "Vor \xc3\xa4 nach"},
        // Loose, as some senders write it: an encoded word inside a word.
        {"x=?UTF-8?Q?=C3=A4?=y", "x\xc3\xa4y"},
        {"Direkt \xc3\xa4", "Direkt \xc3\xa4"}, {"=?UTF-8?Q?kaputt", "=?UTF-8?Q?kaputt"},
        // Control characters never reach a file name or a result line.
        {"=?utf-8?q?a=09b=7Fc=C2=85d=0D?=", "a b c d "},
    };
    for (const auto& f : faelle) {
        MailMessage m;
        ASSERT_TRUE(read_mail(testhilfe::baue_mail(f.kopf), m)) << f.kopf.toStdString();
        EXPECT_EQ(m.subject.toStdString(), f.betreff) << f.kopf.toStdString();
    }
}

TEST(MailLesen, AttachmentsAreThePartsCarryingAName)
{
    const struct {
        QByteArray kopf;   // header lines of the one extra part
        const char* name;  // nullptr: the part is no attachment
    } faelle[] = {
        // The disposition's name wins over the type's.
        {"Content-Type: image/png; name=\"typ.png\"\r\nContent-Disposition: inline; filename=\"disp.png\"", "disp.png"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename*=iso-8859-1''B%E4r%201.txt", "B\xc3\xa4r 1.txt"},
        {"Content-Type: text/plain\r\nContent-Disposition: attachment; filename=\"=?UTF-8?B?w5xiZXIudHh0?=\"", "\xc3\x9c" "ber.txt"},
        // A part the HTML can show by its content id is one, unless it is text.
        {"Content-Type: image/gif\r\nContent-ID: <bild@x>", "Anlage1"},
        {"Content-Type: text/css\r\nContent-ID: <stil@x>", nullptr},
        {"Content-Type: application/pdf\r\nContent-Disposition: attachment", nullptr},
        {"Content-Type: text/html", nullptr},
    };
    for (const auto& f : faelle) {
        SCOPED_TRACE(f.kopf.toStdString());
        MailMessage m;
        const testhilfe::Teil teil{f.kopf + "\r\nContent-Transfer-Encoding: base64", "ZGF0ZW4="};
        ASSERT_TRUE(read_mail(testhilfe::baue_mail("Anlage", "Text\r\n", {teil}), m));
        EXPECT_EQ(m.body.toStdString(), "Text\r\n");
        ASSERT_EQ(m.attachments.size(), f.name ? 1 : 0);
        if (f.name) {
            EXPECT_EQ(m.attachments[0].file_name.toStdString(), f.name);
            EXPECT_EQ(m.attachments[0].data, QByteArray("daten"));
        }
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
        "--A\r\nContent-Type: image/gif; name=\"eins.gif\"\r\n\r\nGIF\r\n"
        "--A\r\nContent-Type: message/rfc822\r\n\r\n"
        "Subject: Innen\r\nContent-Type: multipart/mixed; boundary=D\r\n\r\n"
        "--D\r\nContent-Type: text/plain; name=\"innen.txt\"\r\n\r\ninnen\r\n--D--\r\n"
        "--A\r\nContent-Type: text/plain; name=\"drei.txt\"\r\n\r\ndrei\r\n"
        "--A--\r\n";
    MailMessage m;
    ASSERT_TRUE(read_mail(roh, m));
    EXPECT_EQ(m.body.toStdString(), "K\xc3\xa4se");
    QStringList namen;
    for (const MailAttachment& a : m.attachments)
        namen << a.file_name;
    EXPECT_EQ(namen, (QStringList{"eins.gif", "Anlage2", "drei.txt"}));
    ASSERT_EQ(m.attachments.size(), 3);
    EXPECT_TRUE(m.attachments[1].data.contains("Subject: Innen")) << m.attachments[1].data.toStdString();
    EXPECT_EQ(m.attachments[1].message ? m.attachments[1].message->subject : "", "Innen");
    EXPECT_EQ(m.html, "<p>html</p>");
}

TEST(AnlagenName, IsTheLastPathComponent)
{
    const struct {
        const char* getragen;
        const char* name;
    } faelle[] = {
        {"a.txt", "a.txt"},     {"d\\a.txt", "a.txt"}, {"/a/b\\c/d.txt", "d.txt"}, {"x/../..", "Anlage7"},
        {".", "Anlage7"},       {"..", "Anlage7"},     {"", "Anlage7"},            {"d/", "Anlage7"},
        {"...", "..."},         {".versteckt", ".versteckt"}, {" ", " "},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(attachment_file_name(QString::fromUtf8(f.getragen), 7).toStdString(), f.name) << f.getragen;
}

}  // namespace
