// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#pragma once

#include "lauf.h"

#include <QByteArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QString>
#include <QStringList>
#include <QVector>

#include <ostream>

namespace testhilfe {

// One MIME part of a generated mail: header lines (CRLF-separated, no
// trailing line end) and the body as it goes on the wire.
struct Teil {
    QByteArray kopf;
    QByteArray inhalt;
};

// A base64 part under the given Content-Type and Content-Disposition lines (either may be empty).
Teil base64_teil(const QByteArray& content_type, const QByteArray& disposition, const QByteArray& daten);

// A mail with `betreff_zeile` as the raw Subject value, fixed From/To/Cc, and
// a plain-text body; with `teile`, a multipart/mixed of the text and them.
QByteArray baue_mail(const QByteArray& betreff_zeile, const QByteArray& text = "Hallo\r\n",
                     const QVector<Teil>& teile = {});

// Writes session/session.ini and points TELVORIN_OUTLOOK_SESSION there; returns the session directory.
QString lege_sitzung_an(Umgebung& u, const QByteArray& ini);

extern const QByteArray programmende;

// The files (hidden ones too) directly in `verzeichnis`, sorted by name.
QStringList dateien_in(const QString& verzeichnis);

// What msgconvert makes of a .msg file: subject, from, to, cc, body, and
// attachments as {name, data in hex}; {fehler} when the reading failed.
QJsonObject lies_msg_zurueck(const Umgebung& u, const QString& msg_pfad);

}  // namespace testhilfe

inline void PrintTo(const QJsonObject& o, std::ostream* os)
{
    *os << QJsonDocument(o).toJson().toStdString();
}
