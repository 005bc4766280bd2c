// Failures that reach the point where the platform called into the program:
// logged, reported under the handler's name, never passed back.
#include "app/Form1.h"
#include "base/CallbackBoundary.h"
#include "base/ErrorReport.h"
#include "fakes/FormFixture.h"

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

namespace cursovia {
namespace {

using testing::internal::CaptureStderr;
using testing::internal::GetCapturedStderr;

TEST(CallbackBoundary, AnEscapedFailureIsLoggedAndReportedUnderTheHandlersName) {
    fakes::RecordingDialogs dialogs;
    CaptureStderr();
    runAtCallbackBoundary("Form1.Form_Resize", &dialogs, [] { throw std::runtime_error("Invalid procedure call"); });
    EXPECT_EQ(GetCapturedStderr(), "cursovia: Form1.Form_Resize failed: Invalid procedure call\n");
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, ErrorReport::text("Invalid procedure call", "Form1.Form_Resize", 100));
    EXPECT_EQ(dialogs.shown[0].title, "Application Error");
}

TEST(CallbackBoundary, WithoutDialogsAFailureIsOnlyLoggedAndAnythingThrownStopsThere) {
    CaptureStderr();
    runAtCallbackBoundary("modKeyboard.KeyboardHookProc", nullptr, [] { throw 42; });
    EXPECT_EQ(GetCapturedStderr(), "cursovia: modKeyboard.KeyboardHookProc failed: Unexpected failure\n");
}

TEST(CallbackBoundary, AReportThatCannotBeShownIsLoggedToo) {
    struct BrokenDialogs : fakes::RecordingDialogs {
        MessageAnswer messageBox(const std::string&, const std::string&, MessageButtons, MessageIcon) override {
            throw std::runtime_error("no display");
        }
    } dialogs;
    CaptureStderr();
    runAtCallbackBoundary("Form1.Text1_GotFocus", &dialogs, [] { throw std::runtime_error("Overflow"); });
    EXPECT_EQ(GetCapturedStderr(), "cursovia: Form1.Text1_GotFocus failed: Overflow\n"
                                   "cursovia: Form1.Text1_GotFocus failed: its error report could not be shown: "
                                   "no display\n");
}

TEST(CallbackBoundary, ASuccessfulHandlerLeavesNoTrace) {
    fakes::RecordingDialogs dialogs;
    bool ran = false;
    CaptureStderr();
    runAtCallbackBoundary("Form1.Form_Resize", &dialogs, [&] { ran = true; });
    EXPECT_EQ(GetCapturedStderr(), "");
    EXPECT_TRUE(ran);
    EXPECT_TRUE(dialogs.shown.empty());
}

// A window that fails at everything it is asked to render.
class FailingView : public FormView {
public:
    void controlChanged(ControlId) override { throw std::runtime_error("The window is gone"); }
    void windowChanged() override { throw std::runtime_error("The window is gone"); }
    void focusWindow() override {}
    void focusControl(ControlId) override {}
};

struct Form1InputCase {
    const char* procedure;
    std::function<void(Form1&)> input;
};

struct Form1InputBoundary : fakes::FormFixture {
    FailingView failing;
    void SetUp() override { settings.set("Loads", "5"); }
};

// Every entry point of the window's input reports under its own handler;
// none lets the failure out.
TEST_F(Form1InputBoundary, EachInputReportsWhatEscapesUnderItsHandler) {
    const Form1InputCase cases[] = {
        {"Form1.PushButton5_MouseMove", [](Form1& in) { in.MouseMove(ControlId::PushButton5); }},
        {"Form1.Form_MouseMove",
         [](Form1& in) {
             in.MouseMove(ControlId::PushButton5);
             in.MouseMove(std::nullopt);
         }},
        {"Form1.Form_Resize", [](Form1& in) { in.userSetWindowState(WindowState::Maximized); }},
        {"Form1.Text1_GotFocus", [](Form1& in) { in.Text1_GotFocus(); }},
    };
    for (const Form1InputCase& c : cases) {
        SCOPED_TRACE(c.procedure);
        start();
        form->setView(&failing);
        dialogs.shown.clear();
        CaptureStderr();
        c.input(*form);
        const std::string log = GetCapturedStderr();
        ASSERT_FALSE(dialogs.shown.empty());
        EXPECT_EQ(dialogs.shown.back().text, ErrorReport::text("The window is gone", c.procedure, 100));
        EXPECT_NE(log.find(std::string("cursovia: ") + c.procedure + " failed: The window is gone\n"),
                  std::string::npos);
    }
}

} // namespace
} // namespace cursovia
