#include "ShellOpen.h"

#include "Handles.h"
#include "Utf16.h"

#include <windows.h>
#include <shellapi.h>

namespace cursovia::win32 {

void ShellExecuteOpen::openDocument(const std::string& target) {
    ShellExecuteW(owner_.hwnd, nullptr, widen(target).c_str(), nullptr, L"C:\\", SW_SHOW);
}

void ShellExecuteOpen::startCommand(const std::string& commandLine) {
    std::wstring command = widen(commandLine); // CreateProcessW may write into it
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMINIMIZED;
    PROCESS_INFORMATION started{};
    if (CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
        const UniqueHandle process(started.hProcess), thread(started.hThread);
    }
}

} // namespace cursovia::win32
