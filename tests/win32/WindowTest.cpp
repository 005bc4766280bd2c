// A failure inside a window procedure stops at the window: logged, the
// message answered by the default procedure, the window still working.
#include "Window.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>

namespace {

constexpr UINT FailingMessage = WM_APP + 7;
constexpr UINT AnsweredMessage = WM_APP + 8;

class FailingWindow : public cursovia::win32::Window {
public:
    FailingWindow() { create({.className = L"CursoviaFailingWindowTest", .style = WS_OVERLAPPED}); }

private:
    LRESULT handleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == FailingMessage) throw std::runtime_error("Invalid procedure call");
        if (message == AnsweredMessage) return 42;
        return Window::handleMessage(message, wParam, lParam);
    }
};

TEST(Window, AFailureInItsProcedureIsLoggedAndTheWindowGoesOn) {
    FailingWindow window;
    testing::internal::CaptureStderr();
    EXPECT_EQ(SendMessageW(window.hwnd(), FailingMessage, 0, 0), 0); // DefWindowProcW's answer
    const std::string log = testing::internal::GetCapturedStderr();
    EXPECT_NE(log.find("failed: Invalid procedure call"), std::string::npos) << log;
    EXPECT_EQ(SendMessageW(window.hwnd(), AnsweredMessage, 0, 0), 42);
}

} // namespace
