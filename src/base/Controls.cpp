#include "base/Controls.h"

namespace cursovia {
namespace {

using K = ControlKind;
using C = ControlId;

// Left column: the entry controls and options; right column: the list and its
// commands; below both, a band of more options. Client area 1064 x 540.
constexpr std::array<ControlSpec, ControlCount> Table{{
    {C::Frame5, "Frame5", K::Frame, "List Option", std::nullopt, {8, 176, 508, 76}, false, true, White},
    {C::Option4, "Option4", K::OptionButton, "Start from first item in list below", C::Frame5, {16, 196, 490, 22}, true, true, White},
    {C::Option5, "Option5", K::OptionButton, "Start from selected item in list below", C::Frame5, {16, 222, 490, 22}, false, true, White},
    {C::Frame4, "Frame4", K::Frame, "Startup Options", std::nullopt, {8, 260, 508, 76}, false, true, White},
    {C::Check8, "Check8", K::CheckBox, "Minimized to system tray", C::Frame4, {16, 306, 490, 22}, false, false, White},
    {C::Check4, "Check4", K::CheckBox, "Load this software on Windows startup", C::Frame4, {16, 280, 490, 22}, false, true, White},
    {C::Frame2, "Frame2", K::Frame, "Wait This Amount Of Seconds After Move and Click", std::nullopt, {8, 116, 508, 52}, false, true, White},
    {C::Text1, "Text1", K::TextBox, "0", C::Frame2, {16, 136, 140, 24}, false, true, White},
    {C::PushButton2, "PushButton2", K::PushButton, "Help", std::nullopt, {264, 382, 120, 28}, false, true, White},
    {C::Frame1, "Frame1", K::Frame, "Mouse Position", std::nullopt, {8, 8, 300, 100}, false, true, White},
    {C::Label1, "Label1", K::Label, "Mouse mouse and press F6 to set position", C::Frame1, {16, 28, 284, 20}, false, true, WindowBackground},
    {C::lblYPosition, "lblYPosition", K::Label, "0", C::Frame1, {104, 78, 96, 20}, false, true, White},
    {C::lblXPosition, "lblXPosition", K::Label, "0", C::Frame1, {104, 54, 96, 20}, false, true, White},
    {C::Label6, "Label6", K::Label, "Y Position: ", C::Frame1, {16, 78, 84, 20}, false, true, White},
    {C::Label4, "Label4", K::Label, "X Position:", C::Frame1, {16, 54, 84, 20}, false, true, White},
    {C::ListView1, "ListView1", K::ListView, "", std::nullopt, {528, 8, 528, 288}, false, true, White},
    {C::PushButton1, "PushButton1", K::PushButton, "Add Action To End Of List", std::nullopt, {528, 302, 262, 32}, false, true, White},
    {C::PushButton7, "PushButton7", K::PushButton, "Insert Action After Selected Item", std::nullopt, {794, 302, 262, 32}, false, true, White},
    {C::PushButton3, "PushButton3", K::PushButton, "Remove Selected Action", std::nullopt, {528, 338, 262, 32}, false, true, White},
    {C::PushButton4, "PushButton4", K::PushButton, "Clear Actions", std::nullopt, {794, 338, 262, 32}, false, true, White},
    {C::PushButton8, "PushButton8", K::PushButton, "Save Actions To File", std::nullopt, {528, 374, 262, 32}, false, true, White},
    {C::PushButton9, "PushButton9", K::PushButton, "Load Actions From File", std::nullopt, {794, 374, 262, 32}, false, true, White},
    {C::PushButton5, "PushButton5", K::PushButton, "Start Running (Press Ctrl + Alt + S To Stop)", std::nullopt, {8, 344, 508, 34}, false, true, White},
    {C::Frame3, "Frame3", K::Frame, "Click Option", std::nullopt, {316, 8, 200, 100}, false, true, White},
    {C::Option3, "Option3", K::OptionButton, "Double Click", C::Frame3, {326, 78, 180, 22}, false, true, White},
    {C::Option2, "Option2", K::OptionButton, "Single Click", C::Frame3, {326, 54, 180, 22}, false, true, White},
    {C::Option1, "Option1", K::OptionButton, "No Mouse Click", C::Frame3, {326, 30, 180, 22}, true, true, White},
    {C::PushButton6, "PushButton6", K::PushButton, "Load Sample/Example Actions", std::nullopt, {8, 382, 250, 28}, false, true, White},
    {C::PushButton10, "PushButton10", K::PushButton, "Not Working?", std::nullopt, {390, 382, 126, 28}, false, true, White},
    {C::Frame6, "Frame6", K::Frame, "More Click Options", std::nullopt, {8, 420, 300, 112}, false, true, White},
    {C::Option6, "Option6", K::OptionButton, "Right Click", C::Frame6, {18, 440, 142, 22}, false, true, White},
    {C::Option7, "Option7", K::OptionButton, "Middle Click", C::Frame6, {18, 462, 142, 22}, false, true, White},
    {C::Option8, "Option8", K::OptionButton, "Right Double Click", C::Frame6, {18, 484, 142, 22}, false, true, White},
    {C::Option9, "Option9", K::OptionButton, "Left Down", C::Frame6, {18, 506, 142, 22}, false, true, White},
    {C::Option10, "Option10", K::OptionButton, "Left Up", C::Frame6, {164, 440, 136, 22}, false, true, White},
    {C::Option11, "Option11", K::OptionButton, "Scroll Up", C::Frame6, {164, 462, 136, 22}, false, true, White},
    {C::Option12, "Option12", K::OptionButton, "Scroll Down", C::Frame6, {164, 484, 136, 22}, false, true, White},
    {C::Frame7, "Frame7", K::Frame, "Repeat", std::nullopt, {316, 420, 200, 112}, false, true, White},
    {C::optUntilStopped, "optUntilStopped", K::OptionButton, "Until stopped", C::Frame7, {326, 440, 180, 22}, true, true, White},
    {C::optRepeatTimes, "optRepeatTimes", K::OptionButton, "Times", C::Frame7, {326, 467, 86, 22}, false, true, White},
    {C::optRepeatFor, "optRepeatFor", K::OptionButton, "For", C::Frame7, {326, 497, 86, 22}, false, true, White},
    {C::txtRepeatCount, "txtRepeatCount", K::TextBox, "1", C::Frame7, {416, 466, 90, 24}, false, true, White},
    {C::txtRepeatDuration, "txtRepeatDuration", K::TextBox, "0:01:00", C::Frame7, {416, 496, 90, 24}, false, true, White},
    {C::Frame8, "Frame8", K::Frame, "Randomness", std::nullopt, {528, 420, 200, 76}, false, true, White},
    {C::lblPositionJitter, "lblPositionJitter", K::Label, "Position \u00B1 px", C::Frame8, {538, 442, 110, 20}, false, true, White},
    {C::txtPositionJitter, "txtPositionJitter", K::TextBox, "0", C::Frame8, {652, 440, 66, 24}, false, true, White},
    {C::lblWaitJitter, "lblWaitJitter", K::Label, "Wait \u00B1 %", C::Frame8, {538, 468, 110, 20}, false, true, White},
    {C::txtWaitJitter, "txtWaitJitter", K::TextBox, "0", C::Frame8, {652, 466, 66, 24}, false, true, White},
    // The global keys: click a box, then press the new combination.
    {C::Frame9, "Frame9", K::Frame, "Keys", std::nullopt, {736, 420, 320, 112}, false, true, White},
    {C::lblCaptureKey, "lblCaptureKey", K::Label, "Capture:", C::Frame9, {744, 442, 92, 24}, false, true, White},
    {C::PushButton12, "PushButton12", K::PushButton, "F6", C::Frame9, {840, 440, 208, 26}, false, true, White},
    {C::lblStopKey, "lblStopKey", K::Label, "Stop:", C::Frame9, {744, 472, 92, 24}, false, true, White},
    {C::PushButton13, "PushButton13", K::PushButton, "Ctrl+S", C::Frame9, {840, 470, 208, 26}, false, true, White},
    {C::lblStartKey, "lblStartKey", K::Label, "Start/stop:", C::Frame9, {744, 502, 92, 24}, false, true, White},
    {C::PushButton14, "PushButton14", K::PushButton, "(none)", C::Frame9, {840, 500, 208, 26}, false, true, White},
    // Records the user's clicks anywhere on the desktop as rows.
    {C::PushButton11, "PushButton11", K::PushButton, "Record", std::nullopt, {528, 500, 200, 32}, false, true, White},
}};

constexpr bool tableInDeclarationOrder() {
    for (std::size_t i = 0; i < Table.size(); ++i)
        if (static_cast<std::size_t>(Table[i].id) != i) return false;
    return true;
}
static_assert(tableInDeclarationOrder(), "the control table must follow ControlId's order");

} // namespace

const std::array<ControlSpec, ControlCount>& controlTable() { return Table; }
const ControlSpec& controlSpec(ControlId id) { return Table[static_cast<std::size_t>(id)]; }

std::optional<ControlId> optionGroup(ControlId option) {
    const std::optional<ControlId> frame = controlSpec(option).container;
    return frame == C::Frame6 ? C::Frame3 : frame;
}

std::string handlerName(std::optional<ControlId> control, std::string_view event) {
    const std::string_view name = control ? controlSpec(*control).name : "Form";
    return "Form1." + std::string(name) + "_" + std::string(event);
}

} // namespace cursovia
