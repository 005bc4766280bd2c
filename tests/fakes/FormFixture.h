#pragma once
// A main window wired to recording fakes of every port.
#include "app/Form1.h"
#include "fakes/Fakes.h"
#include "fakes/SystemFiles.h"

#include <gtest/gtest.h>

#include <memory>

namespace cursovia::fakes {

class RecordingView : public FormView {
public:
    void controlChanged(ControlId) override {}
    void windowChanged() override {}
    void focusWindow() override { ++windowFocused; }
    void focusControl(ControlId id) override { focused.push_back(id); }
    int windowFocused = 0;
    std::vector<ControlId> focused;
};

struct FormFixture : ::testing::Test {
    MemorySettings settings;
    RecordingDialogs dialogs;
    FakeEventLoop loop;
    RecordingPointer pointer;
    FakeKeySource keys;
    FakeMouseEvents mouseEvents;
    RecordingTray tray;
    RecordingAutostart autostart;
    RecordingShell shell;
    RecordingSkin skin;
    PassThroughEncoding encoding;
    SystemFileReplacement systemFiles;
    RecordingFileReplacement files{systemFiles};
    RecordingView view;
    ProgramInfo program{"/opt/cursovia/cursovia", '/', "xdg-open"};
    int homePageDraw = 50;
    std::uint32_t runSeed = 20261210; // every run draws the same jitters

    std::unique_ptr<Form1> form;

    // A fresh main window (as at a new start of the program), not yet loaded.
    Form1& create() {
        form.reset();
        form = std::make_unique<Form1>(Form1Ports{settings, dialogs, loop, pointer, keys, mouseEvents, tray, autostart, shell,
                                                  skin, encoding, files},
                                       program, [this] { return homePageDraw; }, [this] { return runSeed; });
        form->setView(&view);
        return *form;
    }

    // Creates, loads and shows the window, answering the first-start tip.
    Form1& start() {
        create();
        form->Form_Load();
        form->show();
        return *form;
    }

    // Shuts the window down and starts the program again on the same settings.
    Form1& restart() {
        form->Form_QueryUnload();
        dialogs.shown.clear();
        return start();
    }

    void addRow(const std::string& x, const std::string& y, const std::string& wait, ControlId option) {
        pointer.at = {std::stoi(x), std::stoi(y)};
        keys.press(Key::F6);
        form->Text1_Typed(wait);
        form->click(option);
        form->click(ControlId::PushButton1);
    }

    std::vector<Action> rows() const {
        std::vector<Action> out;
        for (std::size_t i = 0; i < form->list().rowCount(); ++i) out.push_back(form->list().row(i));
        return out;
    }
};

} // namespace cursovia::fakes
