// What a Simple MAPI caller hands over, before any check is made.
#pragma once

#include "mapi_provider/shared/provider_text.h"
#include "simple_mapi/simple_mapi.h"

#include <QByteArray>
#include <QString>

#include <vector>

namespace telvorin::mapi {

// A message as the caller handed it over, its text already decoded from the
// 8-bit or 16-bit form of the entry point.
struct IncomingRecipient {
    ULONG recip_class = MAPI_TO;
    QString name;
    QString address;  // as given, possibly with "SMTP:" in front
};

struct IncomingFile {
    QByteArray path;  // bytes as the caller wrote them, "\" read as "/"
    QString file_name;
};

struct IncomingMail {
    QString subject;
    TextBytes body;  // never null
    std::vector<IncomingRecipient> recipients;
    std::vector<IncomingFile> files;
};

}  // namespace telvorin::mapi
