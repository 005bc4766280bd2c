// The optional skin and hand pointer files in the program's folder.
#include "app/Form1.h"
#include "desktop/FileIsPresent.h"

namespace cursovia {

void Form1::ApplySkin() {
    const std::string path = program_.inFolder("\\x\\o.cjs");
    if (!OrdinaryFileIsPresent(path)) return;
    background_ = ButtonFace;
    windowChanged();
    for (const ControlSpec& spec : controlTable())
        if (spec.kind == ControlKind::OptionButton || spec.kind == ControlKind::CheckBox ||
            spec.kind == ControlKind::Frame || spec.kind == ControlKind::Label)
            setBackground(spec.id, ButtonFace);
    Skin& skin = ports_.skin;
    skin.loadSkin(path, "");
    skin.setApplyOptions(skin.applyOptions() | 1);
    skin.setSkinControls(true);
    skin.setSkinDialogs(true);
    skin.applyToMainWindow();
}

void Form1::LoadHandPointer() {
    const std::string path = program_.inFolder("\\HAND-M.CUR");
    if (!FileIsPresent(path)) return;
    ports_.skin.loadPointer(path);
    handPointerLoaded_ = true;
    windowChanged();
}

} // namespace cursovia
