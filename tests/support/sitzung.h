// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#pragma once

#include "lauf.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVector>

namespace testhilfe {

// One MIME part of a generated mail: header lines (CRLF-separated, no trailing line end) and the body as sent.
struct Teil {
    QByteArray kopf;
    QByteArray inhalt;
};

// A base64 part under the given Content-Type and Content-Disposition lines (either may be empty).
Teil base64_teil(const QByteArray& content_type, const QByteArray& disposition, const QByteArray& daten);

// A mail with `betreff_zeile` as the raw Subject value, fixed From/To/Cc/Date, and
// a plain-text body; with `teile`, a multipart/mixed of the text and them.
QByteArray baue_mail(const QByteArray& betreff_zeile, const QByteArray& text = "Hallo\r\n",
                     const QVector<Teil>& teile = {});

// Writes session/session.ini and points TELVORIN_OUTLOOK_SESSION there; returns the session directory.
QString lege_sitzung_an(Umgebung& u, const QByteArray& ini);

extern const QByteArray programmende;

// The files directly in `verzeichnis`, hidden ones and links (dangling too), sorted by name.
QStringList dateien_in(const QString& verzeichnis);

// Reads the .msg file `msg` back with msgconvert and with the npm reader @kenjiuno/msgreader and
// expects of each, as far as it shows them, the fields Python's email package reads from `eml`.
void vergleiche_mit_quelle(const Umgebung& u, const QString& eml, const QString& msg);

}  // namespace testhilfe
