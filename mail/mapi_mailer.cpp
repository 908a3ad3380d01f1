// CMapiMailer: sends one mail through Simple MAPI, loaded at run time.
#include "mail/mapi_mailer.h"

#include "platform/own_binary.h"
#include "mail/mapi_fehler.h"
#include "simple_mapi/simple_mapi.h"

#include <QByteArray>
#include <QObject>

#include <array>
#include <string>
#include <utility>
#include <vector>

namespace {

// Positions in load order, as mapi_funktionsname() numbers them from 1.
enum EFunktion : std::size_t {
    f_anmelden = 0,
    f_abmelden = 1,
    f_sende_mail = 2,
    f_sende_mail_w = 3,
    f_gib_frei = 9,
    f_loese_namen_auf = 12,
};

struct MailerZustand {
    telvorin::platform::LibraryHandle bibliothek = nullptr;
    LHANDLE sitzung = 0;
    ULONG_PTR fenster = 0;  // the tool has no window of its own to parent the dialogs
    ULONG letzter_code = 0;
    int ladeschritt = 0;
    std::array<void*, mapi_funktionen_anzahl> funktionen{};
};

MailerZustand& zustand()
{
    static MailerZustand z;
    return z;
}

template <typename Zeiger>
Zeiger funktion(EFunktion welche)
{
    return reinterpret_cast<Zeiger>(zustand().funktionen[welche]);
}

}  // namespace

CMapiMailer::CMapiMailer()
{
    zustand() = MailerZustand{};
    m_ladestatus = lade_mapi();
    if (m_ladestatus != geladen) {
        zustand().sitzung = 0;
        m_meldung = QObject::tr("Fehler bei MAPI Initialisierung");
        zustand().letzter_code = MAPI_E_INVALID_SESSION;
    }
}

quint32 CMapiMailer::lade_mapi()
{
    MailerZustand& z = zustand();
    z.ladeschritt = 0;
    // Which library stands for Simple MAPI, and where it lies, is the platform's choice.
    z.bibliothek = telvorin::platform::load_simple_mapi();
    if (z.bibliothek == nullptr)
        return bibliothek_fehlt;
    for (std::size_t i = 0; i < z.funktionen.size(); ++i) {
        ++z.ladeschritt;
        z.funktionen[i] = telvorin::platform::resolve_function(z.bibliothek, mapi_funktionsname(z.ladeschritt));
        // Older libraries lack the wide-character send; it is never called.
        if (z.funktionen[i] == nullptr && i != f_sende_mail_w)
            return funktion_fehlt;
    }
    return geladen;
}

bool CMapiMailer::bereit() const
{
    return zustand().bibliothek != nullptr && m_ladestatus == geladen;
}

quint32 CMapiMailer::fehlercode() const
{
    return zustand().letzter_code;
}

QString CMapiMailer::fehlername(quint32 code) const
{
    return ::fehlername(code, m_ladestatus, zustand().ladeschritt);
}

QString CMapiMailer::fehlertext() const
{
    const quint32 code = fehlercode();
    if (code == SUCCESS_SUCCESS)
        return QString();
    return QStringLiteral("%1 (%2)").arg(m_meldung, fehlername(code));
}

bool CMapiMailer::logon(const QString& profil, const QString& passwort)
{
    if (!bereit())
        return false;
    logoff();

    MailerZustand& z = zustand();
    const auto mapi_logon = funktion<LPMAPILOGON>(f_anmelden);
    const bool mit_profil = !profil.isEmpty();
    std::string profil8 = profil.toStdString();
    std::string passwort8 = passwort.toStdString();
    const FLAGS flags = mit_profil ? MAPI_NEW_SESSION : MAPI_LOGON_UI | MAPI_NEW_SESSION;
    ULONG ergebnis = mapi_logon(z.fenster, mit_profil ? profil8.data() : nullptr,
                                mit_profil ? passwort8.data() : nullptr, flags, 0, &z.sitzung);
    if (ergebnis == SUCCESS_SUCCESS) {
        z.letzter_code = SUCCESS_SUCCESS;
        return true;
    }
    if (ergebnis != MAPI_USER_ABORT) {
        // The profile may be unknown or a new session refused; the default
        // session, shared with other programs, often still works.
        m_meldung = QObject::tr("Fehler bei MAPI new session");
        ergebnis = mapi_logon(z.fenster, nullptr, nullptr, mit_profil ? 0 : MAPI_LOGON_UI, 0, &z.sitzung);
        if (ergebnis == SUCCESS_SUCCESS) {
            z.letzter_code = SUCCESS_SUCCESS;
            return true;
        }
    }
    m_meldung = QObject::tr("Fehler bei MAPI Logon");
    z.letzter_code = ergebnis == MAPI_USER_ABORT ? SUCCESS_SUCCESS : ergebnis;
    return false;
}

