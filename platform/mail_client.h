// The system's default mail client, as far as its Simple MAPI library goes.
#pragma once

#include <QString>

namespace telvorin::platform {

// The default mail client's Simple MAPI library when its bit width is not this process's. A process loads only
// libraries of its own width, so the system's MAPI32.DLL cannot hand the calls of this process to that client.
// Empty (bit_width 0) when there is no such client or library, it cannot be read, or it has this process's width;
// always where the system keeps no register of mail clients.
struct MailClientLibrary {
    QString client;
    QString path;
    int bit_width = 0;
};
MailClientLibrary mail_client_library_of_other_width();

}  // namespace telvorin::platform
