// The options of the main window: start at log-on, start hidden, where a run
// starts, and the wait box. Each writes its setting the moment it changes.
#include "app/Form1.h"
#include "app/Form1Parts.h"
#include "base/Conversions.h"
#include "base/SettingsKeys.h"

namespace cursovia {
namespace {

std::string key(const settings::Key& k) { return std::string(k.name); }
std::string onOff(bool on) { return std::string(on ? settings::On : settings::Off); }

} // namespace

void Form1::Check4_Click() {
    if (formLoading_) return;
    if (control(ControlId::Check4).value) {
        setVisible(ControlId::Check8, true);
        ports_.settings.write(key(settings::WindowsStartup), onOff(true));
        try {
            parts_->startUp.AddToStartup();
        } catch (const std::exception& e) {
            // The box must not claim what the desktop will not do: back to off.
            showMessage(std::string("This software could not be set to start when you log on.\r\n\r\n") + e.what());
            setChecked(ControlId::Check4, false);
        }
        return;
    }
    setChecked(ControlId::Check8, false);
    setVisible(ControlId::Check8, false);
    ports_.settings.write(key(settings::WindowsStartup), onOff(false));
    try {
        parts_->startUp.RemoveFromStartup();
    } catch (const std::exception& e) {
        showMessage(std::string("This software could not be removed from the programs started when you log on.\r\n\r\n") +
                    e.what());
    }
}

void Form1::Check8_Click() {
    ports_.settings.write(key(settings::Minimized), onOff(control(ControlId::Check8).value));
}

void Form1::Option4_Click() {
    ports_.settings.write(key(settings::Option4), booleanToText(control(ControlId::Option4).value));
    ports_.settings.write(key(settings::Option5), booleanToText(control(ControlId::Option5).value));
}

void Form1::Option5_Click() { Option4_Click(); }

void Form1::Text1_Change() { ports_.settings.write(key(settings::Wait), control(ControlId::Text1).caption); }

void Form1::Text1_Typed(const std::string& text) noexcept {
    atInput("Form1.Text1_Change",
            [&] { ErrorReport(ports_.dialogs, "Form1.Text1_Change").at(100, [&] { setText1(text); }); });
}

void Form1::Text1_GotFocus() noexcept {
    atInput("Form1.Text1_GotFocus", [&] {
        ControlState& box = state(ControlId::Text1);
        box.selectionStart = 0;
        box.selectionLength = static_cast<int>(box.caption.size());
        controlChanged(ControlId::Text1);
    });
}

void Form1::Text1_LostFocus() noexcept {
    atInput("Form1.Text1_LostFocus", [&] {
        if (isNumeric(control(ControlId::Text1).caption)) return;
        showMessage("Must be a numeric entry.");
        if (view_) view_->focusControl(ControlId::Text1);
    });
}

} // namespace cursovia
