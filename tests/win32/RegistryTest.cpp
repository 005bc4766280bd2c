#include "SettingsStoreAdapter.h"
#include "AutostartEntryAdapter.h"
#include "ScratchRegistry.h"

#include <stdexcept>

namespace {

using cursovia::win32::RegistrySettings;
using cursovia::win32::RunKeyAutostart;
using cursovia::win32::UniqueKey;

constexpr const wchar_t* SettingsKey = L"Software\\Kelvardo\\Cursovia";
constexpr const wchar_t* RunKey = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";

using Settings = ScratchRegistry;

TEST_F(Settings, AbsentKeyGivesTheFallbackAndCreatesNothing) {
    RegistrySettings settings;
    EXPECT_EQ(settings.read("Loads", "0"), "0");
    HKEY opened = nullptr;
    EXPECT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, SettingsKey, 0, KEY_READ, &opened), ERROR_FILE_NOT_FOUND);
    const UniqueKey key(opened);
}

TEST_F(Settings, WriteStoresOneStringValueUnderKelvardoCursovia) {
    RegistrySettings settings;
    settings.write("Windows Startup", "On");
    EXPECT_EQ(stored(SettingsKey, L"Windows Startup"), std::make_pair(DWORD{REG_SZ}, std::wstring(L"On")));
}

TEST_F(Settings, TextsComeBackAsWritten) {
    RegistrySettings settings;
    const std::string cases[] = {
        "",                                   // empty is a value, not an absent key
        "3.5",
        "Zo\xC3\xAB \xE2\x80\x94 \xE4\xB8\xAD \xF0\x9F\x98\x80", // outside any ANSI code page
        std::string(100000, 'x'),             // longer than any first guess of a buffer
        "line one\r\nline two",
    };
    for (const std::string& text : cases) {
        settings.write("Wait", text);
        EXPECT_EQ(settings.read("Wait", "fallback"), text);
    }
}

TEST_F(Settings, KeysCompareWithoutCase) {
    RegistrySettings settings;
    settings.write("Option4", "True");
    settings.write("OPTION4", "False");
    EXPECT_EQ(settings.read("option4", ""), "False");
}

TEST_F(Settings, AValueOfAnotherTypeIsAnUnreadableStoreNotAnAbsentKey) {
    const DWORD number = 7;
    ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, SettingsKey, L"Loads", REG_DWORD, &number, sizeof number), ERROR_SUCCESS);
    RegistrySettings settings;
    EXPECT_THROW(settings.read("Loads", "0"), std::runtime_error);
}

using RunEntry = ScratchRegistry;

TEST_F(RunEntry, AddWritesTheCommandLineAsAStringNamedByTheEntry) {
    RunKeyAutostart autostart;
    autostart.add("Cursovia.exe", {"C:\\Program Files\\Cursovia\\Cursovia.exe", {}});
    EXPECT_EQ(stored(RunKey, L"Cursovia.exe"),
              std::make_pair(DWORD{REG_SZ}, std::wstring(L"\"C:\\Program Files\\Cursovia\\Cursovia.exe\"")));
}

TEST_F(RunEntry, AddingAgainReplacesTheOneValue) {
    RunKeyAutostart autostart;
    autostart.add("Cursovia.exe", {"C:\\old\\Cursovia.exe", {}});
    autostart.add("Cursovia.exe", {"C:\\new\\Cursovia.exe", {}});
    EXPECT_EQ(stored(RunKey, L"Cursovia.exe").second, L"\"C:\\new\\Cursovia.exe\"");
    HKEY opened = nullptr;
    ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, RunKey, 0, KEY_READ, &opened), ERROR_SUCCESS);
    const UniqueKey key(opened);
    DWORD values = 0;
    RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &values, nullptr, nullptr, nullptr,
                     nullptr);
    EXPECT_EQ(values, 1u);
}

TEST_F(RunEntry, RemoveDeletesExactlyThatValue) {
    RunKeyAutostart autostart;
    autostart.add("Cursovia.exe", {"C:\\a\\Cursovia.exe", {}});
    autostart.add("Other.exe", {"C:\\b\\Other.exe", {}});
    autostart.remove("Cursovia.exe");
    EXPECT_EQ(stored(RunKey, L"Cursovia.exe").second, L"(absent)");
    EXPECT_EQ(stored(RunKey, L"Other.exe").second, L"\"C:\\b\\Other.exe\"");
}

TEST_F(RunEntry, RemovingAnAbsentEntryIsNoFailure) {
    RunKeyAutostart autostart;
    EXPECT_NO_THROW(autostart.remove("Cursovia.exe"));
}

} // namespace
