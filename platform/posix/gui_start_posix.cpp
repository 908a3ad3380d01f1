// Chooses Qt's offscreen platform where no display server can be reached.
#include "gui_start.h"

#include <QtGlobal>
#include <QString>

#include <cstdlib>

namespace telvorin::platform {
namespace {

QtMessageHandler vorheriger = nullptr;

bool gesetzt(const char* name)
{
    const char* wert = std::getenv(name);
    return wert != nullptr && *wert != '\0';
}

// Qt warns when XDG_RUNTIME_DIR is unset or not private while it looks for a
// Wayland socket; a command-line tool has no use for that directory, and the
// caller reads our standard error, so those lines are dropped.
void ohne_laufzeitverzeichnis_warnung(QtMsgType typ, const QMessageLogContext& kontext, const QString& text)
{
    if (typ == QtWarningMsg && text.startsWith(QLatin1String("QStandardPaths: ")))
        return;
    if (vorheriger != nullptr)
        vorheriger(typ, kontext, text);
}

}  // namespace

void prepare_gui_start()
{
    vorheriger = qInstallMessageHandler(ohne_laufzeitverzeichnis_warnung);
    if (gesetzt("QT_QPA_PLATFORM") || gesetzt("DISPLAY") || gesetzt("WAYLAND_DISPLAY"))
        return;
    // The tool never shows a window of its own; without a display QApplication
    // would abort, so it runs on the platform that needs none.
    ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
}

void finish_gui_start()
{
    qInstallMessageHandler(vorheriger);
    vorheriger = nullptr;
}

}  // namespace telvorin::platform
