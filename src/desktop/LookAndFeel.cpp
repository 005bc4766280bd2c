// The optional skin and hand pointer files in the program's folder.
#include "desktop/LookAndFeel.h"

#include "desktop/FileIsPresent.h"

namespace cursovia {

void ApplySkin(const ProgramInfo& program, Skin& skin, SkinnedWindow& window) {
    const std::string path = program.inFolder({"x", "o.cjs"});
    if (!OrdinaryFileIsPresent(path)) return;
    window.setWindowBackground(ButtonFace);
    for (const ControlSpec& spec : controlTable())
        if (spec.kind == ControlKind::OptionButton || spec.kind == ControlKind::CheckBox ||
            spec.kind == ControlKind::Frame || spec.kind == ControlKind::Label)
            window.setControlBackground(spec.id, ButtonFace);
    // The skin colours all it names: the window's own background and text,
    // its controls, and the program's dialogs.
    skin.apply(readSkinFile(path));
}

void LoadHandPointer(const ProgramInfo& program, Skin& skin, SkinnedWindow& window) {
    const std::string path = program.inFolder({"HAND-M.CUR"});
    if (!FileIsPresent(path)) return;
    skin.loadPointer(path);
    window.handPointerLoaded();
}

} // namespace cursovia
