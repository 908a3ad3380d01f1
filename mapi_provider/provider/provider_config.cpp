// The provider's configuration: profiles, their delivery and the address book.
#include "mapi_provider/provider/provider_config.h"

#include "mapi_provider/provider/delivery.h"

#include "boundary/ini_file.h"
#include "boundary/outside_text.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include <pwd.h>
#include <unistd.h>

#include <initializer_list>
#include <utility>
#include <vector>

namespace telvorin::mapi {

namespace {

const QString key_default_profile = QStringLiteral("DefaultProfile");
const QString group_general = QStringLiteral("General");
const QString group_address_book = QStringLiteral("AddressBook");

class ConfigError {
public:
    explicit ConfigError(QString reason) : reason(std::move(reason)) {}
    QString reason;
};

// The value that `text` names (any letter case) among `names`; else `error`.
template <typename E>
E named_choice(const QString& text, std::initializer_list<std::pair<const char*, E>> names, const QString& error)
{
    for (const auto& [name, value] : names)
        if (text.compare(QLatin1String(name), Qt::CaseInsensitive) == 0)
            return value;
    throw ConfigError(error);
}

QString environment(const char* name)
{
    return qEnvironmentVariable(name);
}

// A field of the effective user's password entry; empty when there is none.
QString account_field(char* passwd::*field)
{
    std::vector<char> buffer(16384);
    passwd entry {};
    passwd* found = nullptr;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found && found->*field)
        return QFile::decodeName(found->*field);
    return {};
}

QString home_directory()
{
    for (const QString& home : {environment("HOME"), account_field(&passwd::pw_dir)})
        if (!home.isEmpty())
            return home;
    return QStringLiteral("/");
}

// XDG base directory: the variable when it holds an absolute path (relative
// ones are to be ignored), else the fallback under the home directory.
QString xdg_directory(const char* variable, const char* fallback)
{
    const QString value = environment(variable);
    if (!value.isEmpty() && QDir::isAbsolutePath(value))
        return value;
    return home_directory() + QLatin1Char('/') + QLatin1String(fallback);
}

QString login_name()
{
    const QString account = account_field(&passwd::pw_name);
    if (!account.isEmpty())
        return account;
    for (const char* name : {"LOGNAME", "USER"}) {
        const QString value = environment(name);
        if (!value.isEmpty())
            return value;
    }
    return QStringLiteral("user");
}

QString host_name()
{
    char buffer[256] = {};
    if (::gethostname(buffer, sizeof buffer - 1) != 0 || buffer[0] == '\0')
        return QStringLiteral("localhost");
    return QString::fromLocal8Bit(buffer);
}

Profile builtin_profile(const QString& name)
{
    Profile profile;
    profile.name = name;
    profile.delivery = &deliveries().front();
    profile.from.address = login_name() + QLatin1Char('@') + host_name();
    for (const Delivery& delivery : deliveries()) {
        for (const DeliveryKey& key : delivery.keys) {
            if (key.fallback)
                profile.settings.insert(QLatin1String(key.name), key.fallback());
        }
    }
    return profile;
}

QString expanded_directory(const QString& value, const QString& config_directory)
{
    QString path = value;
    if (path == QLatin1String("~"))
        path = home_directory();
    else if (path.startsWith(QLatin1String("~/")))
        path = home_directory() + path.mid(1);
    // A relative outbox lives beside the file that names it, not wherever
    // the calling program happens to run.
    if (QDir::isRelativePath(path))
        path = config_directory + QLatin1Char('/') + path;
    return QDir::cleanPath(path);
}

QStringList command_value(const QString& value, const QString& group, const QString& key,
                          const QString& config_directory)
{
    QStringList parts = QProcess::splitCommand(value);
    if (parts.isEmpty())
        throw ConfigError(QStringLiteral("leerer Befehl %1 in [%2]").arg(key, group));
    // A program named by a relative path is the one beside this file, never one planted where the calling program
    // happens to run; a bare name is still looked up on PATH.
    if (parts.first().contains(QLatin1Char('/')) && QDir::isRelativePath(parts.first()))
        parts.first() = QDir::cleanPath(config_directory + QLatin1Char('/') + parts.first());
    return parts;
}

// The submission server as scheme://host:port. Credentials belong in User=
// and PasswordCommand=, where they never show up in a message naming the server.
QString server_value(const QString& value, const QString& group)
{
    const QUrl url(value, QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    const bool known = scheme == QLatin1String("smtp") || scheme == QLatin1String("smtps");
    if (!url.isValid() || !known || url.host().isEmpty() || !url.userInfo().isEmpty() || url.hasQuery()
        || url.hasFragment() || (!url.path().isEmpty() && url.path() != QLatin1String("/")))
        throw ConfigError(QStringLiteral("ungueltiger Server '%1' in [%2]").arg(url.toDisplayString(QUrl::RemoveUserInfo), group));
    QUrl server;
    server.setScheme(scheme);
    server.setHost(url.host());
    server.setPort(url.port(scheme == QLatin1String("smtps") ? 465 : 587));
    return server.toString(QUrl::FullyEncoded);
}

// The delivery key called `name` in any letter case; nullptr when no delivery has one.
const DeliveryKey* delivery_key(const QString& name)
{
    for (const Delivery& delivery : deliveries()) {
        for (const DeliveryKey& key : delivery.keys) {
            if (name.compare(QLatin1String(key.name), Qt::CaseInsensitive) == 0)
                return &key;
        }
    }
    return nullptr;
}

void read_delivery_key(Profile& profile, const DeliveryKey& key, const QString& written, const QString& value,
                       const QString& config_directory)
{
    const QString name = QLatin1String(key.name);
    switch (key.kind) {
    case KeyKind::path:
        if (!value.isEmpty())
            profile.settings.insert(name, QStringList{expanded_directory(value, config_directory)});
        break;
    case KeyKind::command:
        if (!value.isEmpty())
            profile.settings.insert(name, command_value(value, profile.name, written, config_directory));
        break;
    case KeyKind::server:
        profile.settings.insert(name, QStringList{value.isEmpty() ? QString() : server_value(value, profile.name)});
        break;
    case KeyKind::text:
        profile.settings.insert(name, QStringList{value});
        break;
    }
}

Profile read_profile(const boundary::IniSection& section, const QString& config_directory)
{
    Profile profile = builtin_profile(section.name);
    for (const boundary::IniEntry& entry : section.entries) {
        const QString& key = entry.key;
        const QString& value = entry.value;
        const QString lower = key.toLower();
        if (lower == QLatin1String("delivery")) {
            profile.delivery = nullptr;
            for (const Delivery& delivery : deliveries()) {
                if (value.compare(QLatin1String(delivery.name), Qt::CaseInsensitive) == 0)
                    profile.delivery = &delivery;
            }
            if (!profile.delivery)
                throw ConfigError(QStringLiteral("unbekannte Zustellart '%1' in [%2]").arg(value, profile.name));
        } else if (lower == QLatin1String("from")) {
            if (!value.isEmpty()) {
                const auto mailbox = parse_mailbox(value);
                if (!mailbox)
                    throw ConfigError(QStringLiteral("ungueltiger Absender '%1' in [%2]").arg(value, profile.name));
                profile.from = *mailbox;
            }
        } else if (lower == QLatin1String("password")) {
            profile.password = value;
        } else if (lower == QLatin1String("dialog")) {
            profile.dialog = named_choice<DialogMode>(
                value,
                {{"auto", DialogMode::automatic}, {"never", DialogMode::never}, {"always", DialogMode::always}},
                QStringLiteral("unbekannte Dialogeinstellung '%1' in [%2]").arg(value, profile.name));
        } else if (const DeliveryKey* delivery_key_found = delivery_key(key)) {
            read_delivery_key(profile, *delivery_key_found, key, value, config_directory);
        } else {
            // A misspelt key would silently send the mail somewhere else.
            throw ConfigError(QStringLiteral("unbekannter Eintrag '%1' in [%2]").arg(key, profile.name));
        }
    }
    for (const DeliveryKey& key : profile.delivery->keys) {
        if (key.required && profile.setting_text(key.name).isEmpty())
            throw ConfigError(QStringLiteral("%1 fehlt in [%2]").arg(QLatin1String(key.name), profile.name));
    }
    return profile;
}

std::vector<AddressEntry> read_address_book(const boundary::IniSection& section)
{
    std::vector<AddressEntry> book;
    for (const boundary::IniEntry& entry : section.entries) {
        const QString& name = entry.key;
        const QString& value = entry.value;
        const auto mailbox = parse_mailbox(value);
        if (!mailbox)
            throw ConfigError(QStringLiteral("ungueltige Adresse '%1' fuer '%2' in [%3]").arg(value, name, section.name));
        book.push_back(AddressEntry{name, mailbox->address});
    }
    return book;
}

Configuration read_file(const QString& path)
{
    const boundary::IniFile file = boundary::read_ini_file(path);
    if (!file.error.isEmpty())
        throw ConfigError(file.error);

    Configuration configuration;
    configuration.path = path;
    configuration.default_profile = builtin_profile_name();
    const QString config_directory = QFileInfo(path).absolutePath();
    for (const boundary::IniSection& section : file.sections) {
        if (section.name == group_general) {
            for (const boundary::IniEntry& entry : section.entries) {
                const QString& key = entry.key;
                const QString& value = entry.value;
                if (key.compare(key_default_profile, Qt::CaseInsensitive) != 0)
                    throw ConfigError(QStringLiteral("unbekannter Eintrag '%1' in [General]").arg(key));
                if (!value.isEmpty())
                    configuration.default_profile = value;
            }
        } else if (section.name.compare(group_address_book, Qt::CaseInsensitive) == 0) {
            std::vector<AddressEntry> more = read_address_book(section);
            configuration.address_book.insert(configuration.address_book.end(), more.begin(), more.end());
        } else {
            configuration.profiles.push_back(read_profile(section, config_directory));
        }
    }
    if (!configuration.find_profile(builtin_profile_name()))
        configuration.profiles.push_back(builtin_profile(builtin_profile_name()));
    if (!configuration.find_profile(configuration.default_profile))
        throw ConfigError(QStringLiteral("Standardprofil '%1' fehlt").arg(configuration.default_profile));
    return configuration;
}

}  // namespace

QString data_home()
{
    return xdg_directory("XDG_DATA_HOME", ".local/share");
}

QString builtin_profile_name()
{
    return QStringLiteral("Standard");
}

const Profile* Configuration::find_profile(const QString& name) const
{
    const Profile* similar = nullptr;
    int similar_count = 0;
    for (const Profile& profile : profiles) {
        if (profile.name == name)
            return &profile;
        if (profile.name.compare(name, Qt::CaseInsensitive) == 0) {
            similar = &profile;
            ++similar_count;
        }
    }
    return similar_count == 1 ? similar : nullptr;
}

LoadResult load_configuration()
{
    LoadResult result;
    QString path = environment("TELVORIN_MAPI_CONFIG");
    const bool named = !path.isEmpty();
    if (!named)
        path = xdg_directory("XDG_CONFIG_HOME", ".config") + QStringLiteral("/telvorin/mapi.ini");
    try {
        const QFileInfo info(path);
        // A link whose target is gone stands for a configuration that was
        // meant to be there: reported, never replaced by the built-in outbox.
        if (!info.exists() && !info.isSymLink()) {
            // A file named on purpose that is not there is a mistake worth
            // reporting; the default place may simply be unused.
            if (named)
                throw ConfigError(QStringLiteral("Datei fehlt"));
            result.configuration.path = path;
            result.configuration.default_profile = builtin_profile_name();
            result.configuration.profiles.push_back(builtin_profile(builtin_profile_name()));
            result.ok = true;
            return result;
        }
        if (!info.isFile())
            throw ConfigError(QStringLiteral("keine Datei"));
        result.configuration = read_file(path);
        result.ok = true;
    } catch (const ConfigError& error) {
        result.error = QStringLiteral("MAPI-Konfiguration '%1' nicht verwendbar: %2").arg(path, error.reason);
        // A value may hold a tab or an escape character; the report stays one plain line.
        result.error = boundary::replace_controls(result.error, QLatin1Char('?'));
    }
    return result;
}

}  // namespace telvorin::mapi
