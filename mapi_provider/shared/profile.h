// A profile of the provider's configuration, as the provider and its modules read it.
#pragma once

#include "mapi_provider/shared/addresses.h"

#include <QMap>
#include <QString>
#include <QStringList>

namespace telvorin::mapi {

// A row of the provider's table of deliveries; only the provider reads it.
struct Delivery;

// When MAPI_DIALOG shows the send dialog: auto only where a display can be reached.
enum class DialogMode { automatic, never, always };

struct Profile {
    QString name;
    const Delivery* delivery = nullptr;  // never null in a profile the configuration made
    Mailbox from;
    QString password;      // empty: the profile takes any password; smtp: the server's password
    DialogMode dialog = DialogMode::automatic;
    QString logon_password;  // given to MAPILogon, not read from the file
    // The deliveries' own keys under the spelling their table gives, each
    // value checked and made absolute as its kind asks: a path or a
    // server as one element, a command as the program and its arguments.
    // A key neither set nor given a default has no entry.
    QMap<QString, QStringList> settings;

    QStringList setting(const char* key) const { return settings.value(QLatin1String(key)); }
    QString setting_text(const char* key) const
    {
        const QStringList value = setting(key);
        return value.isEmpty() ? QString() : value.first();
    }
};

}  // namespace telvorin::mapi
