#pragma once
// The platform's own file replacement, for tests that save real files.
#include "FileReplacementAdapter.h"

namespace cursovia::fakes {

#if defined(_WIN32)
using SystemFileReplacement = win32::WindowsFileReplacement;
#else
using SystemFileReplacement = qtx11::PosixFileReplacement;
#endif

} // namespace cursovia::fakes
