#include "SettingsStoreAdapter.h"

#include "SystemError.h"
#include "Utf16.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

namespace cursovia::win32 {
namespace {

constexpr const wchar_t* SettingsKey = L"Software\\Kelvardo\\Cursovia";

std::runtime_error failure(const char* what, const std::string& key, LSTATUS status) {
    return std::runtime_error(std::string("The setting \"") + key + "\" could not be " + what + ": " +
                              systemMessage(static_cast<DWORD>(status)));
}

} // namespace

std::string RegistrySettings::read(const std::string& key, const std::string& fallback) {
    const std::wstring name = widen(key);
    std::vector<wchar_t> buffer;
    DWORD bytes = 0;
    LSTATUS status = RegGetValueW(HKEY_CURRENT_USER, SettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, nullptr, &bytes);
    // The value may grow between asking its size and reading it.
    while (status == ERROR_SUCCESS || status == ERROR_MORE_DATA) {
        buffer.resize(bytes / sizeof(wchar_t) + 1);
        bytes = static_cast<DWORD>(buffer.size() * sizeof(wchar_t));
        status = RegGetValueW(HKEY_CURRENT_USER, SettingsKey, name.c_str(), RRF_RT_REG_SZ, nullptr, buffer.data(), &bytes);
        if (status == ERROR_SUCCESS) {
            std::wstring_view text(buffer.data(), bytes / sizeof(wchar_t));
            while (!text.empty() && text.back() == L'\0') text.remove_suffix(1);
            return narrow(text);
        }
    }
    if (status == ERROR_FILE_NOT_FOUND) return fallback;
    throw failure("read", key, status);
}

void RegistrySettings::write(const std::string& key, const std::string& text) {
    const std::wstring name = widen(key);
    const std::wstring data = widen(text);
    const auto bytes = static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t));
    // Creates the Kelvardo and Cursovia keys when they are missing.
    const LSTATUS status = RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey, name.c_str(), REG_SZ, data.c_str(), bytes);
    if (status != ERROR_SUCCESS) throw failure("saved", key, status);
}

} // namespace cursovia::win32
