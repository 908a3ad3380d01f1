// Reading delivered messages back with a MIME parser that is not ours (Python's email package),
// and stand-in delivery commands that record what they were given.
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QList>
#include <QString>
#include <QStringList>

#include <ostream>

namespace providertest {

struct Anlage {
    QString name, typ, kodierung;
    QByteArray daten;
};

struct GeleseneMail {
    bool ok = false;
    QString fehler;    // why reading failed
    QByteArray roh;    // the message's bytes
    QJsonObject json;  // what the parser reported

    // A header decoded, "" when absent; address headers as "Name <address>, ...".
    QString kopf(const char* name) const { return json.value(QLatin1String(name)).toString(); }
    // The text body, CR LF read as "\n" (tests check line ends on the raw bytes).
    QString text() const;
    QList<Anlage> anlagen() const;
};

GeleseneMail lies_mail(const QByteArray& inhalt);

// The .eml files in `ordner`, sorted by name.
QStringList mails_in(const QString& ordner);
// The one message in `ordner`, read back; fails the test unless there is exactly one.
GeleseneMail einzige_mail(const QString& ordner);

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
