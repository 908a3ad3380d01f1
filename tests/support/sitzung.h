// Building stand-in Outlook sessions for the export tests, and reading saved .msg files back.
#pragma once

#include "tests/support/lauf.h"

#include <QMap>
#include <QVector>

namespace testhilfe {

// One part of a generated mail: header lines (CRLF-separated, no trailing line end) and the data, sent in base64.
struct Teil {
    QByteArray kopf, daten;
};

// A mail with `betreff_zeile` as the raw Subject, fixed From/To/Cc/Date and a text body; with `teile`, multipart/mixed.
QByteArray baue_mail(const QByteArray& betreff_zeile, const QByteArray& text = "Hallo\r\n", const QVector<Teil>& teile = {});

// Writes session/session.ini (unless `ini` is null) and `mails` beside it, names it in TELVORIN_OUTLOOK_SESSION, makes
// an empty out/; returns the session directory.
QString lege_sitzung_an(Umgebung& u, const QByteArray& ini, const QMap<QString, QByteArray>& mails = {});

// The files directly in `verzeichnis`, hidden ones and links (dangling too), sorted by name.
QStringList dateien_in(const QString& verzeichnis);

// Reads `msg` back with msgconvert and @kenjiuno/msgreader; each must show what Python's email package reads from `eml`.
void vergleiche_mit_quelle(const Umgebung& u, const QString& eml, const QString& msg);

}  // namespace testhilfe
