// Reading delivered messages back with a MIME parser that is not ours (Python's email package),
// and recording what stand-in delivery commands were given.
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

#include <ostream>

namespace providertest {

struct Anlage {
    QString name;
    QString typ;
    QString kodierung;
    QByteArray daten;
};

struct GeleseneMail {
    bool ok = false;
    QString fehler;         // why reading failed
    QByteArray roh;         // the file's bytes
    QJsonObject json;       // what the parser reported

    QString kopf(const char* name) const;             // decoded header, "" when absent
    QStringList adressen(const char* feld) const;     // addr-specs of To/Cc/Bcc/From
    QStringList namen(const char* feld) const;        // display names of To/Cc/Bcc/From
    QString text() const;                             // the text body, CR LF read as "\n" (tests check line ends on the raw bytes)
    QList<Anlage> anlagen() const;
};

// Parses the message in `inhalt`.
GeleseneMail lies_mail(const QByteArray& inhalt);

// A shell script standing in for a delivery command: it records its
// arguments in `protokoll`.args (each ended by an ASCII record separator,
// which no argument in the tests contains) and its standard input in
// `protokoll`.stdin, then exits with `status`.
QByteArray standin_skript(const QString& protokoll, int status);
// The arguments recorded by such a script; "<nicht aufgerufen>" when none.
QStringList aufgezeichnete_argumente(const QString& protokoll);

}  // namespace providertest

// Readable failure output for Qt strings and lists of them.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
