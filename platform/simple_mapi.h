// Simple MAPI declarations: the system header on Windows, our mirror elsewhere.
#pragma once

#if defined(_WIN32)
// Only the .cpp files of the mailer include this; keep windows.h's min/max
// macros out of the standard library's way there.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#include <mapi.h>
#else
#include "posix/simple_mapi_posix.h"
#endif
