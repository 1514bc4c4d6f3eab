// <windows.h> without its rarely used parts, for the tests of Windows behaviour; nothing
// on other systems.
#pragma once

#ifdef _WIN32
#ifndef WIN32_LEAN_AND_MEAN
#define WIN32_LEAN_AND_MEAN
#endif
#include <windows.h>
#endif
