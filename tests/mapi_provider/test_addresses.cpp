// A control character anywhere in an address makes no mailbox; a name shown in the send dialog reads back as it was.
#include "mapi_provider/shared/addresses.h"
#include "mapi_provider/dialog/recipient_field.h"
#include <gtest/gtest.h>

using namespace telvorin::mapi;

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

TEST(RecipientField, EveryShownNameReadsBackAsOneMailbox)
{
    for (const char* name : {"Muster, Maria", "Muster; Maria", "Maria \"Mia\" Muster", "Back\\slash", "Zwei  Blanks"}) {
        const QStringList entries = entries_of(shown_mailbox({name, "m@example.com"}) + "; b@example.com");
        ASSERT_EQ(entries.size(), 2) << name;
        const std::optional<Mailbox> back = parse_mailbox(entries[0]);
        EXPECT_TRUE(back && back->name == name && back->address == "m@example.com") << entries[0].toStdString();
    }
}
