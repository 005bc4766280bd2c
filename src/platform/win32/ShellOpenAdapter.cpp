#include "ShellOpenAdapter.h"

#include "CommandLine.h"
#include "Handles.h"
#include "Utf16.h"

#include <windows.h>
#include <shellapi.h>

namespace cursovia::win32 {

void ShellExecuteOpen::openDocument(const std::string& address) {
    // In quotes, as the shell writes a document to open.
    const std::wstring file = L"\"" + widen(address) + L"\"";
    ShellExecuteW(owner_.hwnd, nullptr, file.c_str(), nullptr, L"C:\\", SW_SHOW);
}

void ShellExecuteOpen::startProgram(const ProgramStart& start) {
    std::wstring command = commandLine(start); // CreateProcessW may write into it
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
