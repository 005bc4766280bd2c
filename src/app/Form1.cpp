#include "app/Form1.h"

#include "app/Form1Parts.h"
#include "base/CallbackBoundary.h"
#include "base/SettingsKeys.h"

#include <ctime>
#include <random>
#include <utility>

namespace cursovia {
namespace {

// The seconds since local midnight, as the start's random draw is seeded.
int drawSeededFromClock() {
    const std::time_t now = std::time(nullptr);
    const std::tm* local = std::localtime(&now);
    const unsigned seed = local ? static_cast<unsigned>(local->tm_hour * 3600 + local->tm_min * 60 + local->tm_sec) : 0u;
    std::minstd_rand generator(seed);
    return static_cast<int>(std::uniform_real_distribution<double>(0.0, 1.0)(generator) * 100) + 1;
}

} // namespace

std::string shortApplicationTitle(const std::string& productName) {
    std::string title = productName;
    do {
        const std::size_t blank = title.find_last_of(' ');
        if (blank == std::string::npos) break;
        title.erase(blank);
    } while (title.size() > 40);
    return title;
}

Form1::Form1(Form1Ports ports, ProgramInfo program, std::function<int()> drawHomePageNumber,
             std::function<std::uint32_t()> runSeed)
    : ports_(ports),
      program_(std::move(program)),
      drawHomePageNumber_(drawHomePageNumber ? std::move(drawHomePageNumber) : drawSeededFromClock),
      runSeed_(std::move(runSeed)),
      parts_(std::make_unique<Parts>(*this)) {
    for (const ControlSpec& spec : controlTable()) {
        ControlState& s = state(spec.id);
        s.caption = spec.caption;
        s.value = spec.value;
        s.visible = spec.visible;
        s.background = spec.background;
    }
    // The window's saved layout for its tray control: out of the tray, the blue "K" icon, no tip.
    parts_->tray.setInTray(false);
    parts_->tray.setTrayIcon(Picture::ProgramIcon);
    parts_->tray.setTrayTip("");
}

Form1::Parts::Parts(Form1& f)
    : form(f),
      automation({f.list_, f.ports_.dialogs, f.ports_.settings, f.ports_.loop, f.ports_.pointer, f.ports_.keys, f.ports_.mouse, f.runSeed_}, *this),
      tray(f.ports_.tray, f.ports_.loop),
      startUp(f.ports_.autostart, f.program_),
      stored(f.list_, f.ports_.settings, [this](const std::string& text) { showWarning(text); }),
      editing(f.list_, stored, *this),
      files(f.list_, f.ports_.dialogs, f.ports_.fileEncoding, f.ports_.fileReplacement, stored, *this) {
    // Only the button release brings the window back, and ends a recording.
    tray.MouseUp = [&f](TrayButton button) { f.cSysTray1_MouseUp(button); };
}

Form1::~Form1() { list_.setObserver(nullptr); }

cSysTray& Form1::cSysTray1() { return parts_->tray; }
modKeyboard& Form1::keyboard() { return parts_->automation.keyboard; }
bool Form1::StopFlag() const { return parts_->automation.run.StopFlag; }

void Form1::Parts::keysChanged() {
    const GlobalKeys& keys = automation.keys;
    form.setCaption(ControlId::Label1, positionLabelCaption(keys));
    form.setCaption(ControlId::PushButton5, automation.run.running() ? stopCaption(keys) : startCaption(keys));
    const std::optional<KeyRole> choosing = automation.keyboard.choosing();
    for (const auto& [box, role] : {std::pair{ControlId::PushButton12, KeyRole::Capture},
                                    std::pair{ControlId::PushButton13, KeyRole::Stop},
                                    std::pair{ControlId::PushButton14, KeyRole::Start}})
        form.setCaption(box, keyBoxCaption(keys, role, choosing == role));
}

void Form1::controlChanged(ControlId id) {
    if (view_) view_->controlChanged(id);
}

void Form1::windowChanged() {
    if (view_) view_->windowChanged();
}

void Form1::setCaption(ControlId id, const std::string& caption) {
    if (state(id).caption == caption) return;
    state(id).caption = caption;
    controlChanged(id);
}

void Form1::setVisible(ControlId id, bool visible) {
    if (state(id).visible == visible) return;
    state(id).visible = visible;
    controlChanged(id);
}

void Form1::setBackground(ControlId id, Colour colour) {
    if (state(id).background == colour) return;
    state(id).background = colour;
    controlChanged(id);
}

void Form1::setChecked(ControlId id, bool checked) {
    if (state(id).value == checked) return;
    state(id).value = checked;
    controlChanged(id);
    if (id == ControlId::Check4) Check4_Click();
    if (id == ControlId::Check8) Check8_Click();
}

void Form1::setOption(ControlId id, bool set) {
    // Only becoming set raises a click.
    if (!selectOption(id, set) || !set) return;
    if (id == ControlId::Option4) Option4_Click();
    if (id == ControlId::Option5) Option5_Click();
    if (optionGroup(id) == ControlId::Frame7) RepeatMode_Click();
}

bool Form1::selectOption(ControlId id, bool set) {
    if (state(id).value == set) return false;
    state(id).value = set;
    controlChanged(id);
    if (!set) return true;
    // Setting one option of a group clears the others.
    const std::optional<ControlId> group = optionGroup(id);
    for (const ControlSpec& other : controlTable())
        if (other.id != id && other.kind == ControlKind::OptionButton && optionGroup(other.id) == group &&
            state(other.id).value) {
            state(other.id).value = false;
            controlChanged(other.id);
        }
    return true;
}

void Form1::setText1(const std::string& text) {
    if (state(ControlId::Text1).caption == text) return;
    state(ControlId::Text1).caption = text;
    controlChanged(ControlId::Text1);
    Text1_Change();
}

void Form1::setWindowVisible(bool visible) {
    if (visible_ == visible) return;
    visible_ = visible;
    windowChanged();
}

void Form1::setWindowState(WindowState state) {
    if (windowState_ == state) return;
    windowState_ = state;
    windowChanged();
    Form_Resize();
}

void Form1::atInput(const std::string& procedure, const std::function<void()>& handler) noexcept {
    runAtCallbackBoundary(procedure.c_str(), &ports_.dialogs, handler);
}

void Form1::userSetWindowState(WindowState state) noexcept {
    atInput("Form1.Form_Resize", [&] { setWindowState(state); });
}

void Form1::showMessage(const std::string& text) {
    ports_.dialogs.messageBox(text, appTitle_, MessageButtons::Ok, MessageIcon::None);
}

void Form1::click(ControlId id) noexcept {
    const std::string procedure = handlerName(id, "Click");
    atInput(procedure, [&] {
        ErrorReport report(ports_.dialogs, procedure);
        switch (id) {
        case ControlId::PushButton1: PushButton1_Click(report); break;
        case ControlId::PushButton2: PushButton2_Click(report); break;
        case ControlId::PushButton3: PushButton3_Click(report); break;
        case ControlId::PushButton4: PushButton4_Click(report); break;
        case ControlId::PushButton5: PushButton5_Click(report); break;
        case ControlId::PushButton6: PushButton6_Click(report); break;
        case ControlId::PushButton7: PushButton7_Click(report); break;
        case ControlId::PushButton8: PushButton8_Click(report); break;
        case ControlId::PushButton9: PushButton9_Click(report); break;
        case ControlId::PushButton10: PushButton10_Click(report); break;
        case ControlId::PushButton11: PushButton11_Click(report); break;
        case ControlId::PushButton12:
        case ControlId::PushButton13:
        case ControlId::PushButton14: {
            const KeyRole role = id == ControlId::PushButton12   ? KeyRole::Capture
                                 : id == ControlId::PushButton13 ? KeyRole::Stop
                                                                 : KeyRole::Start;
            report.at(100, [&] { parts_->automation.keyboard.chooseKey(role); });
            break;
        }
        case ControlId::Check4:
        case ControlId::Check8:
            report.at(100, [&] { setChecked(id, !state(id).value); });
            break;
        default:
            if (controlSpec(id).kind == ControlKind::OptionButton) report.at(100, [&] { setOption(id, true); });
            break;
        }
    });
}

void Form1::MouseMove(std::optional<ControlId> over) noexcept {
    atInput(handlerName(over, "MouseMove"), [&] {
        const bool overButton = over && controlSpec(*over).kind == ControlKind::PushButton;
        const PointerShape shape = overButton ? PointerShape::Custom : PointerShape::Default;
        if (shape == mousePointer_) return;
        mousePointer_ = shape;
        windowChanged();
    });
}



} // namespace cursovia
