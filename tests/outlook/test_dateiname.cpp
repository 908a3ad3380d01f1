// The file name that a mail's subject gives its .msg file.
#include "outlook_dateien.h"

#include <gtest/gtest.h>

namespace {

TEST(Dateiname, EntferntDieElfFolgenUndHaengtMsgAn)
{
    const struct {
        const char* betreff;  // UTF-8
        const char* name;
    } faelle[] = {
        // The export test's subject holds each of the eleven and a bare bar.
        {"", ".msg"}, {"a |b", "a |b.msg"}, {"a| b", "a| b.msg"}, {"x.msg", "x.msg.msg"},
        // Non-overlapping, left to right: the second bar keeps one blank. "/" goes before " | ", so removing it can
        // make a bar between blanks, but " | " goes before "?", so that one cannot.
        {"a | | b", "a| b.msg"}, {"a /| b", "ab.msg"}, {"a ?| b", "a | b.msg"},
        {"../../etc/passwd", "....etcpasswd.msg"}, {"C:\\Windows\\win.ini", "CWindowswin.ini.msg"},
        {"  Blanks bleiben  ", "  Blanks bleiben  .msg"},
        {"Umlaute \xc3\xa4\xc3\xb6\xc3\xbc \xe2\x82\xac, Tab\tund;", "Umlaute \xc3\xa4\xc3\xb6\xc3\xbc \xe2\x82\xac Tab\tund;.msg"},
        {"\xef\xbc\x9a Vollbreiter Doppelpunkt", "\xef\xbc\x9a Vollbreiter Doppelpunkt.msg"},
    };
    for (const auto& f : faelle)
        EXPECT_EQ(COutlook_Dateien::dateiname_aus_betreff(QString::fromUtf8(f.betreff)).toStdString(), f.name)
            << "subject \"" << f.betreff << "\"";
}

}  // namespace
