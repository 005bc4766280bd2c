#include "ProgramInfoAdapter.h"

#include "Utf16.h"

#include <windows.h>

#include <string>

namespace cursovia::win32 {

ProgramInfo currentProgram() {
    // Paths may pass MAX_PATH; GetModuleFileNameW says so by filling the buffer to the brim.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        if (path.size() >= 32768) break;
        path.resize(path.size() * 2);
    }
    return ProgramInfo{narrow(path), '\\', "explorer"};
}

} // namespace cursovia::win32
