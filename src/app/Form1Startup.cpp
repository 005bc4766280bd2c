// Start-up, showing the window, hiding in the tray and shutdown.
#include "app/Form1.h"
#include "app/Form1Parts.h"
#include "actions/PersistedList.h"
#include "base/Conversions.h"
#include "base/SettingsKeys.h"

namespace cursovia {
namespace {

std::string firstStartTip(const GlobalKeys& keys) {
    return "This is a one-time message since this is your first time using this software. Please remember this tip: "
           "use the " +
           combinationText(keys[KeyRole::Capture]) +
           " key to capture your current mouse coordinates. You can also click on the 'Help' button for more "
           "instructions.";
}

const std::string TrayMessage = "has been minimized to the system tray.\r\n"
                                "Click on the blue 'K' icon (K for Kelvardo) to bring the software back.";

const std::string HomePage = "http://www.kelvardo.com";

constexpr int ColumnWidth = 120; // 1,800 twips

std::string key(const settings::Key& k) { return std::string(k.name); }
std::string fallback(const settings::Key& k) { return std::string(k.startupDefault); }

} // namespace

void Form1::Form_Load() {
    ErrorReport report(ports_.dialogs, "Form1.Form_Load");
    SettingsStore& store = ports_.settings;

    std::string keysIgnored;
    report.at(100, [&] {
        formLoading_ = true;
        // The texts from here on name the keys as chosen.
        keysIgnored = parts_->automation.keyboard.readKeys();
    });
    report.at(102, [&] { ApplySkin(program_, ports_.skin, *parts_); });
    report.at(104, [&] { LoadHandPointer(program_, ports_.skin, *parts_); });
    report.at(106, [&] { homePageChance(); });
    report.at(108, [&] {
        const double loads = textToNumber(store.read(key(settings::Loads), fallback(settings::Loads))) + 1;
        store.write(key(settings::Loads), numberToText(loads));
    });
    if (report.test(110, [&] { return textToNumber(store.read(key(settings::Loads), "")) == 1; }))
        report.at(112, [&] {
            ports_.dialogs.messageBox(firstStartTip(parts_->automation.keys), appTitle_, MessageButtons::Ok, MessageIcon::None);
        });
    report.at(114, [&] { parts_->tray.setTrayTip(ProductName); });
    report.at(116, [&] {
        iconSet_ = true;
        windowChanged();
    });
    report.at(118, [&] { parts_->tray.setInTray(true); });
    report.at(120, [&] {
        caption_ = ProductName;
        windowChanged();
    });
    report.at(122, [&] { appTitle_ = shortApplicationTitle(ProductName); });
    report.at(124, [&] { setText1(store.read(key(settings::Wait), fallback(settings::Wait))); });
    report.at(126, [&] {
        for (const char* header : {"X Position", " Y Position", " Wait (seconds)", "Action"})
            columns_.push_back({header, ColumnWidth});
        windowChanged();
    });
    parts_->stored.restore(list_, report, 128, 130);
    report.at(138, [&] { setBackground(ControlId::Label1, White); });
    restoreStartupOptions(report);
    report.at(154, [&] {
        setOption(ControlId::Option4, textToBoolean(store.read(key(settings::Option4), fallback(settings::Option4))));
    });
    report.at(156, [&] {
        setOption(ControlId::Option5, textToBoolean(store.read(key(settings::Option5), fallback(settings::Option5))));
    });
    report.at(158, [&] {
        parts_->automation.keyboard.InstallKeyboardHook();
        if (!keysIgnored.empty()) showMessage(keysIgnored);
    });
    report.at(160, [&] { formLoading_ = false; });
    restoreRunOptions(report);
}

void Form1::restoreStartupOptions(ErrorReport& report) {
    SettingsStore& store = ports_.settings;
    report.at(140, [&] { setChecked(ControlId::Check4, isOn(store.read(key(settings::WindowsStartup), ""))); });
    report.at(142, [&] { setChecked(ControlId::Check8, isOn(store.read(key(settings::Minimized), ""))); });
    if (report.test(144, [&] { return control(ControlId::Check4).value; })) {
        report.at(146, [&] { setVisible(ControlId::Check8, true); });
        if (report.test(148, [&] { return control(ControlId::Check8).value; }))
            report.at(150, [&] {
                // Hides the window in the tray when it is first shown.
                windowState_ = WindowState::Minimized;
            });
    } else {
        report.at(152, [&] { setVisible(ControlId::Check8, false); });
    }
}

void Form1::show() {
    if (windowState_ == WindowState::Minimized) {
        Form_Resize();
        return;
    }
    setWindowVisible(true);
}

void Form1::homePageChance() {
    if (drawHomePageNumber_() == 7)
        ports_.shell.startProgram({program_.browserProgram, {HomePage}});
}

void Form1::Form_Resize() {
    if (windowState_ != WindowState::Minimized || trayHidden_) return;
    setWindowVisible(false);
    setWindowState(WindowState::Normal);
    trayHidden_ = true;
    parts_->tray.ShowBalloon(TrayMessage, ProductName, 5, true);
}

// Back from the tray, whatever the window's state.
void Form1::cSysTray1_MouseUp(TrayButton button) {
    Automation& automation = parts_->automation;
    if (!automation.recording.active()) return comeBack();
    automation.recording.trayClicked(button == TrayButton::Right ? MouseButton::Right : MouseButton::Left);
    endRecording(ports_.loop.now());
}

void Form1::AnotherCopyStarted() noexcept {
    atInput("Form1.AnotherCopyStarted", [&] { comeBack(); });
}

void Form1::comeBack() {
    visible_ = true;
    windowChanged();
    if (view_) view_->focusWindow();
    trayHidden_ = false;
}

void Form1::Form_QueryUnload() noexcept {
    atInput("Form1.Form_QueryUnload", [&] {
        ErrorReport report(ports_.dialogs, "Form1.Form_QueryUnload");
        // A run may be under way further down the stack: it must not leave a button held.
        parts_->automation.run.releaseHeldButtons();
        report.at(100, [&] { parts_->automation.keyboard.RemoveKeyboardHook(); });
        report.at(102, [&] {
            if (parts_->stored.unsaved()) parts_->stored.save();
        });
        report.at(104, [&] { parts_->tray.setInTray(false); });
        report.at(106, [&] { ports_.loop.processPendingEvents(); });
        report.at(108, [&] { ports_.loop.processPendingEvents(); });
        report.at(110, [&] { ports_.loop.processPendingEvents(); });
        // Form_Unload: the program ends here, whatever else is running.
        ports_.loop.endProcess();
    });
}

} // namespace cursovia
