// Simple MAPI declarations: the system header on Windows, our mirror elsewhere.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#include <mapi.h>
#else
#include "posix/simple_mapi_posix.h"
#endif
