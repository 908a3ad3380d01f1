// Calling the provider, reading its mails back with readers not ours, stand-in commands that record their calls.
#pragma once
#include "simple_mapi/simple_mapi.h"
#include "tests/support/outlook_session.h"
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>
namespace providertest {
// The provider as the mailer sees it: a library found by path, functions by name (nullptr when missing).
void* provider_function(const char* name);
template <typename F> F function(const char* name) { return reinterpret_cast<F>(provider_function(name)); }
struct Message {  // for MAPISendMail; empty strings go as null pointers
    struct Recipient { ULONG recip_class; std::string name, address; };
    struct File { std::string path, name; };
    std::string subject, text;
    std::vector<Recipient> recipients;
    std::vector<File> files;
};
ULONG send_mail(LHANDLE session, Message m, FLAGS flags = MAPI_DIALOG);
// The mail as read_mail.py prints it: headers, "Fehler: " lines, "Text (charset):", then attachment_line()s.
QString read_mail(const QByteArray& content);
QString attachment_line(const QString& name, const char* type, const QByteArray& data);
using testsupport::files_in;
QByteArray only_mail(const QString& folder);  // the only file's bytes (failing the test unless there is one)
// `folder`/bin/`name` records its arguments and input in `folder` and exits with `status`; or "<not called>".
void create_standin(const QString& folder, const QString& name, int status);
QStringList called_with(const QString& folder, const QString& name);
}  // namespace providertest
inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
