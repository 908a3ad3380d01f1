// Writing an Outlook message file (.msg): a compound file with Unicode property streams.
#pragma once

#include "standin_outlook/mail_reader.h"

#include <QString>

namespace telvorin::standin {

// Writes `message` to `path` as a .msg file with what Outlook keeps of a
// received mail (the table in msg_writer.cpp). Returns false when the file
// cannot be created or written, or `path` is a link or no regular file;
// then nothing was written and an older file at `path` stays as it was.
[[nodiscard]] bool write_msg(const MailMessage& message, const QString& path);

}  // namespace telvorin::standin
