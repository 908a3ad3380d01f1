// Any bytes as the provider's configuration file: it is read or refused with
// one line naming the file, and whatever is read holds together.
#include "provider_config.h"

#include <QFile>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static QTemporaryDir directory;
    const QString path = directory.path() + QStringLiteral("/mapi.ini");
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    qputenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(path));

    const telvorin::mapi::LoadResult result = telvorin::mapi::load_configuration();
    if (!result.ok) {
        if (!result.error.contains(path) || result.error.contains(QLatin1Char('\n')))
            std::abort();
        return 0;
    }
    const telvorin::mapi::Configuration& configuration = result.configuration;
    if (!configuration.find_profile(configuration.default_profile) || !configuration.find_profile(QStringLiteral("Standard")))
        std::abort();
    for (const telvorin::mapi::Profile& profile : configuration.profiles) {
        if (profile.composer.isEmpty() || profile.sendmail.isEmpty() || profile.from.address.isEmpty()
            || !profile.outbox.startsWith(QLatin1Char('/')))
            std::abort();
    }
    for (const telvorin::mapi::AddressEntry& entry : configuration.address_book) {
        if (entry.display_name.isEmpty() || !entry.address.contains(QLatin1Char('@')))
            std::abort();
    }
    return 0;
}
