// The file name that a mail's subject gives its .msg file.
#include "outlook_dateien.h"

#include <gtest/gtest.h>

namespace {

struct Fall {
    const char* betreff;  // UTF-8
    const char* name;
};

std::ostream& operator<<(std::ostream& os, const Fall& f)
{
    return os << "subject \"" << f.betreff << "\"";
}

class Dateiname : public ::testing::TestWithParam<Fall> {};

TEST_P(Dateiname, RemovesTheElevenSequencesAndAppendsMsg)
{
    const Fall& f = GetParam();
    EXPECT_EQ(COutlook_Dateien::dateiname_aus_betreff(QString::fromUtf8(f.betreff)).toStdString(), std::string(f.name));
}

INSTANTIATE_TEST_SUITE_P(
    Faelle, Dateiname,
    ::testing::Values(
        Fall{"", ".msg"},
        Fall{"Re: A/B", "Re AB.msg"},
        Fall{"a | b", "ab.msg"},
        Fall{"a|b", "a|b.msg"},
        Fall{"a |b", "a |b.msg"},
        Fall{"a| b", "a| b.msg"},
        // Each sequence once, in the order they are removed.
        Fall{"<>:\"/\\ | ?*,'", ".msg"},
        // Non-overlapping, left to right: the second bar keeps one blank.
        Fall{"a | | b", "a| b.msg"},
        // "/" goes before " | ", so removing it can make a bar between blanks.
        Fall{"a /| b", "ab.msg"},
        // ... but " | " goes before "?", so that one cannot.
        Fall{"a ?| b", "a | b.msg"},
        Fall{"../../etc/passwd", "....etcpasswd.msg"},
        Fall{"C:\\Windows\\win.ini", "CWindowswin.ini.msg"},
        Fall{"  Blanks bleiben  ", "  Blanks bleiben  .msg"},
        Fall{"Umlaute \xc3\xa4\xc3\xb6\xc3\xbc \xe2\x82\xac bleiben", "Umlaute \xc3\xa4\xc3\xb6\xc3\xbc \xe2\x82\xac bleiben.msg"},
        Fall{"Tab\tund;Semikolon", "Tab\tund;Semikolon.msg"},
        Fall{"\xef\xbc\x9a Vollbreiter Doppelpunkt", "\xef\xbc\x9a Vollbreiter Doppelpunkt.msg"},
        Fall{"***", ".msg"},
        Fall{"x.msg", "x.msg.msg"}));

}  // namespace
