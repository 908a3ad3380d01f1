// Any bytes as a mail file: harmless names, every attachment reads, attached mails nest <= 16 deep, sized as recorded.
#include "fuzz/fuzz_common.h"
#include "standin_outlook/mail_reader.h"
#include <cstdint>

using namespace telvorin::standin;

namespace {
void require_harmless(const QString& text, bool file_name)
{
    for (const QChar c : text)
        require(!(c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F)
                  || (file_name && (c == '/' || c == '\\'))));
}

// The depth of the attached mails below `m`, each checked on the way.
int check(const MailMessage& m)
{
    require_harmless(m.subject, false);
    int depth = 0;
    for (const auto& a : m.attachments) {
        require_harmless(a.file_name, true);
        require(!(a.file_name.isEmpty() || a.file_name == "." || a.file_name == ".."));
        qint64 bytes = 0;
        require(read_attachment(a, [&bytes](const char*, std::size_t n) { return bytes += qint64(n), true; }));
        require(!a.message || a.message->size == bytes);
        if (a.message)
            depth = std::max(depth, 1 + check(*a.message));
    }
    return depth;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MailMessage m;
    require(!(read_mail(QByteArray(reinterpret_cast<const char*>(data), int(size)), m) && check(m) > 16));
    return 0;
}
