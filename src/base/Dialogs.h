#pragma once
#include <string>

namespace cursovia {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

// A file dialog's settings. `filter` holds pipe-separated pairs of
// description and pattern, each ending in a pipe: "Text Files (*.txt)|*.txt|".
struct FileDialogRequest {
    std::string title;
    std::string filter;
};

struct FileDialogResult {
    enum class Outcome {
        Chosen,
        Cancelled,
        // The chosen name does not fit the dialog's file-name buffer.
        NameTooLong,
    };
    Outcome outcome = Outcome::Cancelled;
    std::string path; // UTF-8, set when Chosen
};

// Modal dialogs and message boxes. Each call returns when the user closes the
// dialog; window events (and so re-entrant handlers) may run while it is open.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    virtual MessageAnswer messageBox(const std::string& text, const std::string& title,
                                     MessageButtons buttons, MessageIcon icon) = 0;
    virtual FileDialogResult openFile(const FileDialogRequest& request) = 0;
    virtual FileDialogResult saveFile(const FileDialogRequest& request) = 0;
};

} // namespace cursovia
