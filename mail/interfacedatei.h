// Reading the interface file that a calling program writes for the mail job.
#pragma once

#include "mail/mail_daten.h"

#include <QString>

// What one interface file holds: the mail, the profile to log on with and,
// for the console listing, each list as its entries each followed by ";".
struct Interfacedatei {
    QString profil;
    MailDaten mail;
    QString to_text;
    QString cc_text;
    QString bcc_text;
    QString atta_text;
    QString attt_text;
};

// A file that promises more entries than it has lines still yields the
// promised entries as empty texts, but at most this many per list once the
// file has ended: a real caller miscounts by a line or two, while a count near
// 2^31 in a small file must not make us build billions of empty entries.
constexpr int fehlende_eintraege_hoechstens = 1024;

// Reads the interface file at `pfad` into `datei`. When the file cannot be
// opened (after a second attempt) the message goes to standard error and the
// result is false; `datei` is then left as it was.
[[nodiscard]] bool lies_interfacedatei(const QString& pfad, Interfacedatei& datei);

// Lists the fields of `datei`, read from `pfad`, on standard output.
void liste_interfacedatei(const QString& pfad, const Interfacedatei& datei);
