// The stand-in Outlook's entry as an in-process automation server module; the registration names its class.
#include "platform/automation_object.h"
#include "standin_outlook/standin_outlook.h"

extern "C" __attribute__((visibility("default"))) void telvorin_automation_server(
    std::shared_ptr<telvorin::platform::AutomationNode>* object)
{
    // An exception must not cross into the program that loaded us; a session
    // that cannot be opened is no Outlook to give.
    try {
        *object = telvorin::standin::open_outlook();
    } catch (...) {
        object->reset();
    }
}
