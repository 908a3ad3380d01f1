// What must be in place while the widgets application object is created.
#pragma once

namespace telvorin::platform {

// Prepares the process so that creating the QApplication can neither abort
// nor print: on a POSIX machine without a display (QT_QPA_PLATFORM unset and
// neither DISPLAY nor WAYLAND_DISPLAY set) Qt's "minimal" platform is
// chosen, and Qt's complaints about the run-time directory, which Qt looks at
// while it picks its platform, are kept off the console. On Windows the
// standard streams are switched to binary, so that the console gets the same
// bytes as on POSIX (LF line ends), and Qt's debug output goes to standard
// error even without a console window. Call it right before
// the QApplication is created and finish_gui_start() right after.
void prepare_gui_start();
void finish_gui_start();

}  // namespace telvorin::platform
