#pragma once
#include "Handles.h"
#include "SkinnedDialogs.h"
#include "desktop/Skin.h"

#include <functional>
#include <optional>

namespace cursovia::win32 {

// The skin as colours from the skin file, painted by the main window through
// its WM_CTLCOLOR* brushes and custom draw, and by the program's dialogs;
// and the hand pointer.
class ColourSkin : public Skin {
public:
    void apply(const SkinColours& colours) override;
    void loadPointer(const std::string& path) override;

    // The main window repaints itself when the skin is applied.
    void onApplied(std::function<void()> repaint) { repaint_ = std::move(repaint); }

    // What the main window paints with; each is empty where the skin leaves the desktop's colour.
    std::optional<std::uint32_t> windowBackground() const { return colours_.window; }
    const SkinColours& controlColours() const { return colours_; }
    HCURSOR handPointer() const { return hand_.get(); }

private:
    SkinColours colours_; // none until a skin is applied
    SkinnedDialogs skinnedDialogs_;
    UniqueCursor hand_;
    std::function<void()> repaint_;
};

} // namespace cursovia::win32
