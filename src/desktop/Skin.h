#pragma once
#include "desktop/SkinFile.h"

#include <string>

namespace cursovia {

// How the main window looks under a skin, and its hand pointer. The core
// finds and reads the skin file and decides what it colours; the adapter
// paints. Until apply is called (never, without a skin file) the window shows
// the desktop's colours and those the presenter gives its controls. Each call
// may throw std::runtime_error, which the start-up reports.
class Skin {
public:
    virtual ~Skin() = default;
    // Paints the main window with `colours`, and the program's message boxes
    // and dialogs alike; a colour left empty stays as the desktop has it.
    virtual void apply(const SkinColours& colours) = 0;
    // Loads the cursor file at `path` as the window's custom pointer picture.
    virtual void loadPointer(const std::string& path) = 0;
};

} // namespace cursovia
