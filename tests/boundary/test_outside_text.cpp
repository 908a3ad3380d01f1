// Text from outside against RFC 3629's well-formed sequences and the control characters of C0, DEL and C1.
#include "boundary/outside_text.h"
#include <gtest/gtest.h>

using namespace telvorin::boundary;

// UTF-16 as written, NUL and byte-order mark included, which QString's own conversions drop.
template <size_t n>
QString u(const char16_t (&text)[n]) { return QString(reinterpret_cast<const QChar*>(text), static_cast<int>(n - 1)); }

TEST(OutsideText, Utf8ElseLatin1)
{
    const struct { QByteArray bytes; bool utf8; QString text; } cases[] = {
        {"", true, ""}, {QByteArray("a\0b", 3), true, u(u"a\0b")},
        {"\xc3\xa4\xe2\x82\xac", true, u8"\u00e4\u20ac"}, {"\xf4\x8f\xbf\xbf", true, QString::fromUcs4(U"\U0010FFFF")},
        {"\xef\xbb\xbfx", true, u(u"\ufeffx")}, {"\xef\xbf\xbe", true, u8"\ufffe"},  // a BOM and a noncharacter stay
        {"\xe4", false, u8"\u00e4"}, {"a\xc3", false, u8"a\u00c3"},  // invalid, or cut off at the end: Latin-1
        {"\xc0\xaf", false, u8"\u00c0\u00af"}, {"\xed\xa0\x80", false, u8"\u00ed\u00a0\u0080"},  // overlong, surrogate
    };
    for (const auto& c : cases) {
        EXPECT_EQ(is_utf8(c.bytes), c.utf8) << c.bytes.toHex().constData();
        EXPECT_EQ(utf8_or_latin1(c.bytes), c.text) << c.bytes.toHex().constData();
    }
    Utf8Check pieces;  // a sequence runs over from one piece into the next; E0 80 can never become valid
    for (const auto& [piece, so_far, valid] : {std::tuple{QByteArray("a\xe2\x82"), true, false}, {"\xac", true, true},
                                               {"\xe0\x80", false, false}}) {
        pieces.add(piece.constData(), piece.size());
        EXPECT_EQ(std::pair(pieces.valid_so_far(), pieces.valid()), std::pair(so_far, valid)) << piece.toHex().data();
    }
}

TEST(OutsideText, ControlsAreReplacedATabMayStayAResultLineLosesOnlyItsLineEnds)
{
    const QString text = u(u"\0a\tb\nc\x1f\x7f\x80\x9f\xa0\xe4\u2028");
    EXPECT_EQ(replace_controls(text, u'?'), u(u"?a?b?c????\xa0\xe4\u2028"));
    EXPECT_EQ(replace_controls(text, u'?', Tabs::keep), u(u"?a\tb?c????\xa0\xe4\u2028"));
    EXPECT_EQ(replace_line_ends(u(u"\r\na\tb\x1b\x7f\x85\u2028\r"), u' '), u(u"  a\tb\x1b\x7f\x85\u2028 "));
}
