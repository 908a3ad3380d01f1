// Calling the provider, reading its mails back with readers not ours, stand-in commands that record their calls.
#pragma once
#include "simple_mapi/simple_mapi.h"
#include "tests/support/outlook_session.h"
#include <QString>
#include <QStringList>
#include <ostream>
#include <string>
#include <vector>

namespace providertest {
// The provider as the mailer sees it: a library found by path, functions by name (nullptr when missing).
void* provider_function(const char* name);
template <typename Function>
Function function(const char* name) { return reinterpret_cast<Function>(provider_function(name)); }

// A message for MAPISendMail; empty strings go as null pointers.
struct Message {
    struct Recipient { ULONG recip_class; std::string name, address; };
    struct File { std::string path, name; };
    std::string subject, text;
    std::vector<Recipient> recipients;
    std::vector<File> files;
};
ULONG send_mail(LHANDLE session, Message m, FLAGS flags = MAPI_DIALOG);

// The message as read_mail.py prints it: decoded headers, "Fehler: " lines for anything wrong, "Text (charset):" and
// the text, then per attachment "Anlage: name; type[; charset=...]; encoding; base64" (as attachment_line() gives).
QString read_mail(const QByteArray& content);
QString attachment_line(const QString& name, const char* type, const QByteArray& data);

// The files in `folder`, sorted by name; the bytes of the only one (failing the test unless there is one).
using testsupport::files_in;
QByteArray only_mail(const QString& folder);

// `folder`/bin/`name` records its arguments and input in `folder` and exits with `status`; or "<not called>".
void create_standin(const QString& folder, const QString& name, int status);
QStringList called_with(const QString& folder, const QString& name);
}  // namespace providertest

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
