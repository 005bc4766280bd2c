// The tray adapter against the shell Wine runs: every request goes to the
// real Shell_NotifyIconW through a recorder that keeps the record and the answer.
#include "TrayShellAdapter.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

namespace {

using cursovia::Picture;
using cursovia::TrayActivity;
using cursovia::TrayButton;
using cursovia::TrayListener;
using cursovia::win32::NotifyIconTray;
using cursovia::win32::trayActivityOf;
using Kind = TrayActivity::Kind;

struct ShellCall {
    DWORD command;
    NOTIFYICONDATAW data;
    BOOL answer;
};

class RecordingListener : public TrayListener {
public:
    void trayActivity(TrayActivity activity) override { heard.push_back(activity); }
    std::vector<TrayActivity> heard;
};

class TrayTest : public ::testing::Test {
protected:
    HWND trayWindow() const { return FindWindowW(NotifyIconTray::WindowClass, nullptr); }
    const ShellCall& last() const { return calls.back(); }

    std::vector<ShellCall> calls;
    RecordingListener listener;
    std::optional<NotifyIconTray> tray{std::in_place, [this](DWORD command, NOTIFYICONDATAW* data) {
                                           const BOOL answer = Shell_NotifyIconW(command, data);
                                           calls.push_back({command, *data, answer});
                                           return answer;
                                       }};
};

TEST(TrayMessages, TheShellsMouseAndBalloonMessagesBecomeTheIconsActivity) {
    const struct {
        UINT message;
        std::optional<TrayActivity> activity;
    } cases[] = {
        {WM_MOUSEMOVE, TrayActivity{Kind::PointerMoved}},
        {WM_LBUTTONDOWN, TrayActivity{Kind::ButtonDown, TrayButton::Left}},
        {WM_LBUTTONUP, TrayActivity{Kind::ButtonUp, TrayButton::Left}},
        {WM_LBUTTONDBLCLK, TrayActivity{Kind::DoubleClick, TrayButton::Left}},
        {WM_RBUTTONDOWN, TrayActivity{Kind::ButtonDown, TrayButton::Right}},
        {WM_RBUTTONUP, TrayActivity{Kind::ButtonUp, TrayButton::Right}},
        {WM_RBUTTONDBLCLK, TrayActivity{Kind::DoubleClick, TrayButton::Right}},
        {WM_MBUTTONDOWN, std::nullopt},
        {WM_MBUTTONUP, std::nullopt},
        {WM_MBUTTONDBLCLK, std::nullopt},
        {NIN_BALLOONSHOW, std::nullopt},
        {NIN_BALLOONHIDE, TrayActivity{Kind::BalloonClosed}},
        {NIN_BALLOONTIMEOUT, TrayActivity{Kind::BalloonClosed}},
        {NIN_BALLOONUSERCLICK, TrayActivity{Kind::BalloonClicked}},
    };
    for (const auto& c : cases) EXPECT_EQ(trayActivityOf(c.message), c.activity) << std::hex << c.message;
}

TEST_F(TrayTest, AddingPutsTheIconWithTipPictureAndCallbackIntoTheShell) {
    tray->add("Cursovia", Picture::ProgramIcon, listener);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(last().command, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(last().answer) << "the shell refused the icon";
    EXPECT_EQ(last().data.cbSize, sizeof(NOTIFYICONDATAW));
    EXPECT_EQ(last().data.hWnd, trayWindow());
    EXPECT_EQ(last().data.uID, 0u);
    EXPECT_EQ(last().data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(last().data.uCallbackMessage, 0x465u);
    EXPECT_NE(last().data.hIcon, nullptr);
    EXPECT_STREQ(last().data.szTip, L"Cursovia");

    tray->remove();
    EXPECT_EQ(last().command, static_cast<DWORD>(NIM_DELETE));
    EXPECT_TRUE(last().answer) << "the shell did not know the icon";
    EXPECT_EQ(last().data.uFlags, 0u);
}

TEST_F(TrayTest, AnEmptyTipAndNoPictureAreLeftOut) {
    tray->add("", Picture::None, listener);
    EXPECT_EQ(last().data.uFlags, static_cast<UINT>(NIF_MESSAGE));
    EXPECT_EQ(last().data.hIcon, nullptr);
}

TEST_F(TrayTest, ATipLongerThanTheFieldIsCutWithoutSplittingACharacter) {
    // 126 letters and one character outside the BMP: the pair would straddle
    // the 127th and 128th places, which hold the last letter and the NUL.
    const std::string tip = std::string(126, 'a') + "\xF0\x9F\x98\x80";
    tray->add(tip, Picture::ProgramIcon, listener);
    EXPECT_EQ(std::wstring(last().data.szTip), std::wstring(126, L'a'));
    tray->setTip(std::string(200, 'b'));
    EXPECT_EQ(last().command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_EQ(last().data.uFlags, static_cast<UINT>(NIF_TIP));
    EXPECT_EQ(std::wstring(last().data.szTip), std::wstring(127, L'b'));
}

TEST_F(TrayTest, TheCallbackMessageReachesTheListenerOnlyWhileTheIconIsIn) {
    SendMessageW(trayWindow(), NotifyIconTray::CallbackMessage, 0, WM_LBUTTONUP);
    EXPECT_TRUE(listener.heard.empty());
    tray->add("Cursovia", Picture::ProgramIcon, listener);
    for (UINT message : {WM_RBUTTONDOWN, WM_MBUTTONUP, WM_RBUTTONUP, NIN_BALLOONUSERCLICK})
        SendMessageW(trayWindow(), NotifyIconTray::CallbackMessage, 0, message);
    EXPECT_EQ(listener.heard, (std::vector<TrayActivity>{{Kind::ButtonDown, TrayButton::Right},
                                                         {Kind::ButtonUp, TrayButton::Right},
                                                         {Kind::BalloonClicked}}));
    tray->remove();
    SendMessageW(trayWindow(), NotifyIconTray::CallbackMessage, 0, WM_LBUTTONUP);
    EXPECT_EQ(listener.heard.size(), 3u);
}

TEST_F(TrayTest, ABalloonIsShownAndClearedWithItsTimeOut) {
    tray->add("Cursovia", Picture::ProgramIcon, listener);
    tray->showBalloon("Cursovia", "has been minimized to the system tray.", 5000);
    EXPECT_EQ(last().command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(last().answer) << "the shell refused the balloon";
    EXPECT_EQ(last().data.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_STREQ(last().data.szInfoTitle, L"Cursovia");
    EXPECT_STREQ(last().data.szInfo, L"has been minimized to the system tray.");
    EXPECT_EQ(last().data.uTimeout, 5000u);
    EXPECT_EQ(last().data.dwInfoFlags, static_cast<DWORD>(NIIF_NONE));

    tray->clearBalloon();
    EXPECT_EQ(last().command, static_cast<DWORD>(NIM_MODIFY));
    EXPECT_TRUE(last().answer);
    EXPECT_EQ(last().data.uFlags, static_cast<UINT>(NIF_INFO));
    EXPECT_STREQ(last().data.szInfoTitle, L"");
    EXPECT_STREQ(last().data.szInfo, L"");
    EXPECT_EQ(last().data.uTimeout, 5000u);
}

TEST_F(TrayTest, ARestartedTaskbarGetsTheIconBackAsItNowIs) {
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    SendMessageW(trayWindow(), taskbarCreated, 0, 0); // no icon yet: nothing to put back
    EXPECT_TRUE(calls.empty());
    tray->add("Cursovia", Picture::ProgramIcon, listener);
    tray->setTip("later tip");
    calls.clear();
    SendMessageW(trayWindow(), taskbarCreated, 0, 0);
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(last().command, static_cast<DWORD>(NIM_ADD));
    EXPECT_EQ(last().data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(last().data.uCallbackMessage, NotifyIconTray::CallbackMessage);
    EXPECT_STREQ(last().data.szTip, L"later tip");
    // and the callback still reaches the core
    SendMessageW(trayWindow(), NotifyIconTray::CallbackMessage, 0, WM_LBUTTONUP);
    EXPECT_EQ(listener.heard, (std::vector<TrayActivity>{{Kind::ButtonUp, TrayButton::Left}}));
}

TEST_F(TrayTest, GoingAwayTakesTheIconOut) {
    tray->add("Cursovia", Picture::ProgramIcon, listener);
    tray.reset();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[1].command, static_cast<DWORD>(NIM_DELETE));
    EXPECT_TRUE(calls[1].answer);
}

} // namespace
