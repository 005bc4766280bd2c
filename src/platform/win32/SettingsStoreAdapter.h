#pragma once
#include "base/SettingsStore.h"

namespace cursovia::win32 {

// Settings as REG_SZ values under HKEY_CURRENT_USER\Software\Kelvardo\Cursovia.
// Value names compare without case in the registry itself.
class RegistrySettings : public SettingsStore {
public:
    std::string read(const std::string& key, const std::string& fallback) override;
    void write(const std::string& key, const std::string& text) override;
};

} // namespace cursovia::win32
