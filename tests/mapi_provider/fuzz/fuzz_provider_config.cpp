// Any bytes as the provider's configuration: refused with one line that names
// the file, or read into profiles that can deliver and a usable address book.
#include "mapi_provider/provider_config.h"

#include <QFile>
#include <QTemporaryDir>

using namespace telvorin::mapi;

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    static QTemporaryDir directory;
    QFile file(directory.filePath(QStringLiteral("mapi.ini")));
    if (!file.open(QIODevice::WriteOnly) || file.write(reinterpret_cast<const char*>(data), qint64(size)) < 0)
        __builtin_trap();
    file.close();
    qputenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(file.fileName()));
    const LoadResult result = load_configuration();
    const Configuration& c = result.configuration;
    bool fine = result.ok ? c.find_profile(c.default_profile) && c.find_profile(builtin_profile_name())
                          : result.error.contains(file.fileName()) && !result.error.contains(QLatin1Char('\n'));
    for (const Profile& p : c.profiles)
        fine &= !p.composer.isEmpty() && !p.sendmail.isEmpty() && !p.from.address.isEmpty() && p.outbox.startsWith('/');
    for (const AddressEntry& entry : c.address_book)
        fine &= !entry.display_name.isEmpty() && entry.address.contains(QLatin1Char('@'));
    if (!fine)
        __builtin_trap();
    return 0;
}
