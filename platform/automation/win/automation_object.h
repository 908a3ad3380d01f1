// The automation base of the Outlook wrappers on Windows: ActiveQt's QAxObject.
#pragma once

#include <QAxObject>

namespace telvorin::platform {

using AutomationObject = QAxObject;

}  // namespace telvorin::platform
