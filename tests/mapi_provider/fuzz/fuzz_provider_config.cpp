// Any bytes as the provider's configuration: refused with one line that names
// the file, or read into profiles that can deliver and a usable address book.
#include "provider_config.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>

using namespace telvorin::mapi;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("mapi.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) < 0)
        std::abort();
    file.close();
    qputenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(file.fileName()));
    const LoadResult result = load_configuration();
    const Configuration& c = result.configuration;
    if (!result.ok && (!result.error.contains(file.fileName()) || result.error.contains(QLatin1Char('\n'))))
        std::abort();
    if (result.ok && (!c.find_profile(c.default_profile) || !c.find_profile(builtin_profile_name())))
        std::abort();
    for (const Profile& p : c.profiles)
        if (p.composer.isEmpty() || p.sendmail.isEmpty() || p.from.address.isEmpty() || !p.outbox.startsWith('/'))
            std::abort();
    for (const AddressEntry& entry : c.address_book)
        if (entry.display_name.isEmpty() || !entry.address.contains(QLatin1Char('@')))
            std::abort();
    return 0;
}
