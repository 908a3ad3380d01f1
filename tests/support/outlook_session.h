// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#pragma once
#include "tests/support/runner.h"
#include <QMap>
#include <QVector>

namespace testsupport {

// One part of a generated mail: header lines (CRLF-separated, no trailing line end) and the data, sent in base64.
struct MailPart { QByteArray header, data; };

// A mail with `subject_line` as the raw Subject, fixed From/To/Cc/Date and a text body; with `parts`, multipart/mixed.
QByteArray build_mail(const QByteArray& subject_line, const QByteArray& text = "Hallo\r\n",
                      const QVector<MailPart>& parts = {});

// Writes session/session.ini (unless `ini` is null) and `mails` beside it, names it in TELVORIN_OUTLOOK_SESSION, makes
// an empty out/; returns the session directory.
QString make_session(TestEnvironment& env, const QByteArray& ini, const QMap<QString, QByteArray>& mails = {});

// The files directly in `folder`, hidden ones and links (dangling too), sorted by name.
QStringList files_in(const QString& folder);

// Reads `msg` back with msgconvert and msgreader; each must show what Python's email package reads from `eml`.
void compare_with_source(const TestEnvironment& env, const QString& eml, const QString& msg);

}  // namespace testsupport
