#pragma once
#include "base/Controls.h"
#include "base/ProgramInfo.h"
#include "desktop/Skin.h"

namespace cursovia {

// What the look and feel changes on the main window.
class SkinnedWindow {
public:
    virtual ~SkinnedWindow() = default;
    virtual void setWindowBackground(Colour colour) = 0;
    virtual void setControlBackground(ControlId id, Colour colour) = 0;
    // The hand pointer file was loaded as the window's custom pointer picture.
    virtual void handPointerLoaded() = 0;
};

// The optional skin and hand pointer files in the program's folder, looked
// for once at start-up; a missing file is skipped silently. Neither has an
// error trap: a failure passes to the caller's.
void ApplySkin(const ProgramInfo& program, Skin& skin, SkinnedWindow& window);
void LoadHandPointer(const ProgramInfo& program, Skin& skin, SkinnedWindow& window);

} // namespace cursovia
