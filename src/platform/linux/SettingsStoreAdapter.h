#pragma once
#include "base/SettingsStore.h"

namespace cursovia::qtx11 {

// The settings in an INI file under the user's XDG configuration folder
// ($XDG_CONFIG_HOME or ~/.config, then Kelvardo/Cursovia.ini), group
// "Cursovia". Qt compares INI keys with their letter case, so every call
// finds the stored key that matches without case and uses that one. Each
// write is synced at once; Qt replaces the file atomically.
class QtSettingsStore : public SettingsStore {
public:
    // A settings file Qt cannot read (not a valid INI file, or unreadable) is
    // moved aside under a new name before anything reads or writes it, so the
    // program starts with its defaults and never writes over the user's file.
    // Returns the name it is kept under; empty when the file was fine or absent.
    static std::string keepDamagedFileAside();

    std::string read(const std::string& key, const std::string& fallback) override;
    void write(const std::string& key, const std::string& text) override;
};

} // namespace cursovia::qtx11
