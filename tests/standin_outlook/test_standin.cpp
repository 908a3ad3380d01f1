// The stand-in Outlook's mail reading where the example mails, read back end to end, do not reach.
#include "standin_outlook/html_text.h"
#include "standin_outlook/mail_reader.h"
#include "tests/support/outlook_session.h"
#include <gtest/gtest.h>

using namespace telvorin::standin;
using testsupport::MailPart;

namespace {

// The subject is decoded; attachments are the parts carrying a name. Rows: the raw Subject, the subject in UTF-8,
// the text and the extra parts, of which none here carries a name, so none is an attachment.
TEST(MailReading, SubjectIsDecodedAndAttachmentsAreThePartsCarryingAName)
{
    const struct { QByteArray header; const char* subject; QByteArray text; QVector<MailPart> parts; } cases[] = {
        {"=?windows-1252?Q?Preis_=80_10?=", "Preis \xe2\x82\xac 10", "Hallo\r\n", {}},
        {"Direkt \xc3\xa4", "Direkt \xc3\xa4", "Hallo\r\n", {}},
        // Control characters never reach a file name or a result line.
        {"=?utf-8?q?a=09b=7Fc=C2=85d=0D?=", "a b c d ", "Hallo\r\n", {}},
        // One the HTML shows by content id is one, unless text.
        {"A", "A", "Text\r\n", {{"Content-Type: text/css\r\nContent-ID: <stil@x>", "daten"}}},
        {"A", "A", "Text\r\n", {{"Content-Type: application/pdf\r\nContent-Disposition: attachment", "daten"}}},
    };
    for (const auto& c : cases) {
        const QByteArray mail = testsupport::build_mail(c.header, c.text, c.parts);
        SCOPED_TRACE(mail.toStdString());
        MailMessage m;
        ASSERT_TRUE(read_mail(mail, m));
        EXPECT_EQ(std::tuple(m.subject.toStdString(), m.body.toStdString(), m.attachments.size()),
                  std::tuple(c.subject, c.text.toStdString(), 0));
    }
}

// An attached mail is one even without a name, and an item of its own.
TEST(MailReading, AnAttachedMailIsOneAttachment)
{
    MailMessage m;
    ASSERT_TRUE(read_mail("Subject: A\r\nContent-Type: multipart/mixed; boundary=g\r\n\r\n--g\r\n"
                          "Content-Type: message/rfc822\r\n\r\nSubject: Innen\r\n\r\ninnen\r\n--g--\r\n", m));
    ASSERT_EQ(m.attachments.size(), 1);
    EXPECT_EQ(m.attachments[0].file_name, "Anlage1");
    QByteArray data;
    EXPECT_TRUE(read_attachment(m.attachments[0], [&](const char* d, std::size_t n) { return data.append(d, int(n)), true; }));
    EXPECT_EQ(data.toStdString(), "Subject: Innen\r\n\r\ninnen");  // as the source has it
    EXPECT_EQ(m.attachments[0].message ? m.attachments[0].message->subject : "", "Innen");
    // Its transport headers are its own, with the line ends of the source.
    EXPECT_EQ(m.attachments[0].message ? m.attachments[0].message->headers.toStdString() : "", "Subject: Innen\r\n");
    // Saved, an attached mail has the bytes it has in the source, line ends included, multipart or not.
    for (const QByteArray& inner : {QByteArray("Subject: I\r\nContent-Type: multipart/mixed; boundary=h\r\n\r\n--h\r\n"
                                               "Content-Type: text/plain\r\n\r\neins\r\n--h--\r\n"),
                                    QByteArray("Subject: I\nContent-Type: multipart/mixed; boundary=h\n\n--h\n\neins\n--h--\n")}) {
        const QByteArray nl = inner.contains('\r') ? "\r\n" : "\n";
        ASSERT_TRUE(read_mail("Subject: A" + nl + "Content-Type: multipart/mixed; boundary=g" + nl + nl + "--g" + nl
                              + "Content-Type: message/rfc822" + nl + nl + inner + nl + "--g--" + nl, m));
        data.clear();
        ASSERT_EQ(m.attachments.size(), 1);
        EXPECT_TRUE(read_attachment(m.attachments[0], [&](const char* d, std::size_t n) { return data.append(d, int(n)), true; }));
        EXPECT_EQ(data.toStdString(), inner.toStdString());
        EXPECT_EQ(m.attachments[0].message ? m.attachments[0].message->size : 0, inner.size());
    }
    // Mails attached inside each other are read as items to a bounded depth; deeper ones stay plain attachments.
    QString nested = QStringLiteral("Subject: 64\r\n\r\ninnen\r\n");
    for (int level = 63; level >= 0; --level)
        nested = QStringLiteral("Subject: %1\r\nContent-Type: multipart/mixed; boundary=g%1\r\n\r\n--g%1\r\n"
                                "Content-Type: message/rfc822\r\n\r\n%2\r\n--g%1--\r\n").arg(level).arg(nested);
    ASSERT_TRUE(read_mail(nested.toLatin1(), m));
    int depth = 0;
    for (const MailMessage* inner = &m; !inner->attachments.isEmpty() && inner->attachments[0].message; ++depth)
        inner = inner->attachments[0].message.get();
    EXPECT_GE(depth, 2);
    const MailMessage* second = depth >= 2 ? m.attachments[0].message->attachments[0].message.get() : nullptr;
    EXPECT_EQ(second ? second->headers.toStdString() : "", "Subject: 2\r\nContent-Type: multipart/mixed; boundary=g2\r\n");
    EXPECT_LE(depth, 32);
}

// The HTML body shown as text, as a browser lays it out, and as stored: in UTF-8, so whatever charset it declares
// must say so, and nothing else may change. Rows: the rendition, the HTML and what it gives, both in UTF-8.
TEST(HtmlBody, ShownAsTextAndStoredNamingUtf8)
{
    const struct { QString (*rendition)(const QString&); const char *html, *result; } cases[] = {
        // The text is already UTF-8 whatever the HTML says; nothing it names is read.
        {html_as_text, "<meta charset=\"iso-8859-1\">\xc3\xbc &amp;&nbsp;x", "\xc3\xbc &\xc2\xa0x\r\n"},
        {html_as_text, "<img src=\"/dev/zero\"><link rel=\"stylesheet\" href=\"file:///dev/zero\">x", "x\r\n"},
        {html_declaring_utf8, "<META CHARSET = 'ISO-8859-1'><p>charset=x</p>",
         "<META CHARSET = 'utf-8'><p>charset=x</p>"},
        {html_declaring_utf8, "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\">",
         "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=utf-8\">"},
        {html_declaring_utf8, "<meta name=charset-x><meta charset=latin1/>",
         "<meta name=charset-x><meta charset=utf-8/>"},
        {html_declaring_utf8, "<meta charset", "<meta charset"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.rendition(QString::fromUtf8(c.html)).toStdString(), c.result) << c.html;
}

TEST(AttachmentName, IsTheLastPathComponent)
{
    const struct { const char *carried, *name; } cases[] = {
        {"a.txt", "a.txt"},     {"d\\a.txt", "a.txt"}, {"/a/b\\c/d.txt", "d.txt"}, {"x/../..", "Anlage7"},
        {".", "Anlage7"},       {"..", "Anlage7"},     {"", "Anlage7"},            {"d/", "Anlage7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(attachment_file_name(QString::fromUtf8(c.carried), 7).toStdString(), c.name) << c.carried;
}

}  // namespace
