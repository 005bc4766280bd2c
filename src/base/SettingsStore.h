#pragma once
#include <string>

namespace cursovia {

// Per-user text values that outlive the program, all under the application
// name "Kelvardo" and the section "Cursovia"; only the key varies.
// Keys compare without letter case. Called on the user-interface thread only.
class SettingsStore {
public:
    virtual ~SettingsStore() = default;

    // The stored text, or `fallback` when the key was never written.
    // An absent key is not a failure; an unreadable store throws std::runtime_error.
    virtual std::string read(const std::string& key, const std::string& fallback) = 0;

    // Stores `text` under `key`, replacing any former value. The value is on
    // disk when the call returns. Throws std::runtime_error when it cannot be written.
    virtual void write(const std::string& key, const std::string& text) = 0;
};

} // namespace cursovia
