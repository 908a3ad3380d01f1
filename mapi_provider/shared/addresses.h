// E-mail addresses and the address book: recognising, parsing and resolving names.
#pragma once

#include <QString>

#include <optional>
#include <vector>

namespace telvorin::mapi {

struct Mailbox {
    QString name;     // display name, may be empty
    QString address;  // the bare address (local@domain), never empty
};

// One address-book line: display name = address.
struct AddressEntry {
    QString display_name;
    QString address;
};

// `text` as exactly one mailbox, written either as a bare address or as
// "Name <address>"; nullopt for anything else (no "@", several addresses,
// groups, blanks inside the address).
std::optional<Mailbox> parse_mailbox(const QString& text);

enum class ResolveStatus { resolved, unknown, ambiguous };

struct Resolution {
    ResolveStatus status = ResolveStatus::unknown;
    Mailbox mailbox;  // set when resolved
    QString display;  // set when resolved: the name to hand back, which resolves to the same mailbox again
};

// Resolves a recipient name: an e-mail address resolves to itself; otherwise
// an exact display-name match (case-insensitive) in `book` wins, else the one
// entry whose display name contains `name`. Several candidates are ambiguous,
// none (or an empty name) unknown. Blanks around `name` do not count.
Resolution resolve_name(const std::vector<AddressEntry>& book, const QString& name);

}  // namespace telvorin::mapi
