#pragma once
#include "desktop/Skin.h"
#include "desktop/SkinFile.h"

#include <optional>

namespace cursovia::x11 {

class MainWindow;

// The skin as Qt palettes: the colours of the skin file become the main
// window's palette (and, with dialogs on, the application's, which every
// message box and file dialog takes). The hand pointer is a QCursor made from
// the Windows cursor file, which Qt's ICO reader understands.
class QtSkin : public Skin {
public:
    explicit QtSkin(MainWindow& window) : window_(window) {}

    // The skin file has no variants: `iniName` is not used.
    void loadSkin(const std::string& path, const std::string& iniName) override;
    std::int32_t applyOptions() override { return options_; }
    void setApplyOptions(std::int32_t options) override { options_ = options; }
    void setSkinControls(bool on) override { controls_ = on; }
    void setSkinDialogs(bool on) override { dialogs_ = on; }
    // Bit 0 of the options colours the window's background and its text (the
    // frame belongs to the window manager); the controls switch colours the
    // push buttons, the list, the wait box and the selection.
    void applyToMainWindow() override;
    // Throws std::runtime_error when Qt cannot read the file as a picture.
    void loadPointer(const std::string& path) override;

private:
    MainWindow& window_;
    std::optional<SkinColours> colours_;
    std::int32_t options_ = 0;
    bool controls_ = false;
    bool dialogs_ = false;
};

} // namespace cursovia::x11
