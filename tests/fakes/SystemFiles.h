#pragma once
// The platform's own file replacement, for tests that save real files.
#include "SystemFileReplacement.h"

namespace cursovia::fakes {

#if defined(_WIN32)
using SystemFileReplacement = win32::WindowsFileReplacement;
#else
using SystemFileReplacement = x11::PosixFileReplacement;
#endif

} // namespace cursovia::fakes
