#pragma once
#include "desktop/Skin.h"

namespace cursovia::qtx11 {

class MainWindow;

// The skin as Qt palettes: the skin's colours become the main window's
// palette and the application's, which every message box and file dialog
// takes. The hand pointer is a QCursor made from the Windows cursor file,
// which Qt's ICO reader understands.
class QtSkin : public Skin {
public:
    explicit QtSkin(MainWindow& window) : window_(window) {}

    // The window colours the window's background and its text (the frame
    // belongs to the window manager); the others colour the push buttons, the
    // list, the wait box and the selection.
    void apply(const SkinColours& colours) override;
    // Throws std::runtime_error when Qt cannot read the file as a picture.
    void loadPointer(const std::string& path) override;

private:
    MainWindow& window_;
};

} // namespace cursovia::qtx11
