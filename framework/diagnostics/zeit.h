// CZeit: a calendar date and time of day, read from the clock and written in fixed forms.
#pragma once

#include "framework/base/klasse.h"

#include <cstdint>
#include <iosfwd>
#include <string>

class CZeit : public CObjekt {
public:
    // All fields zero.
    CZeit() = default;

    TELVORIN_KLASSE(CObjekt, klasse_czeit)

    // Takes the current local time (the process's time zone); microseconds
    // stay as they are.
    void setze_jetzt();

    // Clears `text`, writes the time in `form` and returns `text`:
    // 0 "DD.MM.YYYY" (year padded with blanks), 1 "hh:mm:ss",
    // 4 "YYYY-MM-DD hh:mm:ss" with out-of-range fields written as zeros,
    // any other form "DD.MM.YYYY - hh:mm:ss".
    std::string& formatiere(std::string& text, std::uint32_t form) const;

    // "Jahr: <year>   " when the year is set, "Zeit: h : m : s", and
    // "   <microseconds> Mikrosek." when those are set; labels translated.
    void gib_aus(std::ostream& strom) const override;

    // Sets the fields directly, without any check (tests and callers that
    // carry a time from elsewhere).
    void setze(std::int32_t jahr, std::int32_t monat, std::int32_t tag, std::int32_t stunde,
               std::int32_t minute, std::int32_t sekunde);
    void setze_mikrosekunden(double mikrosekunden) { m_mikrosekunden = mikrosekunden; }

    std::int32_t gib_jahr() const { return m_jahr; }
    std::int32_t gib_monat() const { return m_monat; }
    std::int32_t gib_tag() const { return m_tag; }
    std::int32_t gib_stunde() const { return m_stunde; }
    std::int32_t gib_minute() const { return m_minute; }
    std::int32_t gib_sekunde() const { return m_sekunde; }
    // 1 Sunday to 7 Saturday.
    std::int32_t gib_wochentag() const { return m_wochentag; }
    // 1 for 1 January.
    std::int32_t gib_tag_im_jahr() const { return m_tag_im_jahr; }
    double gib_mikrosekunden() const { return m_mikrosekunden; }

private:
    std::int32_t m_jahr = 0;
    std::int32_t m_monat = 0;
    std::int32_t m_tag = 0;
    std::int32_t m_stunde = 0;
    std::int32_t m_minute = 0;
    std::int32_t m_sekunde = 0;
    std::int32_t m_wochentag = 0;
    std::int32_t m_tag_im_jahr = 0;
    double m_mikrosekunden = 0.0;
};
