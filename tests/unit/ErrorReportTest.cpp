#include "base/ErrorReport.h"
#include "fakes/Fakes.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace cursovia {
namespace {

TEST(ErrorReport, ShowsTheExactTextTitleAndIcon) {
    fakes::RecordingDialogs dialogs;
    ErrorReport report(dialogs, "Form1.PushButton5_Click");
    report.at(104, [] { throw std::runtime_error("Type mismatch"); });
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, "Type mismatch\r\nin CursoviaApp2021/08/31.Form1.PushButton5_Click at line 104\r\r"
                                     "Please email screenshot of this message to support@kelvardo.com");
    EXPECT_EQ(dialogs.shown[0].title, "Application Error");
    EXPECT_EQ(dialogs.shown[0].buttons, MessageButtons::Ok);
    EXPECT_EQ(dialogs.shown[0].icon, MessageIcon::Exclamation);
}

TEST(ErrorReport, GoesOnWithTheNextStatementAfterAFailure) {
    fakes::RecordingDialogs dialogs;
    ErrorReport report(dialogs, "Form1.Form_Load");
    std::vector<int> ran;
    report.at(100, [&] { ran.push_back(100); });
    report.at(102, [&] {
        throw std::out_of_range("Subscript out of range");
        ran.push_back(-1);
    });
    report.at(104, [&] { ran.push_back(104); });
    EXPECT_EQ(ran, (std::vector<int>{100, 104}));
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_NE(dialogs.shown[0].text.find("at line 102\r\r"), std::string::npos);
}

TEST(ErrorReport, AFailingConditionTakesTheThenBranch) {
    fakes::RecordingDialogs dialogs;
    ErrorReport report(dialogs, "Form1.Form_Load");
    EXPECT_TRUE(report.test(110, []() -> bool { throw std::runtime_error("Type mismatch"); }));
    EXPECT_FALSE(report.test(112, [] { return false; }));
    EXPECT_EQ(dialogs.shown.size(), 1u);
}

TEST(ErrorReport, DescribesFailuresThatAreNotStandardExceptions) {
    fakes::RecordingDialogs dialogs;
    ErrorReport(dialogs, "Form1.X").at(100, [] { throw 42; });
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text.rfind("Unexpected failure\r\n", 0), 0u);
}

TEST(ErrorReport, ALimitedReportShowsEachFailureOnceThenClosesWithOneMore) {
    fakes::RecordingDialogs dialogs;
    ErrorReport report(dialogs, "Form1.MouseClickList");
    report.showEachOnceAtMost(2, "No more reports");
    const auto failWith = [&](int line, const char* description) {
        report.at(line, [&] { throw std::runtime_error(description); });
    };
    failWith(106, "first");
    failWith(106, "first"); // the same report again
    failWith(110, "second");
    failWith(106, "first");
    failWith(108, "third"); // one new failure too many: the closing report instead
    failWith(112, "fourth");
    failWith(106, "first");
    std::vector<std::string> shown;
    for (const auto& s : dialogs.shown) shown.push_back(s.text.substr(0, s.text.find("\r\r")));
    EXPECT_EQ(shown, (std::vector<std::string>{"first\r\nin CursoviaApp2021/08/31.Form1.MouseClickList at line 106",
                                               "second\r\nin CursoviaApp2021/08/31.Form1.MouseClickList at line 110",
                                               "No more reports\r\nin CursoviaApp2021/08/31.Form1.MouseClickList at line 108"}));
}

} // namespace
} // namespace cursovia
