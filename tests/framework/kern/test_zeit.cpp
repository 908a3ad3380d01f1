// CZeit: clock reading in the local time zone, the text forms and the dump.
#include "kern_hilfe.h"

#include "zeit.h"

#include <ctime>

namespace {

using Zeit = kern::MitEmpfaenger;

TEST_F(Zeit, FormenUndBereichsersatz)
{
    const struct { std::int32_t jahr, monat, tag, stunde, minute, sekunde; std::uint32_t form; const char* erwartet; } faelle[] = {
        {0, 0, 0, 0, 0, 0, 0, "00.00.   0"}, {0, 0, 0, 0, 0, 0, 1, "00:00:00"}, {0, 0, 0, 0, 0, 0, 4, "0000-00-00 00:00:00"},
        {7, 1, 1, 0, 0, 0, 4, "0007-01-01 00:00:00"}, {2026, 12, 3, 2, 5, 9, 2, "03.12.2026 - 02:05:09"},
        {2026, 13, 3, 2, 5, 9, 4, "2026-00-03 02:05:09"}, {9999, 12, 31, 23, 59, 59, 4, "9999-12-31 23:59:59"},
        {10000, 12, 32, 24, 60, 60, 4, "0000-12-00 00:00:00"}, {10000, 12, 32, 24, 60, 60, 3, "32.12.10000 - 24:60:60"},
        // A field too wide for form 4 stays whole, with the warning of the integer formatting.
        {2026, 1, 2, 3, -100, 5, 4, "2026-01-02 03:-100:05"},
    };
    for (const auto& f : faelle) {
        CZeit zeit;
        zeit.setze(f.jahr, f.monat, f.tag, f.stunde, f.minute, f.sekunde);
        std::string text = "alter Inhalt";
        EXPECT_EQ(zeit.formatiere(text, f.form), f.erwartet);
    }
    empfaenger.erwarte_warnungen("itoa", {"Ausgabe einer Zahl (-100) uebersteigt angegebene Breite (2)"});

    std::ostringstream frisch, voll;
    CZeit().gib_aus(frisch);
    EXPECT_EQ(frisch.str(), "Zeit: 0 : 0 : 0");
    CZeit zeit;
    zeit.setze(2026, 12, 3, 2, 5, 9);
    zeit.setze_mikrosekunden(250.5);
    i18n().setze_eintrag("Zeit: ", "Time: ");
    zeit.gib_aus(voll);
    EXPECT_EQ(voll.str(), "Jahr: 2026   Time: 2 : 5 : 9   250.5 Mikrosek.");
}

// A fixed zone three hours east of UTC (POSIX form, needs no zone database) must shift the hour by three.
TEST_F(Zeit, SetzeJetztLiestDieOrtszeit)
{
    ::setenv("TZ", "XYZ-3", 1);
    ::tzset();
    CZeit zeit;
    zeit.setze_mikrosekunden(7.0);
    std::time_t vorher;
    do {  // read again when the second changed in between
        vorher = std::time(nullptr);
        zeit.setze_jetzt();
    } while (vorher != std::time(nullptr));
    const std::time_t ort = vorher + 3 * 3600;
    std::tm utc{};
    ::gmtime_r(&ort, &utc);
    char erwartet[32];
    std::strftime(erwartet, sizeof erwartet, "%Y-%m-%d %H:%M:%S", &utc);
    std::string text;
    EXPECT_EQ(zeit.formatiere(text, 4), erwartet);
    EXPECT_EQ(std::vector<double>({1.0 * zeit.gib_wochentag(), 1.0 * zeit.gib_tag_im_jahr(), zeit.gib_mikrosekunden()}),
              std::vector<double>({utc.tm_wday + 1.0, utc.tm_yday + 1.0, 7.0}));
}

}  // namespace
