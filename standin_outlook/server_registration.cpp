// Makes the stand-in Outlook the in-process server of Outlook's Application class.
// Linked as an object into the programs that bind Outlook on systems without it.
#include "outlook_objekte.h"
#include "standin_outlook.h"

namespace {

[[maybe_unused]] const bool registered = telvorin::platform::register_automation_server(
    QLatin1String(Outlook::Application::klassen_id), &telvorin::standin::open_outlook);

}  // namespace
