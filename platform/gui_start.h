// What must be in place while the widgets application object is created, and what is undone after it is gone.
#pragma once

#include <QByteArray>
#include <QString>

namespace telvorin::platform {

// Held for the whole run, from right before the QApplication is created until
// after it is destroyed; call started() right after creating it.
//
// It prepares the process so that creating the QApplication can neither abort
// nor print. On a POSIX machine Qt gets a list of platforms that ends with the
// "minimal" one, which needs no display: without DISPLAY and WAYLAND_DISPLAY
// that is all it gets, and a display that is named but cannot be reached (a
// stale DISPLAY over ssh, a Wayland socket that is gone) falls through to it,
// so that every job runs as it does without a display. Qt's complaints while it
// picks its platform are kept off the console. Qt makes a run-time folder in
// the temporary folder when XDG_RUNTIME_DIR is unset or not private; the end of the run removes
// it again if this run made it and nothing was left in it. On Windows the
// standard streams are switched to binary, so that the console gets the same
// bytes as on POSIX (LF line ends), and Qt's debug output goes to standard
// error even without a console window.
class GuiRun {
public:
    GuiRun();
    ~GuiRun();
    GuiRun(const GuiRun&) = delete;
    GuiRun& operator=(const GuiRun&) = delete;

    void started();

private:
    QString m_runtime_folder_to_remove;
    bool m_caller_platform_set = false;
    QByteArray m_caller_platform;
};

}  // namespace telvorin::platform
