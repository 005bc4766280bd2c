#include "SkinAdapter.h"

#include "SystemError.h"
#include "Utf16.h"

#include <stdexcept>

namespace cursovia::win32 {

void ColourSkin::apply(const SkinColours& colours) {
    colours_ = colours;
    // Dialogs take the window's colours; a skin without them leaves dialogs alone.
    if (colours_.window) skinnedDialogs_.start(*colours_.window, colours_.text);
    if (repaint_) repaint_();
}

void ColourSkin::loadPointer(const std::string& path) {
    HCURSOR cursor = LoadCursorFromFileW(widen(path).c_str());
    if (!cursor)
        throw std::runtime_error("The pointer file \"" + path + "\" could not be loaded: " + systemMessage(GetLastError()));
    hand_.reset(cursor);
}

} // namespace cursovia::win32
