// Writing an Outlook message file (.msg): a compound file with Unicode property streams.
#pragma once

#include "mail_reader.h"

#include <QString>

namespace telvorin::standin {

// Writes `message` to `path` as a .msg file: subject, plain-text body,
// sender, To and Cc recipients and every attachment with name and data.
// Returns false when the file cannot be created or written; libgsf writes
// through a temporary file, so an older file at `path` then stays as it was.
[[nodiscard]] bool write_msg(const MailMessage& message, const QString& path);

}  // namespace telvorin::standin
