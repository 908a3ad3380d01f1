// The provider's configuration: profiles, their delivery and the address book.
#pragma once

#include "mapi_provider/shared/addresses.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace telvorin::mapi {

enum class Delivery { outbox, composer, sendmail, smtp };

// When MAPI_DIALOG shows the send dialog: auto only where a display can be reached.
enum class DialogMode { automatic, never, always };

struct SmtpSettings {
    QString server;                // smtp://host:port (STARTTLS required) or smtps://host:port, port always given
    QString user;                  // empty: no log-in
    QStringList password_command;  // program and arguments; its first output line is the password
    QString ca_file;               // absolute; empty: the system's certificates only
};

struct Profile {
    QString name;
    Delivery delivery = Delivery::outbox;
    QString outbox;        // absolute directory; created when the first mail goes there
    Mailbox from;
    QString password;      // empty: the profile takes any password; smtp: the server's password
    QStringList composer;  // program followed by its fixed arguments
    QStringList sendmail;  // program followed by its fixed arguments
    SmtpSettings smtp;
    DialogMode dialog = DialogMode::automatic;
    QString logon_password;  // given to MAPILogon, not read from the file
};

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

// Reads the configuration named by TELVORIN_MAPI_CONFIG, else
// $XDG_CONFIG_HOME/telvorin/mapi.ini (~/.config when unset). No file at the
// default place gives the built-in profile alone; a file named explicitly
// must exist. Reads the environment anew on each call and never throws for
// bad input: a missing, unreadable or malformed file gives ok == false.
[[nodiscard]] LoadResult load_configuration();

}  // namespace telvorin::mapi
