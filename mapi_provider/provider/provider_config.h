// The provider's configuration: profiles, their delivery and the address book.
#pragma once

#include "mapi_provider/shared/addresses.h"
#include "mapi_provider/shared/profile.h"

#include <QString>

#include <vector>

namespace telvorin::mapi {

struct Configuration {
    QString path;  // the file that was read or, when there is none, looked for
    std::vector<Profile> profiles;
    QString default_profile;
    std::vector<AddressEntry> address_book;

    // The profile called `name`: an exact match first, else the one whose
    // name differs only in letter case; nullptr when there is none.
    const Profile* find_profile(const QString& name) const;
};

struct LoadResult {
    bool ok = false;
    Configuration configuration;  // valid when ok
    QString error;                // when not ok: one line naming the file, ASCII German
};

// The name of the profile that exists without any configuration file.
QString builtin_profile_name();

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share.
QString data_home();

// Reads the configuration named by TELVORIN_MAPI_CONFIG, else
// $XDG_CONFIG_HOME/telvorin/mapi.ini (~/.config when unset). No file at the
// default place gives the built-in profile alone; a file named explicitly
// must exist. Every profile takes the keys Delivery, From, Password and
// Dialog and the keys of every delivery in the table, whichever delivery it
// chooses: Delivery= may come after them, and the defaults are there for
// each. Reads the environment anew on each call and never throws for bad
// input: a missing, unreadable or malformed file gives ok == false.
[[nodiscard]] LoadResult load_configuration();

}  // namespace telvorin::mapi
