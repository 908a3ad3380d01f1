// Any bytes as mapi.ini: a file taken has no section, nor key in one, twice and reads alike with CR LF; a refused file
// gets one plain line naming it, never the built-in profile; a configuration taken can deliver every profile.
#include "boundary/ini_file.h"
#include "fuzz/fuzz_common.h"
#include "mapi_provider/provider/delivery.h"
#include "mapi_provider/provider/provider_config.h"

using namespace telvorin;

namespace {
// The file as one list, counts before what they count, so that equal lists are equal files.
QStringList flach(const boundary::IniFile& f)
{
    QStringList t{f.error};
    for (const boundary::IniSection& s : f.sections) {
        t << s.name << QString::number(s.entries.size());
        for (const boundary::IniEntry& e : s.entries)
            t << e.key << e.value << QString::number(e.count()) << e.list();
    }
    return t;
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size)
{
    const QByteArray content(reinterpret_cast<const char*>(data), int(size));
    const boundary::IniFile ini = boundary::parse_ini(content);
    for (std::size_t s = 0; ini.error.isEmpty() && s < ini.sections.size(); ++s) {
        const boundary::IniSection& section = ini.sections[s];
        require(ini.find(section.name) == &section);
        for (const boundary::IniEntry& entry : section.entries)
            require(section.find(entry.key) == &entry && !entry.value.contains(QLatin1Char('\n')));
    }
    if (!content.contains('\r'))
        require(flach(ini) == flach(boundary::parse_ini(QByteArray(content).replace("\n", "\r\n"))));
    const QString path = written(QStringLiteral("mapi.ini"), data, size);
    qputenv("TELVORIN_MAPI_CONFIG", QFile::encodeName(path));
    const mapi::LoadResult result = mapi::load_configuration();
    const mapi::Configuration& c = result.configuration;
    require(ini.error.isEmpty() || !result.ok);
    if (!result.ok) {
        require(result.error.contains(path));
        for (const QChar ch : result.error)
            require(ch.unicode() >= 0x20 && ch.unicode() != 0x7F);
        return 0;
    }
    require(c.find_profile(c.default_profile) && c.find_profile(mapi::builtin_profile_name()));
    for (const mapi::Profile& p : c.profiles) {
        require(p.delivery != nullptr && p.from.address.contains(QLatin1Char('@')));
        // Every key a delivery needs is there, a default taken where the file gave none; paths are absolute.
        for (const mapi::DeliveryKey& key : p.delivery->keys) {
            const QStringList value = p.setting(key.name);
            require(!(key.required || key.fallback) || !value.isEmpty());
            require(value.isEmpty() || key.kind != mapi::KeyKind::path || value.first().startsWith(QLatin1Char('/')));
            require(value.isEmpty() || key.kind != mapi::KeyKind::server
                     || value.first().startsWith(QLatin1String("smtp://")) || value.first().startsWith(QLatin1String("smtps://")));
        }
    }
    for (const mapi::AddressEntry& entry : c.address_book)
        require(!entry.display_name.isEmpty() && entry.address.contains(QLatin1Char('@')));
    return 0;
}
