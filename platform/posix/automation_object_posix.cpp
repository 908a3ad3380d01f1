// The system's automation on POSIX: in-process server modules found by class identifier in a registration.
// Leaves out out-of-process servers and objects of the system's own: every object comes from a module.
#include "platform/automation_system_p.h"

#include "platform/own_binary.h"

#include "boundary/ini_file.h"
#include "boundary/outside_text.h"

#include <QDir>
#include <QFileInfo>

namespace telvorin::platform::automation_system {
namespace {

// The registration lies beside the tool's libraries, found from the
// executable's folder and never through the working directory; a test or
// an installation elsewhere names another file with the variable.
QString registration_file()
{
    const QString named = qEnvironmentVariable("TELVORIN_AUTOMATION_REGISTRATION");
    if (!named.isEmpty())
        return named;
    return own_binary_folder() + QStringLiteral(TELVORIN_AUTOMATION_REGISTRATION_PATH);
}

}  // namespace

// The registration is an INI file with one section per class identifier:
// Module= names the server module, relative to the file's folder;
// RequiredVariable= names an environment variable without which the program
// the server stands in for is not there, so that its module is not even
// loaded. A class without a section, or no registration at all, is a class
// that nothing serves, as on a system where it is not registered.
AutomationReference create(const QString& control)
{
    const QString file = registration_file();
    if (!QFileInfo(file).isFile())
        return nullptr;
    const boundary::IniFile registration = boundary::read_ini_file(file);
    if (!registration.error.isEmpty()) {
        boundary::write_error_line(QStringLiteral("Registrierung der Automatisierungsserver fehlerhaft: %1").arg(file));
        return nullptr;
    }
    const boundary::IniSection* server = registration.find(control, Qt::CaseInsensitive);
    if (server == nullptr)
        return nullptr;
    const auto value = [server](const char* key) {
        const boundary::IniEntry* entry = server->find(QLatin1String(key));
        return entry ? entry->value : QString();
    };
    const QString variable = value("RequiredVariable");
    if (!variable.isEmpty() && qEnvironmentVariableIsEmpty(variable.toLocal8Bit().constData()))
        return nullptr;
    const QString module = QFileInfo(file).absoluteDir().filePath(value("Module"));

    // A loaded module is never unloaded: the objects it made run its code until they go.
    const auto entry = reinterpret_cast<AutomationServerEntry>(
        load_entry_beside_us(module, automation_server_entry, QStringLiteral("Automatisierungsserver %1").arg(control)));
    if (entry == nullptr)
        return nullptr;
    std::shared_ptr<AutomationNode> object;
    entry(&object);
    return object;
}

QVariant property(void*, const char*)
{
    return {};
}

QVariant call(void*, const char*, const QVariant&)
{
    return {};
}

AutomationReference object(void*, const char*, const QVariant&)
{
    return nullptr;
}

}  // namespace telvorin::platform::automation_system
