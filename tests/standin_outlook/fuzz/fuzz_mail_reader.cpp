// libFuzzer target: any bytes as a mail file of a stand-in session.
#include "standin_outlook/mail_reader.h"

#include <cstdint>
#include <cstdlib>

namespace {

// What can reach a file name or a result line holds no control character; a file name no path either.
void verlange_harmlos(const QString& text, bool dateiname)
{
    for (const QChar c : text)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() <= 0x9F) || (dateiname && (c == '/' || c == '\\')))
            std::abort();
}

void pruefe(const telvorin::standin::MailMessage& m)
{
    verlange_harmlos(m.subject, false);
    for (const auto& a : m.attachments) {
        verlange_harmlos(a.file_name, true);
        if (a.file_name.isEmpty() || a.file_name == "." || a.file_name == "..")
            std::abort();
        if (a.message)
            pruefe(*a.message);
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    telvorin::standin::MailMessage m;
    if (telvorin::standin::read_mail(QByteArray(reinterpret_cast<const char*>(data), int(size)), m))
        pruefe(m);
    return 0;
}
