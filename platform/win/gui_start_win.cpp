// Windows has a desktop for the widgets application; what needs preparing is the console.
#include "platform/gui_start.h"

#include <QByteArray>
#include <QtGlobal>

#include <cstdio>
#include <fcntl.h>
#include <io.h>

namespace telvorin::platform {

GuiRun::GuiRun()
{
    // The C runtime opens the standard streams in text mode and would write
    // every line end as CR LF; the calling programs read the same bytes from
    // us on every platform, so the streams pass bytes through unchanged.
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
    // Qt sends debug output to the debugger instead of standard error when the
    // process has no console window, which is how calling programs start us
    // (with redirected pipes). The debug lines belong on standard error.
    if (!qEnvironmentVariableIsSet("QT_FORCE_STDERR_LOGGING"))
        qputenv("QT_FORCE_STDERR_LOGGING", QByteArray("1"));
}

GuiRun::~GuiRun() = default;

void GuiRun::started() {}

}  // namespace telvorin::platform
