#pragma once
#include <cstdint>
#include <string>

namespace cursovia {

// The skin engine of the main window and its hand pointer. The skin file's
// format is described in desktop/SkinFile.h; the adapter reads it with
// readSkinFile. Each call may throw std::runtime_error, which the start-up
// reports.
class Skin {
public:
    virtual ~Skin() = default;
    // Loads the skin description at `path`; `iniName` selects a variant, empty for the default.
    virtual void loadSkin(const std::string& path, const std::string& iniName) = 0;
    // Option bits of the loaded skin; bit 0 colours the window's own frame and background.
    virtual std::int32_t applyOptions() = 0;
    virtual void setApplyOptions(std::int32_t options) = 0;
    // Whether the skin colours the window's child controls.
    virtual void setSkinControls(bool on) = 0;
    // Whether the skin colours the program's message boxes and dialogs.
    virtual void setSkinDialogs(bool on) = 0;
    // Applies the loaded skin to the main window.
    virtual void applyToMainWindow() = 0;
    // Loads the cursor file at `path` as the window's custom pointer picture.
    virtual void loadPointer(const std::string& path) = 0;
};

} // namespace cursovia
