#pragma once
#include "desktop/AutostartEntry.h"

namespace cursovia::win32 {

// Log-on start through the per-user Run key: one REG_SZ value per entry,
// HKEY_CURRENT_USER\Software\Microsoft\Windows\CurrentVersion\Run,
// holding the program's command line (a path is quoted).
class RunKeyAutostart : public AutostartEntry {
public:
    void add(const std::string& name, const ProgramStart& start) override;
    void remove(const std::string& name) override;
};

} // namespace cursovia::win32
