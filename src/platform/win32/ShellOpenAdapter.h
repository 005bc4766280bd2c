#pragma once
#include "OwnerWindow.h"
#include "guidance/ShellOpen.h"

namespace cursovia::win32 {

class ShellExecuteOpen : public ShellOpen {
public:
    explicit ShellExecuteOpen(const OwnerWindow& owner) : owner_(owner) {}
    // ShellExecuteW with the default verb, from the folder C:\.
    void openDocument(const std::string& address) override;
    // CreateProcessW with the quoted command line, shown minimised; not waited for.
    void startProgram(const ProgramStart& start) override;

private:
    const OwnerWindow& owner_;
};

} // namespace cursovia::win32
