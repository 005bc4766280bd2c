#pragma once
// The presenter as its views see it: the view interface, the state the view
// renders and the user's input. The subsystems it drives stay behind it.
#include "automation/KeyCombination.h"
#include "automation/RunOptions.h"
#include "base/ActionList.h"
#include "base/Controls.h"
#include "base/EventLoop.h"
#include "base/ProgramInfo.h"
#include "desktop/TrayShell.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace cursovia {

class AutostartEntry;
class cSysTray;
class Dialogs;
class ErrorReport;
class EventLoop;
class FileReplacement;
class KeyEventSource;
class MouseEventSource;
class modKeyboard;
class Pointer;
class SettingsStore;
class ShellOpen;
class Skin;
class TextEncoding;
class TrayShell;

inline constexpr const char* ProductName = "Cursovia";

enum class WindowState { Normal, Minimized, Maximized };
enum class ListCommand : std::uint8_t;
enum class PointerShape { Default, Custom };

struct ListColumn {
    std::string header;
    int width = 0; // pixels at 96 dots per inch
};

// What the platform's window does for the presenter. The view renders the
// presenter's state when told it changed and forwards the user's input to
// the presenter's handlers; it decides nothing.
class FormView {
public:
    virtual ~FormView() = default;
    virtual void controlChanged(ControlId id) = 0;
    // Caption, icon, state, visibility, background, pointer shape or columns changed.
    virtual void windowChanged() = 0;
    // Brings the window to the front with the keyboard focus.
    virtual void focusWindow() = 0;
    virtual void focusControl(ControlId id) = 0;
};

// Everything outside the core that the main window talks to.
struct Form1Ports {
    SettingsStore& settings;
    Dialogs& dialogs;
    EventLoop& loop;
    Pointer& pointer;
    KeyEventSource& keys;
    MouseEventSource& mouse;
    TrayShell& tray;
    AutostartEntry& autostart;
    ShellOpen& shell;
    Skin& skin;
    TextEncoding& fileEncoding;
    FileReplacement& fileReplacement;
};

// The main window's behaviour: its controls' state, start-up, the handlers of
// every control, the run, the tray icon and shutdown. Everything runs on the
// user-interface thread; handlers may re-enter each other while a run, a
// balloon or a message box waits.
class Form1 {
public:
    // `drawHomePageNumber` draws the start's whole number from 1 to 100;
    // by default a generator seeded from the seconds since midnight.
    // `runSeed` seeds each run's random source; by default the clock.
    Form1(Form1Ports ports, ProgramInfo program, std::function<int()> drawHomePageNumber = {},
          std::function<std::uint32_t()> runSeed = {});
    ~Form1();
    Form1(const Form1&) = delete;
    Form1& operator=(const Form1&) = delete;

    void setView(FormView* view) { view_ = view; }

    // Start-up, then showing the window: a window restored minimised hides
    // itself in the tray instead of appearing.
    void Form_Load();
    void show();

    // --- What the view renders -------------------------------------------
    const ControlState& control(ControlId id) const { return controls_[index(id)]; }
    ActionList& list() { return list_; }
    const ActionList& list() const { return list_; }
    const std::vector<ListColumn>& columns() const { return columns_; }
    const std::string& caption() const { return caption_; }
    bool iconSet() const { return iconSet_; }
    WindowState windowState() const { return windowState_; }
    bool visible() const { return visible_; }
    Colour background() const { return background_; }
    PointerShape mousePointer() const { return mousePointer_; }
    bool handPointerLoaded() const { return handPointerLoaded_; }
    const std::string& applicationTitle() const { return appTitle_; }

    bool StopFlag() const;
    bool TrayHidden() const { return trayHidden_; }
    bool FormLoading() const { return formLoading_; }
    // The Repeat and Randomness options in effect.
    const RunOptions& runOptions() const { return runOptions_; }
    cSysTray& cSysTray1();
    modKeyboard& keyboard();

