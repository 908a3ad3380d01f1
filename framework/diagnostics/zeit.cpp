// CZeit: the local time from the clock and its fixed text forms.
#include "framework/diagnostics/zeit.h"

#include "framework/text/i18n.h"
#include "framework/text/zahlen.h"

#include <cstdio>
#include <ctime>
#include <ostream>

namespace {

// A field of form 4: the number right-aligned in its width with the leading
// blanks turned into "0", or all zeros when the value lies above `hoechstwert`.
std::string feld_mit_nullen(std::int32_t wert, int breite, std::int32_t hoechstwert)
{
    if (wert > hoechstwert)
        return std::string(static_cast<std::size_t>(breite), '0');
    std::string text = itoa(static_cast<int>(wert), breite);
    for (char& z : text) {
        if (z != ' ')
            break;
        z = '0';
    }
    return text;
}

void datum(std::string& text, const CZeit& zeit)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%02ld.%02ld.%4ld", static_cast<long>(zeit.gib_tag()),
                  static_cast<long>(zeit.gib_monat()), static_cast<long>(zeit.gib_jahr()));
    text += puffer;
}

void uhrzeit(std::string& text, const CZeit& zeit)
{
    char puffer[64];
    std::snprintf(puffer, sizeof puffer, "%02ld:%02ld:%02ld", static_cast<long>(zeit.gib_stunde()),
                  static_cast<long>(zeit.gib_minute()), static_cast<long>(zeit.gib_sekunde()));
    text += puffer;
}

}  // namespace

void CZeit::setze_jetzt()
{
    const std::time_t jetzt = std::time(nullptr);
    // localtime's shared buffer is safe here: the framework runs on one thread.
    const std::tm* zerlegt_zeiger = std::localtime(&jetzt);
    if (zerlegt_zeiger == nullptr)
        return;  // a clock beyond the breakdown's range leaves the time as it was
    const std::tm zerlegt = *zerlegt_zeiger;
    m_jahr = zerlegt.tm_year + 1900;
    m_monat = zerlegt.tm_mon + 1;
    m_tag = zerlegt.tm_mday;
    m_stunde = zerlegt.tm_hour;
    m_minute = zerlegt.tm_min;
    m_sekunde = zerlegt.tm_sec;
    m_wochentag = zerlegt.tm_wday + 1;
    m_tag_im_jahr = zerlegt.tm_yday + 1;
}

void CZeit::setze(std::int32_t jahr, std::int32_t monat, std::int32_t tag, std::int32_t stunde,
                  std::int32_t minute, std::int32_t sekunde)
{
    m_jahr = jahr;
    m_monat = monat;
    m_tag = tag;
    m_stunde = stunde;
    m_minute = minute;
    m_sekunde = sekunde;
}

std::string& CZeit::formatiere(std::string& text, std::uint32_t form) const
{
    text.clear();
    switch (form) {
    case 0:
        datum(text, *this);
        break;
    case 1:
        uhrzeit(text, *this);
        break;
    case 4:
        text += feld_mit_nullen(m_jahr, 4, 9999);
        text += '-';
        text += feld_mit_nullen(m_monat, 2, 12);
        text += '-';
        text += feld_mit_nullen(m_tag, 2, 31);
        text += ' ';
        text += feld_mit_nullen(m_stunde, 2, 23);
        text += ':';
        text += feld_mit_nullen(m_minute, 2, 59);
        text += ':';
        text += feld_mit_nullen(m_sekunde, 2, 59);
        break;
    default:
        datum(text, *this);
        text += " - ";
        uhrzeit(text, *this);
        break;
    }
    return text;
}

void CZeit::gib_aus(std::ostream& strom) const
{
    if (m_jahr != 0)
        strom << uebersetze_("Jahr: ", klasse_cobjekt()) << m_jahr << "   ";
    strom << uebersetze_("Zeit: ", klasse_cobjekt()) << m_stunde << " : " << m_minute << " : "
          << m_sekunde;
    if (m_mikrosekunden != 0.0)
        strom << "   " << m_mikrosekunden << uebersetze_(" Mikrosek.", klasse_cobjekt());
}
