// Lets Qt fall back to its minimal platform where no display server can be reached, and leaves no folder behind.
#include "platform/gui_start.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>
#include <QList>
#include <QMessageLogContext>
#include <QtGlobal>

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <cstring>
#include <vector>

namespace telvorin::platform {
namespace {

QtMessageHandler previous_handler = nullptr;

bool is_set(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// While Qt picks its platform it warns about a display it cannot reach, a
// plugin it then skips and a run-time folder it has to make up; the caller
// reads our standard error, and none of that changes what the run does.
void drop_start_warnings(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    const bool platform_choice = context.category != nullptr && std::strncmp(context.category, "qt.qpa.", 7) == 0;
    if ((platform_choice && (type == QtWarningMsg || type == QtInfoMsg))
        || (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: "))))
        return;
    if (previous_handler != nullptr)
        previous_handler(type, context, text);
}

// Qt tries the platforms of a ";" list in turn. Ours name what the environment
// offers, X11 first as Qt itself chooses here, and always end with "minimal":
// a display that is named but gone must not end the run before it started.
QByteArray platform_list()
{
    const QByteArray chosen = qgetenv("QT_QPA_PLATFORM");
    if (!chosen.isEmpty()) {
        for (const QByteArray& entry : chosen.split(';')) {
            if (entry == "minimal" || entry.startsWith("minimal:"))
                return chosen;
        }
        return chosen + ";minimal";
    }
    QByteArray list;
    if (is_set("DISPLAY"))
        list += "xcb;";
    if (is_set("WAYLAND_DISPLAY"))
        list += "wayland;";
    // Not "offscreen": that one reads the whole font configuration when it
    // shuts down, a third of every run, for fonts nothing here draws.
    return list + "minimal";
}

// The folder Qt makes up when XDG_RUNTIME_DIR is unset or unusable: the temporary folder's
// "runtime-" and the user's name, empty for a user without one, as Qt names it.
QString made_up_runtime_folder()
{
    struct passwd entry {};
    struct passwd* found = nullptr;
    std::vector<char> buffer(16384);
    QString user;
    if (::getpwuid_r(::geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
        user = QString::fromLocal8Bit(found->pw_name);
    return QDir::tempPath() + QLatin1String("/runtime-") + user;
}

}  // namespace

GuiRun::GuiRun()
{
    previous_handler = qInstallMessageHandler(drop_start_warnings);
    // Given back once Qt has read it, so that the programs a delivery starts
    // see the caller's environment.
    m_caller_platform_set = qEnvironmentVariableIsSet("QT_QPA_PLATFORM");
    m_caller_platform = qgetenv("QT_QPA_PLATFORM");
    ::setenv("QT_QPA_PLATFORM", platform_list().constData(), 1);
    // Qt makes the folder up not only without XDG_RUNTIME_DIR but also when
    // that folder is not private to the user, so it is looked for either way.
    const QString folder = made_up_runtime_folder();
    if (!QFileInfo(folder).exists() && !QFileInfo(folder).isSymLink())
        m_runtime_folder_to_remove = folder;
}

GuiRun::~GuiRun()
{
    // rmdir removes only an empty folder: whatever another program of the same
    // user put there meanwhile stays, and so does the folder.
    if (!m_runtime_folder_to_remove.isEmpty())
        QDir().rmdir(m_runtime_folder_to_remove);
}

void GuiRun::started()
{
    qInstallMessageHandler(previous_handler);
    previous_handler = nullptr;
    if (m_caller_platform_set)
        ::setenv("QT_QPA_PLATFORM", m_caller_platform.constData(), 1);
    else
        ::unsetenv("QT_QPA_PLATFORM");
}

}  // namespace telvorin::platform
