#pragma once
#include "SkinAdapter.h"
#include "ControlColours.h"
#include "Handles.h"
#include "ActionListView.h"
#include "Window.h"
#include "app/Form1.h"
#include "app/Form1.h"

#include <array>
#include <optional>

namespace cursovia::win32 {

// Form1 as a native window built from the control table. It forwards the
// user's input to the presenter (MainWindowInput.cpp) and renders the
// presenter's state back (MainWindow.cpp); it decides nothing.
class MainWindow : public Window, public FormView {
public:
    // Renders the presenter and sends it the user's input from the start.
    MainWindow(Form1& form, ColourSkin& skin);
    ~MainWindow() override;


    void controlChanged(ControlId id) override;
    void windowChanged() override;
    void focusWindow() override;
    void focusControl(ControlId id) override;

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    void createControls();
    void layout();
    HWND control(ControlId id) const { return controls_[static_cast<std::size_t>(id)]; }
    std::optional<ControlId> controlAt(HWND window) const;
    static bool isChoice(ControlKind kind) { return kind == ControlKind::OptionButton || kind == ControlKind::CheckBox; }
    // A control's bounds at 96 dpi, in client pixels at `dpi`.
    static RECT scaledRect(const Rect& bounds, UINT dpi);

    void renderTextBox(ControlId id);
    void renderWindowState();
    void renderColours();

    void onCommand(WORD notification, HWND from);
    std::optional<LRESULT> onNotify(NMHDR& header);
    LRESULT onControlColour(HDC dc, HWND from);
    bool onSetCursor(HWND over, WORD hitTest);
    void onSize(WPARAM kind);
    void onWindowStateMessage(WPARAM kind);
    void onDpiChanged(UINT dpi, const RECT& suggested);
    void rememberFocus();
    void restoreFocus();
    void paintBackground(HDC dc);

    static LRESULT CALLBACK textBoxProcedure(HWND edit, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                           DWORD_PTR self);

    Form1& form_;
    ColourSkin& skin_;
    ControlColours colours_;
    ActionListView list_;
    std::array<HWND, ControlCount> controls_{};
    HWND tooltip_ = nullptr;
    HWND lastFocus_ = nullptr;
    UniqueFont font_;
    UniqueIcon bigIcon_, smallIcon_;
    UINT dpi_ = 96;
    COLORREF paintedBackground_ = CLR_INVALID;
    bool settingText_ = false;
    bool typing_ = false;
};

} // namespace cursovia::win32
