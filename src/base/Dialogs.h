#pragma once
#include <string>
#include <vector>

namespace cursovia {

enum class MessageButtons { Ok, YesNo };
enum class MessageIcon { None, Exclamation };
enum class MessageAnswer { Ok, Yes, No };

// The pattern that matches every file name, also one without a dot.
inline constexpr const char* EveryFile = "*";

// One choice of a file dialog's filter list: what the user reads ("Text
// Files") and the name patterns it shows ("*.txt"). Each adapter shows the
// patterns beside the description in its system's way.
struct FileFilter {
    std::string description;
    std::vector<std::string> patterns;

    friend bool operator==(const FileFilter&, const FileFilter&) = default;
};

// A file dialog's settings; the first filter is the one chosen at first.
struct FileDialogRequest {
    std::string title;
    std::vector<FileFilter> filters;
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
