#include "Skin.h"

#include "SystemError.h"
#include "Utf16.h"

#include <stdexcept>

namespace cursovia::win32 {

void ColourSkin::loadSkin(const std::string& path, const std::string&) {
    // One colour set per file: there are no variants to pick by name.
    loaded_ = readSkinFile(path);
}

void ColourSkin::applyToMainWindow() {
    if (!loaded_) throw std::runtime_error("No skin is loaded");
    applied_ = true;
    // Dialogs take the window's colours; a skin without them leaves dialogs alone.
    if (dialogs_ && loaded_->window) skinnedDialogs_.start(*loaded_->window, loaded_->text);
    if (repaint_) repaint_();
}

void ColourSkin::loadPointer(const std::string& path) {
    HCURSOR cursor = LoadCursorFromFileW(widen(path).c_str());
    if (!cursor)
        throw std::runtime_error("The pointer file \"" + path + "\" could not be loaded: " + systemMessage(GetLastError()));
    hand_.reset(cursor);
}

std::optional<std::uint32_t> ColourSkin::windowBackground() const {
    // Bit 0 of the options colours the window itself.
    if (!applied_ || !(options_ & 1)) return std::nullopt;
    return loaded_->window;
}

const SkinColours& ColourSkin::controlColours() const {
    static const SkinColours none;
    return applied_ && controls_ ? *loaded_ : none;
}

} // namespace cursovia::win32
