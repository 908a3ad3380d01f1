// Reading delivered messages back with a MIME parser that is not ours (Python's email package),
// and stand-in delivery commands that record what they were given.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <ostream>

namespace providertest {

// The message as that parser reads it: its decoded From, To, Cc, Bcc and
// Subject lines, a "Fehler: " line for anything wrong with it (defects, no
// MIME-Version 1.0, no Date, no Message-ID in the sender's domain),
// "Text (charset):" and the text body with "\n" line ends, then "Anlage: name;
// type; transfer encoding; content in base64" for each attachment. Parser
// failures as "Fehler: ...".
QString lies_mail(const QByteArray& inhalt);
// The sender of a profile without From=: login@host.
QString standard_absender();
// The attachment line that lies_mail() gives for this file.
QString anlage(const QString& name, const char* typ, const QByteArray& daten);

// The .eml files in `ordner`, sorted by name.
QStringList mails_in(const QString& ordner);
// The bytes of the one message in `ordner`; fails the test unless there is exactly one.
QByteArray einzige_mail(const QString& ordner);

// Writes `ordner`/bin/`name`, a script that records its arguments and its
// standard input in `ordner` and exits with `status`.
void lege_standin_an(const QString& ordner, const QString& name, int status);
// The arguments that stand-in was called with; "<nicht aufgerufen>" when it was not.
QStringList aufgerufen_mit(const QString& ordner, const QString& name);

}  // namespace providertest

// Readable failure output for Qt strings.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
