// CZeit: clock reading in the local time zone, the text forms and the dump.
#include "kern_hilfe.h"

#include "zeit.h"

#include <ctime>
#include <sstream>

namespace {

class Zeit : public kern::KernTest {};

struct FormFall {
    std::int32_t jahr, monat, tag, stunde, minute, sekunde;
    std::uint32_t form;
    const char* erwartet;
};

std::ostream& operator<<(std::ostream& o, const FormFall& f)
{
    return o << f.jahr << '/' << f.monat << '/' << f.tag << ' ' << f.stunde << ':' << f.minute << ':'
             << f.sekunde << " form " << f.form;
}

TEST_F(Zeit, FormenUndBereichsersatz)
{
    const FormFall faelle[] = {
        {0, 0, 0, 0, 0, 0, 0, "00.00.   0"},
        {0, 0, 0, 0, 0, 0, 1, "00:00:00"},
        {0, 0, 0, 0, 0, 0, 4, "0000-00-00 00:00:00"},
        {0, 0, 0, 0, 0, 0, 2, "00.00.   0 - 00:00:00"},
        {2026, 12, 3, 2, 5, 9, 2, "03.12.2026 - 02:05:09"},
        {2026, 12, 3, 2, 5, 9, 3, "03.12.2026 - 02:05:09"},
        {2026, 12, 3, 2, 5, 9, 99, "03.12.2026 - 02:05:09"},
        {2026, 12, 3, 2, 5, 9, 4, "2026-12-03 02:05:09"},
        {2026, 13, 3, 2, 5, 9, 4, "2026-00-03 02:05:09"},
        {2026, 13, 3, 2, 5, 9, 0, "03.13.2026"},
        {9999, 12, 31, 23, 59, 59, 4, "9999-12-31 23:59:59"},
        {10000, 12, 32, 24, 60, 60, 4, "0000-12-00 00:00:00"},
        {10000, 12, 32, 24, 60, 60, 2, "32.12.10000 - 24:60:60"},
        {7, 1, 1, 0, 0, 0, 4, "0007-01-01 00:00:00"},
        {7, 1, 1, 0, 0, 0, 0, "01.01.   7"},
        {2026, -5, 1, 0, 0, 0, 4, "2026--5-01 00:00:00"},
    };
    for (const FormFall& f : faelle) {
        SCOPED_TRACE(f);
        CZeit zeit;
        zeit.setze(f.jahr, f.monat, f.tag, f.stunde, f.minute, f.sekunde);
        std::string text = "alter Inhalt";
        EXPECT_EQ(&zeit.formatiere(text, f.form), &text);
        EXPECT_EQ(text, f.erwartet);
    }
}

// Form 4 prints through the framework's integer formatting, so a field that
// overflows its width stays whole and is warned about.
TEST_F(Zeit, Form4WarntBeiZuBreitemFeld)
{
    kern::Empfaenger empfaenger;
    installiere_meldungsempfaenger(&empfaenger);
    CZeit zeit;
    zeit.setze(2026, 1, 2, 3, -100, 5);
    std::string text;
    EXPECT_EQ(zeit.formatiere(text, 4), "2026-01-02 03:-100:05");
    ASSERT_EQ(empfaenger.meldungen.size(), 1u);
    EXPECT_EQ(empfaenger.meldungen[0].methode, "itoa");
    EXPECT_EQ(empfaenger.meldungen[0].text, "Ausgabe einer Zahl (-100) uebersteigt angegebene Breite (2)");
}

TEST_F(Zeit, AusgabeNurMitGesetztenTeilen)
{
    std::ostringstream frisch;
    CZeit().gib_aus(frisch);
    EXPECT_EQ(frisch.str(), "Zeit: 0 : 0 : 0");

    CZeit zeit;
    zeit.setze(2026, 12, 3, 2, 5, 9);
    zeit.setze_mikrosekunden(250.5);
    std::ostringstream voll;
    zeit.gib_aus(voll);
    EXPECT_EQ(voll.str(), "Jahr: 2026   Zeit: 2 : 5 : 9   250.5 Mikrosek.");

    i18n().setze_eintrag("Zeit: ", "Time: ");
    std::ostringstream uebersetzt;
    CZeit().gib_aus(uebersetzt);
    EXPECT_EQ(uebersetzt.str(), "Time: 0 : 0 : 0");
}

// Reads the clock in the process's time zone: a fixed zone three hours east of
// UTC (POSIX form, needs no zone database) must shift the hour by three.
TEST_F(Zeit, SetzeJetztLiestDieOrtszeit)
{
    for (const char* zone : {"UTC", "XYZ-3"}) {
        SCOPED_TRACE(zone);
        ::setenv("TZ", zone, 1);
        ::tzset();
        const int versatz = std::string(zone) == "UTC" ? 0 : 3;
        for (int versuch = 0; versuch < 3; ++versuch) {
            const std::time_t vorher = std::time(nullptr) + versatz * 3600;
            CZeit zeit;
            zeit.setze_mikrosekunden(7.0);
            zeit.setze_jetzt();
            const std::time_t nachher = std::time(nullptr) + versatz * 3600;
            if (vorher != nachher)
                continue;  // the second changed in between; read again
            std::tm utc{};
            ::gmtime_r(&vorher, &utc);
            EXPECT_EQ(zeit.gib_jahr(), utc.tm_year + 1900);
            EXPECT_EQ(zeit.gib_monat(), utc.tm_mon + 1);
            EXPECT_EQ(zeit.gib_tag(), utc.tm_mday);
            EXPECT_EQ(zeit.gib_stunde(), utc.tm_hour);
            EXPECT_EQ(zeit.gib_minute(), utc.tm_min);
            EXPECT_EQ(zeit.gib_sekunde(), utc.tm_sec);
            EXPECT_EQ(zeit.gib_wochentag(), utc.tm_wday + 1);
            EXPECT_EQ(zeit.gib_tag_im_jahr(), utc.tm_yday + 1);
            EXPECT_EQ(zeit.gib_mikrosekunden(), 7.0);
            break;
        }
    }
}

}  // namespace
