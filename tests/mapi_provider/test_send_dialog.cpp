// The send dialog under a real X server: xdotool acts as the user, the outbox shows what was sent.
#include "tests/mapi_provider/mail_reading.h"
#include "tests/support/precondition.h"
#include <QFile>
#include <QProcess>
#include <gtest/gtest.h>
using namespace providertest;
namespace {
struct DialogCase {
    const char* name;
    const char* dialog;       // Dialog= of the profile
    const char* user;         // shell commands on the dialog window $w (found by the subject); "" when none must appear
    const char* delivered;    // the To and Subject lines of the delivered mail; nullptr: nothing delivered
    const char* to = "kunde@example.com";  // the recipient the calling program names
    bool bare_host = false;  // sent by this test process, which has no Qt application, instead of telvorin
    bool broken_module = false;  // the dialog module lacks its entry: the send fails rather than skip the dialog
};
const char* const text = "Sehr geehrte Damen und Herren,\n\nanbei unser Angebot.\n\nMit freundlichen Gruessen\n";
const DialogCase cases[] = {
    {"EditSubjectAndRecipientThenSend", "auto",
     "xdotool key alt+t ctrl+a type 'Neuer Betreff' && xdotool key alt+n ctrl+a type 'Maria Muster' && "
     "xdotool mousemove --window $w 500 456 click 1",
     "To: Maria Muster <maria@example.com>\nSubject: Neuer Betreff"},
    {"NeverShown", "never", "", "To: kunde@example.com\nSubject: Angebot Nr. 4711"},
    {"CancelButton", "always", "xdotool key alt+a", nullptr},
    // Return in a field is no send: a user ending a line there has not decided yet.
    {"ReturnInAField", "always", "xdotool key alt+t Return && sleep 0.5 && xdotool key Escape", nullptr},
    {"DialogModuleBroken", "always", "", nullptr, "kunde@example.com", false, true},
    {"HostWithoutQtApplication", "auto", "xdotool key ctrl+Return", "To: kunde@example.com\nSubject: Angebot Nr. 4711",
     "kunde@example.com", true},
    // A name that does not resolve comes back in the red problem line, where markup must not fake our own words.
    {"CallerTextShownAsPlainText", "auto",
     "xdotool key ctrl+Return && sleep 0.5 && xwd -silent -id $w | $colours > farben && grep -q 'red [1-9]' farben && "
     "xdotool key Escape",
     nullptr, "Kunde<br><font size=7 color=green>Alles in Ordnung</font><img src=gruen.png>"},
};
void PrintTo(const DialogCase& c, std::ostream* out) { *out << c.name; }
class SendDialog : public ::testing::TestWithParam<DialogCase> {
protected:
    // One X server for the suite, on a display number it picks itself.
    static void SetUpTestSuite()
    {
        s_xvfb = new QProcess;
        s_xvfb->start("Xvfb", {"-displayfd", "1", "-screen", "0", "1024x768x24", "-nolisten", "tcp"});
        while (!s_xvfb->canReadLine() && s_xvfb->waitForReadyRead(30000)) {}
        s_display = ":" + QString::fromLatin1(s_xvfb->readLine().trimmed());
        ::setenv("DISPLAY", s_display.toLatin1().constData(), 1);  // for xdotool and this process as a host
    }
    static void TearDownTestSuite() { s_xvfb->terminate(), s_xvfb->waitForFinished(), delete s_xvfb; }
    static inline QProcess* s_xvfb = nullptr;
    static inline QString s_display;
};
TEST_P(SendDialog, DeliversWhatTheDialogShowsWhenTheUserSends)
{
    TELVORIN_PRECONDITION(s_display.size() >= 2, "Xvfb did not start (is the xvfb package installed?): "
                                                       << s_xvfb->errorString().toStdString());
    const DialogCase& c = GetParam();
    testsupport::TestEnvironment u;
    for (const QString file : {"examples/mail.txt", "examples/anhang.txt"})
        u.write(file, u.read(testsupport::source_dir() + "/" + file).replace("kunde@example.com", c.to));
    const QString config = u.write("mapi.ini", "[Standard]\nFrom=Max Mustermann <max@example.com>\nOutbox="
                                                      + QFile::encodeName(u.path("out")) + "\nDialog=" + c.dialog
                                                      + "\n[AddressBook]\nMaria Muster=maria@example.com\n");
    u.set("TELVORIN_MAPI_CONFIG", config);
    u.set("DISPLAY", s_display);
    if (c.broken_module) {
        u.write("lib/libtelvorin_mapi_dialog.so", u.read(TELVORIN_ANNOUNCING_MODULE));
        u.set("TELVORIN_MAPI_LIBRARY", u.write("lib/libtelvorin_mapi.so", u.read(TELVORIN_MAPI_PROVIDER)));
    }
    // Late (an X server resets when its last client leaves), repeated while a new window ignores keys; Escape at 20 s.
    QProcess user;
    user.setWorkingDirectory(u.path());
    if (*c.user)
        user.start("timeout", {"60", "sh", "-ec", "colours='" TELVORIN_PYTHON " " TELVORIN_WINDOW_COLOURS_SCRIPT "'; "
                   "i=0; sleep 1; w=$(xdotool search --sync --name 'Angebot Nr. 4711' | head -1); while xdotool "
                   "getwindowname $w >/dev/null 2>&1; do i=$((i+1)); if [ $i -le 40 ]; then { xdotool windowfocus "
                   "--sync $w && " + QString(c.user) + "; } || true; else echo \"still open: $(xdotool getwindowname "
                   "$w)\"; xdotool key Escape; fi; sleep 0.5; done; [ $i -le 40 ]"});
    bool sent = false;
    std::string host_said;  // MAPISendMail's code and the provider's standard error, or telvorin's
    if (c.bare_host) {
        ::setenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(config).constData(), 1);
        testing::internal::CaptureStderr();
        const std::string attachment = QFile::encodeName(u.path("examples/anhang.txt")).toStdString();
        const auto code = send_mail(0, {"Angebot Nr. 4711", text, {{MAPI_TO, "kunde@example.com", ""}},
                                        {{attachment, "Angebot.txt"}}});
        host_said = "MAPISendMail: " + std::to_string(code) + "\n" + testing::internal::GetCapturedStderr();
        sent = code == SUCCESS_SUCCESS;
    } else {
        const testsupport::RunResult result = u.run({"examples/mail.txt"});
        EXPECT_EQ(result.exit_code, c.broken_module ? 255 : 0) << result.standard_error.constData();
        host_said = result.standard_error.toStdString();
        sent = result.standard_output.contains("\nEmail gesendet: ");
    }
    // The dialog is gone once the send has returned: a user still busy after that never saw the window.
    if (*c.user && !user.waitForFinished(10000))
        user.terminate(), user.waitForFinished(5000);  // timeout passes the signal on to the user's group
    EXPECT_TRUE(!*c.user || (user.exitStatus() == QProcess::NormalExit && user.exitCode() == 0))
        << "user: " << user.readAll().constData() << host_said;
    ASSERT_EQ(sent, c.delivered != nullptr) << host_said;
    const QByteArray colours = u.read("farben");  // the problem line showed in red, and nothing in green
    EXPECT_TRUE(qstrcmp(c.to, cases[0].to) == 0 || (colours.startsWith("red ") && colours.endsWith(" green 0\n")))
        << colours.constData();
    if (!c.delivered)
        EXPECT_TRUE(files_in(u.path("out")).isEmpty());
    else
        EXPECT_EQ(read_mail(only_mail(u.path("out"))), "From: Max Mustermann <max@example.com>\n"
                      + QString::fromUtf8(c.delivered) + "\nText (utf-8):\n" + text
                      + attachment_line("Angebot.txt", "text/plain; charset=utf-8", u.read("examples/anhang.txt")));
}
INSTANTIATE_TEST_SUITE_P(UserActions, SendDialog, ::testing::ValuesIn(cases), ::testing::PrintToStringParamName());
}  // namespace
