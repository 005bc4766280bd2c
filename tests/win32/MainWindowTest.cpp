// The native window wired to the real presenter and to recording fakes of
// the other ports, as the user minimises it.
#include "MainWindow.h"
#include "SkinAdapter.h"
#include "app/Form1Input.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

namespace cursovia::win32 {
namespace {

struct Win32Window : fakes::FormFixture {
    ColourSkin colours;
    std::unique_ptr<Form1Input> input;
    std::unique_ptr<MainWindow> window;

    void open() {
        settings.set("Loads", "5");
        create();
        input = std::make_unique<Form1Input>(*form, dialogs);
        window = std::make_unique<MainWindow>(*input, colours);
        form->Form_Load();
        form->show();
    }
    // Runs what is queued for this thread, as the message loop would.
    static void pump() {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
};

TEST_F(Win32Window, MinimisingHidesItInTheTrayFromTheQueueNotInsideTheResize) {
    open();
    pump();
    ASSERT_TRUE(IsWindowVisible(window->hwnd()));
    ShowWindow(window->hwnd(), SW_MINIMIZE); // as the user would: WM_SIZE arrives inside this call
    EXPECT_FALSE(form->TrayHidden());
    EXPECT_FALSE(tray.balloonShown());
    pump();
    EXPECT_TRUE(form->TrayHidden());
    EXPECT_TRUE(tray.balloonShown());
    EXPECT_FALSE(IsWindowVisible(window->hwnd()));

    tray.report({TrayActivity::Kind::ButtonUp, TrayButton::Left});
    pump();
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_FALSE(IsIconic(window->hwnd()));
    EXPECT_EQ(form->windowState(), WindowState::Normal);
}

TEST_F(Win32Window, AMinimiseTheWindowNoLongerHasWhenItsMessageArrivesIsDropped) {
    open();
    pump();
    // A real minimise and restore in a row races with the window manager's
    // own reports under Wine; the resize alone is what the window hears.
    SendMessageW(window->hwnd(), WM_SIZE, SIZE_MINIMIZED, 0);
    ASSERT_FALSE(IsIconic(window->hwnd()));
    pump();
    EXPECT_FALSE(form->TrayHidden());
    EXPECT_TRUE(IsWindowVisible(window->hwnd()));
    EXPECT_EQ(form->windowState(), WindowState::Normal);
}

} // namespace
} // namespace cursovia::win32
