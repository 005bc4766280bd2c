#include "AutostartEntryAdapter.h"

#include "CommandLine.h"
#include "SystemError.h"
#include "Utf16.h"

#include <windows.h>

#include <stdexcept>

namespace cursovia::win32 {
namespace {

constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* RunKeyName = "HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";

} // namespace

void RunKeyAutostart::add(const std::string& name, const ProgramStart& start) {
    const std::wstring value = widen(name);
    const std::wstring data = commandLine(start);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, RunKey, value.c_str(), REG_SZ, data.c_str(), bytes);
    if (status != ERROR_SUCCESS)
        throw std::runtime_error("Windows refused to write \"" + name + "\" under " + RunKeyName + ": " +
                                 systemMessage(static_cast<DWORD>(status)));
}

void RunKeyAutostart::remove(const std::string& name) {
    const LSTATUS status = RegDeleteKeyValueW(HKEY_CURRENT_USER, RunKey, widen(name).c_str());
    if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND)
        throw std::runtime_error("Windows refused to delete \"" + name + "\" under " + RunKeyName + ": " +
                                 systemMessage(static_cast<DWORD>(status)));
}

} // namespace cursovia::win32
