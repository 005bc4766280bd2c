#pragma once
#include "Handles.h"
#include "SkinnedDialogs.h"
#include "desktop/Skin.h"
#include "desktop/SkinFile.h"

#include <functional>
#include <optional>

namespace cursovia::win32 {

// The skin as colours from the skin file, painted by the main window through
// its WM_CTLCOLOR* brushes and custom draw, and by the program's dialogs when
// they are skinned too; and the hand pointer.
class ColourSkin : public Skin {
public:
    void loadSkin(const std::string& path, const std::string& iniName) override;
    std::int32_t applyOptions() override { return options_; }
    void setApplyOptions(std::int32_t options) override { options_ = options; }
    void setSkinControls(bool on) override { controls_ = on; }
    void setSkinDialogs(bool on) override { dialogs_ = on; }
    void applyToMainWindow() override;
    void loadPointer(const std::string& path) override;

    // The main window repaints itself when the skin is applied.
    void onApplied(std::function<void()> repaint) { repaint_ = std::move(repaint); }

    // What the main window paints with; each is empty where the skin leaves the desktop's colour.
    std::optional<std::uint32_t> windowBackground() const;
    const SkinColours& controlColours() const;
    HCURSOR handPointer() const { return hand_.get(); }

private:
    std::optional<SkinColours> loaded_;
    bool applied_ = false;
    std::int32_t options_ = 0;
    bool controls_ = false;
    bool dialogs_ = false;
    SkinnedDialogs skinnedDialogs_;
    UniqueCursor hand_;
    std::function<void()> repaint_;
};

} // namespace cursovia::win32
