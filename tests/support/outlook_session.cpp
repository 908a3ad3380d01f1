// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#include "tests/support/outlook_session.h"
#include <QDir>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

void PrintTo(const QJsonObject& o, std::ostream* os) { *os << QJsonDocument(o).toJson().toStdString(); }

namespace testsupport {

QStringList files_in(const QString& folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

QByteArray build_mail(const QByteArray& subject_line, const QByteArray& text, const QVector<MailPart>& parts)
{
    QByteArray mail = "From: Erika Muster <erika@example.org>\r\n"
                      "To: Max Beispiel <max@example.com>, ohne-name@example.com\r\n"
                      "Cc: Kopie <kopie@example.net>\r\nDate: Mon, 02 Dec 2024 10:00:00 +0100\r\n"
                      "Subject: " + subject_line + "\r\nMIME-Version: 1.0\r\n";
    const QByteArray text_header = "Content-Type: text/plain; charset=UTF-8\r\nContent-Transfer-Encoding: 8bit\r\n\r\n";
    if (parts.isEmpty())
        return mail + text_header + text;
    mail += "Content-Type: multipart/mixed; boundary=\"grenze\"\r\n\r\n--grenze\r\n" + text_header + text + "\r\n";
    for (const MailPart& p : parts)
        mail += "--grenze\r\n" + p.header + "\r\nContent-Transfer-Encoding: base64\r\n\r\n" + p.data.toBase64() + "\r\n";
    return mail + "--grenze--\r\n";
}

QString make_session(TestEnvironment& env, const QByteArray& ini, const QMap<QString, QByteArray>& mails)
{
    QDir().mkpath(env.path("out"));
    if (!ini.isNull())
        env.write("session/session.ini", ini);
    for (auto m = mails.begin(); m != mails.end(); ++m)
        env.write("session/" + m.key(), m.value());
    env.set("TELVORIN_OUTLOOK_SESSION", env.path("session"));
    return env.path("session");
}

static QJsonObject read_json(const TestEnvironment& env, const QString& program, const QStringList& arguments)
{
    const RunResult r = env.run_program(program, arguments);
    const QJsonObject o = QJsonDocument::fromJson(r.standard_output).object();
    return r.exit_code == 0 && !o.isEmpty() ? o : QJsonObject{{"error", QString::fromUtf8(r.standard_error)}};
}

void compare_with_source(const TestEnvironment& env, const QString& eml, const QString& msg)
{
    const QJsonObject py = read_json(env, TELVORIN_PYTHON, {TELVORIN_READ_MSG_PY, eml, msg});
    ASSERT_FALSE(py.contains("error")) << py["error"].toString().toStdString();
    EXPECT_EQ(py["msgconvert_brief"].toObject(), py["source_brief"].toObject()) << "msgconvert: " << msg.toStdString();
    EXPECT_EQ(read_json(env, "node", {TELVORIN_READ_MSG_JS, msg}), py["source"].toObject())
        << "msgreader: " << msg.toStdString();
}

}  // namespace testsupport
