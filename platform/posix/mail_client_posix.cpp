// There is no register of mail clients here: Simple MAPI is our own provider, of the tool's own width.
#include "platform/mail_client.h"

namespace telvorin::platform {

MailClientLibrary mail_client_library_of_other_width() { return {}; }

}  // namespace telvorin::platform
