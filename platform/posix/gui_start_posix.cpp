// Chooses Qt's minimal platform where no display server can be reached.
#include "platform/gui_start.h"

#include <QtGlobal>
#include <QString>

#include <cstdlib>

namespace telvorin::platform {
namespace {

QtMessageHandler previous_handler = nullptr;

bool is_set(const char* name)
{
    const char* value = std::getenv(name);
    return value != nullptr && *value != '\0';
}

// Qt warns when XDG_RUNTIME_DIR is unset or not private while it looks for a
// Wayland socket; a command-line tool has no use for that directory, and the
// caller reads our standard error, so those lines are dropped.
void drop_runtime_directory_warning(QtMsgType type, const QMessageLogContext& context, const QString& text)
{
    if (type == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: ")))
        return;
    if (previous_handler != nullptr)
        previous_handler(type, context, text);
}

}  // namespace

void prepare_gui_start()
{
    previous_handler = qInstallMessageHandler(drop_runtime_directory_warning);
    if (is_set("QT_QPA_PLATFORM") || is_set("DISPLAY") || is_set("WAYLAND_DISPLAY"))
        return;
    // The tool never shows a window of its own; without a display QApplication
    // would abort, so it runs on the platform that needs none. Not "offscreen":
    // that one reads the whole font configuration when it shuts down, a third
    // of every run, for fonts nothing here draws.
    ::setenv("QT_QPA_PLATFORM", "minimal", 1);
}

void finish_gui_start()
{
    qInstallMessageHandler(previous_handler);
    previous_handler = nullptr;
}

}  // namespace telvorin::platform
