// Reading delivered messages back with readers that are not ours, and stand-in commands that record their calls.
#pragma once

#include <QString>
#include <QStringList>

#include <ostream>

namespace providertest {

// The message as lies_mail.py prints it: decoded From, To, Cc, Bcc and Subject lines, "Fehler: " lines for anything
// wrong (defects, missing MIME-Version, Date or Message-ID in the sender's domain, another reading by a mail client,
// a text changed by mbox delivery), "Text (charset):" and the text with "\n" line ends, then "Anlage: name;
// type[; charset=...]; transfer encoding; content in base64" for each attachment (the form anlage() gives).
QString lies_mail(const QByteArray& inhalt);
QString anlage(const QString& name, const char* typ, const QByteArray& daten);

// The .eml files in `ordner`, sorted by name; the bytes of the only one (failing the test unless there is one).
QStringList mails_in(const QString& ordner);
QByteArray einzige_mail(const QString& ordner);

// `ordner`/bin/`name`: a script that records its arguments and standard input in `ordner` and exits with `status`;
// what it was called with, or "<nicht aufgerufen>".
void lege_standin_an(const QString& ordner, const QString& name, int status);
QStringList aufgerufen_mit(const QString& ordner, const QString& name);

}  // namespace providertest

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
