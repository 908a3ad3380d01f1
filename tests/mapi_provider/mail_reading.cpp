// Calling the provider, reading delivered messages back, stand-in delivery commands.
#include "tests/mapi_provider/mail_reading.h"
#include <QDir>
#include <gtest/gtest.h>
#include <dlfcn.h>
namespace providertest {
void* provider_function(const char* name)
{
    static void* const library = ::dlopen(TELVORIN_MAPI_PROVIDER, RTLD_NOW | RTLD_LOCAL);
    return library ? ::dlsym(library, name) : nullptr;
}
static char* text(std::string& s) { return s.empty() ? nullptr : s.data(); }
ULONG send_mail(LHANDLE session, Message message, FLAGS flags)
{
    std::vector<MapiRecipDesc> recipients;
    std::vector<MapiFileDesc> files;
    for (Message::Recipient& r : message.recipients)
        recipients.push_back(MapiRecipDesc{0, r.recip_class, text(r.name), text(r.address), 0, nullptr});
    for (Message::File& f : message.files)
        files.push_back(MapiFileDesc{0, 0, 0xFFFFFFFF, text(f.path), text(f.name), nullptr});
    MapiMessage m {0, text(message.subject), text(message.text), nullptr, nullptr, nullptr, 0, nullptr,
                   static_cast<ULONG>(recipients.size()), recipients.empty() ? nullptr : recipients.data(),
                   static_cast<ULONG>(files.size()), files.empty() ? nullptr : files.data()};
    return function<LPMAPISENDMAIL>("MAPISendMail")(session, 0, &m, flags, 0);
}
QString read_mail(const QByteArray& content)
{
    const auto r = testsupport::TestEnvironment().run_program(TELVORIN_PYTHON, {TELVORIN_READ_MAIL_SCRIPT}, content);
    return QString::fromUtf8(r.exit_code == 0 ? r.standard_output : "Fehler: " + r.standard_error);
}
QString attachment_line(const QString& name, const char* type, const QByteArray& data)
{
    return QStringLiteral("\nAnlage: %1; %2; base64; ").arg(name, QLatin1String(type)) + data.toBase64();
}
QByteArray only_mail(const QString& folder)
{
    const QStringList mails = files_in(folder);
    EXPECT_EQ(mails.size(), 1) << folder.toStdString();
    QFile f(folder + QLatin1Char('/') + mails.value(0));
    return mails.size() == 1 && f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}
void create_standin(const QString& folder, const QString& name, int status)
{
    // Each argument ends with an ASCII record separator, which no test argument contains.
    const QByteArray prefix = QFile::encodeName(folder + QLatin1Char('/') + name);
    QFile script(folder + QStringLiteral("/bin/") + name);
    ASSERT_TRUE(QDir(folder).mkpath(QStringLiteral("bin")) && script.open(QIODevice::WriteOnly | QIODevice::Truncate));
    script.write("#!/bin/sh\nfor a; do printf '%s\\036' \"$a\"; done > '" + prefix + ".args'\ncat > '" + prefix
                 + ".stdin'\nexit " + QByteArray::number(status) + "\n");
    script.setPermissions(QFileDevice::ReadOwner | QFileDevice::ExeOwner);
}
QStringList called_with(const QString& folder, const QString& name)
{
    QFile f(folder + QLatin1Char('/') + name + QStringLiteral(".args"));
    if (!f.open(QIODevice::ReadOnly))
        return {QStringLiteral("<not called>")};
    const QStringList arguments = QString::fromUtf8(f.readAll()).split(QLatin1Char('\036'));
    return arguments.mid(0, arguments.size() - 1);  // each one ends with a separator
}
}  // namespace providertest
