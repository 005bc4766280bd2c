#pragma once
#include <windows.h>

#include <string>

namespace cursovia::win32 {

// The system's own wording for an error code, in UTF-8 without the trailing
// line break, or "error N" when the system has none.
std::string systemMessage(DWORD code);

} // namespace cursovia::win32
