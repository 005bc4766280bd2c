#pragma once
#include "Handles.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

// Points HKEY_CURRENT_USER of this process at an empty scratch key for the
// test, so the tests neither see nor touch the user's own settings.
class ScratchRegistry : public ::testing::Test {
protected:
    void SetUp() override {
        path_ = L"Software\\Kelvardo\\CursoviaTests\\" + std::to_wstring(GetCurrentProcessId());
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
        HKEY created = nullptr;
        ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created,
                                  nullptr),
                  ERROR_SUCCESS);
        scratch_.reset(created);
        ASSERT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, scratch_.get()), ERROR_SUCCESS);
    }
    void TearDown() override {
        RegOverridePredefKey(HKEY_CURRENT_USER, nullptr);
        scratch_.reset();
        RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    }

    // The value as the registry holds it: its type and its text.
    static std::pair<DWORD, std::wstring> stored(const wchar_t* key, const wchar_t* name) {
        DWORD type = 0, bytes = 0;
        if (RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, nullptr, &bytes) != ERROR_SUCCESS) return {0, L"(absent)"};
        std::wstring data(bytes / sizeof(wchar_t) + 1, L'\0');
        bytes = static_cast<DWORD>(data.size() * sizeof(wchar_t));
        RegGetValueW(HKEY_CURRENT_USER, key, name, RRF_RT_ANY, &type, data.data(), &bytes);
        data.resize(wcslen(data.c_str()));
        return {type, data};
    }

private:
    std::wstring path_;
    cursovia::win32::UniqueKey scratch_;
};
