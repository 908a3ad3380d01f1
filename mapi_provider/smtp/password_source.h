// The password for the SMTP log-in: the log-on's, else the first output line of PasswordCommand=, else Password=.
#pragma once

#include "mapi_provider/shared/profile.h"

#include <QByteArray>

#include <optional>

namespace telvorin::mapi {

// The bytes that go to the server as the password; empty when there is
// none. The log-on's and Password= go as UTF-8; a command's output goes
// unchanged, whatever its encoding, since a password is bytes. The command
// runs without a shell, in a process group of its own, its standard input
// from /dev/null and its standard error left to the user; it has two
// minutes (it may ask for a passphrase first), and its first line counts
// once it has exited, whatever it left running. nullopt when the command
// cannot run, fails, takes too long or says nothing.
std::optional<QByteArray> smtp_password(const Profile& profile);

}  // namespace telvorin::mapi
