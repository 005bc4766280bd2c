// The native window wired to the real presenter and to recording fakes of
// the other ports, as the user minimises it.
#include "MainWindow.h"
#include "SkinAdapter.h"
#include "app/Form1.h"
#include "fakes/FormFixture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace cursovia::win32 {
namespace {

struct Win32Window : fakes::FormFixture {
    ColourSkin colours;
    std::unique_ptr<MainWindow> window;

    void open() {
        settings.set("Loads", "5");
        create();
        window = std::make_unique<MainWindow>(*form, colours);
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

// The keyboard state GetKeyState reads while the list handles a key.
void holdAlt(bool held) {
    BYTE state[256];
    GetKeyboardState(state);
    state[VK_MENU] = held ? 0x80 : 0;
    SetKeyboardState(state);
}

HWND listViewOf(HWND window) {
    HWND found = nullptr;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM out) {
            wchar_t name[32];
            GetClassNameW(child, name, 32);
            if (std::wstring(name) != WC_LISTVIEWW) return TRUE;
            *reinterpret_cast<HWND*>(out) = child;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

TEST_F(Win32Window, TheListsKeysReachThePresenterWithTheModifiersHeld) {
    open();
    for (const char* x : {"1", "2", "3"}) form->list().append({x, "0", "1", "No Action"});
    form->ListView1_Select(0);
    pump();
    const HWND list = listViewOf(window->hwnd());
    ASSERT_NE(list, nullptr);
    const auto xs = [&] {
        std::vector<std::string> out;
        for (std::size_t i = 0; i < form->list().rowCount(); ++i) out.push_back(form->list().row(i).x);
        return out;
    };
    holdAlt(true);
    SendMessageW(list, WM_SYSKEYDOWN, VK_DOWN, 1 << 29);
    holdAlt(false);
    EXPECT_EQ(xs(), (std::vector<std::string>{"2", "1", "3"}));
    EXPECT_EQ(form->list().selected(), 1u);
    SendMessageW(list, WM_KEYDOWN, VK_DELETE, 0);
    EXPECT_EQ(xs(), (std::vector<std::string>{"2", "3"}));
    pump();
}

} // namespace
} // namespace cursovia::win32
