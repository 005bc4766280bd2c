#pragma once
// The subsystems behind Form1, for the presenter's own source files only.
#include "actions/ListEditing.h"
#include "actions/ListFiles.h"
#include "app/Form1.h"
#include "actions/PersistedList.h"
#include "automation/Automation.h"
#include "base/Dialogs.h"
#include "base/ErrorReport.h"
#include "base/EventLoop.h"
#include "base/SettingsStore.h"
#include "desktop/LookAndFeel.h"
#include "desktop/cSysTray.h"
#include "desktop/mStartUp.h"
#include "guidance/ShellOpen.h"

namespace cursovia {

// Each subsystem sees the window through its own small interface; Parts
// answers them from the window's state.
struct Form1::Parts final : ListHost, RunWindow, SkinnedWindow {
    explicit Parts(Form1& form);

    // ListHost, RunWindow
    void showMessage(const std::string& text) override { form.showMessage(text); }

    // ListHost
    void showWarning(const std::string& text) override {
        form.ports_.dialogs.messageBox(text, form.appTitle_, MessageButtons::Ok, MessageIcon::Exclamation);
    }

    // RunWindow
    const std::string& buttonCaption() const override { return form.control(ControlId::PushButton5).caption; }
    void setButtonCaption(const std::string& caption) override { form.setCaption(ControlId::PushButton5, caption); }
    bool startsFromFirstRow() const override { return form.control(ControlId::Option4).value; }
    bool startsFromSelectedRow() const override { return form.control(ControlId::Option5).value; }
    void minimise() override { form.setWindowState(WindowState::Minimized); }
    void showWindow() override { form.setWindowVisible(true); }
    void focusWindow() override {
        if (form.view_) form.view_->focusWindow();
    }
    void clearTrayHidden() override { form.trayHidden_ = false; }
    RunOptions runOptions() const override { return form.runOptions_; }
    void showProgress(const std::string& progress) override { form.showRunProgress(progress); }
    void showPosition(const std::string& x, const std::string& y) override {
        form.setCaption(ControlId::lblXPosition, x);
        form.setCaption(ControlId::lblYPosition, y);
    }
    void keysChanged() override;
    void endRecording(MonotonicTime at) override { form.endRecording(at); }

    // SkinnedWindow
    void setWindowBackground(Colour colour) override {
        form.background_ = colour;
        form.windowChanged();
    }
    void setControlBackground(ControlId id, Colour colour) override { form.setBackground(id, colour); }
    void handPointerLoaded() override {
        form.handPointerLoaded_ = true;
        form.windowChanged();
    }

    Form1& form;
    Automation automation;
    cSysTray tray;
    mStartUp startUp;
    PersistedList stored;
    ListEditing editing;
    ListFiles files;
};

} // namespace cursovia
