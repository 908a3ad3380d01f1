// Reading the interface file that a calling program writes for the mail job.
#include "mail/interfacedatei.h"

#include "framework/text/cqiodatei.h"
#include "ausgabe/konsole.h"

#include "boundary/outside_text.h"

#include <QObject>
#include <QTextStream>

#include <limits>

namespace {

constexpr qint64 utf8_pruefbereich = 2048;

// A file whose beginning is no valid UTF-8 was written in Latin-1; otherwise
// the stream's default (the system's 8-bit code page) stays. A sequence cut
// at the end of the range does not count as invalid. A byte-order mark still wins in both cases, as the stream
// detects it on its first read: UTF-16 text never passes the UTF-8 test, and
// reading it as Latin-1 would lose every line.
void waehle_dekodierung(CQIODatei& datei)
{
    const QByteArray anfang = datei.innere_datei().peek(utf8_pruefbereich);
    telvorin::boundary::Utf8Check pruefung;
    pruefung.add(anfang.constData(), anfang.size());
    if (!pruefung.valid_so_far())
        datei.strom()->setCodec("ISO 8859-1");
}

// An existing line, or an empty one once the file has ended.
QString naechste_zeile(QTextStream& strom)
{
    return strom.atEnd() ? QString() : strom.readLine();
}

// A count is taken as a signed 32-bit value, so a non-number and every value
// of 2^31 or more mean "no entries".
int lies_anzahl(QTextStream& strom)
{
    const uint wert = naechste_zeile(strom).toUInt(nullptr, 10);
    return wert <= static_cast<uint>(std::numeric_limits<int>::max()) ? static_cast<int>(wert) : 0;
}

QStringList lies_liste(QTextStream& strom)
{
    const int anzahl = lies_anzahl(strom);
    QStringList liste;
    int fehlend = 0;
    for (int i = 0; i < anzahl; ++i) {
        if (strom.atEnd() && ++fehlend > fehlende_eintraege_hoechstens)
            break;
        liste.append(naechste_zeile(strom));
    }
    return liste;
}

QString konsolentext(const QStringList& liste)
{
    QString text;
    for (const QString& eintrag : liste)
        text += eintrag + QLatin1Char(';');
    return text;
}

bool oeffne_zum_lesen(CQIODatei& datei)
{
    return datei.oeffne(true, false, true, false, false);
}

}  // namespace

bool lies_interfacedatei(const QString& pfad, Interfacedatei& datei)
{
    CQIODatei eingabe(pfad);
    // A caller may still be closing the file it has just written; one more try
    // covers that without making a missing file slow.
    if (!oeffne_zum_lesen(eingabe) && !oeffne_zum_lesen(eingabe)) {
        ausgabe_fehler(QObject::tr("Konnte Interfacedatei '%1' nicht oeffnen.").arg(pfad));
        return false;
    }
    waehle_dekodierung(eingabe);
    QTextStream& strom = *eingabe.strom();

    Interfacedatei gelesen;
    gelesen.profil = naechste_zeile(strom);
    naechste_zeile(strom);
    gelesen.mail.info = naechste_zeile(strom);
    gelesen.mail.to = lies_liste(strom);
    gelesen.mail.cc = lies_liste(strom);
    gelesen.mail.bcc = lies_liste(strom);
    gelesen.mail.atta = lies_liste(strom);
    for (QString& pfad_der_anlage : gelesen.mail.atta)
        pfad_der_anlage.replace(QLatin1Char('/'), QLatin1Char('\\'));
    gelesen.mail.attt = lies_liste(strom);
    while (!strom.atEnd())
        gelesen.mail.body += strom.readLine() + QLatin1String("\r\n");
    eingabe.schliesse();

    gelesen.to_text = konsolentext(gelesen.mail.to);
    gelesen.cc_text = konsolentext(gelesen.mail.cc);
    gelesen.bcc_text = konsolentext(gelesen.mail.bcc);
    gelesen.atta_text = konsolentext(gelesen.mail.atta);
    gelesen.attt_text = konsolentext(gelesen.mail.attt);
    datei = std::move(gelesen);
    return true;
}

void liste_interfacedatei(const QString& pfad, const Interfacedatei& datei)
{
    const QLatin1Char blank(' ');
    const auto zeile = [&](const char* muster, const QString& wert) {
        ausgabe_info(QString::fromLatin1(muster).arg(wert, 0, blank));
    };
    zeile("P1   '%1'", pfad);
    zeile("MAPI '%1'", datei.profil);
    zeile("INFO '%1'", datei.mail.info);
    zeile("TO   '%1'", datei.to_text);
    zeile("CC   '%1'", datei.cc_text);
    zeile("BCC  '%1'", datei.bcc_text);
    zeile("ATTA '%1'", datei.atta_text);
    zeile("ATTT '%1'", datei.attt_text);
    // In pieces: one text for the whole line would hold the body several times over.
    ausgabe_info_teile({u"BODY '", datei.mail.body, u"'"});
}