    // --- The user's input, forwarded by the view ---------------------------
    // Each runs where the platform calls into the program, so none lets a
    // failure out: what its handler's own error trap did not catch is logged
    // and shown as the error report under the handler's name
    // ("Form1.ListView1_DblClick").
    // A click on a push button, check box (toggles it) or option button (sets it).
    void click(ControlId id) noexcept;
    // The user changed the wait box's text.
    void Text1_Typed(const std::string& text) noexcept;
    void Text1_GotFocus() noexcept;
    void Text1_LostFocus() noexcept;
    // The same for any text box of the window (Text1's are the three above).
    void textTyped(ControlId box, const std::string& text) noexcept;
    void textGotFocus(ControlId box) noexcept;
    void textLostFocus(ControlId box) noexcept;
    // The user selected a row (or none) in the list.
    void ListView1_Select(std::optional<std::size_t> row) noexcept;
    void ListView1_DblClick() noexcept;
    // A key pressed in the list with the modifiers held: Delete (whatever is
    // held) removes the selected row, Alt+Up and Alt+Down move it. False for
    // every other key, which stays the list's own (moving the selection).
    bool ListView1_KeyDown(Key key, Modifiers held) noexcept;
    // A command of the list's context menu (also Alt+Up and Alt+Down), on the selected row.
    void ListView1_Command(ListCommand command) noexcept;
    // The user dragged row `from` onto row `to`.
    void ListView1_OLEDragDrop(std::size_t from, std::size_t to) noexcept;
    // The pointer moved over a control, or over the window's own background (nullopt).
    void MouseMove(std::optional<ControlId> over) noexcept;
    // The user (or the desktop) changed the window's state. Views call it from
    // the event loop after the system has completed the change, never from
    // inside the system's notification of it: minimising waits there for the
    // tray balloon.
    void userSetWindowState(WindowState state) noexcept;
    // The program was started again in this session: this copy comes back.
    void AnotherCopyStarted() noexcept;
    // The window is about to close, for whatever reason; ends the process.
    void Form_QueryUnload() noexcept;

private:
    // The subsystems the window drives, and the window as each of them sees it.
    struct Parts;

    // The handlers the view reaches through click() (the command buttons with
    // the error report click() names after them), setting a value from code,
    // or a change of the window's state.
    void PushButton1_Click(ErrorReport& report);
    void PushButton2_Click(ErrorReport& report);
    void PushButton3_Click(ErrorReport& report);
    void PushButton4_Click(ErrorReport& report);
    void PushButton5_Click(ErrorReport& report);
    void PushButton6_Click(ErrorReport& report);
    void PushButton7_Click(ErrorReport& report);
    void PushButton8_Click(ErrorReport& report);
    void PushButton9_Click(ErrorReport& report);
    void PushButton10_Click(ErrorReport& report);
    void PushButton11_Click(ErrorReport& report);
    void Check4_Click();
    void Check8_Click();
    void Option4_Click();
    void Option5_Click();
    void Text1_Change();
    void RepeatMode_Click();
    void RunOptionBox_Change(ControlId box);
    void Form_Resize();
    // The tray icon's button came up: it ends a recording (the click is not
    // recorded) or brings the window back.
    void cSysTray1_MouseUp(TrayButton button);
    // The recording's end, by a key at `at` or by the Record button.
    void endRecording(MonotonicTime at);
    // The window comes back, out of the tray too, with the focus.
    void comeBack();
    void runListCommand(ListCommand command);
    // Runs one of the user's inputs above at the callback boundary, under `procedure`.
    void atInput(const std::string& procedure, const std::function<void()>& handler) noexcept;

    static std::size_t index(ControlId id) { return static_cast<std::size_t>(id); }
    ControlState& state(ControlId id) { return controls_[index(id)]; }

    // Setting a value from code raises the control's handler as a user change would.
    void setCaption(ControlId id, const std::string& caption);
    void setChecked(ControlId id, bool checked);
    void setOption(ControlId id, bool set);
    // Sets or clears an option and clears the others of its group, raising no click.
    bool selectOption(ControlId id, bool set);
    void setText1(const std::string& text);
    void setVisible(ControlId id, bool visible);
    void setBackground(ControlId id, Colour colour);
    void setWindowState(WindowState state);
    void setWindowVisible(bool visible);
    void windowChanged();
    void controlChanged(ControlId id);

    void showMessage(const std::string& text);
    Action newAction() const;
    void copyToSettings(const Action& row);
    void homePageChance();
    void restoreStartupOptions(ErrorReport& report);
    void restoreRunOptions(ErrorReport& report);
    void showRunProgress(const std::string& progress);

    Form1Ports ports_;
    ProgramInfo program_;
    std::function<int()> drawHomePageNumber_;
    std::function<std::uint32_t()> runSeed_;
    FormView* view_ = nullptr;

    std::array<ControlState, ControlCount> controls_;
    ActionList list_;
    std::vector<ListColumn> columns_;
    std::string caption_;
    bool iconSet_ = false;
    WindowState windowState_ = WindowState::Normal;
    bool visible_ = false;
    Colour background_ = ButtonFace;
    PointerShape mousePointer_ = PointerShape::Default;
    bool handPointerLoaded_ = false;
    std::string appTitle_ = ProductName;

    bool trayHidden_ = false;
    bool formLoading_ = false;
    RunOptions runOptions_;

    std::unique_ptr<Parts> parts_;
};

// The short application title: the name cut at its last blank, again while
// longer than 40 characters; a name without a blank stays whole.
std::string shortApplicationTitle(const std::string& productName);

} // namespace cursovia
