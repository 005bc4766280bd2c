#pragma once
#include "base/Dialogs.h"

#include <QString>

class QWidget;

namespace cursovia::qtx11 {

// A filter as Qt reads it: the description, then its patterns in
// parentheses, blank-separated: "Text Files (*.txt)", "All Files (*)".
QString nameFilter(const FileFilter& filter);

// Message boxes and file dialogs, modal to the main window while it is on
// screen (a window hidden in the tray owns no dialog: it would hide it too).
class QtDialogs : public Dialogs {
public:
    explicit QtDialogs(QWidget& mainWindow) : mainWindow_(mainWindow) {}

    MessageAnswer messageBox(const std::string& text, const std::string& title, MessageButtons buttons,
                             MessageIcon icon) override;
    // Linux has no fixed name buffer: a chosen file is never NameTooLong.
    FileDialogResult openFile(const FileDialogRequest& request) override;
    // Asks before replacing an existing file, as the desktop's save dialogs do;
    // adds no extension to the chosen name.
    FileDialogResult saveFile(const FileDialogRequest& request) override;

private:
    QWidget* owner() const;
    FileDialogResult runFileDialog(const FileDialogRequest& request, bool save);

    QWidget& mainWindow_;
};

} // namespace cursovia::qtx11
