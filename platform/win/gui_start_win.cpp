// Windows always has a desktop for the widgets application: nothing to prepare.
#include "gui_start.h"

namespace telvorin::platform {

void prepare_gui_start() {}
void finish_gui_start() {}

}  // namespace telvorin::platform
