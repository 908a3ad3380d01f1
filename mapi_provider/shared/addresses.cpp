// E-mail addresses and the address book: recognising, parsing and resolving names.
#include "mapi_provider/shared/addresses.h"

#include "boundary/glib_ptr.h"
#include "boundary/gmime_runtime.h"
#include "boundary/outside_text.h"

#include <gmime/gmime.h>

namespace telvorin::mapi {

namespace {

using boundary::GObjectPtr;

bool plausible_addr_spec(const QString& addr)
{
    const int at = addr.lastIndexOf(QLatin1Char('@'));
    if (at <= 0 || at == addr.size() - 1)
        return false;
    for (const QChar c : addr) {
        if (c.isSpace() || boundary::is_control(c.unicode()) || c == QLatin1Char('<') || c == QLatin1Char('>')
            || c == QLatin1Char(','))
            return false;
    }
    return true;
}

}  // namespace

std::optional<Mailbox> parse_mailbox(const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty() || !trimmed.contains(QLatin1Char('@')))
        return std::nullopt;
    boundary::ensure_gmime_started();
    const QByteArray utf8 = trimmed.toUtf8();
    GObjectPtr<InternetAddressList> list(internet_address_list_parse(nullptr, utf8.constData()));
    if (!list || internet_address_list_length(list.get()) != 1)
        return std::nullopt;
    InternetAddress* address = internet_address_list_get_address(list.get(), 0);
    if (!INTERNET_ADDRESS_IS_MAILBOX(address))
        return std::nullopt;
    const char* addr = internet_address_mailbox_get_addr(INTERNET_ADDRESS_MAILBOX(address));
    Mailbox mailbox;
    mailbox.address = QString::fromUtf8(addr ? addr : "");
    const char* name = internet_address_get_name(address);
    mailbox.name = QString::fromUtf8(name ? name : "").trimmed();
    // GMime's parser is forgiving and turns stray words into a mailbox; only
    // something that looks like an address all the way through counts.
    if (!plausible_addr_spec(mailbox.address))
        return std::nullopt;
    if (mailbox.name.isEmpty() && trimmed != mailbox.address && trimmed != QLatin1Char('<') + mailbox.address + QLatin1Char('>'))
        return std::nullopt;
    return mailbox;
}

Resolution resolve_name(const std::vector<AddressEntry>& book, const QString& name)
{
    Resolution result;
    const QString wanted = name.trimmed();
    if (wanted.isEmpty())
        return result;
    if (const auto mailbox = parse_mailbox(wanted)) {
        result.status = ResolveStatus::resolved;
        result.mailbox = *mailbox;
        result.display = wanted;
        return result;
    }
    // A case-sensitive exact match settles two entries that differ only in
    // letter case.
    const AddressEntry* exact = nullptr;
    int exact_ci = 0;
    const AddressEntry* exact_ci_entry = nullptr;
    int containing = 0;
    const AddressEntry* containing_entry = nullptr;
    for (const AddressEntry& entry : book) {
        if (entry.display_name == wanted)
            exact = &entry;
        if (entry.display_name.compare(wanted, Qt::CaseInsensitive) == 0) {
            ++exact_ci;
            exact_ci_entry = &entry;
        }
        if (entry.display_name.contains(wanted, Qt::CaseInsensitive)) {
            ++containing;
            containing_entry = &entry;
        }
    }
    const AddressEntry* chosen = exact;
    if (!chosen && exact_ci == 1)
        chosen = exact_ci_entry;
    if (!chosen && exact_ci == 0 && containing == 1)
        chosen = containing_entry;
    if (chosen) {
        result.status = ResolveStatus::resolved;
        result.mailbox = Mailbox{chosen->display_name, chosen->address};
        result.display = chosen->display_name;
    } else if (exact_ci > 1 || containing > 1) {
        result.status = ResolveStatus::ambiguous;
    }
    return result;
}

}  // namespace telvorin::mapi
