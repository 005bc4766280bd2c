#pragma once
#include "OwnerWindow.h"
#include "base/Dialogs.h"

namespace cursovia::win32 {

// Message boxes and the common open and save dialogs, owned by the main window.
class CommonDialogs : public Dialogs {
public:
    explicit CommonDialogs(const OwnerWindow& owner) : owner_(owner) {}

    MessageAnswer messageBox(const std::string& text, const std::string& title, MessageButtons buttons,
                             MessageIcon icon) override;
    FileDialogResult openFile(const FileDialogRequest& request) override;
    // Asks before replacing an existing file (the system's own question);
    // adds no extension to the chosen name.
    FileDialogResult saveFile(const FileDialogRequest& request) override;

private:
    const OwnerWindow& owner_;
};

// "Text Files (*.txt)|*.txt|" as the dialog wants it: NUL-separated pairs
// ending in two NULs.
std::wstring dialogFilter(const std::string& pipeSeparated);

} // namespace cursovia::win32
