// What counts as one mailbox: a control character anywhere in the address makes none.
#include "mapi_provider/shared/addresses.h"

#include <gtest/gtest.h>

using telvorin::mapi::parse_mailbox;

TEST(Addresses, AControlCharacterInTheAddressMakesNoMailbox)
{
    const struct { const char16_t* text; bool mailbox; } cases[] = {
        {u"a@example.com", true},
        {u"J\u00fcrgen <j\u00fcrgen@example.com>", true},  // letters beyond ASCII are no controls
        {u"Max <a\x80@example.com>", false},                // a C1 control, which GMime lets through
    };
    for (const auto& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        EXPECT_EQ(parse_mailbox(text).has_value(), c.mailbox) << text.toStdString();
    }
}
