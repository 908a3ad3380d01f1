// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#pragma once

#include "lauf.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace testhilfe {

// One MIME part of a generated mail: its header lines (CRLF-separated, no
// trailing line end) and its body as it goes on the wire.
struct Teil {
    QByteArray kopf;
    QByteArray inhalt;
};

// A part carrying `daten` in base64 under the given Content-Type and
// Content-Disposition lines (either may be empty).
Teil base64_teil(const QByteArray& content_type, const QByteArray& disposition, const QByteArray& daten);

// An RFC 5322 mail with `betreff_zeile` as the raw Subject field value (may
// hold encoded words and folds), a plain-text body and, when `teile` is not
// empty, a multipart/mixed with the text first and then the parts.
QByteArray baue_mail(const QByteArray& betreff_zeile, const QByteArray& text = "Hallo\r\n",
                     const QVector<Teil>& teile = {});

// Writes `ini` as session/session.ini in the working directory and points
// TELVORIN_OUTLOOK_SESSION there. Returns the session directory.
QString lege_sitzung_an(Umgebung& u, const QByteArray& ini);

// The closing text of a failed run on standard error, as the tests see it.
extern const QByteArray programmende;

// The files (hidden ones too) directly in `verzeichnis`, sorted by name.
QStringList dateien_in(const QString& verzeichnis);

// What msgconvert makes of a .msg file, as the tests compare it.
struct GelesenesMsg {
    bool gelesen = false;  // false: msgconvert or the reader script failed
    QString fehler;        // then what they printed
    QString betreff, absender, an, kopie, text;
    QVector<QPair<QString, QByteArray>> anlagen;  // name, decoded bytes
};

GelesenesMsg lies_msg_zurueck(const Umgebung& u, const QString& msg_pfad);

}  // namespace testhilfe