bool CMapiMailer::logoff()
{
    MailerZustand& z = zustand();
    if (!bereit() || z.sitzung == 0)
        return false;
    const ULONG ergebnis = funktion<LPMAPILOGOFF>(f_abmelden)(z.sitzung, z.fenster, 0, 0);
    if (ergebnis == SUCCESS_SUCCESS) {
        z.letzter_code = SUCCESS_SUCCESS;
        z.sitzung = 0;
        return true;
    }
    m_meldung = QObject::tr("Fehler bei MAPI Logoff");
    z.letzter_code = ergebnis;
    return false;
}

QString CMapiMailer::empfaenger_text(const QString& eintrag)
{
    // "<address>" is the caller's way to bypass the address book.
    if (eintrag.startsWith(QLatin1Char('<'))) {
        QString adresse = eintrag;
        adresse.remove(QLatin1Char('<'));
        adresse.remove(QLatin1Char('>'));
        return adresse;
    }
    MailerZustand& z = zustand();
    if (!bereit() || z.sitzung == 0)
        return eintrag;
    QByteArray name = eintrag.toUtf8();
    lpMapiRecipDesc empfaenger = nullptr;
    const ULONG ergebnis
        = funktion<LPMAPIRESOLVENAME>(f_loese_namen_auf)(z.sitzung, z.fenster, name.data(), 0, 0, &empfaenger);
    if (ergebnis != SUCCESS_SUCCESS) {
        z.letzter_code = ergebnis;
        return eintrag;
    }
    if (empfaenger == nullptr)
        return eintrag;
    const QString aufgeloest
        = empfaenger->lpszName != nullptr ? QString::fromLatin1(empfaenger->lpszName) : eintrag;
    funktion<LPMAPIFREEBUFFER>(f_gib_frei)(empfaenger);
    return aufgeloest;
}

bool CMapiMailer::sende_mail(const MailDaten& mail)
{
    MailerZustand& z = zustand();
    if (!bereit() || z.sitzung == 0)
        return false;

    // Every text lives in these arrays until the call returns; the
    // descriptors point into them and are set up only once all are filled.
    QByteArray betreff = mail.info.toLocal8Bit();
    QByteArray text = mail.body.toLocal8Bit();
    std::vector<ULONG> klassen;
    std::vector<QByteArray> namen;
    const std::array<std::pair<const QStringList*, ULONG>, 3> listen
        = {{{&mail.to, MAPI_TO}, {&mail.cc, MAPI_CC}, {&mail.bcc, MAPI_BCC}}};
    for (const auto& [liste, klasse] : listen) {
        for (const QString& eintrag : *liste) {
            klassen.push_back(klasse);
            namen.push_back(empfaenger_text(eintrag).toLocal8Bit());
        }
    }
    // Titles only make sense when there is one for every path; a partial
    // list cannot be matched up, so then every file is named by its path.
    const bool mit_titeln = !mail.atta.isEmpty() && mail.attt.size() == mail.atta.size();
    std::vector<QByteArray> pfade;
    std::vector<QByteArray> dateinamen;
    for (int i = 0; i < mail.atta.size(); ++i) {
        pfade.push_back(mail.atta[i].toUtf8());
        dateinamen.push_back(mit_titeln ? mail.attt[i].toLatin1() : mail.atta[i].toUtf8());
    }

    std::vector<MapiRecipDesc> empfaenger(namen.size());
    for (std::size_t i = 0; i < namen.size(); ++i) {
        empfaenger[i] = MapiRecipDesc{};
        empfaenger[i].ulRecipClass = klassen[i];
        empfaenger[i].lpszName = namen[i].data();
    }
    std::vector<MapiFileDesc> dateien(pfade.size());
    for (std::size_t i = 0; i < pfade.size(); ++i) {
        dateien[i] = MapiFileDesc{};
        dateien[i].nPosition = 0xFFFFFFFFu;  // no place in the text: attach at the end
        dateien[i].lpszPathName = pfade[i].data();
        dateien[i].lpszFileName = dateinamen[i].data();
    }
    MapiMessage nachricht{};
    nachricht.lpszSubject = betreff.data();
    nachricht.lpszNoteText = text.data();
    nachricht.nRecipCount = static_cast<ULONG>(empfaenger.size());
    nachricht.lpRecips = empfaenger.empty() ? nullptr : empfaenger.data();
    nachricht.nFileCount = static_cast<ULONG>(dateien.size());
    nachricht.lpFiles = dateien.empty() ? nullptr : dateien.data();

    const ULONG ergebnis = funktion<LPMAPISENDMAIL>(f_sende_mail)(z.sitzung, z.fenster, &nachricht, MAPI_DIALOG, 0);
    if (ergebnis == SUCCESS_SUCCESS) {
        z.letzter_code = SUCCESS_SUCCESS;
        return true;
    }
    if (const char* erklaerung = sende_fehlertext(ergebnis))
        m_meldung = QObject::tr(erklaerung);
    m_meldung += QLatin1Char('\n') + QObject::tr("Fehler beim Senden der EMail");
    z.letzter_code = ergebnis == MAPI_USER_ABORT ? SUCCESS_SUCCESS : ergebnis;
    return false;
}
