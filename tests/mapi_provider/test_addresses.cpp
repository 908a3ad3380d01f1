// A control character anywhere in an address makes no mailbox; a name shown in the send dialog reads back as it was.
#include "mapi_provider/shared/addresses.h"
#include "mapi_provider/dialog/recipient_field.h"
#include <gtest/gtest.h>
using namespace telvorin::mapi;
TEST(Addresses, AControlCharacterInTheAddressMakesNoMailbox)
{
    const struct { const char* text; bool mailbox; } cases[] = {
        {u8"a@example.com", true},
        {u8"J\u00fcrgen <j\u00fcrgen@example.com>", true},  // letters beyond ASCII are no controls
        {u8"Max <a\u0080@example.com>", false},              // a C1 control, which GMime lets through
    };
    for (const auto& c : cases)
        EXPECT_EQ(parse_mailbox(QString::fromUtf8(c.text)).has_value(), c.mailbox) << c.text;
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
