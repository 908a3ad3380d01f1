// Calling the provider built here, reading delivered messages back with readers that are not ours, and stand-in
// commands that record their calls.
#pragma once

#include "simple_mapi/simple_mapi.h"
#include "tests/support/sitzung.h"

#include <QString>
#include <QStringList>

#include <ostream>
#include <string>
#include <vector>

namespace providertest {

// The provider as the mailer sees it: a library found by path, functions by name (nullptr when missing).
void* provider_funktion(const char* name);
template <typename Funktion>
Funktion funktion(const char* name) { return reinterpret_cast<Funktion>(provider_funktion(name)); }

// A message for MAPISendMail; empty strings go as null pointers.
struct Nachricht {
    struct Empfaenger { ULONG klasse; std::string name, adresse; };
    struct Datei { std::string pfad, name; };
    std::string betreff, text;
    std::vector<Empfaenger> empfaenger;
    std::vector<Datei> dateien;
};
ULONG sende(LHANDLE sitzung, Nachricht n, FLAGS flags = MAPI_DIALOG);

// The message as read_mail.py prints it: decoded From, To, Cc, Bcc and Subject lines, "Fehler: " lines for anything
// wrong (defects, missing MIME-Version, Date or Message-ID in the sender's domain, another reading by a mail client,
// a text changed by mbox delivery), "Text (charset):" and the text with "\n" line ends, then "Anlage: name;
// type[; charset=...]; transfer encoding; content in base64" for each attachment (the form anlage() gives).
QString lies_mail(const QByteArray& inhalt);
QString anlage(const QString& name, const char* typ, const QByteArray& daten);

// The files in `ordner`, sorted by name; the bytes of the only one (failing the test unless there is one).
using testhilfe::dateien_in;
QByteArray einzige_mail(const QString& ordner);

// `ordner`/bin/`name`: a script that records its arguments and standard input in `ordner` and exits with `status`;
// what it was called with, or "<nicht aufgerufen>".
void lege_standin_an(const QString& ordner, const QString& name, int status);
QStringList aufgerufen_mit(const QString& ordner, const QString& name);

}  // namespace providertest

inline void PrintTo(const QString& text, std::ostream* out) { *out << '"' << text.toStdString() << '"'; }
