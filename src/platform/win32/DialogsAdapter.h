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

// The filters as the dialog wants them: NUL-separated pairs of caption and
// patterns ending in two NULs, the caption naming its patterns as Windows
// writes them: "Text Files (*.txt)", "*.txt", "All Files (*.*)", "*.*".
std::wstring dialogFilter(const std::vector<FileFilter>& filters);

} // namespace cursovia::win32
