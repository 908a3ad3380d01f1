// Any bytes as a stand-in session's mail file: names and subjects reaching a file name or result line are harmless,
// attached mails nest no deeper than 16 items however deep the file does, every attachment reads, and an attached mail
// saved has the size its item records.
#include "standin_outlook/mail_reader.h"
#include <cstdint>
#include <cstdlib>

using telvorin::standin::MailMessage;

namespace {
void require_harmless(const QString& text, bool file_name)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) || (file_name && (c == '/' || c == '\\')))
            std::abort();
}

// The depth of the attached mails below `m`, each checked on the way.
int check(const MailMessage& m)
{
    require_harmless(m.subject, false);
    int depth = 0;
    for (const auto& a : m.attachments) {
        require_harmless(a.file_name, true);
        if (a.file_name.isEmpty() || a.file_name == "." || a.file_name == "..")
            std::abort();
        qint64 bytes = 0;
        if (!telvorin::standin::read_attachment(a, [&bytes](const char*, std::size_t n) { return bytes += qint64(n), true; }))
            std::abort();
        if (a.message && a.message->size != bytes)
            std::abort();
        if (a.message)
            depth = std::max(depth, 1 + check(*a.message));
    }
    return depth;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MailMessage m;
    if (telvorin::standin::read_mail(QByteArray(reinterpret_cast<const char*>(data), int(size)), m) && check(m) > 16)
        std::abort();
    return 0;
}
