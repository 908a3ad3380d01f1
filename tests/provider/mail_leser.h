// Reading delivered messages back with a MIME parser that is not ours (Python's email package).
#pragma once

#include <QByteArray>
#include <QJsonArray>
#include <QJsonObject>
#include <QString>
#include <QStringList>

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

}  // namespace providertest
